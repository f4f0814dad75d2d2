#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need, only those
# that are missing. Runs as root (or through sudo when available).
set -euo pipefail

packages=(cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev iproute2 util-linux
          xvfb xauth imagemagick clang libclang-rt-14-dev fonts-dejavu-core fonts-dejavu-extra)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
