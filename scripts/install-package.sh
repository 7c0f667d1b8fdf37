#!/usr/bin/env bash
# Installs the driver package into a Wine prefix the way a test PC gets it:
# Setup.exe /S from the package folder. Prints the installer's lines and exits
# with its code (0 success, 1 a failed registration, 2 an invalid list, 3 no
# VISA library, 5 a file not copied).
#   install-package.sh PREFIX win32|win64 [PACKAGE_DIR] [VISA_DIR]
# PACKAGE_DIR defaults to build/<arch>/package/Zew4400. VISA_DIR is a folder
# with a VISA32.DLL (the stand-in in build/<arch>/bin) for a prefix without a
# VISA library: it is copied into the prefix's system folder, where a real
# VISA library lives and the only place the installer's VISA check looks, and
# stays there for the installed driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$1 arch=$2
package=${3:-$root/build/$arch/package/Zew4400}
visa_dir=${4:-}
[ -f "$package/Setup.exe" ] || { echo "install-package: no Setup.exe in $package" >&2; exit 2; }
package=$(cd "$package" && pwd)

run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
"${run[@]}" --init
if [ -n "$visa_dir" ]; then
  [ -f "$visa_dir/VISA32.DLL" ] || { echo "install-package: no VISA32.DLL in $visa_dir" >&2; exit 2; }
  # The prefixes are of one architecture (WINEARCH), so system32 is the system
  # folder of its programs.
  cp "$visa_dir/VISA32.DLL" "$prefix/drive_c/windows/system32/VISA32.DLL"
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
(cd "$package" && "${run[@]}" "$package/Setup.exe" /S "/LOG=Z:$(echo "$log" | tr / '\\')") || status=$?
tr -d '\r' <"$log"
exit $status
