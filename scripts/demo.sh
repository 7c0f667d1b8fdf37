#!/usr/bin/env bash
# The main job: sets up the machine, builds the driver and drives the simulated
# ZEW4400 from a VBScript client under Wine's script host.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || { echo "demo: failed: setting up the machine (scripts/setup.sh) did not succeed" >&2; exit 1; }
exec bash scripts/driver-demo.sh
