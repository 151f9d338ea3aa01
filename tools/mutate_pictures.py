#!/usr/bin/env python3
"""Makes broken pictures from good ones, for the game's picture loading tests.

    python3 tools/mutate_pictures.py OUT_DIR [COUNT_PER_PICTURE] [SEED]

Reads the demo pictures (a jpg, a gif, an 8-bit bmp) and the 4-bit card back,
and writes COUNT_PER_PICTURE (default 30) damaged copies of each into OUT_DIR,
named <source>-<n>-<mutation>.<ext>. The same seed gives the same files.

Mutations: flipped bits, bytes overwritten with boundary values, a damaged
header, a truncated file, a chunk cut out or doubled, random bytes inserted,
and header fields of each format (sizes, bit depth, offsets, table lengths)
set to extreme values.
"""

import os
import random
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = ["demo/mountains.jpg", "demo/flowers.gif", "demo/sunset.bmp", "res/card_back.bmp"]
BOUNDARY = [0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF]
EXTREME_16 = [0, 1, 0x7FFF, 0x8000, 0xFFFF]
EXTREME_32 = [0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 40000]


def flip_bits(data, rng):
    for _ in range(rng.randint(1, 8)):
        i = rng.randrange(len(data))
        data[i] ^= 1 << rng.randrange(8)


def boundary_bytes(data, rng):
    for _ in range(rng.randint(1, 16)):
        data[rng.randrange(len(data))] = rng.choice(BOUNDARY)


def header(data, rng):
    for _ in range(rng.randint(1, 4)):
        data[rng.randrange(min(len(data), 64))] = rng.randrange(256)


def truncate(data, rng):
    del data[rng.randrange(1, len(data)):]


def chunk(data, rng):
    start = rng.randrange(len(data))
    size = rng.randint(1, max(1, len(data) // 8))
    piece = data[start:start + size]
    if rng.random() < 0.5:
        del data[start:start + size]
    else:
        data[start:start] = piece


def insert_random(data, rng):
    at = rng.randrange(len(data))
    data[at:at] = bytes(rng.randrange(256) for _ in range(rng.randint(1, 64)))


def put(data, offset, fmt, value):
    if offset + struct.calcsize(fmt) <= len(data):
        struct.pack_into(fmt, data, offset, value)


def fields(data, rng, ext):
    """Sets size, depth, offset or table-length fields to extreme values."""
    if ext == "bmp":
        choice = rng.choice(["width", "height", "bits", "offset", "colours", "compression", "size"])
        offsets = {"width": (18, "<i"), "height": (22, "<i"), "bits": (28, "<H"), "offset": (10, "<I"),
                   "colours": (46, "<I"), "compression": (30, "<I"), "size": (14, "<I")}
        offset, fmt = offsets[choice]
        values = EXTREME_16 if fmt == "<H" else EXTREME_32
        value = rng.choice(values)
        if fmt == "<i" and value > 0x7FFFFFFF:
            value -= 1 << 32
        put(data, offset, fmt, value)
        return choice
    if ext == "gif":
        choice = rng.choice(["screen", "image", "codesize", "palette"])
        if choice == "screen":
            put(data, 6 + 2 * rng.randrange(2), "<H", rng.choice(EXTREME_16))
        elif choice == "palette":
            if len(data) > 10:
                data[10] = rng.randrange(256)
        else:
            at = data.find(b"\x2c", 13)
            if at >= 0:
                if choice == "image":
                    put(data, at + 1 + 2 * rng.randrange(4), "<H", rng.choice(EXTREME_16))
                elif at + 10 < len(data):
                    data[at + 10] = rng.choice([0, 1, 12, 13, 255])
        return choice
    # jpg: a segment's length, or the frame's size in its start-of-frame segment
    markers = [i for i in range(len(data) - 4) if data[i] == 0xFF and data[i + 1] in
               (0xC0, 0xC2, 0xC4, 0xDB, 0xDA, 0xDD)]
    if not markers:
        return "none"
    at = rng.choice(markers)
    if data[at + 1] in (0xC0, 0xC2) and rng.random() < 0.6:
        put(data, at + 5 + 2 * rng.randrange(2), ">H", rng.choice(EXTREME_16))
        return "frame-size"
    put(data, at + 2, ">H", rng.choice(EXTREME_16))
    return "segment-length"


MUTATIONS = [flip_bits, boundary_bytes, header, truncate, chunk, insert_random]


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 6)
    os.makedirs(out, exist_ok=True)
    made = 0
    for source in SOURCES:
        with open(os.path.join(ROOT, source), "rb") as f:
            original = f.read()
        stem, ext = os.path.splitext(os.path.basename(source))
        ext = ext[1:]
        for n in range(count):
            data = bytearray(original)
            if n % 3 == 2:
                name = fields(data, rng, ext)
            else:
                mutation = rng.choice(MUTATIONS)
                mutation(data, rng)
                name = mutation.__name__.replace("_", "-")
            if bytes(data) == original:
                data[-1] ^= 0xFF
            with open(os.path.join(out, "%s-%03d-%s.%s" % (stem, n, name, ext)), "wb") as f:
                f.write(data)
            made += 1
    print("mutate_pictures: %d damaged pictures in %s" % (made, out))


if __name__ == "__main__":
    main()
