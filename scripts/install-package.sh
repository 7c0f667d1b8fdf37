#!/usr/bin/env bash
# Installs the driver package into a Wine prefix the way a test PC gets it:
# Setup.exe /S from the package folder. Prints the installer's lines and exits
# with its code (0 success, 1 a failed registration, 2 an invalid list, 3 no
# VISA library, 5 a file not copied).
#   install-package.sh PREFIX win32|win64 [PACKAGE_DIR] [VISA_DIR]
# PACKAGE_DIR defaults to build/<arch>/package/Zew4400. VISA_DIR is a build's
# bin folder (build/<arch>/bin) for a prefix without a VISA library: its
# stand-in is installed in the prefix's system folder (scripts/visa-prefix.sh),
# where a real VISA library lives and the only place the installer's VISA
# check looks, and stays there for the installed driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$1 arch=$2
package=${3:-$root/build/$arch/package/Zew4400}
visa_dir=${4:-}
[ -f "$package/Setup.exe" ] || { echo "install-package: no Setup.exe in $package" >&2; exit 2; }
package=$(cd "$package" && pwd)

run=("$root/scripts/wine-run" --prefix "$prefix" --arch "$arch")
"${run[@]}" --init
[ -z "$visa_dir" ] || "$root/scripts/visa-prefix.sh" "$prefix" "$arch" "$visa_dir"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
(cd "$package" && "${run[@]}" "$package/Setup.exe" /S "/LOG=Z:$(echo "$log" | tr / '\\')") || status=$?
tr -d '\r' <"$log"
# The last line proves the installer got to its end: under Wine a process
# ended from outside exits with status 0.
if [ $status -eq 0 ] && ! tr -d '\r' <"$log" | grep -qx 'Setup complete !'; then
  echo "install-package: Setup.exe exited with status 0 without \"Setup complete !\"" >&2
  status=1
fi
exit $status
