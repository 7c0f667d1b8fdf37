#!/usr/bin/env bash
# Takes the README's pictures of the control under a virtual display and
# keeps them as PNG files in docs/images.
#   driver/unittests/take-screenshots.sh [win64|win32]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
arch=${1:-win64}
build=$root/build/$arch
out=$root/docs/images
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
cmake --build "$build" --target zew-screenshots
"$root/scripts/wine-run" --prefix "$build/wineprefix" --arch "$arch" --init
"$root/scripts/wine-run" --prefix "$build/wineprefix" --arch "$arch" --x \
  "$build/bin/zew-screenshots.exe" "Z:${shots//\//\\}"
mkdir -p "$out"
for name in About General Auto DesignMode; do
  python3 "$root/driver/unittests/bmp-to-png.py" "$shots/$name.bmp" "$out/$name.png"
done
"$root/scripts/wine-run" --prefix "$build/wineprefix" --arch "$arch" --shutdown
echo "pictures in $out"
