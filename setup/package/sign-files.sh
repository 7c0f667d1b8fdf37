#!/usr/bin/env bash
# Signs Windows programs and libraries in place with SHA-256 Authenticode, or
# says in one line that the package stays unsigned when no certificate is
# given. The password is read from its file by osslsigncode itself, so it
# never appears on a command line or in the output.
#   sign-files.sh PKCS12 PASSWORD_FILE TIMESTAMP_URL FILE...
# PKCS12 empty: nothing is signed. TIMESTAMP_URL empty: no time stamp (the
# signature then ends with the certificate's validity).
set -euo pipefail
pkcs12=$1 password_file=$2 timestamp_url=$3
shift 3
if [ -z "$pkcs12" ]; then
  echo "driver_package: not signed (no certificate: set ZEW_SIGN_PKCS12 and ZEW_SIGN_PASSWORD_FILE to sign)"
  exit 0
fi
[ -r "$pkcs12" ] || { echo "sign-files: cannot read the certificate $pkcs12" >&2; exit 1; }
[ -r "$password_file" ] || { echo "sign-files: cannot read the password file (ZEW_SIGN_PASSWORD_FILE)" >&2; exit 1; }
timestamp=()
[ -z "$timestamp_url" ] || timestamp=(-ts "$timestamp_url")
for file in "$@"; do
  rm -f "$file.signed"
  if ! osslsigncode sign -pkcs12 "$pkcs12" -readpass "$password_file" -h sha256 "${timestamp[@]}" \
         -n "ZEW4400 Driver" -i "http://www.orvanta.example/" -in "$file" -out "$file.signed" >/dev/null; then
    rm -f "$file.signed"
    echo "sign-files: could not sign $file" >&2
    exit 1
  fi
  mv "$file.signed" "$file"
done
echo "driver_package: signed $(printf '%s ' "${@##*/}")with $(basename "$pkcs12")"
