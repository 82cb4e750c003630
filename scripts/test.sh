#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Fails on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --no-tests=error --timeout 300 -j "$(nproc)"
