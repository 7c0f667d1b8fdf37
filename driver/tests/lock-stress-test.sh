#!/usr/bin/env bash
# The machine-wide instrument lock across processes, on one zew-sim that holds
# each reply back a little and traces every line in the order it happens.
#   lock-stress-test.sh ARCH PREFIX CLIENT ZEW-SIM
# 1. Four processes, each with a driver object of its own, run single-call
#    queries: no query of one may arrive inside another's open exchange.
# 2. The same load through VISA alone, bypassing the lock, must show such
#    interleaving, or the check above proves nothing.
# (A holder that dies leaves the lock abandoned: LockTest takes such a lock.)
# A client counts only when it exited with status 0 and its last line says it
# made every call: under Wine a process ended from outside exits with status 0.
# PREFIX is the test's own: no other test's lock holders or servers in it.
set -uo pipefail
arch=$1 prefix=$2 client=$3 sim=$4
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$root/scripts/fresh-prefix.sh"
fresh_prefix lock-stress-test "$arch" "$prefix"   # 77: this machine cannot run the architecture
"${run[@]}" --init

clients=4 queries=${ZEW_STRESS_QUERIES:-1000}
work=$(mktemp -d)
sim_pid=
trap '[ -n "$sim_pid" ] && kill $sim_pid 2>/dev/null; fresh_prefix_remove; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

start_sim() {  # start_sim TRACE-FILE
  rm -f "$work/port"
  "$sim" --port 0 --port-file "$work/port" --trace --reply-delay 2 >"$1" &
  sim_pid=$!
  for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
  [ -s "$work/port" ] || { echo "zew-sim did not start"; exit 1; }
  # Every process reaches the one zew-sim as GPIB0::9 ("dev9").
  printf '[GPIB0::9]\ntcp = 127.0.0.1:%s\n' "$(cat "$work/port")" >"$work/visa.cfg"
  export ZEW_VISA_CONFIG="Z:$work/visa.cfg"
}
stop_sim() { kill $sim_pid; wait $sim_pid 2>/dev/null; sim_pid=; }

run_clients() {  # run_clients MODE COUNT NAME: four at once; fails unless each made every call
  local pids=() bad=0 i status
  for i in $(seq $clients); do
    (cd "$(dirname "$client")" && "${run[@]}" "$client" "$1" "$2" "$3") >"$work/client$i.log" 2>&1 &
    pids+=($!)
  done
  for i in $(seq $clients); do
    status=0
    wait "${pids[$((i - 1))]}" || status=$?
    if [ $status -ne 0 ]; then
      echo "client $i ended with exit status $status"; bad=1
    elif ! tr -d '\r' <"$work/client$i.log" | tail -n 1 | grep -qx "lock stress client: $2 calls done"; then
      echo "client $i did not finish its $2 calls"; bad=1
    fi
  done
  [ $bad -eq 0 ] || cat "$work"/client*.log
  return $bad
}

# 1. Through the driver: the lock keeps every exchange whole.
start_sim "$work/driver.trace"
run_clients driver "$queries" dev9 || fail "a driver client failed"
stop_sim
read -r exchanges interleavings < <(awk -f "$here/count-interleavings.awk" "$work/driver.trace")
echo "driver: $exchanges exchanges from $clients processes, $interleavings broken into"
[ "$exchanges" -eq $((clients * queries)) ] || fail "expected $((clients * queries)) exchanges in the trace"
[ "$interleavings" -eq 0 ] || fail "exchanges through the driver were broken into"

# 2. Without the lock the same trace shows interleaving.
start_sim "$work/raw.trace"
run_clients raw 200 GPIB0::9::INSTR || fail "a raw VISA client failed"
stop_sim
read -r exchanges interleavings < <(awk -f "$here/count-interleavings.awk" "$work/raw.trace")
echo "raw VISA: $exchanges exchanges from $clients processes, $interleavings broken into"
[ "$interleavings" -gt 0 ] || fail "raw VISA clients showed no interleaving: the check cannot see any"

[ $failures -eq 0 ] || exit 1
echo "lock stress: all checks passed"
