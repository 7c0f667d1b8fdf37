#!/usr/bin/env bash
# Builds zew-bench and runs it against the instrument embedded in the stand-in
# VISA32.DLL and against a zew-sim over TCP; prints the table and writes the
# same figures to build/<arch>/bench.json.
#   scripts/bench.sh [CYCLES]    (create-Connect-Disconnect-release cycles, default 20000)
# 32-bit where this machine runs 32-bit programs, else 64-bit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-arch.sh
trap 'status=$?; echo "bench: failed: $BASH_COMMAND (exit status $status)" >&2; exit $status' ERR
bash scripts/setup.sh python3-pyvisa-py
arch=win32
if zew_wine_unsupported "$arch"; then
  echo "bench: $arch: $ZEW_NO32_REASON; measuring the 64-bit build"
  arch=win64
fi
cmake --preset native >/dev/null && cmake --build --preset native --target zew-sim >/dev/null
cmake --preset "$arch" >/dev/null && cmake --build --preset "$arch" --target zew-bench >/dev/null

bench_run() {
  cd "$root/build/$arch/bin"
  "$root/scripts/wine-run" --prefix "$root/build/$arch/bench-prefix" --arch "$arch" \
    zew-bench.exe --port "$ZEW_SIM_PORT" --cycles "$cycles" --json "Z:$root/build/$arch/bench.json"
  "$root/scripts/wine-run" --prefix "$root/build/$arch/bench-prefix" --arch "$arch" --shutdown
  echo "a peer for context, natively on Linux (not under Wine):"
  /usr/bin/python3 "$root/bench/pyvisa-peer.py" "$ZEW_SIM_PORT"
}
export -f bench_run
export root arch cycles=${1:-20000}
echo "zew-bench ($arch, under Wine)"
scripts/with-zew-sim build/native/bin/zew-sim -- bash -c bench_run
