#!/usr/bin/env bash
# Configures and builds into build/ (or $SEGMARK_BUILD_DIR) with every core.
# Under CI (CI=true) any compiler warning fails the build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_BUILD_DIR:-$root/build}"
"$root/scripts/setup-deps.sh"
werror=OFF
if [ "${CI:-}" = true ]; then werror=ON; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSEGMARK_WARNINGS_AS_ERRORS=$werror "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
