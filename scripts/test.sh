#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the native
# suite, the 32-bit and 64-bit Windows suites under Wine, and a short run of
# every fuzz target under the sanitizers.
#   scripts/test.sh [PRESET...]     (default: native win32 win64 fuzz)
#
# Every preset is built first (the Windows TCP tests use the native zew-sim).
# Where this machine cannot run 32-bit programs the win32 preset is still built,
# warnings as errors, and its tests are counted as skipped; a failing test is
# never turned into a skip. The last line counts every test:
#   total: N passed, F failed, S skipped
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-arch.sh
bash scripts/setup.sh || { echo "test: set-up failed"; exit 1; }

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native win32 win64 fuzz)

passed=0 failed=0 skipped=0 status=0
built=()
for preset in "${presets[@]}"; do
  echo "=== $preset: build"
  if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; then
    built+=("$preset")
  else
    echo "=== $preset: build failed"
    status=1
  fi
done

for preset in "${built[@]}"; do
  if zew_wine_unsupported "$preset"; then
    n=$(ctest --preset "$preset" -N 2>/dev/null | sed -nE 's/^Total Tests: ([0-9]+)$/\1/p')
    skipped=$((skipped + ${n:-0}))
    echo "$preset: built; tests not run: $ZEW_NO32_REASON"
    continue
  fi
  echo "=== $preset: test"
  log=$(mktemp)
  # One at a time: the package tests build the package from nothing, and two
  # of them beside the window tests load two cores past what some timing of
  # the windows allows. ctest -j2 works (no test stops another's Wine).
  ctest --preset "$preset" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  # "100% tests passed, 0 tests failed out of 12"; skipped tests count among
  # the passed there and are listed as "<n> - <name> (Skipped)".
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    t=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
    s=$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$log")
    passed=$((passed + t - f - s)); failed=$((failed + f)); skipped=$((skipped + s))
  else
    echo "=== $preset: ctest gave no summary"
    status=1
  fi
  rm -f "$log"
done
echo "total: $passed passed, $failed failed, $skipped skipped"
exit $status
