#!/usr/bin/env bash
# Runs the real zew-sim: bad options, port file, one exchange, clean stop.
set -euo pipefail
sim=$1
dir=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$dir"' EXIT
pid=

set +e
"$sim" --bind 10.1.2.3 >/dev/null 2>"$dir/err"; rc=$?
set -e
[ "$rc" = 2 ] || { echo "bad option gave exit $rc"; exit 1; }
grep -q "usage:" "$dir/err" || { echo "no usage text"; exit 1; }

"$sim" --port 0 --port-file "$dir/port" --model ZEW4410 --serial 77 --trace >"$dir/out" &
pid=$!
for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.1; done
port=$(cat "$dir/port")
grep -q "zew-sim listening on 127.0.0.1:$port" "$dir/out" || { echo "no listening line"; cat "$dir/out"; exit 1; }

exec 3<>"/dev/tcp/127.0.0.1/$port"
printf '*IDN?\n' >&3
IFS= read -r -t 5 reply <&3
exec 3>&-
[ "$reply" = "ORVANTA ELECTRONICS CORP.,ZEW4410,77,1.00.00" ] || { echo "reply: $reply"; exit 1; }

kill -TERM "$pid"
set +e
wait "$pid"; rc=$?
set -e
pid=
[ "$rc" = 0 ] || { echo "SIGTERM gave exit $rc"; exit 1; }
grep -q "< \*IDN?" "$dir/out" || { echo "no trace"; cat "$dir/out"; exit 1; }
[ ! -e "$dir/port" ] || { echo "port file left behind"; exit 1; }
echo "zew-sim smoke test passed"
