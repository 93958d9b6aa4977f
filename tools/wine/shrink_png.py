#!/usr/bin/env python3
"""Recompresses PNG files in place: the walks under Wine write their pictures
uncompressed, which is simple but large.

  shrink_png.py FILE.png...
"""
import struct
import sys
import zlib


def chunks(data):
    pos = 8
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def shrink(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    out = [data[:8]]
    idat = b""
    for kind, body in chunks(data):
        if kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            out.append(chunk(b"IDAT", zlib.compress(zlib.decompress(idat), 9)))
            out.append(chunk(b"IEND", b""))
        else:
            out.append(chunk(kind, body))
    with open(path, "wb") as f:
        f.write(b"".join(out))


if __name__ == "__main__":
    for name in sys.argv[1:]:
        shrink(name)
