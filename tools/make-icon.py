#!/usr/bin/env python3
"""Packs raw 8-bit RGB pixels (as `convert ... -depth 8 rgb:-` prints them) into a
one-image, 24-bit, fully opaque Windows .ico file.

Usage: convert ... -depth 8 rgb:- | python3 tools/make-icon.py WIDTH HEIGHT OUT.ico

Written by hand because ImageMagick's ICO writer picks its own depth and adds a
PNG or alpha channel; the program wants a plain BITMAPINFOHEADER DIB.
"""

import struct
import sys

ICONDIR = struct.Struct("<HHH")  # reserved, type (1 = icon), image count
ICONDIRENTRY = struct.Struct("<BBBBHHII")  # w, h, colours, reserved, planes, bpp, size, offset
BITMAPINFOHEADER = struct.Struct("<IiiHHIIiiII")


def row_stride(width, bits):
    """Bytes per DIB row: rows are padded to a multiple of 4 bytes."""
    return (width * bits + 31) // 32 * 4


def pack_ico(width, height, rgb):
    if not (1 <= width <= 255 and 1 <= height <= 255):
        # ICONDIRENTRY stores sizes in one byte (0 means 256, which we do not need).
        raise ValueError(f"icon size {width}x{height} does not fit an ICONDIRENTRY")
    if len(rgb) != width * height * 3:
        raise ValueError(f"expected {width * height * 3} bytes of RGB, got {len(rgb)}")

    xor_stride = row_stride(width, 24)
    and_stride = row_stride(width, 1)
    pad = bytes(xor_stride - width * 3)

    xor_rows = []
    for y in range(height - 1, -1, -1):  # DIBs are stored bottom-up
        line = rgb[y * width * 3:(y + 1) * width * 3]
        bgr = bytearray(len(line))
        bgr[0::3], bgr[1::3], bgr[2::3] = line[2::3], line[1::3], line[0::3]
        xor_rows.append(bytes(bgr) + pad)
    xor = b"".join(xor_rows)
    # An all-zero AND mask keeps every pixel of the XOR image: the icon is opaque.
    and_mask = bytes(and_stride * height)

    header = BITMAPINFOHEADER.pack(
        BITMAPINFOHEADER.size, width, height * 2,  # height covers XOR + AND masks
        1, 24, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    dib = header + xor + and_mask

    offset = ICONDIR.size + ICONDIRENTRY.size
    return (ICONDIR.pack(0, 1, 1)
            + ICONDIRENTRY.pack(width, height, 0, 0, 1, 24, len(dib), offset)
            + dib)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__.split("\n\n")[1])
    width, height, out = int(argv[1]), int(argv[2]), argv[3]
    try:
        data = pack_ico(width, height, sys.stdin.buffer.read())
    except ValueError as e:
        sys.exit(f"make-icon: {e}")
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv)
