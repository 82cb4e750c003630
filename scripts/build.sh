#!/usr/bin/env bash
# Configures and builds into build/ (or $SEGMARK_BUILD_DIR) with every core.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_BUILD_DIR:-$root/build}"
"$root/scripts/setup-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
