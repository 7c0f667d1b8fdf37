# Sourced by the scripts that start Wine: which loader runs each Windows
# architecture, and whether this machine can start it at all.
#
# Some of our machines run no 32-bit Linux programs (the kernel's 32-bit
# emulation is off): Wine's 32-bit loader then fails with "Exec format error"
# and no 32-bit Windows program can run there. Such a machine still builds the
# win32 preset; only running its programs is impossible.
#
# ZEW_WINE32_LOADER and ZEW_WINE64_LOADER name other loaders; the harness
# tests use them to play a machine without 32-bit support.

# The exit status of a test that could not start because its architecture
# cannot run here; CTest reports it as skipped.
ZEW_SKIP_STATUS=77

zew_wine_loader() {
  case "$1" in
    win32) echo "${ZEW_WINE32_LOADER:-/usr/lib/wine/wine}" ;;
    win64) echo "${ZEW_WINE64_LOADER:-/usr/lib/wine/wine64}" ;;
    *) echo "unknown Windows architecture '$1'" >&2; return 2 ;;
  esac
}

# Succeeds when the loader of the architecture starts and answers.
zew_wine_runs() {
  local loader
  loader=$(zew_wine_loader "$1") || return 2
  "$loader" --version >/dev/null 2>&1
}

# Succeeds when the architecture's programs cannot run here for want of 32-bit
# support, the one reason to skip rather than fail. A 64-bit loader that does
# not start is a broken set-up, never a skip.
zew_wine_unsupported() {
  [ "$1" = win32 ] && ! zew_wine_runs win32
}

ZEW_NO32_REASON="this machine cannot run 32-bit programs"
