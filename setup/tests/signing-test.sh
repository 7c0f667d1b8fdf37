#!/usr/bin/env bash
# Builds the driver package signed with a throwaway self-signed certificate,
# given as the environment variables a release build uses, and checks that
# the shipped ZEW4400.OCX and Setup.exe carry SHA-256 Authenticode signatures
# that verify against that certificate: signed after stripping (a stripped
# binary whose signature still holds for its bytes), and zipped as signed; in
# the win32 preset the Windows Installer package is signed too (the x64 one
# needs the win32 tree's package and is left out here). The password appears
# nowhere in the build tree or the build's output. Needs no Wine.
#   signing-test.sh SOURCE_TREE TOOLCHAIN_FILE WORK_DIR
set -euo pipefail
source_tree=$1 toolchain=$2 work=$3
case $toolchain in *i686*) arch=win32 ;; *) arch=win64 ;; esac
source "$(dirname "$0")/../../scripts/wine-arch.sh"
# Like every test of its preset, skipped where the preset's programs cannot run.
if zew_wine_unsupported "$arch"; then
  echo "signing-test: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
case $toolchain in
  *i686*) triple=i686-w64-mingw32 ;;
  *) triple=x86_64-w64-mingw32 ;;
esac
rm -rf "$work"
mkdir -p "$work/key"
key=$work/key tree=$work/tree
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
log=$work/build.log
targets=(driver_package)
[ "$arch" = win64 ] || targets+=(driver_msi)
if ! { cmake -S "$source_tree" -B "$tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$tree" -j2 --target "${targets[@]}" -- VERBOSE=1; } >"$log" 2>&1; then
  echo "the signed build failed:"; tail -n 30 "$log"; exit 1
fi

status=0
fail() { echo "$*"; status=1; }
package=$tree/package/Zew4400
for binary in ZEW4400.OCX Setup.exe; do
  report=$(osslsigncode verify -CAfile "$key/signer.pem" -in "$package/$binary" 2>&1) ||
    fail "$binary: the signature does not verify against the test certificate: $report"
  grep -qiE 'message digest algorithm *: *SHA256' <<<"$report" || fail "$binary: not a SHA-256 signature: $report"
  ! "$triple-objdump" -h "$package/$binary" | grep -q ' \.debug_' || fail "$binary was signed before it was stripped"
done
if [ "$arch" = win32 ]; then
  msi=$(ls "$tree"/package/Zew4400-*-x86.msi)
  report=$(osslsigncode verify -CAfile "$key/signer.pem" -in "$msi" 2>&1) ||
    fail "${msi##*/}: the signature does not verify against the test certificate: $report"
  grep -qiE 'message digest algorithm *: *SHA256' <<<"$report" || fail "${msi##*/}: not a SHA-256 signature: $report"
fi
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
