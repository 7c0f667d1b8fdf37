#!/usr/bin/env bash
# Builds the C++ examples from the package's SDK folder alone, with the
# command line docs/help/guides/building-a-cpp-client.md gives (warnings as
# errors added): the SDK must be complete and the documented line must work.
# Like every test of its preset, it is a skip where the preset's programs
# cannot run.
#   sdk-build-test.sh win32|win64 COMPILER SDK_DIR
set -euo pipefail
arch=$1 compiler=$2 sdk=$3
source "$(dirname "$0")/../../scripts/wine-arch.sh"
if zew_wine_unsupported "$arch"; then
  echo "sdk-build-test: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$sdk"/* "$work"/
cd "$work"
for example in EarlyBound LateBound Events; do
  "$compiler" -std=c++17 -Wall -Wextra -Werror -O2 -o $example.exe $example.cpp Zew4400Lib_i.c \
    -static -lole32 -loleaut32 -luuid
  [ -s $example.exe ] || { echo "sdk-build-test: no $example.exe"; exit 1; }
  echo "sdk-build-test: $example.exe built from the SDK folder"
done
