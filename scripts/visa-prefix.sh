#!/usr/bin/env bash
# Creates a Wine prefix if it is missing and installs the stand-in VISA
# library from BIN where a VISA installation puts its libraries: the prefix's
# system folder (the prefixes hold one architecture, so that is system32).
# A 64-bit prefix gets visa64.dll and VISA32.DLL, as 64-bit installations do.
# With --register, the driver LIBRARY is registered there too
# (scripts/register-driver.sh).
#   visa-prefix.sh PREFIX win32|win64 BIN [--register LIBRARY]
set -euo pipefail
prefix=$1 arch=$2 bin=$3
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/wine-run" --prefix "$prefix" --arch "$arch" --init
libraries=("$bin/VISA32.DLL")
[ "$arch" = win64 ] && libraries+=("$bin/visa-variants/visa64/visa64.dll")
for library in "${libraries[@]}"; do
  [ -f "$library" ] || { echo "visa-prefix: no $library" >&2; exit 2; }
  cp "$library" "$prefix/drive_c/windows/system32/"
done
if [ "${4:-}" = --register ]; then
  "$root/scripts/register-driver.sh" "$prefix" "$arch" "$5"
fi
