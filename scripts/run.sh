#!/usr/bin/env bash
# Installs what is missing, builds, and starts Segmark (arguments are passed on).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >/dev/null
exec "$build/src/segmark" "$@"
