#!/usr/bin/env python3
"""Checks that the driver's folders are layers: every quoted #include of a
production file resolves to its own folder or to a folder it may use, so the
arrows between folders point down only. Prints each include that breaks the
rule and exits 1 if there is one.
    layers-test.py DRIVER_DIR"""
import os
import re
import sys

# Each folder with the folders it may include from (besides its own). Files
# found on the include path rather than beside the includer (the generated
# Zew4400Lib.h, the VISA types) are not the driver's folders and are not judged.
ALLOWED = {
    "com": set(),
    "parsers": set(),
    "testrun": set(),
    "session": {"com", "parsers"},
    "ui": {"com", "session"},
    "objects": {"com", "parsers", "session", "testrun", "ui"},
    "server": {"com", "objects", "session", "ui"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(driver, path):
    rel = os.path.relpath(path, driver)
    return rel.split(os.sep)[0] if not rel.startswith("..") else None


def main():
    driver = os.path.abspath(sys.argv[1])
    faults = []
    for layer, allowed in ALLOWED.items():
        top = os.path.join(driver, layer)
        for base, _, files in os.walk(top):
            for name in files:
                if not name.endswith((".h", ".cpp", ".rc")):
                    continue
                path = os.path.join(base, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    text = f.read()
                for included in INCLUDE.findall(text):
                    target = os.path.normpath(os.path.join(base, included))
                    if not os.path.exists(target):
                        continue
                    to = folder_of(driver, target)
                    if to != layer and to not in allowed:
                        faults.append(f"{os.path.relpath(path, driver)}: #include \"{included}\" "
                                      f"reaches {to or 'outside the driver'}")
    for fault in faults:
        print(fault)
    if not faults:
        print(f"{len(ALLOWED)} layers, every include points down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
