#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only those missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3 git
  googletest
  libgcrypt20-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix libgcrypt-mingw-w64-dev libz-mingw-w64-dev
  wine wine64 xvfb xauth x11-utils imagemagick
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
