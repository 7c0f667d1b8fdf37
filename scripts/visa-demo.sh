#!/usr/bin/env bash
# Builds the native simulator and the Windows binaries (32-bit, or 64-bit where
# this machine cannot run 32-bit programs), starts a simulated ZEW4400
# (zew-sim) on a loopback port and runs a short test on it from a Windows
# program under Wine, through VISA32.DLL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-arch.sh
trap 'status=$?; echo "visa-demo: failed: $BASH_COMMAND (exit status $status)" >&2; exit $status' ERR
bash scripts/setup.sh
arch=win32
if zew_wine_unsupported "$arch"; then
  echo "visa-demo: $arch: $ZEW_NO32_REASON; running the 64-bit client instead"
  arch=win64
fi
for preset in native "$arch"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done

prefix=$root/build/$arch/demo-prefix
config=$(mktemp --suffix=.cfg)
trap 'rm -f "$config"' EXIT

run_demo() {
  # GPIB0::1 reaches the zew-sim over TCP; the configuration path is given in
  # Wine's Z: drive spelling.
  printf '[GPIB0::1]\ntcp = 127.0.0.1:%s\n' "$ZEW_SIM_PORT" >"$config"
  echo "zew-sim is listening on 127.0.0.1:$ZEW_SIM_PORT"
  ZEW_VISA_CONFIG="Z:$config" scripts/wine-run --prefix "$prefix" --arch "$arch" \
    "build/$arch/bin/zew-visa-demo.exe" GPIB0::1::INSTR
  scripts/wine-run --prefix "$prefix" --arch "$arch" --shutdown
}
export -f run_demo
export prefix config arch
scripts/with-zew-sim build/native/bin/zew-sim --model ZEW4400 --serial DEMO01 --version 1.05.02 --dut 0.042 \
  -- bash -c run_demo
