#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for SECONDS each (default
# 60), or for N inputs each with --runs N, growing its corpus in build/fuzz/fuzz/corpus/<name>. A crash, a leak or
# a broken contract stops that target and leaves the input beside the corpus
# as build/fuzz/fuzz/<name>-crash-*; keep it in fuzz/corpus/<name>/ as a
# regression input once fixed.
#   scripts/fuzz.sh [SECONDS | --runs N] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time=60)
if [ "${1:-}" = --runs ]; then
  [[ "${2:-}" =~ ^[0-9]+$ ]] || { echo "fuzz: --runs needs a number of inputs"; exit 2; }
  limit=(-runs="$2"); shift 2
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  limit=(-max_total_time="$1"); shift
fi
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
  started=$SECONDS
  if build/fuzz/bin/fuzz_"$name" "${limit[@]}" -max_len=4096 -print_final_stats=1 \
       -artifact_prefix="$out/$name-" "$out/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
    echo "$name: ${runs:-?} inputs in $((SECONDS - started)) s, nothing found"
  else
    echo "$name: FOUND a fault; see $log"
    status=1
  fi
done
exit $status
