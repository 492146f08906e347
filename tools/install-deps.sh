#!/usr/bin/env bash
# Installs the Debian packages a make target needs, skipping those already present.
# Usage: install-deps.sh run|all
#   run  configure and build the program (`make run`)
#   all  also the tests, the fuzz targets and the Debian package with its checks
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev libqt6sql6-sqlite libgtest-dev libgmock-dev
          libgl-dev fonts-dejavu-core libarchive-dev)
if [ "${1:-all}" != run ]; then
  # poppler-utils: the print tests; clang: the fuzz targets; python3: the mutation tool and its
  # test; dpkg-dev, file: the package's library dependencies; librsvg2-bin: its PNG icons;
  # desktop-file-utils, appstream: its checks.
  packages+=(poppler-utils clang libclang-rt-14-dev python3 dpkg-dev file librsvg2-bin desktop-file-utils appstream)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
