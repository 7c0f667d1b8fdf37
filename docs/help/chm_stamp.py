"""The two build times a compiled help file holds, set to a given moment.

chmcmd stamps the file with the time of day it ran (in milliseconds): in the
file header, big-endian, and in the "#SYSTEM" file's entry 10, little-endian.
Both lie outside the compressed section, so they can be set after compiling
without touching anything else.
"""
import struct

ITSF_STAMP = 0x10          # the header's time stamp
ITSF_DIRECTORY = 0x48      # offset of the directory (ITSP header and its chunks)
ITSF_CONTENT = 0x58        # offset of content section 0
SYSTEM_STAMP_CODE = 10


class ChmError(Exception):
    pass


def _encint(data, pos):
    """A CHM variable-length integer at pos: (value, position after it)."""
    value = 0
    while True:
        if pos >= len(data):
            raise ChmError("directory entry runs past its chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def _find(data, wanted):
    """(section, offset, length) of the directory entry named `wanted`."""
    directory = struct.unpack_from("<Q", data, ITSF_DIRECTORY)[0]
    if data[directory:directory + 4] != b"ITSP":
        raise ChmError("no directory header")
    header_length, _, chunk_size = struct.unpack_from("<III", data, directory + 8)
    chunks = struct.unpack_from("<I", data, directory + 0x2C)[0]
    for n in range(chunks):
        chunk = directory + header_length + n * chunk_size
        if data[chunk:chunk + 4] != b"PMGL":
            continue
        free = struct.unpack_from("<I", data, chunk + 4)[0]
        end, pos = chunk + chunk_size - free, chunk + 0x14
        while pos < end:
            length, pos = _encint(data, pos)
            name = bytes(data[pos:pos + length])
            pos += length
            section, pos = _encint(data, pos)
            offset, pos = _encint(data, pos)
            size, pos = _encint(data, pos)
            if name == wanted:
                return section, offset, size
    raise ChmError(f"no {wanted.decode()} in the directory")


def set_build_time(path, epoch):
    """Sets both time stamps of the CHM at `path` to the time of day of `epoch` (UTC)."""
    with open(path, "rb") as f:
        data = bytearray(f.read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        raise ChmError(f"{path} is not a CHM file of version 3")
    stamp = (epoch % 86400) * 1000
    struct.pack_into(">I", data, ITSF_STAMP, stamp)
    section, offset, size = _find(data, b"/#SYSTEM")
    if section != 0:
        raise ChmError("#SYSTEM is compressed")
    start = struct.unpack_from("<Q", data, ITSF_CONTENT)[0] + offset
    pos, end = start + 4, start + size  # after the version
    while pos + 4 <= end:
        code, length = struct.unpack_from("<HH", data, pos)
        if code == SYSTEM_STAMP_CODE and length >= 4:
            struct.pack_into("<I", data, pos + 4, stamp)
            break
        pos += 4 + length
    else:
        raise ChmError("#SYSTEM holds no time stamp")
    with open(path, "wb") as f:
        f.write(data)
