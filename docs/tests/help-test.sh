#!/usr/bin/env bash
# The help build: the built ZEW4400.CHM's own table of contents lists every
# interface of the type library and every member of each; the build fails on
# an undocumented member, on a topic for a member that does not exist and on
# a link to nothing.
#   help-test.sh SOURCE_DIR BUILT_CHM CHMCMD
set -uo pipefail
root=$1 chm=$2 chmcmd=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

idl=$root/driver/idl/Zew4400.idl
build() {  # build SOURCE IDL OUT
  python3 "$root/docs/help/build-help.py" --idl "$2" --messages "$root/driver/session/Messages.h" \
    --strings "$root/driver/session/Messages.rc" --source "$1" --out "$3" --chmcmd "$chmcmd"
}

# The contents as the help viewer reads them: taken out of the CHM itself.
extract_chmLib "$chm" "$work/chm" >/dev/null || fail "extract_chmLib could not read $chm"
toc=$work/chm/ZEW4400.hhc
[ -s "$toc" ] || fail "the CHM has no table of contents"
# Every interface with members, and each member, read from the IDL directly.
interfaces=$(awk '/^(interface|dispinterface) [A-Za-z_0-9]+/ { name = $2 }
                  name && /^[[:space:]]+(HRESULT|void) [A-Za-z_0-9]+\(/ {
                    m = $2; sub(/\(.*/, "", m); print name "." m }
                  /^};/ { name = "" }' "$idl" | sort -u)
[ "$(wc -l <<<"$interfaces")" -gt 60 ] || fail "could not read the members from the IDL"
for pair in $interfaces; do
  interface=${pair%%.*} member=${pair#*.}
  grep -q "value=\"$interface.htm\"" "$toc" || fail "the contents do not list $interface"
  grep -q "value=\"$interface.htm#$member\"" "$toc" || fail "the contents do not list $interface.$member"
  grep -q "<a name=\"$member\">" "$work/chm/$interface.htm" 2>/dev/null || fail "$interface.htm has no topic $member"
done
for page in General Auto errors classes; do
  [ -f "$work/chm/$page.htm" ] || fail "the CHM has no $page.htm"
done
grep -q "1232</td><td>Instrument not initialized in device &lt;device&gt;." "$work/chm/errors.htm" ||
  fail "the error table lacks message 1232"

# An undocumented member fails the build and is named.
awk '{ print }
     previous ~ /^interface IRegister / && /^\{$/ { print "    [id(99), helpstring(\"New\")]"; print "    HRESULT Undocumented();" }
     { previous = $0 }' "$idl" >"$work/extra.idl"
grep -q Undocumented "$work/extra.idl" || fail "could not add a member to the IDL copy"
out=$(build "$root/docs/help" "$work/extra.idl" "$work/out1" 2>&1) && fail "an undocumented member built"
grep -q "no topic for IRegister.Undocumented" <<<"$out" || fail "the undocumented member was not named: $out"

# A topic for a member the interface does not have, and a link to nothing.
cp -r "$root/docs/help" "$work/stale"
printf '\n## Retired\nGone.\n' >>"$work/stale/reference/IStep.md"
out=$(build "$work/stale" "$idl" "$work/out2" 2>&1) && fail "a stale topic built"
grep -q "IStep does not have: Retired" <<<"$out" || fail "the stale topic was not named: $out"
cp -r "$root/docs/help" "$work/broken"
printf '\nSee [nothing](no-such-page.md) and [IStep.Gone](IStep.md#Gone).\n' >>"$work/broken/index.md"
out=$(build "$work/broken" "$idl" "$work/out3" 2>&1) && fail "a link to nothing built"
grep -q "index.htm: link to no-such-page.htm" <<<"$out" || fail "the broken link was not named: $out"
grep -q "index.htm: link to IStep.htm#Gone" <<<"$out" || fail "the broken anchor was not named: $out"

# chmcmd says "Can't find" and exits 0: the build must not.
printf '#!/bin/sh\necho "Can'"'"'t find project file"\n' >"$work/fake-chmcmd"; chmod +x "$work/fake-chmcmd"
out=$(chmcmd=$work/fake-chmcmd build "$root/docs/help" "$idl" "$work/out4" 2>&1) && fail "a failed compile passed"

[ "$failures" -eq 0 ] && echo "help: every check passed" || exit 1
