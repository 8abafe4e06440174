#!/usr/bin/env python3
"""Runvo's icon: drawn here from shapes, and written as ui/runvo.ico.

A blue tile, a white sheet of paper with its corner folded, and an orange
arrow that leaves the sheet to the right: the document passed on to a
program. The shapes are laid
out on a grid of 16 units, so that the 16-pixel image has its edges on whole
pixels; every size is drawn from the same shapes, each sample of a pixel
taken on its own (8 x 8 a pixel up to 64 pixels, 4 x 4 at 256).

    icon.py write ICO        draws every size and writes the icon file
    icon.py check ICO        fails unless the file holds these pictures,
                             pixel for pixel, and each is legible on light
                             and dark taskbars (see check_outline)
    icon.py picture N PNG    one size on white and on #202020, side by side,
                             each pixel enlarged to be seen (to 128 pixels)

As Windows' own icons are, the sizes up to 64 pixels are bitmaps (32 bits,
with their mask), which Windows draws without decoding, and the 256-pixel
one is PNG-compressed, which keeps it small: the small sizes are the ones a
window and its taskbar button load when it opens. The PNG's bytes depend on
zlib's version; the check compares pixels, so a file written elsewhere
passes it too. Needs nothing beyond Python's standard library.
"""
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)

# Colours, (red, green, blue). The tile's blue stays between 3:1 against
# white and 3:1 against the dark taskbar's #202020 from top to bottom.
TILE_TOP = (0x4A, 0x8C, 0xF0)
TILE_BOTTOM = (0x2A, 0x6D, 0xD8)
SHEET = (0xFF, 0xFF, 0xFF)
FOLD = (0xC9, 0xD6, 0xEA)
LINES = (0x9D, 0xB4, 0xD8)
ARROW = (0xF9, 0x73, 0x16)


def inside_rounded(x, y, left, top, right, bottom, r):
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + r), right - r)
    cy = min(max(y, top + r), bottom - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_polygon(x, y, points):
    """Even-odd rule."""
    inside = False
    n = len(points)
    for i in range(n):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                inside = not inside
    return inside


SHEET_SHAPE = ((2.5, 2.5), (7.5, 2.5), (10.5, 5.5), (10.5, 13.5), (2.5, 13.5))
FOLD_SHAPE = ((7.5, 2.5), (10.5, 5.5), (7.5, 5.5))
ARROW_SHAPE = ((5.0, 7.0), (9.5, 7.0), (9.5, 4.0), (14.0, 8.5), (9.5, 13.0),
               (9.5, 10.0), (5.0, 10.0))
TEXT_LINES = ((4.0, 4.0, 6.5, 5.0), (4.0, 11.5, 7.5, 12.5))


def sample(x, y):
    """The colour and opacity (0 or 1) of the point x, y of the 16-unit
    grid."""
    if not inside_rounded(x, y, 0.5, 0.5, 15.5, 15.5, 2.5):
        return None
    t = (y - 0.5) / 15.0
    colour = tuple(a + (b - a) * t for a, b in zip(TILE_TOP, TILE_BOTTOM))
    on_sheet = inside_polygon(x, y, SHEET_SHAPE)
    if on_sheet:
        colour = SHEET
        if inside_polygon(x, y, FOLD_SHAPE):
            colour = FOLD
        for left, top, right, bottom in TEXT_LINES:
            if left <= x < right and top <= y < bottom:
                colour = LINES
    if inside_polygon(x, y, ARROW_SHAPE):
        colour = ARROW
    return colour


def draw(size):
    """The picture at size x size pixels: rows of (r, g, b, a) bytes."""
    n = 4 if size > 64 else 8
    scale = 16.0 / size
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = 0.0
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = sample((px + (sx + 0.5) / n) * scale, (py + (sy + 0.5) / n) * scale)
                    if c:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        hits += 1
            if hits:
                row += bytes((round(r / hits), round(g / hits), round(b / hits),
                              round(255 * hits / (n * n))))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def filtered(row, prior):
    """Each of PNG's five filters of a row; the one of least sum wins."""
    best = None
    for kind in range(5):
        out = bytearray([kind])
        for i, x in enumerate(row):
            a = row[i - 4] if i >= 4 else 0
            b = prior[i]
            c = prior[i - 4] if i >= 4 else 0
            pred = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
            out.append((x - pred) & 255)
        score = sum(v if v < 128 else 256 - v for v in out[1:])
        if best is None or score < best[0]:
            best = (score, bytes(out))
    return best[1]


def png(rows):
    size = len(rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    prior = bytes(4 * size)
    raw = bytearray()
    for row in rows:
        raw += filtered(row, prior)
        prior = row
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def unpng(data):
    """The rows of an 8-bit RGBA PNG, as png() writes them."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG image"
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour == 6, "not 8-bit RGBA"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 4 * width
    rows, prior = [], bytes(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prior[i]
            c = prior[i - 4] if i >= 4 else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 255
        rows.append(bytes(line))
        prior = line
    return rows


def dib(rows):
    """A bitmap of an icon: its header (twice its height, for the mask), its
    pixels in blue, green, red and alpha from the bottom row up, then its
    mask (set where the picture is transparent), rows of whole 32 bits."""
    size = len(rows)
    pixels = b"".join(
        bytes(b for x in range(size) for b in (row[4 * x + 2], row[4 * x + 1], row[4 * x],
                                               row[4 * x + 3]))
        for row in reversed(rows))
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x in range(size):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def undib(data):
    """The rows of a bitmap as dib() writes it, in red, green, blue, alpha."""
    size = struct.unpack("<i", data[4:8])[0]
    pixels = data[40:40 + 4 * size * size]
    rows = []
    for y in reversed(range(size)):
        line = pixels[4 * size * y:4 * size * (y + 1)]
        rows.append(bytes(b for x in range(size) for b in (line[4 * x + 2], line[4 * x + 1],
                                                            line[4 * x], line[4 * x + 3])))
    return rows


def image(size):
    """An image of the icon file: a bitmap, or PNG at 256 pixels."""
    return png(draw(size)) if size == 256 else dib(draw(size))


def unimage(data):
    return unpng(data) if data[:8] == b"\x89PNG\r\n\x1a\n" else undib(data)


def ico(images):
    """An icon file of images, each (size, bytes), smallest first."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        side = 0 if size == 256 else size  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def unico(data):
    """The images of an icon file: (size, bytes)."""
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    assert reserved == 0 and kind == 1, "not an icon file"
    images = []
    for i in range(count):
        side, _, _, _, _, _, length, offset = struct.unpack(
            "<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        images.append((side or 256, data[offset:offset + length]))
    return images


def luminance(rgb):
    """Relative luminance, as WCAG defines it."""
    def linear(v):
        v /= 255.0
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def check_outline(size, rows):
    """The outline: each opaque pixel beside a pixel that is not (or at the
    picture's edge). Its least contrast against a light and a dark
    taskbar."""
    def alpha(x, y):
        return rows[y][4 * x + 3] if 0 <= x < size and 0 <= y < size else 0
    least = {}
    for background in ((0xFF, 0xFF, 0xFF), (0x20, 0x20, 0x20)):
        worst = None
        for y in range(size):
            for x in range(size):
                if alpha(x, y) != 255:
                    continue
                if min(alpha(x + 1, y), alpha(x - 1, y), alpha(x, y + 1), alpha(x, y - 1)) == 255:
                    continue
                c = contrast(rows[y][4 * x:4 * x + 3], background)
                worst = c if worst is None else min(worst, c)
        least[background] = worst
    return least


def picture(size, path):
    """One size over white and over #202020, each pixel enlarged."""
    rows = draw(size)
    zoom = max(1, 128 // size)
    out = []
    for y in range(size * zoom):
        line = bytearray()
        for background in ((0xFF, 0xFF, 0xFF), (0x20, 0x20, 0x20)):
            for x in range(size * zoom):
                r, g, b, a = rows[y // zoom][4 * (x // zoom):4 * (x // zoom) + 4]
                line += bytes(round((c * a + k * (255 - a)) / 255)
                              for c, k in zip((r, g, b), background)) + b"\xff"
        out.append(bytes(line))
    # Two squares side by side: a PNG of that width.
    width = 2 * size * zoom
    raw = b"".join(b"\0" + row for row in out)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", width, size * zoom, 8, 6, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def check(path):
    with open(path, "rb") as f:
        images = unico(f.read())
    failures = 0
    sizes = tuple(size for size, _ in images)
    if sizes != SIZES:
        print("FAIL: %s holds the sizes %s, not %s" % (path, sizes, SIZES))
        return 1
    for size, data in images:
        rows = unimage(data)
        if rows != draw(size):
            print("FAIL: the %d-pixel image is not what icon.py draws: run icon.py write" % size)
            failures += 1
        least = check_outline(size, rows)
        light, dark = least[(0xFF, 0xFF, 0xFF)], least[(0x20, 0x20, 0x20)]
        ok = light >= 3 and dark >= 3
        failures += not ok
        kind = "PNG" if data[:4] == b"\x89PNG" else "bitmap"
        print("%s %3d px: %s of %5d bytes; outline's contrast at least %.2f on white, "
              "%.2f on #202020" % ("ok  " if ok else "FAIL", size, kind, len(data), light, dark))
    return 1 if failures else 0


def main(argv):
    if len(argv) == 3 and argv[1] == "write":
        with open(argv[2], "wb") as f:
            f.write(ico([(size, image(size)) for size in SIZES]))
        return 0
    if len(argv) == 3 and argv[1] == "check":
        return check(argv[2])
    if len(argv) == 4 and argv[1] == "picture":
        picture(int(argv[2]), argv[3])
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
