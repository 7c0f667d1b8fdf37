#!/usr/bin/env bash
# Builds the unsigned driver package twice, from nothing, in two build trees
# that share only the source tree, and compares the bytes of every file of the
# two package folders, their zips and the symbol zips (and in win32 the
# Windows Installer package). Needs no Wine.
#   reproducible-test.sh SOURCE_TREE TOOLCHAIN_FILE WORK_DIR
set -euo pipefail
source_tree=$1 toolchain=$2 work=$3
case $toolchain in *i686*) arch=win32 ;; *) arch=win64 ;; esac
source "$(dirname "$0")/../../scripts/wine-arch.sh"
# Like every test of its preset, skipped where the preset's programs cannot run.
if zew_wine_unsupported "$arch"; then
  echo "reproducible-test: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
unset ZEW_SIGN_PKCS12 ZEW_SIGN_PASSWORD_FILE ZEW_SIGN_TIMESTAMP_URL
rm -rf "$work"
mkdir -p "$work"

# Each tree is configured and built on its own; the second lies one level
# deeper, so no path length is shared either.
build() {
  local tree=$1
  cmake -S "$source_tree" -B "$tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZEW_SIGN_PKCS12= -DZEW_SIGN_PASSWORD_FILE= -DZEW_SIGN_TIMESTAMP_URL= >"$tree.log" 2>&1 &&
    cmake --build "$tree" -j2 --target "${targets[@]}" >>"$tree.log" 2>&1 ||
    { echo "the build in $tree failed:"; tail -n 30 "$tree.log"; exit 1; }
}
# The win32 tree makes its Windows Installer package too (the x64 one needs
# the win32 tree's package and is left out here).
targets=(driver_package)
[ "$arch" = win64 ] || targets+=(driver_msi)
one=$work/one two=$work/second/two
mkdir -p "$work/second"
build "$one"
build "$two"

status=0
# An unsigned build says so in one line.
for tree in "$one" "$two"; do
  n=$(grep -c '^driver_package: not signed' "$tree.log" || true)
  [ "$n" = 1 ] || { echo "$tree.log: $n lines saying the package is not signed, not one"; status=1; }
done

listing() { (cd "$1" && find . -type f | LC_ALL=C sort); }
if ! diff <(listing "$one/package") <(listing "$two/package"); then
  echo "the two builds made different files"
  exit 1
fi
count=0
while IFS= read -r file; do
  count=$((count + 1))
  if ! cmp -s "$one/package/$file" "$two/package/$file"; then
    echo "differs between the two builds: package/${file#./} ($(cmp "$one/package/$file" "$two/package/$file" | sed 's/.*differ: //'))"
    status=1
  fi
done < <(listing "$one/package")
if [ $status -eq 0 ]; then
  echo "reproducible: $count files of two builds are byte for byte the same"
  rm -rf "$work"
fi
exit $status
