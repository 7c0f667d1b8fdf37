#!/usr/bin/env bash
# Builds the driver package from nothing, in trees of its own that share only
# the source tree (and in win32 the Windows Installer package too; the x64 one
# needs the win32 tree's package and is left out here). Needs no Wine.
#   package-build-test.sh reproducible|signing SOURCE_TREE TOOLCHAIN_FILE WORK_DIR
# reproducible  two unsigned builds, the second one level deeper so that no
#               path length is shared either, give the same bytes in every
#               file of the package folders, their zips and the symbol zips
# signing       a build signed with a throwaway self-signed certificate, given
#               as the environment variables a release build uses: the shipped
#               ZEW4400.OCX and Setup.exe (and the x86 package) carry SHA-256
#               Authenticode signatures that verify against it, signed after
#               stripping and zipped as signed; the password appears nowhere
#               in the build tree or the build's output
set -euo pipefail
mode=$1 source_tree=$2 toolchain=$3 work=$4
case $toolchain in
  *i686*) arch=win32 triple=i686-w64-mingw32 ;;
  *) arch=win64 triple=x86_64-w64-mingw32 ;;
esac
source "$(dirname "$0")/../../scripts/wine-arch.sh"
# Like every test of its preset, skipped where the preset's programs cannot run.
if zew_wine_unsupported "$arch"; then
  echo "package-build-test $mode: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
targets=(driver_package)
[ "$arch" = win64 ] || targets+=(driver_msi)
rm -rf "$work"
mkdir -p "$work"
status=0
fail() { echo "$*"; status=1; }
build() {  # TREE [CMAKE ARGUMENTS...]: configures and builds the package; the output in TREE.log
  local tree=$1
  shift
  { cmake -S "$source_tree" -B "$tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" &&
    cmake --build "$tree" -j2 --target "${targets[@]}" -- VERBOSE=1; } >"$tree.log" 2>&1 ||
    { echo "the build in $tree failed:"; tail -n 30 "$tree.log"; exit 1; }
}

if [ "$mode" = reproducible ]; then
  unset ZEW_SIGN_PKCS12 ZEW_SIGN_PASSWORD_FILE ZEW_SIGN_TIMESTAMP_URL
  one=$work/one two=$work/second/two
  mkdir -p "$work/second"
  for tree in "$one" "$two"; do
    build "$tree" -DZEW_SIGN_PKCS12= -DZEW_SIGN_PASSWORD_FILE= -DZEW_SIGN_TIMESTAMP_URL=
    # An unsigned build says so in one line.
    n=$(grep -c '^driver_package: not signed' "$tree.log" || true)
    [ "$n" = 1 ] || fail "$tree.log: $n lines saying the package is not signed, not one"
  done
  listing() { (cd "$1" && find . -type f | LC_ALL=C sort); }
  diff <(listing "$one/package") <(listing "$two/package") || { echo "the two builds made different files"; exit 1; }
  count=0
  while IFS= read -r file; do
    count=$((count + 1))
    cmp -s "$one/package/$file" "$two/package/$file" ||
      fail "differs between the two builds: package/${file#./} ($(cmp "$one/package/$file" "$two/package/$file" | sed 's/.*differ: //'))"
  done < <(listing "$one/package")
  [ $status -ne 0 ] || { echo "reproducible: $count files of two builds are byte for byte the same"; rm -rf "$work"; }
  exit $status
fi

[ "$mode" = signing ] || { echo "package-build-test: unknown test $mode" >&2; exit 2; }
key=$work/key tree=$work/tree
mkdir -p "$key"
umask 077
openssl rand -hex 24 >"$key/password"
password=$(cat "$key/password")
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 2 -subj "/CN=ZEW4400 throwaway test signer" \
        -keyout "$key/signer.key" -out "$key/signer.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$key/signer.key" -in "$key/signer.pem" -out "$key/signer.p12" \
        -passout "file:$key/password"
umask 022
export ZEW_SIGN_PKCS12=$key/signer.p12 ZEW_SIGN_PASSWORD_FILE=$key/password
unset ZEW_SIGN_TIMESTAMP_URL
build "$tree"
log=$tree.log
package=$tree/package/Zew4400
signed=("$package/ZEW4400.OCX" "$package/Setup.exe")
[ "$arch" = win64 ] || signed+=("$(ls "$tree"/package/Zew4400-*-x86.msi)")
for file in "${signed[@]}"; do
  report=$(osslsigncode verify -CAfile "$key/signer.pem" -in "$file" 2>&1) ||
    fail "${file##*/}: the signature does not verify against the test certificate: $report"
  grep -qiE 'message digest algorithm *: *SHA256' <<<"$report" || fail "${file##*/}: not a SHA-256 signature: $report"
done
for binary in ZEW4400.OCX Setup.exe; do
  ! "$triple-objdump" -h "$package/$binary" | grep -q ' \.debug_' || fail "$binary was signed before it was stripped"
done
# The zip holds the signed files.
python3 - "$tree/package" "$package" <<'PY' || status=1
import glob, os, sys, zipfile
[path] = [p for p in glob.glob(os.path.join(sys.argv[1], "Zew4400-*.zip")) if not p.endswith("-symbols.zip")]
with zipfile.ZipFile(path) as z:
    for name in ("ZEW4400.OCX", "Setup.exe"):
        with open(os.path.join(sys.argv[2], name), "rb") as f:
            if z.read("Zew4400/" + name) != f.read():
                print(f"{os.path.basename(path)}: {name} is not the signed file")
                sys.exit(1)
PY
grep -q '^driver_package: signed' "$log" || fail "the build did not say that it signed"
! grep -q 'not signed' "$log" || fail "the build says it did not sign"
! grep -rqF "$password" "$tree" || fail "the password is in the build tree: $(grep -rlF "$password" "$tree" | head -n 3)"
! grep -qF "$password" "$log" || fail "the password is in the build's output"
[ $status -ne 0 ] || { echo "both binaries signed (SHA-256) after stripping and verified"; rm -rf "$work"; }
exit $status
