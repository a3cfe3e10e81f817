#!/usr/bin/env python3
"""Turns the icon drawings in ui/icons/*.txt into Windows .ico files.

Usage: make-icons.py SRC_DIR OUT_DIR

Each NAME.txt holds one icon: comment lines start with '#'; a line with a
size ("16" or "32") starts a square grid of that many rows of that many
characters. Every icon has a 32x32 and a 16x16 grid. One character per pixel,
from the 16 standard VGA colours of a 4-bit icon, or '.' for transparent:

    k black    r maroon   g green    o olive    n navy     p purple
    t teal     s silver   d grey     R red      G lime     Y yellow
    B blue     M fuchsia  C aqua     W white    . transparent

OUT_DIR/NAME.ico gets both images, 4 bits per pixel with the 16-colour
palette and a 1-bit AND mask (set where transparent). Python standard library
only, so the cross build needs nothing beyond the interpreter.
"""
import os
import struct
import sys

# Palette index order is the standard 16-colour one (RGB).
PALETTE = [
    ("k", (0x00, 0x00, 0x00)), ("r", (0x80, 0x00, 0x00)), ("g", (0x00, 0x80, 0x00)),
    ("o", (0x80, 0x80, 0x00)), ("n", (0x00, 0x00, 0x80)), ("p", (0x80, 0x00, 0x80)),
    ("t", (0x00, 0x80, 0x80)), ("s", (0xC0, 0xC0, 0xC0)), ("d", (0x80, 0x80, 0x80)),
    ("R", (0xFF, 0x00, 0x00)), ("G", (0x00, 0xFF, 0x00)), ("Y", (0xFF, 0xFF, 0x00)),
    ("B", (0x00, 0x00, 0xFF)), ("M", (0xFF, 0x00, 0xFF)), ("C", (0x00, 0xFF, 0xFF)),
    ("W", (0xFF, 0xFF, 0xFF)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
TRANSPARENT = "."
SIZES = (32, 16)


class DrawingError(Exception):
    pass


def read_drawing(path):
    """Returns {size: [row strings]} for one icon file."""
    grids = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip()
            if not line or line.startswith("#"):
                continue
            if line.isdigit():
                size = int(line)
                if size not in SIZES or size in grids:
                    raise DrawingError(f"{path}:{lineno}: unexpected size {size}")
                current = grids[size] = []
                continue
            if current is None:
                raise DrawingError(f"{path}:{lineno}: pixels before a size line")
            size = next(s for s, g in grids.items() if g is current)
            if len(line) != size:
                raise DrawingError(f"{path}:{lineno}: row is {len(line)} pixels, not {size}")
            bad = [c for c in line if c != TRANSPARENT and c not in INDEX]
            if bad:
                raise DrawingError(f"{path}:{lineno}: unknown colour {bad[0]!r}")
            if len(current) == size:
                raise DrawingError(f"{path}:{lineno}: more than {size} rows")
            current.append(line)
    for size in SIZES:
        if len(grids.get(size, [])) != size:
            raise DrawingError(f"{path}: the {size}x{size} grid is missing or short")
    return grids


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def encode_image(rows):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask.

    Both bitmaps run bottom-up with every row padded to 4 bytes; the header's
    height counts both bitmaps, so it is twice the icon's height.
    """
    size = len(rows)
    xor = b""
    mask = b""
    for row in reversed(rows):
        nibbles = [0 if c == TRANSPARENT else INDEX[c] for c in row]
        xor += pad4(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = 0
        for c in row:
            bits = (bits << 1) | (c == TRANSPARENT)
        mask += pad4(bits.to_bytes(size // 8, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    return header + palette + xor + mask


def encode_icon(grids):
    """ICONDIR, one ICONDIRENTRY per image (largest first), then the images."""
    images = [(size, encode_image(grids[size])) for size in SIZES]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main(argv):
    if len(argv) != 3:
        print("usage: make-icons.py SRC_DIR OUT_DIR", file=sys.stderr)
        return 2
    src, out = argv[1], argv[2]
    os.makedirs(out, exist_ok=True)
    names = sorted(n for n in os.listdir(src) if n.endswith(".txt"))
    if not names:
        print(f"make-icons.py: no drawings in {src}", file=sys.stderr)
        return 1
    try:
        for name in names:
            data = encode_icon(read_drawing(os.path.join(src, name)))
            with open(os.path.join(out, name[:-4] + ".ico"), "wb") as f:
                f.write(data)
    except DrawingError as e:
        print(f"make-icons.py: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
