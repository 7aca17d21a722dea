#!/usr/bin/env python3
"""Writes a zip that is the same byte for byte whenever it is given the same files.

Usage: release_zip.py <archive> <unix-time> <file>...

Every entry carries the given time (DOS time, UTC, even seconds), the MS-DOS archive
attribute and no Unix mode; the entries stand in the order of their names. Names are
stored in code page 932, the way Explorer on a Japanese Windows reads names in a zip
without the UTF-8 flag (Explorer ignores that flag on XP and Vista, and on 7 without
an update), with the UTF-8 name beside them in an Info-ZIP Unicode Path field, which
7-Zip and unzip read.
"""
import os
import struct
import sys
import time
import zipfile
import zlib

UNICODE_PATH_FIELD = 0x7075
FILE_ATTRIBUTE_ARCHIVE = 0x20
DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


class Cp932Entry(zipfile.ZipInfo):
    """A zip entry whose name is stored in code page 932 without the UTF-8 flag."""

    __slots__ = ()

    def _encodeFilenameFlags(self):
        return self.filename.encode("cp932"), self.flag_bits & ~0x800


def unicode_path_field(name):
    stored = name.encode("cp932")
    utf8 = name.encode("utf-8")
    return struct.pack("<HHBI", UNICODE_PATH_FIELD, 5 + len(utf8), 1, zlib.crc32(stored)) + utf8


def main(archive, stamp, paths):
    date_time = time.gmtime(max(int(stamp), DOS_EPOCH))[:6]
    entries = sorted((os.path.basename(path), path) for path in paths)
    partial = archive + ".part"
    with zipfile.ZipFile(partial, "w") as zip_file:
        for name, path in entries:
            entry = Cp932Entry(name, date_time)
            entry.create_system = 0
            entry.external_attr = FILE_ATTRIBUTE_ARCHIVE
            entry.compress_type = zipfile.ZIP_DEFLATED
            if not name.isascii():
                entry.extra = unicode_path_field(name)
            with open(path, "rb") as source:
                zip_file.writestr(entry, source.read(), compresslevel=9)
    os.replace(partial, archive)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__.split("\n\n")[1])
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
