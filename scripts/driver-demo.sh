#!/usr/bin/env bash
# Builds the driver and its package, installs the package in a demo Wine
# prefix with the unattended installer (the way a test PC gets it). It runs a
# test on "SIM", the tester simulated inside the driver, with the VBScript
# example (examples/vbscript/RunTest.vbs), then driver/demo/demo.vbs with
# Wine's script host and the C++ events example (examples/cpp/Events.cpp,
# zew-example-events.exe) against the simulated instrument inside the stand-in
# VISA32.DLL.
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
step="building the driver package, VISA32.DLL and zew-example-events.exe ($arch)"
cmake --build --preset "$arch" --target driver_package VISA32_dll zew-example-events >/dev/null

bin=$root/build/$arch/bin
prefix=$root/build/$arch/demo-prefix
run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
# The stand-in VISA library goes into the prefix's system folder, where the
# installer's VISA check looks; the package itself never carries one.
step="installing the driver package with Setup.exe /S in the demo Wine prefix ($prefix)"
echo "demo: installing the driver: Setup.exe /S"
"$root/scripts/install-package.sh" "$prefix" "$arch" "$root/build/$arch/package/Zew4400" "$bin" | sed 's/^/  /'

step="running examples/vbscript/RunTest.vbs on SIM with Wine's cscript"
echo "demo: a test on SIM, the tester simulated inside the driver"
(cd "$bin" && "${run[@]}" cscript //nologo "Z:$(echo "$root/examples/vbscript/RunTest.vbs" | tr / '\\')" SIM)
echo "demo: the stand-in VISA32.DLL's simulated instrument, dev1"
step="running driver/demo/demo.vbs with Wine's cscript"
(cd "$bin" && "${run[@]}" cscript //nologo "Z:$(echo "$root/driver/demo/demo.vbs" | tr / '\\')")
# Events need a message loop, which the script host lacks: a C++ client
# receives them.
step="running zew-example-events.exe"
(cd "$bin" && "${run[@]}" zew-example-events.exe dev1)
step="stopping the demo prefix's wineserver"
"${run[@]}" --shutdown
