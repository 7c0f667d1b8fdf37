#!/usr/bin/env bash
# The main job: sets up the machine, builds the driver and drives the simulated
# ZEW4400 from a VBScript client under Wine's script host.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec bash scripts/driver-demo.sh
