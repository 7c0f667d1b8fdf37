#!/usr/bin/env bash
# Runs a test program under Wine in a fresh prefix of its own, removed when it
# ends (scripts/fresh-prefix.sh).
#   own-prefix.sh win32|win64 PREFIX [--x] PROGRAM [ARGS...]
# Where the architecture cannot run on this machine it says so and exits with
# status 77 (a skip).
set -euo pipefail
source "$(dirname "$0")/fresh-prefix.sh"
fresh_prefix own-prefix "$1" "$2"
shift 2
"${run[@]}" --init
"${run[@]}" "$@"
