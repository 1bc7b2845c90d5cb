#!/usr/bin/env bash
# Installs the Debian packages the build and the suite need, only when something is missing.
set -euo pipefail

# libqt6opengl6-dev: the CMake package of the UI tools (QUiLoader) depends on Qt's OpenGL one.
# pkgconf: the install check builds with the pkg-config files; dpkg-dev and file: `make deb`.
packages=(cmake ninja-build g++ clang libclang-rt-dev libgtest-dev libgmock-dev libbenchmark-dev
          clang-format fp-compiler fp-units-rtl fp-units-base fp-units-fcl fpc-source-3.2.2
          qt6-base-dev qt6-tools-dev qt6-l10n-tools libqt6opengl6-dev gettext libxml2-utils libexpat1-dev libgettextpo-dev
          fonts-dejavu-core fonts-liberation2 xvfb xauth python3 pkgconf
          dpkg-dev file)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null; then
  sudo="sudo"
else
  echo "error: missing packages (${missing[*]}) and no root rights to install them" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
