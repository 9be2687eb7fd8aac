#!/usr/bin/env python3
"""Packs a program folder into a zip archive that is the same, byte for byte, whenever the folder
is: entries sorted, one fixed time stamp, MS-DOS attributes (archive for files, directory for
folders), the same compression for every file.

usage: packzip.py FOLDER ARCHIVE TOP-NAME EPOCH
  every file and folder below FOLDER goes below TOP-NAME/ in ARCHIVE, dated EPOCH (seconds,
  read as UTC; zip times have no time zone and start in 1980).
"""
import os
import sys
import time
import zipfile

DOS_DIRECTORY = 0x10
DOS_ARCHIVE = 0x20
MSDOS = 0


def entry(name, stamp, attributes):
    info = zipfile.ZipInfo(name, stamp)
    info.create_system = MSDOS
    info.external_attr = attributes
    return info


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    folder, archive, top, epoch = argv[1], argv[2], argv[3], int(argv[4])
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # 1980-01-01, the first date zip knows
    names = []
    for parent, folders, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        prefix = top + "/" if relative == "." else top + "/" + relative.replace(os.sep, "/") + "/"
        names.append((prefix, None))
        names.extend((prefix + name, os.path.join(parent, name)) for name in files)
    # Sorted by the names as the archive holds them, folders before what they hold.
    names.sort(key=lambda pair: (pair[0].lower().split("/"), pair[0]))
    os.makedirs(os.path.dirname(os.path.abspath(archive)), exist_ok=True)
    partial = archive + ".part"
    with zipfile.ZipFile(partial, "w") as out:
        for name, path in names:
            if path is None:
                out.writestr(entry(name, stamp, DOS_DIRECTORY), b"")
                continue
            with open(path, "rb") as source:
                data = source.read()
            out.writestr(entry(name, stamp, DOS_ARCHIVE), data,
                         compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    os.replace(partial, archive)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
