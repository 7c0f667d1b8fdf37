#!/usr/bin/env bash
# Installs the laid-out driver package unattended into a fresh Wine prefix and
# creates the driver object by its ProgID with the script host.
#   package-test.sh win32|win64 PACKAGE_DIR PREFIX VISA_DIR
set -euo pipefail
arch=$1 package=$2 prefix=$3 visa_dir=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/fresh-prefix.sh"
fresh_prefix package-test "$arch" "$prefix"

[ ! -e "$package/VISA32.DLL" ] || { echo "the package must not carry VISA32.DLL"; exit 1; }
for file in ZEW4400.TLB SDK/Zew4400Lib.h SDK/Zew4400Lib_i.c SDK/ComSupport.h SDK/EarlyBound.cpp SDK/LateBound.cpp \
            SDK/Events.cpp Examples/README.md Examples/vbscript/RunTest.vbs Examples/jscript/RunTest.js \
            Examples/vba/RunTest.bas Examples/python/run_test.py Examples/cpp/EarlyBound.cpp; do
  [ -f "$package/$file" ] || { echo "the package lacks $file"; exit 1; }
done
"$root/scripts/install-package.sh" "$prefix" "$arch" "$package" "$visa_dir"

shared="$prefix/drive_c/Program Files/Common Files/Orvanta Shared"
for file in ZEW4400.OCX ZEW4400.CHM ZEW4400.TLB; do
  [ -f "$shared/$file" ] || { echo "$file is not in the shared folder"; exit 1; }
done
# The type library names ZEW4400.CHM as its help file, in the folder it was
# registered from: the help beside the driver.
helpdirs=$("${run[@]}" reg query 'HKEY_CLASSES_ROOT\TypeLib' /s 2>/dev/null | tr -d '\r' |
          awk '/\\HELPDIR$/ { getline; print }')
if ! grep -qE 'REG_SZ +C:\\Program Files\\Common Files\\Orvanta Shared$' <<<"$helpdirs"; then
  echo "the type library's help folder is not the shared folder: $helpdirs"
  exit 1
fi

script=$(mktemp --suffix=.vbs)
printf 'Set o = CreateObject("Zew4400.Zew4400")\r\nWScript.Echo "created " & TypeName(o)\r\n' >"$script"
actual=$("${run[@]}" cscript //nologo "Z:$(echo "$script" | tr / '\\')" | tr -d '\r' || true)
rm -f "$script"
if [ "$actual" != "created IZew4400" ]; then
  echo "creating Zew4400.Zew4400 printed: $actual"
  exit 1
fi
echo "package installed; $actual"
