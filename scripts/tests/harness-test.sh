#!/usr/bin/env bash
# The test command on a machine that cannot run 32-bit programs, and on one
# whose 32-bit loader starts but whose win32 tests fail: the first still builds
# win32, counts its tests as skipped and passes; the second fails and skips
# nothing. The 32-bit loader is replaced through ZEW_WINE32_LOADER.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
source scripts/wine-arch.sh

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Loaders: none at all; an i386-like binary this kernel refuses; one that
# answers --version but cannot run a single program (every run ends with the
# skip status, the worst case for telling a failure from a skip).
missing=$work/missing
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000' >"$work/refused"
chmod +x "$work/refused"
cat >"$work/broken" <<'LOADER'
#!/bin/sh
case "$1" in
  --version) echo wine-8.0; exit 0 ;;
  wineboot) mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/system.reg"; exit 0 ;;
  *) exit 77 ;;
esac
LOADER
chmod +x "$work/broken"

check "no 32-bit loader: unsupported" env ZEW_WINE32_LOADER="$missing" bash -c 'source scripts/wine-arch.sh; zew_wine_unsupported win32'
check "refused 32-bit loader: unsupported" env ZEW_WINE32_LOADER="$work/refused" bash -c 'source scripts/wine-arch.sh; zew_wine_unsupported win32'
check "answering 32-bit loader: supported" env ZEW_WINE32_LOADER="$work/broken" bash -c 'source scripts/wine-arch.sh; ! zew_wine_unsupported win32'
check "a missing 64-bit loader is never a skip" env ZEW_WINE64_LOADER="$missing" bash -c 'source scripts/wine-arch.sh; ! zew_wine_unsupported win64'

total=$(ctest --preset win32 -N 2>/dev/null | sed -nE 's/^Total Tests: ([0-9]+)$/\1/p')
check "the win32 preset has tests (build it first)" test "${total:-0}" -gt 0

# No 32-bit support: built, skipped, green.
out=$(ZEW_WINE32_LOADER=$missing bash scripts/test.sh win32 2>&1); rc=$?
check "without 32-bit support the test command succeeds" test $rc -eq 0
check "it says plainly why win32 did not run" \
  grep -qx "win32: built; tests not run: $ZEW_NO32_REASON" <<<"$out"
check "it counts every win32 test as skipped" \
  test "$(tail -n 1 <<<"$out")" = "total: 0 passed, 0 failed, $total skipped"
[ $failures -eq 0 ] || echo "$out"

# The same seen by ctest alone: every test skipped, none failed.
out=$(ZEW_WINE32_LOADER=$missing ctest --preset win32 2>&1); rc=$?
check "ctest alone succeeds without 32-bit support" test $rc -eq 0
check "ctest alone skips every win32 test" \
  test "$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' <<<"$out")" -eq "$total"

# A loader that starts but runs nothing: failures, never skips. It makes sham
# prefixes where none are, which must not outlive the check.
prefixes_before=$(ls -d "$root"/build/win32/*prefix 2>/dev/null || true)
out=$(ZEW_WINE32_LOADER=$work/broken bash scripts/test.sh win32 2>&1); rc=$?
for prefix in "$root"/build/win32/*prefix; do
  [ -e "$prefix" ] || continue
  grep -qxF -- "$prefix" <<<"$prefixes_before" || rm -rf "$prefix" "$prefix.lock"
done
check "a broken 32-bit run fails the test command" test $rc -ne 0
check "a broken 32-bit run counts failures and no skips" \
  grep -qxE 'total: [0-9]+ passed, [1-9][0-9]* failed, 0 skipped' <<<"$(tail -n 1 <<<"$out")"
[ $failures -eq 0 ] || echo "$out"

# A test program stopped part-way fails; the same program let finish passes.
# Under Wine a process whose wineserver is stopped exits with status 0, so
# only the proof that it got to its end tells the two apart. win64 runs on
# every machine.
waiter=$root/build/win64/bin/zew-harness-waiter.exe
check "the win64 preset has the waiter program (build it first)" test -f "$waiter"
if [ -f "$waiter" ]; then
  mkdir -p "$work/ctest" "$work/files"
  cat >"$work/ctest/CTestTestfile.cmake" <<TESTS
add_test(waiter "$root/scripts/wine-run" --prefix "$work/prefix" --arch win64 --gtest "$waiter")
set_tests_properties(waiter PROPERTIES ENVIRONMENT "ZEW_HARNESS_DIR=Z:$work/files" TIMEOUT 300)
TESTS
  server() { WINEPREFIX=$work/prefix /usr/lib/wine/wineserver "$@"; }
  trap 'server -k 2>/dev/null; rm -rf "$work"' EXIT
  "$root/scripts/wine-run" --prefix "$work/prefix" --arch win64 --init
  run_waiter() {  # run_waiter stop|finish: ctest's exit status
    local pid rc=0
    rm -f "$work/files/waiting" "$work/files/go"
    (cd "$work/ctest" && ctest --output-on-failure >"$work/ctest.log" 2>&1) &
    pid=$!
    for _ in $(seq 1200); do [ -e "$work/files/waiting" ] && break; sleep 0.1; done
    if [ ! -e "$work/files/waiting" ]; then
      echo "the waiter never started"; kill $pid; wait $pid; return 2
    fi
    if [ "$1" = stop ]; then server -k; else touch "$work/files/go"; fi
    wait $pid || rc=$?
    return $rc
  }
  run_waiter stop; rc=$?
  check "a test program whose Wine is stopped while it waits fails" test $rc -eq 8
  check "ctest reports it failed" grep -qE '^ *1/1 Test +#1: waiter .*Failed' "$work/ctest.log"
  [ $failures -eq 0 ] || cat "$work/ctest.log"
  run_waiter finish; rc=$?
  check "the same program let finish passes" test $rc -eq 0
  [ $rc -eq 0 ] || cat "$work/ctest.log"
fi

[ $failures -eq 0 ] || { echo "harness: $failures check(s) failed"; exit 1; }
echo "harness: all checks passed"
