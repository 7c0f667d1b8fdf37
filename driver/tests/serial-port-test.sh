#!/usr/bin/env bash
# The serial link settings at a real port: the stand-in VISA library, told to
# use COM5 for ASRL5, opens that Windows serial port; Wine's COM5 is a Linux
# pseudo-terminal that socat bridges to a zew-sim. While the driver is
# connected, the terminal's settings are read from Linux (stty): they must be
# what the driver asked VISA for. Then a test runs over the port to its verdict.
#   serial-port-test.sh win32|win64 PREFIX BIN ZEW_SIM
set -euo pipefail
arch=$1 prefix=$2 bin=$3 sim=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/fresh-prefix.sh"
fresh_prefix serial-port-test "$arch" "$prefix"
command -v socat >/dev/null || { echo "serial-port-test: socat is missing (scripts/setup.sh installs it)"; exit 1; }
[ -x "$sim" ] || { echo "serial-port-test: no zew-sim at $sim (build the native preset first)"; exit 1; }
dir=$(mktemp -d)
pids=()
cleanup() {
  local status=$?
  if [ $status -ne 0 ] && [ -s "$dir/wine.log" ]; then
    echo "Wine's messages:" >&4; tail -n 20 "$dir/wine.log" >&4
  fi
  for pid in ${pids[@]+"${pids[@]}"}; do kill "$pid" 2>/dev/null || true; done
  fresh_prefix_remove
  rm -rf "$dir"
}
trap cleanup EXIT
# Wine's server takes the terminal as its controlling terminal when it opens
# the port, and reports its state when the bridge hangs up: its messages go to
# a log, shown when the test fails.
exec 4>&2 2>"$dir/wine.log"
"$root/scripts/visa-prefix.sh" "$prefix" "$arch" "$bin" --register "$bin/Zew4400.ocx"

"$sim" --port 0 --port-file "$dir/port" >/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.05; done
[ -s "$dir/port" ] || { echo "serial-port-test: zew-sim gave no port"; exit 1; }

# Each connection gets a bridge of its own: socat ends when the port closes.
bridge() {
  rm -f "$dir/tty"
  socat "pty,raw,echo=0,link=$dir/tty" "tcp:127.0.0.1:$(cat "$dir/port")" 2>"$dir/socat.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -e "$dir/tty" ] && break; sleep 0.05; done
  [ -e "$dir/tty" ] || { echo "serial-port-test: socat made no terminal: $(cat "$dir/socat.log")"; exit 1; }
  ln -sfn "$(readlink -f "$dir/tty")" "$prefix/dosdevices/com5"
}
printf '[ASRL5]\nport = COM5\n' >"$dir/visa.cfg"
export ZEW_VISA_CONFIG="Z:$dir/visa.cfg"
failed=0

# Connected and holding: the terminal as the driver's settings left it.
bridge
mkfifo "$dir/in"
"${run[@]}" "$bin/zew-visa-client.exe" COM5 --hold <"$dir/in" >"$dir/out" 2>&1 &
client=$!
exec 3>"$dir/in"
for _ in $(seq 200); do grep -q '^connected' "$dir/out" 2>/dev/null && break; sleep 0.1; done
settings=$(stty -a -F "$dir/tty" 2>&1 || true)
echo >&3
exec 3>&-
wait $client || true
if ! grep -q '^connected' "$dir/out"; then
  echo "serial-port-test: the driver did not connect over COM5:"; tr -d '\r' <"$dir/out"
  exit 1
fi
for setting in 'speed 19200 baud' cs8 cstopb -parenb ixon ixoff; do
  if grep -qw -- "$setting" <<<"${settings//;/ }"; then
    echo "ok   $setting"
  else
    echo "FAIL $setting not set at the terminal"
    failed=1
  fi
done
[ $failed -eq 0 ] || { echo "stty -a:"; echo "$settings"; }

# A whole test over the port, to its verdict.
bridge
output=$("${run[@]}" "$bin/zew-example-earlybound.exe" COM5 2>&1 | tr -d '\r' || true)
if grep -qx 'Verdict: PASS' <<<"$output"; then
  echo "ok   a test over COM5 ends with its verdict"
else
  echo "FAIL the test over COM5:"; echo "$output"
  failed=1
fi
# A port that hangs up while a read waits: the read fails at once with an I/O
# error instead of spinning until its 10 s time-out.
bridge
bridge_pid=${pids[-1]}
mkfifo "$dir/read-in"
"${run[@]}" "$bin/zew-serial-read-client.exe" ASRL5 <"$dir/read-in" >"$dir/read" 2>&1 &
reader=$!
exec 3>"$dir/read-in"
for _ in $(seq 200); do grep -q '^open' "$dir/read" 2>/dev/null && break; sleep 0.1; done
kill "$bridge_pid"; wait "$bridge_pid" 2>/dev/null || true
echo >&3
exec 3>&-
wait $reader || true
read_line=$(tr -d '\r' <"$dir/read" | grep '^read ' || true)
read_ms=$(sed -n 's/.* ms=\([0-9]*\)$/\1/p' <<<"$read_line")
if [[ $read_line == "read status=BFFF003E ms="* ]] && [ "${read_ms:-99999}" -lt 1000 ]; then
  echo "ok   a read on a port that hung up fails at once ($read_ms ms)"
else
  echo "FAIL a read on a port that hung up: ${read_line:-$(tr -d '\r' <"$dir/read")}"
  failed=1
fi
[ $failed -eq 0 ] || exit 1
echo "serial-port-test: $arch: the serial settings reach the port"
