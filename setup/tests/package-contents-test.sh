#!/usr/bin/env bash
# Looks into the built driver package without running it: the zips carry the
# driver's version in their names and hold exactly the package folder; the
# driver's and the installer's version resources give that version; the
# shipped binaries are stripped, name their symbol files in a debug link and
# hold no path of the build machine; and a code address of the shipped driver
# resolves, with the symbol file alone, to its function and source line.
#   package-contents-test.sh win32|win64 BUILD_DIR SOURCE_DIR
set -euo pipefail
arch=$1 build=$2 source_dir=$3
source "$(dirname "$0")/../../scripts/wine-arch.sh"
# Like every test of its preset, skipped where the preset's programs cannot run.
if zew_wine_unsupported "$arch"; then
  echo "package-contents-test: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
case $arch in
  win32) triple=i686-w64-mingw32 ;;
  win64) triple=x86_64-w64-mingw32 ;;
  *) echo "package-contents-test: unknown architecture $arch"; exit 2 ;;
esac
package=$build/package
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "$*"; status=1; }

# The names: Zew4400-<version>-<arch>.zip and its -symbols.zip.
zips=$(cd "$package" && ls Zew4400-*-"$arch".zip)
[ "$(wc -w <<<"$zips")" = 1 ] || { echo "not one package zip in $package: $zips"; exit 1; }
version=$(sed -E "s/^Zew4400-(.*)-$arch\.zip$/\1/" <<<"$zips")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "the zip's version is not four numbers: $version"
[ -f "$package/Zew4400-$version-$arch-symbols.zip" ] || fail "no Zew4400-$version-$arch-symbols.zip"

# Both version resources give the zip's version as file version, and the same
# product version.
resource() {  # FILE KEY: the StringFileInfo value
  "$triple-windres" -i "$1" -O rc 2>/dev/null | tr -d '\r' | sed -nE "s/.*VALUE \"$2\", \"([^\"]*)\".*/\1/p"
}
product=
for binary in ZEW4400.OCX Setup.exe; do
  file_version=$(resource "$package/Zew4400/$binary" FileVersion)
  [ "$file_version" = "$version" ] || fail "$binary: FileVersion '$file_version', the zip says $version"
  this_product=$(resource "$package/Zew4400/$binary" ProductVersion)
  [ -n "$this_product" ] || fail "$binary: no ProductVersion"
  [ -z "$product" ] || [ "$this_product" = "$product" ] || fail "ProductVersion $this_product of $binary, $product before"
  product=$this_product
done

# The zips hold the folders, file for file.
for zip in "Zew4400-$version-$arch.zip:Zew4400" "Zew4400-$version-$arch-symbols.zip:symbols/Zew4400"; do
  rm -rf "$work/unzipped"
  python3 -m zipfile -e "$package/${zip%%:*}" "$work/unzipped"
  diff -r "$work/unzipped/Zew4400" "$package/${zip#*:}" || fail "${zip%%:*} does not hold ${zip#*:} file for file"
done

# Stripped, with a debug link to the symbol file, and no path of this machine.
for binary in ZEW4400.OCX Setup.exe; do
  shipped=$package/Zew4400/$binary symbols=$package/symbols/Zew4400/$binary.debug
  sections=$("$triple-objdump" -h "$shipped")
  ! grep -q ' \.debug_' <<<"$sections" || fail "$binary carries debug sections"
  rm -f "$work/link"
  "$triple-objcopy" --dump-section .gnu_debuglink="$work/link" "$shipped" "$work/copy" 2>/dev/null || true
  [ "$(tr '\0' '\n' 2>/dev/null <"$work/link" | head -n 1)" = "$binary.debug" ] ||
    fail "$binary names no $binary.debug in its debug link"
  "$triple-objdump" -h "$symbols" | grep -q ' \.debug_info' || fail "$binary.debug holds no debug information"
  for file in "$shipped" "$symbols"; do
    ! grep -qaF "$source_dir" "$file" || fail "${file##*/} holds the source folder $source_dir"
  done
done

# A crash address: the address of an export of the build's driver, whose
# code the shipped driver carries at the same place, resolved with the symbol
# file alone as the README tells.
text_section() { "$triple-objdump" -h "$1" | awk '$2 == ".text" { print $3, $4 }'; }
[ "$(text_section "$package/Zew4400/ZEW4400.OCX")" = "$(text_section "$build/bin/Zew4400.ocx")" ] ||
  fail "the shipped driver's code is not the build's"
address=0x$("$triple-nm" "$build/bin/Zew4400.ocx" | awk '$3 ~ /^_?DllRegisterServer(@0)?$/ && !found { print $1; found = 1 }')
resolved=$("$triple-addr2line" -f -C -e "$package/symbols/Zew4400/ZEW4400.OCX.debug" "$address" | tr '\n' ' ')
[[ $resolved =~ ^DllRegisterServer(@0)?\ /zew4400/driver/server/Exports\.cpp:[0-9]+ ]] ||
  fail "$address (DllRegisterServer) resolves to: $resolved"
[ $status -ne 0 ] || echo "package $version: named, versioned, stripped; $address resolves to $resolved"
exit $status
