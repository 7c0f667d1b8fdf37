#!/usr/bin/env bash
# Takes the README's pictures of the installer under a virtual display: the
# package's Setup.exe runs its wizard to the end in a Wine prefix made for it
# (with the stand-in VISA library in its system folder), and the pictures are
# kept as PNG files in docs/images.
#   tools/take-setup-screenshots.sh [win64|win32]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=${1:-win64}
build=$root/build/$arch
prefix=$build/setup-screenshots-prefix
out=$root/docs/images
shots=$(mktemp -d)
run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
(cd "$root" && cmake --preset "$arch" >/dev/null)
visa_targets=(VISA32_dll)
[ "$arch" = win32 ] || visa_targets+=(visa64_dll)
cmake --build "$build" --target zew-setup-screenshots "${visa_targets[@]}"
"${run[@]}" --shutdown
rm -rf "$prefix"
trap '"${run[@]}" --shutdown; rm -rf "$shots" "$prefix" "$prefix.lock"' EXIT
"$root/scripts/visa-prefix.sh" "$prefix" "$arch" "$build/bin"
windows_path() { echo "Z:${1//\//\\}"; }
"${run[@]}" --x "$build/bin/zew-setup-screenshots.exe" "$(windows_path "$build/package/Zew4400")" "$(windows_path "$shots")"
mkdir -p "$out"
for name in SetupWelcome SetupFinish SetupProgress; do
  python3 "$root/tools/bmp-to-png.py" "$shots/$name.bmp" "$out/$name.png"
done
echo "pictures in $out"
