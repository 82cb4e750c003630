#!/usr/bin/env bash
# Installs the Debian packages Segmark needs to build, test and run.
# Silent and quick when everything is already there; otherwise it names the
# packages it installs, and when apt-get fails it shows apt-get's messages.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libpcre2-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk
          libgl-dev libqt6svg6 desktop-file-utils appstream libpugixml-dev
          nlohmann-json3-dev scdoc groff-base man-db dpkg-dev file lintian)

# One query for all of them: this runs before every build.
installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null |
    awk '$1 == "ii" { printf "%s ", $2 }' || true)"
missing=()
for p in "${packages[@]}"; do
  [[ $installed == *" $p "* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${#missing[@]} Debian packages with apt-get: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "setup-deps.sh: installing them needs root; run this as root or install sudo" >&2
    exit 1
  fi
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs one apt-get step with its output kept back, shown only when it fails.
step() {
  local what=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "setup-deps.sh: $what failed (apt-get's messages are above)" >&2
    exit 1
  fi
}
echo "  updating the package lists"
step "updating the package lists" $SUDO apt-get update -qq
echo "  downloading and installing (this can take a few minutes)"
step "installing the packages" $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "  done"
