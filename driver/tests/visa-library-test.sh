#!/usr/bin/env bash
# Where the driver finds its VISA library, in a Wine prefix of its own whose
# system folder the test fills case by case: the names tried on each
# architecture and their order, a library lacking a function or built for the
# other architecture, the current folder (never searched), the application's
# folder, the library a machine names in the registry, and the one a user
# names there, which is ignored.
#   visa-library-test.sh win32|win64 PREFIX BIN OTHER_ARCH_DLL
# BIN holds Zew4400.ocx, zew-visa-client.exe, the stand-in VISA32.DLL and
# visa-variants/{minimal,lacking} (and visa64 on win64).
set -euo pipefail
arch=$1 prefix=$2 bin=$3 other_arch=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/fresh-prefix.sh"
fresh_prefix visa-library-test "$arch" "$prefix"
"${run[@]}" --init

c=$prefix/drive_c
system=$c/windows/system32
app=$c/app
work=$c/work
mkdir -p "$app" "$work" "$c/elsewhere"
cp "$bin/Zew4400.ocx" "$bin/zew-visa-client.exe" "$app/"
if [ "$arch" = win64 ]; then
  first=visa64.dll value=VisaLibrary64 standard=$bin/visa-variants/visa64/visa64.dll
else
  first=VISA32.DLL value=VisaLibrary32 standard=$bin/VISA32.DLL
fi
connected='connect 0x00000000'
no_visa='connect 0x800A04B1 VISA32.DLL not found.  You need to install VISA library.'
user_key='HKCU\Software\Orvanta\Zew4400'
machine_key='HKLM\Software\Orvanta\Zew4400'

failed=0
clear() { rm -f "$system/visa64.dll" "$system/VISA32.DLL" "$app/VISA32.DLL" "$work/VISA32.DLL"; }
# check NAME EXPECTED_CONNECT EXPECTED_LOADED: runs the client from the work
# folder; EXPECTED_LOADED is the "loaded" line, Windows paths, any case.
check() {
  local name=$1 connect=$2 loaded=$3 output
  output=$(cd "$work" && "${run[@]}" 'C:\app\zew-visa-client.exe' dev1 | tr -d '\r')
  if ! grep -qxF -- "$connect" <<<"$output" || ! grep -qixF -- "loaded$loaded" <<<"$output"; then
    echo "FAIL $name: expected '$connect' and 'loaded$loaded', got:"; sed 's/^/    /' <<<"$output"
    failed=1
  else
    echo "ok   $name"
  fi
}
sys='C:\windows\system32\'

clear
check "no library anywhere" "$no_visa" ""
cp "$bin/VISA32.DLL" "$system/"
check "VISA32.DLL in the system folder" "$connected" " ${sys}VISA32.DLL"
clear; cp "$bin/visa-variants/minimal/$first" "$system/"
check "$first with only the functions the driver calls" "$connected" " ${sys}$first"
clear; cp "$bin/visa-variants/lacking/$first" "$system/"
check "$first lacking viWrite" "$no_visa" ""
clear; cp "$other_arch" "$system/$first"
check "$first built for the other architecture" "$no_visa" ""
if [ "$arch" = win64 ]; then
  clear; cp "$standard" "$system/"
  check "visa64.dll in the system folder" "$connected" " ${sys}visa64.dll"
  cp "$bin/VISA32.DLL" "$system/"
  check "visa64.dll before VISA32.DLL" "$connected" " ${sys}visa64.dll"
  cp "$bin/visa-variants/lacking/visa64.dll" "$system/"
  check "VISA32.DLL after a visa64.dll lacking viWrite" "$connected" " ${sys}VISA32.DLL"
fi
clear; cp "$bin/VISA32.DLL" "$work/"
check "VISA32.DLL in the current folder only" "$no_visa" ""
clear; cp "$bin/VISA32.DLL" "$app/"
check "VISA32.DLL in the application's folder" "$connected" ' C:\app\VISA32.DLL'

# A library the machine names (HKEY_LOCAL_MACHINE, 64-bit view): that file
# alone, wherever it is. The user's value chooses nothing: any program of the
# user can write it, and an elevated client would load what it names.
machine() { "${run[@]}" reg add "$machine_key" /v "$value" /d "$1" /f /reg:64 >/dev/null 2>&1; }
clear; cp "$standard" "$c/elsewhere/elsewhere.dll"; cp "$bin/VISA32.DLL" "$system/"
"${run[@]}" reg add "$user_key" /v "$value" /d 'C:\elsewhere\elsewhere.dll' /f >/dev/null 2>&1
check "$value of the user ignored" "$connected" " ${sys}VISA32.DLL"
"${run[@]}" reg delete "$user_key" /v "$value" /f >/dev/null 2>&1
machine 'C:\elsewhere\elsewhere.dll'
check "$value naming a library outside every search folder" "$connected" ' C:\elsewhere\elsewhere.dll'
machine 'C:\elsewhere\missing.dll'
check "$value naming a missing file" "$no_visa" ""
machine 'elsewhere.dll'
check "$value naming no full path" "$no_visa" ""
"${run[@]}" reg delete "$machine_key" /v "$value" /f /reg:64 >/dev/null 2>&1

# The 32-bit driver on 64-bit Windows reads the same machine value, from the
# 64-bit view, as the 64-bit driver does.
if [ "$arch" = win32 ]; then
  prefix64=$prefix-64
  run64=("$root/scripts/wine-run" --prefix "$prefix64" --arch win64)
  "${run64[@]}" --shutdown; rm -rf "$prefix64"
  "${run64[@]}" --init
  mkdir -p "$prefix64/drive_c/app" "$prefix64/drive_c/elsewhere"
  cp "$bin/Zew4400.ocx" "$bin/zew-visa-client.exe" "$prefix64/drive_c/app/"
  cp "$bin/VISA32.DLL" "$prefix64/drive_c/windows/syswow64/"
  cp "$bin/VISA32.DLL" "$prefix64/drive_c/elsewhere/elsewhere.dll"
  "${run64[@]}" reg add "$machine_key" /v VisaLibrary32 /d 'C:\elsewhere\elsewhere.dll' /f /reg:64 >/dev/null 2>&1
  output=$("${run64[@]}" 'C:\app\zew-visa-client.exe' dev1 | tr -d '\r')
  if grep -qxF -- "$connected" <<<"$output" && grep -qixF -- 'loaded C:\elsewhere\elsewhere.dll' <<<"$output"; then
    echo "ok   VisaLibrary32 of the 64-bit view, in a 64-bit prefix"
  else
    echo "FAIL VisaLibrary32 of the 64-bit view, in a 64-bit prefix: got"; sed 's/^/    /' <<<"$output"
    failed=1
  fi
  "${run64[@]}" --shutdown; rm -rf "$prefix64" "$prefix64.lock"
fi

[ $failed -eq 0 ] || exit 1
echo "visa-library-test: $arch: every case as expected"
