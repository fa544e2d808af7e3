#!/usr/bin/env python3
"""Counts the pixels of one colour in a PNG screenshot (8 bits a channel, RGB or RGBA, not interlaced, as
Qt writes them), to see that a window shows the chart drawn in that colour.
Usage: chart-pixels.py PNG RRGGBB MINIMUM   (exits 1 with fewer than MINIMUM such pixels)"""
import struct
import sys
import zlib


def rows(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path} is not a PNG picture")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                sys.exit(f"{path}: depth {depth}, colour type {colour}, interlace {interlace} not read here")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, previous = zlib.decompress(idat), width * channels, bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):  # the five PNG filters
            a = line[i - channels] if i >= channels else 0
            b, c = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        yield [tuple(line[x:x + 3]) for x in range(0, stride, channels)]
        previous = line


path, colour, minimum = sys.argv[1], bytes.fromhex(sys.argv[2]), int(sys.argv[3])
count = sum(row.count(tuple(colour)) for row in rows(path))
print(f"{path}: {count} pixels of #{sys.argv[2]}")
sys.exit(0 if count >= minimum else 1)
