#!/usr/bin/env bash
# Builds the 32-bit driver, registers Zew4400.ocx in a demo Wine prefix and
# runs driver/demo/demo.vbs with Wine's script host, then zew-events-demo.exe,
# against the simulated instrument inside the stand-in VISA32.DLL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Zew4400 VISA32_dll zew-events-demo >/dev/null

bin=$root/build/win32/bin
prefix=$root/build/win32/demo-prefix
run=(scripts/wine-run --prefix "$prefix" --arch win32)
"${run[@]}" regsvr32 /s "$bin/Zew4400.ocx"
# The script host finds VISA32.DLL in its current directory.
(cd "$bin" && "$root/${run[0]}" "${run[@]:1}" cscript //nologo "Z:$(echo "$root/driver/demo/demo.vbs" | tr / '\\')")
# Events need a message loop, which the script host lacks: a C++ client
# receives them.
(cd "$bin" && "$root/${run[0]}" "${run[@]:1}" zew-events-demo.exe)
"${run[@]}" --shutdown
