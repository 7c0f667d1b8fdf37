#!/usr/bin/env bash
# Builds the native simulator and the 32-bit Windows
# binaries, starts a simulated ZEW4400 (zew-sim) on a loopback port and runs a
# short test on it from a Windows program under Wine, through VISA32.DLL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
for preset in native win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done

prefix=$root/build/win32/demo-prefix
config=$(mktemp --suffix=.cfg)
trap 'rm -f "$config"' EXIT

run_demo() {
  # GPIB0::1 reaches the zew-sim over TCP; the configuration path is given in
  # Wine's Z: drive spelling.
  printf '[GPIB0::1]\ntcp = 127.0.0.1:%s\n' "$ZEW_SIM_PORT" >"$config"
  echo "zew-sim is listening on 127.0.0.1:$ZEW_SIM_PORT"
  ZEW_VISA_CONFIG="Z:$config" scripts/wine-run --prefix "$prefix" --arch win32 \
    build/win32/bin/zew-visa-demo.exe GPIB0::1::INSTR
  scripts/wine-run --prefix "$prefix" --arch win32 --shutdown
}
export -f run_demo
export prefix config
scripts/with-zew-sim build/native/bin/zew-sim --model ZEW4400 --serial DEMO01 --version 1.05.02 --dut 0.042 \
  -- bash -c run_demo
