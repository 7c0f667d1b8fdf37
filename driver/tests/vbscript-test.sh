#!/usr/bin/env bash
# Runs client.vbs with the script host of the prefix's architecture and
# compares all it prints, its last line included. The prefix (the client
# fixture) has the stand-in VISA library in its system folder and the driver
# registered (scripts/visa-prefix.sh --register).
#   vbscript-test.sh win32|win64 PREFIX SCRIPT
set -euo pipefail
arch=$1 prefix=$2 script=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
# The driver finds the stand-in VISA library in the prefix's system folder.
actual=$("${run[@]}" cscript //nologo "Z:$(echo "$script" | tr / '\\')" | tr -d '\r')
expected='handles: True True True
reply: ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00|
status: 1073676293
memories: 100 100 4950
found: 7 0
steps: 2 2 7 Long 10
read: 2 7 Integer 10
open: 1220 Unable to open instrument in device NOSUCH::1.
long: 5
after: 0'
if [ "$actual" != "$expected" ]; then
  echo "client.vbs printed:"; echo "$actual"
  echo "expected:"; echo "$expected"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
echo "client.vbs: all lines as expected"
