#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine needs to build and test the project.
# Idempotent: when every package is already present it returns at once.
#   setup.sh [EXTRA-PACKAGE...]   (what one script alone needs, e.g. the benchmark's peer)
set -euo pipefail

packages=(
  wine wine32:i386 wine64 libwine-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  xvfb xauth cmake g++ make googletest
  clang libclang-rt-14-dev
  fp-utils libchm-bin python3 socat
  faketime osslsigncode openssl wixl msitools
  "$@"
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  missing=("${packages[@]}")
else
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

echo "setup: done"
