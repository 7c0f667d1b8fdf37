#!/usr/bin/env bash
# The layers test on a copy of the tree: it passes as the tree stands, and
# fails, naming the include, once an upward include is planted, whether quoted
# or in angle brackets, within a top-level folder or across two.
#   layers-planted-test.sh SOURCE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
check="$src/scripts/tests/layers-test.py"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
(cd "$src" && git ls-files -z --cached --others --exclude-standard -- '*.h' '*.cpp' '*.rc' '*CMakeLists.txt' '*.cmake' |
  xargs -0 cp --parents -t "$tree")

failures=0
python3 "$check" "$tree" >/dev/null || { echo "FAILED: the tree as it stands does not pass"; failures=$((failures + 1)); }

# plant FILE LINE EXPECTED: the check must fail and print EXPECTED.
plant() {
  local file=$1 line=$2 expected=$3 out
  cp "$tree/$file" "$tree/$file.kept"
  printf '%s\n' "$line" >> "$tree/$file"
  if out=$(python3 "$check" "$tree"); then
    echo "FAILED: $line in $file passed"; failures=$((failures + 1))
  elif ! grep -qF "$expected" <<<"$out"; then
    echo "FAILED: $line in $file: expected \"$expected\", got: $out"; failures=$((failures + 1))
  else
    echo "ok: $line in $file is refused"
  fi
  mv "$tree/$file.kept" "$tree/$file"
}

plant driver/session/CodePage.cpp '#include "../objects/CZew4400.h"' 'reaches driver/objects'
plant driver/parsers/Numbers.cpp '#include "com/Bstr.h"' 'reaches driver/com'
plant visa/embedded/InputQueue.cpp '#include <StandIn.h>' 'reaches visa/src'
plant simulator/src/Programs.cpp '#include <EmbeddedSession.h>' 'reaches visa/embedded'
plant driver/session/CodePage.cpp '#include <zewsim/Instrument.h>' 'reaches simulator/include'
plant visa/embedded/InputQueue.cpp '#include "../../driver/parsers/Numbers.h"' 'reaches driver/parsers'
plant setup/engine/Texts.cpp '#include "../wizard/CWizardDlg.h"' 'reaches setup/wizard'
plant setup/wizard/CWizardDlg.cpp '#include <com/Bstr.h>' 'reaches driver/com'
exit $((failures > 0))
