#!/usr/bin/env bash
# Registers the driver library in a Wine prefix with regsvr32 and proves it
# took: the ProgID names a class whose server is this very file. regsvr32's
# exit status alone proves nothing under Wine (a process ended from outside
# exits with status 0).
#   register-driver.sh PREFIX win32|win64 LIBRARY
set -euo pipefail
prefix=$1 arch=$2 library=$3
root=$(cd "$(dirname "$0")/.." && pwd)
run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
windows_path="Z:$(tr / '\\' <<<"$(cd "$(dirname "$library")" && pwd)/$(basename "$library")")"

"${run[@]}" regsvr32 /s "$windows_path"
# "    (Default)    REG_SZ    value" -> value
default_value() {
  "${run[@]}" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -nE 's/^ +\(Default\) +REG_SZ +(.*)$/\1/p'
}
clsid=$(default_value 'HKEY_CLASSES_ROOT\Zew4400.Zew4400\CLSID')
server=$(default_value "HKEY_CLASSES_ROOT\\CLSID\\$clsid\\InprocServer32")
if [ -z "$clsid" ] || [ "${server,,}" != "${windows_path,,}" ]; then
  echo "register-driver: $library is not registered in $prefix (class '$clsid', server '$server')" >&2
  exit 1
fi
echo "register-driver: $(basename "$library") registered as $clsid"
