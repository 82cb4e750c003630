#!/usr/bin/env bash
# Installs what is missing, builds the program, and starts Segmark (arguments
# are passed on). It names what it installs, shows the build's progress and,
# when a step fails, that step's messages; with nothing to do it starts the
# window at once, without a word.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEGMARK_BUILD_DIR:-$root/build}"

"$root/scripts/setup-deps.sh"

if [ ! -f "$build/build.ninja" ]; then
  echo "Configuring the build in $build"
  log=$(mktemp)
  if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "run.sh: configuring the build failed (CMake's messages are above)" >&2
    exit 1
  fi
  rm -f "$log"
fi

# The build's output: ninja's status lines one over the other on a terminal
# (a pipe would make ninja print each on its own line), everything else as it
# comes. Its "no work to do" and the glob check that runs every time are
# dropped, so that an up-to-date build says nothing.
progress() {
  local line header=0 status=0 tty=0 cols=80
  if [ -t 1 ]; then
    tty=1
    cols=$(tput cols 2>/dev/null || echo 80)
  fi
  while IFS= read -r line; do
    case $line in
    *"Re-checking globbed directories..." | "ninja: no work to do.") continue ;;
    esac
    ((header)) || { echo "Building Segmark in $build"; header=1; }
    if ((tty)) && [[ $line =~ ^\[[0-9]+/[0-9]+\]\  ]]; then
      printf '\r\033[K%s' "${line:0:cols-1}"
      status=1
      continue
    fi
    ((status)) && printf '\n'
    status=0
    printf '%s\n' "$line"
  done
  ((status)) && printf '\n'
  return 0
}

# Only the program is built here; scripts/test.sh builds the rest.
if ! cmake --build "$build" --target segmark 2>&1 | progress; then
  echo "run.sh: the build failed (the compiler's messages are above)" >&2
  exit 1
fi

exec "$build/src/segmark" "$@"
