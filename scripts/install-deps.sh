#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Safe to run any number of times: it only installs what is missing.
set -euo pipefail

PKGS=(
  build-essential cmake ninja-build pkg-config clang-format ccache
  clang libclang-rt-dev
  qt6-base-dev qt6-base-private-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
  libfftw3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-pyvisa python3-pyvisa-py lxi-tools
  xvfb xauth
)

missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
