#!/usr/bin/env bash
# Tests of a Windows Installer package of the driver, each in fresh Wine
# prefixes of its own.
#   msi-test.sh install|both|lifecycle win32|win64 MSI PREFIX ROWS PACKAGE32 [PACKAGE64]
# install    msiexec /i ... /qn; a VBScript client runs a test on SIM to its
#            verdict; the registry rows match what regsvr32 writes for the same
#            files in another fresh prefix (win64: the 64-bit driver's view,
#            the rows the 64-bit regsvr32 writes)
# both       (x64 package) a 32-bit and a 64-bit client both create the
#            object; the rows match regsvr32 of both drivers, both views
# lifecycle  an older package (made here, same files, a lower version), then
#            this one: one product, the newer; repair brings a deleted driver
#            back; msiexec /x leaves what was there before the install
# ROWS, PACKAGE32 and PACKAGE64 are make-msi.py's inputs, for the older package.
# Where 32-bit programs cannot run, the tests that need them say so and exit 77.
set -euo pipefail
mode=$1 arch=$2 msi=$3 prefix=$4 rows=$5 package32=$6 package64=${7:-}
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$root/scripts/fresh-prefix.sh"
registry=(python3 "$here/msi-registry.py")
name="msi-test $mode"

[ -f "$msi" ] || { echo "$name: no package $msi"; exit 1; }
if [ "$mode" = both ] && zew_wine_unsupported win32; then
  echo "$name: win32 clients: not run: $ZEW_NO32_REASON"
  exit $ZEW_SKIP_STATUS
fi
fresh_prefix "$name" "$arch" "$prefix"
other=$prefix-regsvr32
other_run=("$root/scripts/wine-run" --prefix "$other" --arch "$arch")
work=$(mktemp -d)
cleanup() {
  fresh_prefix_remove
  "${other_run[@]}" --shutdown 2>/dev/null || true
  rm -rf "$other" "$other.lock" "$work"
}
trap cleanup EXIT

winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
settle() { WINEPREFIX=$1 /usr/lib/wine/wineserver -w; }
fail() { echo "$name: FAILED: $*"; exit 1; }

# The shared folders: the native one first, then (win64) the 32-bit one.
native_shared="$prefix/drive_c/Program Files/Common Files/Orvanta Shared"
shared_folders=("$native_shared")
syswow=
if [ "$arch" = win64 ]; then
  shared32="$prefix/drive_c/Program Files (x86)/Common Files/Orvanta Shared"
  shared_folders+=("$shared32")
  syswow='C:\windows\syswow64\'
fi
files="$prefix/drive_c/Program Files/Orvanta/ZEW4400 Driver"

# msiexec with a verbose log; believed only when the log ends the action as
# Windows Installer does on success (a killed msiexec exits 0 under Wine).
msiexec() {
  local action=$1 log=$work/msiexec-$RANDOM.log
  shift
  "${run[@]}" msiexec "$@" /qn /l*v "$(winpath "$log")" || fail "msiexec $* exited $?"
  grep -aq "Action ended .*: $action\. Return value 1\." "$log" || {
    tail -n 20 "$log"
    fail "msiexec $*: the log does not end $action with success"
  }
}

our_rows() {  # PREFIX: our registry rows, the type libraries of the install
  settle "$1"
  local tlbs=()
  for folder in "${shared_folders[@]}"; do
    [ -f "$folder/ZEW4400.TLB" ] && tlbs+=("$folder/ZEW4400.TLB")
  done
  "${registry[@]}" ours "$1" "${tlbs[@]}"
}

# The rows regsvr32 writes for the package's files: the installed folders
# copied into another fresh prefix, each driver registered with the regsvr32
# of its architecture (DLLS: 64, 32 or both). The 64-bit driver registers last,
# so the shared TypeLib key's HELPDIR is its folder, as in the package.
regsvr32_rows() {
  local dlls=$1
  "${other_run[@]}" --shutdown
  rm -rf "$other"
  "${other_run[@]}" --init
  local base=${prefix%/}
  for folder in "${shared_folders[@]}"; do
    [ -d "$folder" ] || continue
    local target="$other${folder#"$base"}"
    mkdir -p "$(dirname "$target")"
    cp -r "$folder" "$target"
  done
  if [[ $dlls == *32* ]]; then
    local ocx='C:\Program Files\Common Files\Orvanta Shared\ZEW4400.OCX'
    [ "$arch" = win64 ] && ocx='C:\Program Files (x86)\Common Files\Orvanta Shared\ZEW4400.OCX'
    "${other_run[@]}" "${syswow}regsvr32.exe" /s "$ocx" || fail "32-bit regsvr32 exited $?"
  fi
  if [[ $dlls == *64* ]]; then
    "${other_run[@]}" regsvr32 /s 'C:\Program Files\Common Files\Orvanta Shared\ZEW4400.OCX' ||
      fail "64-bit regsvr32 exited $?"
  fi
  our_rows "$other"
}

# The package's rows against regsvr32's, value for value, but for two forms:
# a Windows Installer folder (HELPDIR) ends in a backslash, and Wine's
# RegisterTypeLib writes the FLAGS of the library as loaded, with
# LIBFLAG_FHASDISKIMAGE (8), which Windows leaves out and the package too.
compare_rows() {  # PACKAGE_ROWS REGSVR32_ROWS
  sed -E 's/^([^\t]*\tTYPELIB\\[^\t]*\\HELPDIR\t\t.*)\\$/\1/' "$1" >"$1.cmp"
  [ -s "$2" ] || fail "regsvr32 wrote none of our rows"
  awk -F'\t' -v OFS='\t' '$2 ~ /^TYPELIB\\.*\\FLAGS$/ && $4 ~ /^[0-9]+$/ { if (int($4 / 8) % 2) $4 -= 8 } { print }' \
    "$2" >"$2.cmp"
  if ! diff -u "$2.cmp" "$1.cmp" >"$work/rows.diff"; then
    cat "$work/rows.diff"
    fail "the package's registry rows differ from regsvr32's (- regsvr32, + package)"
  fi
  echo "$name: $(wc -l <"$2") registry rows as regsvr32 writes them"
}

run_test_script() {  # CSCRIPT: RunTest.vbs from the installed examples on SIM
  local out
  out=$("${run[@]}" "$1" //nologo 'C:\Program Files\Orvanta\ZEW4400 Driver\Examples\vbscript\RunTest.vbs' SIM |
        tr -d '\r' || true)
  grep -q '^Verdict: PASS$' <<<"$out" && [[ $(tail -n 1 <<<"$out") == "Error:   GetString after Disconnect:"* ]] || {
    echo "$out"
    fail "RunTest.vbs on SIM did not run to its verdict and its end"
  }
  echo "$name: $1 ran a test on SIM: $(grep '^Verdict' <<<"$out")"
}

create_object() {  # CSCRIPT LABEL
  local script=$work/create.vbs out
  printf 'Set o = CreateObject("Zew4400.Zew4400")\r\nWScript.Echo "created " & TypeName(o)\r\n' >"$script"
  out=$("${run[@]}" "$1" //nologo "$(winpath "$script")" | tr -d '\r' || true)
  [ "$out" = "created IZew4400" ] || fail "the $2 client printed: $out"
  echo "$name: the $2 client created the object"
}

product_entries() {  # our entries among the installed programs: name, version, publisher, help
  settle "$prefix"
  "${registry[@]}" snapshot "$prefix" |
    awk -F'\t' '$1 == "system.reg" && $2 ~ /^Software\\(Wow6432Node\\)?Microsoft\\Windows\\CurrentVersion\\Uninstall\\/ &&
                ($3 == "DisplayName" || $3 == "DisplayVersion" || $3 == "Publisher" || $3 == "HelpLink") { print $2 "\t" $3 "\t" $4 }' |
    awk -F'\t' '{ v[$1, $2] = $3; k[$1] = 1 } END { for (key in k) if (v[key, "DisplayName"] == "ZEW4400 Driver")
                 print v[key, "DisplayVersion"] "\t" v[key, "Publisher"] "\t" v[key, "HelpLink"] }'
}

case "$mode" in
  install)
    msiexec INSTALL /i "$(winpath "$msi")"
    for file in ZEW4400.OCX ZEW4400.CHM ZEW4400.TLB; do
      [ -f "$native_shared/$file" ] || fail "$file is not in the shared folder"
      [ "$arch" = win32 ] || [ -f "$shared32/$file" ] || fail "$file is not in the 32-bit shared folder"
    done
    [ -f "$files/SDK/Zew4400Lib.h" ] || fail "the SDK is not in $files"
    cscript=cscript
    run_test_script "$cscript"
    our_rows "$prefix" >"$work/package.rows"
    if [ "$arch" = win64 ]; then
      # The 64-bit regsvr32 writes the 64-bit view and the type library's
      # win64 path; the 32-bit driver's part is the "both" test's.
      regsvr32_rows 64 >"$work/regsvr32.rows"
      grep -vP '^32\t(CLSID|ZEW4400)|\\409\\WIN32\t' "$work/package.rows" >"$work/package64.rows" || true
      mv "$work/package64.rows" "$work/package.rows"
    else
      regsvr32_rows 32 >"$work/regsvr32.rows"
    fi
    compare_rows "$work/package.rows" "$work/regsvr32.rows"
    ;;
  both)
    [ "$arch" = win64 ] || fail "the both test is for the x64 package"
    msiexec INSTALL /i "$(winpath "$msi")"
    create_object cscript 64-bit
    create_object 'C:\windows\syswow64\cscript.exe' 32-bit
    our_rows "$prefix" >"$work/package.rows"
    regsvr32_rows 64+32 >"$work/regsvr32.rows"
    compare_rows "$work/package.rows" "$work/regsvr32.rows"
    ;;
  lifecycle)
    # The script host registers its own type library when it first runs:
    # it runs once before the prefix is taken as it was before the install.
    printf 'WScript.Echo "ran"\r\n' >"$work/empty.vbs"
    [ "$("${run[@]}" cscript //nologo "$(winpath "$work/empty.vbs")" | tr -d '\r')" = ran ] ||
      fail "the script host does not run"
    settle "$prefix"
    "${registry[@]}" snapshot "$prefix" >"$work/before"
    version=$(basename "$msi" | sed -E 's/^Zew4400-([0-9.]+)-(x86|x64)\.msi$/\1/')
    msi_arch=$(basename "$msi" | sed -E 's/^.*-(x86|x64)\.msi$/\1/')
    IFS=. read -r major minor patch build <<<"$version"
    # The older version differs in the fourth field alone where it can: the
    # field Windows Installer itself would ignore.
    if [ "$build" -gt 0 ]; then older=$major.$minor.$patch.$((build - 1)); else older=$major.$((minor - 1)).$patch.$build; fi
    packages=(--package32 "$package32")
    [ -z "$package64" ] || packages+=(--package64 "$package64")
    python3 "$root/setup/msi/make-msi.py" --arch "$msi_arch" --version "$older" --rows "$rows" "${packages[@]}" \
      --out "$work/Zew4400-$older-$msi_arch.msi" >/dev/null
    msiexec INSTALL /i "$(winpath "$work/Zew4400-$older-$msi_arch.msi")"
    [ "$(product_entries | cut -f1)" != "" ] || fail "the older version is not among the installed programs"
    msiexec INSTALL /i "$(winpath "$msi")"
    entries=$(product_entries)
    [ "$(wc -l <<<"$entries")" = 1 ] || fail "after the upgrade the installed programs hold: $entries"
    new_version=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" { print $2 }')
    IFS=$'\t' read -r shown publisher help <<<"$entries"
    [ "$shown" = "$new_version" ] || fail "the installed program is version $shown, not $new_version"
    [ "$publisher" = Orvanta ] || fail "the installed program's publisher is $publisher"
    [[ $help == *'\Orvanta Shared\ZEW4400.CHM' ]] || fail "the installed program's help is $help"
    echo "$name: $older then $version: one product, $shown, publisher $publisher, help $help"

    rm "$native_shared/ZEW4400.OCX"
    msiexec INSTALL /i "$(winpath "$msi")" REINSTALL=ALL REINSTALLMODE=vomus
    cmp -s "$native_shared/ZEW4400.OCX" "${package64:-$package32}/ZEW4400.OCX" ||
      fail "the repair did not bring the driver back"
    create_object cscript "$([ "$arch" = win64 ] && echo 64-bit || echo 32-bit) (after the repair)"

    msiexec INSTALL /x "$(winpath "$msi")"
    settle "$prefix"
    "${registry[@]}" snapshot "$prefix" >"$work/after"
    # What Windows Installer keeps of its own (its folder and its lists,
    # empty again), and the hardware Wine enumerates at every start, are not
    # ours.
    LC_ALL=C comm -13 "$work/before" "$work/after" |
      grep -vP '^file\twindows/Installer$|^system\.reg\tSoftware\\Classes\\Installer\\(Features|Products|UpgradeCodes)$' |
      grep -vP '^system\.reg\tSoftware\\(Wow6432Node\\)?Microsoft\\Windows\\CurrentVersion\\(Uninstall|Installer\\(UpgradeCodes|UserData\\S-1-5-18\\(Components|Products)))$' |
      grep -vP '^system\.reg\tSystem\\CurrentControlSet\\' >"$work/left" || true
    if [ -s "$work/left" ]; then
      head -n 40 "$work/left"
      fail "msiexec /x left $(wc -l <"$work/left") files, keys or values that were not there before"
    fi
    echo "$name: msiexec /x left nothing of ours"
    ;;
  *) echo "msi-test: unknown test $mode" >&2; exit 2 ;;
esac
echo "$name: passed"
