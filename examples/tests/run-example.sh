#!/usr/bin/env bash
# Runs one example client against the simulated instrument inside the
# stand-in VISA32.DLL and checks it: the client must end with the expected
# exit status (0 unless --status says otherwise) and print every expected line.
#   run-example.sh win32|win64 PREFIX LIBRARY [--status N] [--line TEXT | --match REGEX]... -- PROGRAM [ARGS...]
# LIBRARY (Zew4400.ocx) is registered in the Wine prefix already, once for all
# the clients of the prefix (scripts/register-driver.sh), and the client runs
# in its folder. The client prefix has the stand-in VISA library in its system
# folder (scripts/visa-prefix.sh). A PROGRAM ending in .vbs or
# .js runs with Wine's script host. --line is one whole output line as given;
# --match a whole line matching the extended regular expression.
set -euo pipefail
arch=$1 prefix=$2 library=$3
shift 3
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-arch.sh"
if zew_wine_unsupported "$arch"; then
  echo "run-example: $arch: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi

lines=() matches=() expected_status=0
while [ $# -gt 0 ]; do
  case "$1" in
    --status) expected_status=$2; shift 2 ;;
    --line) lines+=("$2"); shift 2 ;;
    --match) matches+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "run-example: unknown argument '$1'" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "run-example: no program given" >&2; exit 2; }
program=$1
shift

run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
case "$program" in
  *.vbs|*.js) command=(cscript //nologo "Z:$(echo "$program" | tr / '\\')") ;;
  *) command=("$program") ;;
esac

cd "$(dirname "$library")"
status=0
output=$("${run[@]}" "${command[@]}" "$@" | tr -d '\r') || status=$?
echo "$output"
failed=0
if [ $status -ne "$expected_status" ]; then
  echo "run-example: $(basename "$program") ended with exit status $status, not $expected_status"
  failed=1
fi
for line in ${lines[@]+"${lines[@]}"}; do
  grep -Fxq -- "$line" <<<"$output" || { echo "run-example: missing line: $line"; failed=1; }
done
for pattern in ${matches[@]+"${matches[@]}"}; do
  grep -Exq -- "$pattern" <<<"$output" || { echo "run-example: no line matches: $pattern"; failed=1; }
done
[ $failed -eq 0 ] || exit 1
echo "run-example: $(basename "$program"): exit status $status, all expected lines printed"
