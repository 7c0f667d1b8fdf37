#!/usr/bin/env python3
"""Reads a Wine prefix's registry files (after wineserver -w) for the Windows
Installer package's tests.

    msi-registry.py ours PREFIX TLB...   our keys and values under
        HKEY_CLASSES_ROOT, one line each: view, key, value name, data (or the
        key alone); the view is 32 for the 32-bit view of a 64-bit prefix, else
        native. Ours: the ProgIDs Zew4400.*, and the CLSID, Interface and
        TypeLib keys of the GUIDs the type libraries name. The install folders
        are written as <SHARED>, <SHARED32>, <FILES>, <FILES32>.
    msi-registry.py snapshot PREFIX   every key and value of the registry and
        every file and folder under drive_c, one line each, sorted
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "msi"))
from typelib_rows import TypeLibrary  # noqa: E402

HEADER = re.compile(r"^\[(.*)\](?: \d+)?$")
VALUE = re.compile(r'^(@|"(?:[^"\\]|\\.)*")=(.*)$')
CLASSES = "software\\classes\\"
FOLDERS = [("C:\\Program Files (x86)\\Common Files\\Orvanta Shared", "<SHARED32>"),
           ("C:\\Program Files\\Common Files\\Orvanta Shared", "<SHARED>"),
           ("C:\\Program Files (x86)", "<FILES32>"),
           ("C:\\Program Files", "<FILES>")]


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(m.group(1), m.group(1)), text)


def read_registry(path):
    """{key: {value name: data}} of a Wine registry file; key-only keys map
    to an empty dict. Data other than strings is kept as written."""
    keys, key = {}, None
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().replace("\\\n  ", "").splitlines()
    for line in lines:
        header = HEADER.match(line)
        if header:
            key = unescape(header.group(1))
            keys[key] = {}
            continue
        value = VALUE.match(line)
        if key is not None and value:
            name = "" if value.group(1) == "@" else unescape(value.group(1)[1:-1])
            data = value.group(2)
            keys[key][name] = unescape(data[1:-1]) if data.startswith('"') else data
    return keys


def normalise(text):
    for folder, token in FOLDERS:
        text = re.sub(re.escape(folder), token, text, flags=re.I)
    return text


def ours(prefix, typelibs):
    guids = set()
    for path in typelibs:
        library = TypeLibrary(path)
        guids.add(library.libid.lower())
        guids.update(g.lower() for _, _, _, g in library.types if g)
    wow64 = os.path.isdir(os.path.join(prefix, "drive_c", "windows", "syswow64"))
    lines = []
    for key, values in read_registry(os.path.join(prefix, "system.reg")).items():
        lower = key.lower()
        if not lower.startswith(CLASSES):
            continue
        rest, view = key[len(CLASSES):], "64" if wow64 else "native"
        if rest.lower().startswith("wow6432node\\"):
            rest, view = rest[len("wow6432node\\"):], "32"
        parts = rest.split("\\")
        mine = (parts[0].lower().startswith("zew4400.")
                or (len(parts) > 1 and parts[0].lower() in ("clsid", "interface", "typelib")
                    and parts[1].lower() in guids))
        if not mine:
            continue
        # Registry keys are case-insensitive, and Wine keeps the first
        # spelling it saw ("Typelib"): keys compare in upper case.
        rest = rest.upper()
        if not values:
            lines.append(f"{view}\t{rest}")
        for name, data in values.items():
            lines.append(f"{view}\t{rest}\t{name}\t{normalise(data)}")
    return sorted(lines)


def snapshot(prefix):
    lines = []
    for name in ("system.reg", "user.reg", "userdef.reg"):
        path = os.path.join(prefix, name)
        if not os.path.exists(path):
            continue
        for key, values in read_registry(path).items():
            lines.append(f"{name}\t{key}")
            lines += [f"{name}\t{key}\t{value}\t{data}" for value, data in values.items()]
    drive = os.path.join(prefix, "drive_c")
    for base, folders, files in os.walk(drive):
        for entry in folders + files:
            lines.append("file\t" + os.path.relpath(os.path.join(base, entry), drive))
    return sorted(lines)


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "ours":
        print("\n".join(ours(sys.argv[2], sys.argv[3:])))
    elif len(sys.argv) == 3 and sys.argv[1] == "snapshot":
        print("\n".join(snapshot(sys.argv[2])))
    else:
        print(__doc__, file=sys.stderr)
        sys.exit(2)


if __name__ == "__main__":
    main()
