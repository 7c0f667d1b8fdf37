#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for SECONDS each (default
# 60), growing its corpus in build/fuzz/fuzz/corpus/<name>. A crash, a leak or
# a broken contract stops that target and leaves the input beside the corpus
# as build/fuzz/fuzz/<name>-crash-*; keep it in fuzz/corpus/<name>/ as a
# regression input once fixed.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}; shift || true
bash scripts/setup.sh || exit 1
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null || { echo "fuzz: build failed"; exit 1; }

out=build/fuzz/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in build/fuzz/bin/fuzz_*; do targets+=("${f##*/fuzz_}"); done
fi
status=0
for name in "${targets[@]}"; do
  mkdir -p "$out/corpus/$name"
  log=$out/$name.log
  if build/fuzz/bin/fuzz_"$name" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
       -artifact_prefix="$out/$name-" "$out/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
    echo "$name: ${runs:-?} inputs, nothing found"
  else
    echo "$name: FOUND a fault; see $log"
    status=1
  fi
done
exit $status
