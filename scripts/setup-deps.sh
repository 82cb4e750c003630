#!/usr/bin/env bash
# Installs the Debian packages Segmark needs to build, test and run.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libpcre2-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk
          libgl-dev libqt6svg6 desktop-file-utils appstream libpugixml-dev
          nlohmann-json3-dev scdoc groff-base man-db dpkg-dev file lintian)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
