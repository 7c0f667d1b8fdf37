#!/usr/bin/env python3
"""Zips a folder so that the archive's bytes depend on the files alone.

    make-zip.py ZIP FOLDER

The entries are FOLDER's name followed by every folder and file below it, in
sorted order, with one date for all: SOURCE_DATE_EPOCH (the build runs this
through cmake/with-source-date.sh, which sets it from the last commit).
Permissions, owners and the files' own times are not stored.
"""
import argparse
import os
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC, the earliest date a zip holds


def entries(folder):
    """(archive name, path or None for a folder) of FOLDER and all below it, sorted."""
    base = os.path.basename(os.path.normpath(folder))
    found = [(base + "/", None)]
    for directory, subdirs, files in os.walk(folder):
        relative = os.path.relpath(directory, folder)
        prefix = base + "/" if relative == "." else base + "/" + relative.replace(os.sep, "/") + "/"
        found += [(prefix + d + "/", None) for d in subdirs]
        found += [(prefix + f, os.path.join(directory, f)) for f in files]
    return sorted(found)


def write_zip(zip_path, folder, epoch):
    date = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    temporary = zip_path + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, path in entries(folder):
            info = zipfile.ZipInfo(name, date_time=date)
            info.create_system = 0  # MS-DOS attributes: nothing of this machine's users
            if path is None:
                info.external_attr = 0x10  # a folder
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read(), compresslevel=9)
    os.replace(temporary, zip_path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("zip")
    parser.add_argument("folder")
    args = parser.parse_args()
    if not os.path.isdir(args.folder):
        sys.exit(f"make-zip: no folder {args.folder}")
    try:
        epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    except (KeyError, ValueError):
        sys.exit("make-zip: SOURCE_DATE_EPOCH must give the entries' date in seconds since 1970")
    write_zip(args.zip, args.folder, epoch)


if __name__ == "__main__":
    main()
