# Sourced by the scripts that run in a Wine prefix of their own, made afresh
# and removed when they end: tests that put libraries into the system folder
# or write the registry, which the prefix the other tests share must never see.
#   fresh_prefix NAME win32|win64 PREFIX
# Sets run (wine-run for that prefix), stops and removes what an earlier run
# left, and removes the prefix on exit (fresh_prefix_remove, for scripts that
# set an exit trap of their own). Where the architecture cannot run on this
# machine it says so and exits with status 77 (a skip).
zew_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$zew_scripts/wine-arch.sh"

fresh_prefix() {
  if zew_wine_unsupported "$2"; then
    echo "$1: $2: not run: $ZEW_NO32_REASON"
    exit $ZEW_SKIP_STATUS
  fi
  zew_fresh_prefix=$3
  run=("$zew_scripts/wine-run" --prefix "$3" --arch "$2")
  "${run[@]}" --shutdown
  rm -rf "$3"
  trap fresh_prefix_remove EXIT
}

fresh_prefix_remove() {
  "${run[@]}" --shutdown 2>/dev/null || true
  rm -rf "$zew_fresh_prefix" "$zew_fresh_prefix.lock"
}
