#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, and those named as arguments.
# Idempotent and non-interactive: the package lists are refreshed only when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache git
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format clang-tidy libcli11-dev libfmt-dev nlohmann-json3-dev libmuparser-dev
  libegl-dev libopengl-dev libegl-mesa0 libgl1-mesa-dri
  zlib1g-dev python3-vtk9
  libpng-dev libfreetype-dev fonts-dejavu-core
  pybind11-dev python3-dev python3-numpy python3-pytest python3-matplotlib
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
