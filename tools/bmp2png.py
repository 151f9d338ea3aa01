#!/usr/bin/env python3
"""Converts a 24- or 32-bit bmp (as the end-to-end tests save screenshots)
into a png, with the standard library only: bmp2png.py in.bmp out.png"""
import struct
import sys
import zlib


def convert(source, target):
    data = open(source, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    depth = struct.unpack_from("<H", data, 28)[0] // 8
    top_down = height < 0
    height = abs(height)
    stride = (width * depth + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + (y if top_down else height - 1 - y) * stride
        row = bytearray(b"\x00")
        for x in range(width):
            blue, green, red = data[start + depth * x:start + depth * x + 3]
            row += bytes((red, green, blue))
        rows.append(bytes(row))

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
           + chunk(b"IEND", b""))
    open(target, "wb").write(png)


if __name__ == "__main__":
    convert(sys.argv[1], sys.argv[2])
