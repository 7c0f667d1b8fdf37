#!/usr/bin/env bash
# Runs a test program under Wine in a fresh prefix of its own, removed when it
# ends: for tests that put libraries into the system folder, which the prefix
# the other tests share must never see.
#   own-prefix.sh win32|win64 PREFIX [--x] PROGRAM [ARGS...]
# Where the architecture cannot run on this machine it says so and exits with
# status 77 (a skip).
set -euo pipefail
arch=$1 prefix=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-arch.sh"
if zew_wine_unsupported "$arch"; then
  echo "own-prefix: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")

"${run[@]}" --shutdown
rm -rf "$prefix"
trap '"${run[@]}" --shutdown; rm -rf "$prefix" "$prefix.lock"' EXIT
"${run[@]}" --init
"${run[@]}" "$@"
