#!/usr/bin/env bash
# Builds the driver, registers Zew4400.ocx in a demo Wine prefix and runs
# driver/demo/demo.vbs with Wine's script host, then zew-events-demo.exe,
# against the simulated instrument inside the stand-in VISA32.DLL.
#   driver-demo.sh [win32|win64]
# Without an argument it runs the 32-bit driver, the one form designers and
# office macros load, or the 64-bit one where this machine cannot run 32-bit
# programs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-arch.sh

step="starting"
trap 'status=$?; echo "demo: failed while $step (exit status $status)" >&2; exit $status' ERR

arch=${1:-win32}
if zew_wine_unsupported "$arch"; then
  echo "demo: $arch: $ZEW_NO32_REASON; running the 64-bit driver instead"
  arch=win64
fi
echo "demo: running the $arch driver"

step="configuring the $arch build (cmake --preset $arch)"
cmake --preset "$arch" >/dev/null
step="building Zew4400.ocx, VISA32.DLL and zew-events-demo.exe ($arch)"
cmake --build --preset "$arch" --target Zew4400 VISA32_dll zew-events-demo >/dev/null

bin=$root/build/$arch/bin
prefix=$root/build/$arch/demo-prefix
run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
step="registering Zew4400.ocx in the demo Wine prefix ($prefix)"
"${run[@]}" regsvr32 /s "$bin/Zew4400.ocx"
# The script host finds VISA32.DLL in its current directory.
step="running driver/demo/demo.vbs with Wine's cscript"
(cd "$bin" && "${run[@]}" cscript //nologo "Z:$(echo "$root/driver/demo/demo.vbs" | tr / '\\')")
# Events need a message loop, which the script host lacks: a C++ client
# receives them.
step="running zew-events-demo.exe"
(cd "$bin" && "${run[@]}" zew-events-demo.exe)
step="stopping the demo prefix's wineserver"
"${run[@]}" --shutdown
