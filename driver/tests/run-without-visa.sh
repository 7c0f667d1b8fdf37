#!/usr/bin/env bash
# Runs a test program beside the driver library in a directory of its own that
# holds no VISA32.DLL.
#   run-without-visa.sh LIBRARY LAUNCHER... PROGRAM
set -euo pipefail
library=$1; shift
program=${!#}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$library" "$program" "$dir/"
cd "$dir"
set -- "${@:1:$#-1}" "$dir/$(basename "$program")"
"$@"
