#!/usr/bin/env bash
# The package's driver on a machine with no VISA library at all: in a fresh
# Wine prefix, the OCX is registered straight from the package and the
# examples run a whole sequence against their default device, the tester
# simulated inside the driver.
#   sim-without-visa-test.sh win32|win64 PREFIX PACKAGE RUNTEST.VBS EARLYBOUND LATEBOUND EVENTS
set -euo pipefail
arch=$1 prefix=$2 package=$3 vbs=$4 earlybound=$5 latebound=$6 events=$7
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/fresh-prefix.sh"
fresh_prefix sim-without-visa "$arch" "$prefix"
programs=$(mktemp -d)
trap 'fresh_prefix_remove; rm -rf "$programs"' EXIT
"${run[@]}" --init
# The programs run from a folder of their own: the driver also looks for VISA
# beside the program, and the build's folder holds the stand-in.
cp "$earlybound" "$latebound" "$events" "$programs/"
earlybound=$programs/$(basename "$earlybound")
latebound=$programs/$(basename "$latebound")
events=$programs/$(basename "$events")

libraries=$(find "$prefix/drive_c" "$package" "$programs" -iname 'visa*.dll')
if [ -n "$libraries" ]; then
  echo "sim-without-visa: a VISA library is present: $libraries"
  exit 1
fi

"$root/scripts/register-driver.sh" "$prefix" "$arch" "$package/ZEW4400.OCX"
example=("$root/examples/tests/run-example.sh" "$arch" "$prefix" "$package/ZEW4400.OCX")
"${example[@]}" --line "Model:   ZEW4400" --line "Verdict: PASS" --line "Memory:  \"PUMP-HOUSING\" is memory 12" \
  --line "Error:   GetString after Disconnect: 1232 Instrument not initialized in device SIM." -- "$vbs"
"${example[@]}" --line "Model:   ZEW4400" --line "Verdict: PASS" -- "$earlybound"
"${example[@]}" --line "Model:   ZEW4410" --line "Verdict: PASS" -- "$latebound" "SIM::ZEW4410::DESK"
# A device of 0.02 ohm passes the events example's 0.04 ohm.
"${example[@]}" --match "  TestingR status +(8|12): .*" --match "  TestingR status +1: .*" --line "Verdict: PASS" \
  -- "$events" "SIM;DUT=0.02"
# Names outside the simulation still need VISA.
"${example[@]}" --status 1 --match ".*[Ff]ailed: 0x800A04B1 VISA32.DLL not found.*" -- "$earlybound" dev1
echo "sim-without-visa: the examples ran against SIM without VISA"
