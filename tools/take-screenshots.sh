#!/usr/bin/env bash
# Takes the README's pictures of the control under a virtual display and
# keeps them as PNG files in docs/images.
#   tools/take-screenshots.sh [win64|win32]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=${1:-win64}
build=$root/build/$arch
out=$root/docs/images
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
cmake --build "$build" --target zew-screenshots zew_help
# A prefix of its own: the windows need a wineserver started with the display.
prefix=$build/screenshot-prefix
"$root/scripts/wine-run" --prefix "$prefix" --arch "$arch" --init
# The property frame creates the pages by their registered classes.
"$root/scripts/register-driver.sh" "$prefix" "$arch" "$build/bin/Zew4400.ocx"
"$root/scripts/wine-run" --prefix "$prefix" --arch "$arch" --x \
  "$build/bin/zew-screenshots.exe" "Z:${shots//\//\\}" "Z:${build//\//\\}\\help"
mkdir -p "$out"
for name in About General Auto DesignMode Help; do
  python3 "$root/tools/bmp-to-png.py" "$shots/$name.bmp" "$out/$name.png"
done
"$root/scripts/wine-run" --prefix "$prefix" --arch "$arch" --shutdown
echo "pictures in $out"
