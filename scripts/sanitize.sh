#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-san/ (or $SEGMARK_SANITIZE_DIR), benchmarks left out, and runs every
# test there, the fuzz corpus replays included. Any report stops the program
# that made it, so the run fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_SANITIZE_DIR:-$root/build-san}"
# No optimisation and line tables only: the build is the slow part, the
# tests take seconds even so.
SEGMARK_BUILD_DIR="$build" "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=None \
  "-DCMAKE_CXX_FLAGS=-O0 -g1" -DSEGMARK_SANITIZE=ON -DSEGMARK_BUILD_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build"
ctest --output-on-failure --no-tests=error --timeout 600 -j "$(nproc)"
