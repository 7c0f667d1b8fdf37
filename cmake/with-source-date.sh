#!/usr/bin/env bash
# Runs a build step with SOURCE_DATE_EPOCH set to the time of the source
# tree's last commit, so that whatever dates it writes are the same in every
# build of that commit. An epoch already in the environment is kept; a tree
# without history gives 1980-01-01, the earliest date a zip can hold.
#   with-source-date.sh [--frozen-clock] SOURCE_TREE COMMAND [ARGS...]
# --frozen-clock: the command also reads that moment (in UTC) as the current
# time, through libfaketime, for tools that stamp their output with the time
# they ran.
set -euo pipefail
frozen=
if [ "${1:-}" = --frozen-clock ]; then
  frozen=1
  shift
fi
source_tree=$1
shift
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$source_tree" log -1 --format=%ct 2>/dev/null || true)
  [ -n "$SOURCE_DATE_EPOCH" ] || SOURCE_DATE_EPOCH=315532800
fi
export SOURCE_DATE_EPOCH
if [ -n "$frozen" ]; then
  export TZ=UTC
  exec faketime -f "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" "$@"
fi
exec "$@"
