#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then runs them all
# again in a build with AddressSanitizer and UndefinedBehaviorSanitizer
# (scripts/sanitize.sh; SEGMARK_SANITIZE=0 skips that pass). Fails on any
# failure or sanitizer report.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
(cd "$build" && ctest --output-on-failure --no-tests=error --timeout 300 -j "$(nproc)")
if [ "${SEGMARK_SANITIZE:-1}" != 0 ]; then
  "$root/scripts/sanitize.sh"
fi
