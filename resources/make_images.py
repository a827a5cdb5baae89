#!/usr/bin/env python3
"""Writes Movaril's image resources: eyedropper.cur, blank.png and movaril.ico.

Standard library only, and deterministic: every run gives the same bytes. Shapes are
sampled on a sub-pixel grid, so edges are antialiased through alpha.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# --- rendering ---------------------------------------------------------------


def render(size, samples, paint):
    """Rows of (r, g, b, a), top row first, straight (not premultiplied) alpha.

    paint(x, y) gives (r, g, b), (r, g, b, a) with a in 0..1, or None, for a point in pixel units.
    """
    n = samples * samples
    offsets = [(i + 0.5) / samples for i in range(samples)]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for oy in offsets:
                for ox in offsets:
                    c = paint(px + ox, py + oy)
                    if c is not None:
                        w = c[3] if len(c) == 4 else 1.0
                        r += c[0] * w
                        g += c[1] * w
                        b += c[2] * w
                        a += w
            alpha = round(255 * a / n)
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a), round(g / a), round(b / a), alpha))
        rows.append(row)
    return rows


# --- the eyedropper ----------------------------------------------------------

HOT_SPOT = (3, 28)
# The dropper lies on the diagonal from the tip (lower left) up to the bulb (upper right).
TIP = (HOT_SPOT[0] + 0.5, HOT_SPOT[1] + 0.5)
AXIS = (math.sqrt(0.5), -math.sqrt(0.5))
ACROSS = (math.sqrt(0.5), math.sqrt(0.5))  # positive towards the lower right

DARK = (44, 44, 44)
BODY = (72, 72, 72)
GLASS = (150, 150, 150)
SHINE = (205, 205, 205)
HALO = (255, 255, 255)


def capsule(t, s, t0, t1, radius):
    dt = t0 - t if t < t0 else (t - t1 if t > t1 else 0.0)
    return math.hypot(dt, s) - radius


def taper(t, s, t0, t1, w0, w1):
    w = w0 + (w1 - w0) * (t - t0) / (t1 - t0)
    return max(t0 - t, t - t1, abs(s) - w)


def rounded_box(t, s, t0, t1, half, radius):
    qt = abs(t - (t0 + t1) / 2) - ((t1 - t0) / 2 - radius)
    qs = abs(s) - (half - radius)
    outside = math.hypot(max(qt, 0.0), max(qs, 0.0))
    return outside + min(max(qt, qs), 0.0) - radius


# The parts, in pixels along the axis from the tip (t) and across it (s).
BULB_CENTRE = 30.6
BULB_RADIUS = 4.1


def tip(t, s):
    return min(capsule(t, s, 0.0, 0.0, 0.7), taper(t, s, 0.0, 5.5, 0.7, 1.1))


def tube(t, s):
    return min(taper(t, s, 5.0, 7.0, 1.1, 2.2), taper(t, s, 6.5, 19.5, 2.2, 2.2))


def collar(t, s):
    return rounded_box(t, s, 18.8, 22.2, 3.4, 0.8)


def bulb(t, s):
    neck = taper(t, s, 21.5, 25.5, 2.1, 2.1)
    return min(neck, capsule(t, s, BULB_CENTRE - 1.6, BULB_CENTRE, BULB_RADIUS))


def eyedropper_paint(x, y):
    dx, dy = x - TIP[0], y - TIP[1]
    t = dx * AXIS[0] + dy * AXIS[1]
    s = dx * ACROSS[0] + dy * ACROSS[1]
    d_tip, d_tube, d_collar, d_bulb = tip(t, s), tube(t, s), collar(t, s), bulb(t, s)
    body = min(d_tip, d_tube, d_collar, d_bulb)
    if body > 0.0:
        # A light rim keeps the dark dropper visible on dark screens.
        return HALO + (0.85,) if body <= 1.0 else None
    if d_collar <= 0.0:
        return SHINE if -2.5 <= s <= -1.7 and 19.5 <= t <= 21.5 else DARK
    if d_bulb <= 0.0:
        # An arc of light on the upper-left side makes the bulb read as round.
        r = math.hypot(t - BULB_CENTRE + 0.6, s)
        return SHINE if 2.1 <= r <= 3.0 and s < -1.0 and t > 27.5 else BODY
    if d_tube <= 0.0 and t > 6.5:
        # Glass: a dark wall around a lighter bore with one glint along it.
        if body > -0.75:
            return DARK
        return SHINE if -1.1 <= s <= -0.6 and 8.5 <= t <= 18.0 else GLASS
    return DARK


def eyedropper():
    return render(32, 16, eyedropper_paint)


# --- the ring icon -----------------------------------------------------------

# Clockwise from the top.
RING_COLOURS = [
    (255, 214, 0),  # yellow
    (255, 140, 0),  # orange
    (232, 32, 40),  # red
    (214, 36, 160),  # magenta
    (36, 84, 220),  # blue
    (0, 176, 230),  # cyan
    (24, 168, 72),  # green
    (150, 200, 24),  # yellow-green
]


def shade(colour, k):
    """k < 1 darkens towards black, k > 1 lightens towards white."""
    if k <= 1.0:
        return tuple(round(c * k) for c in colour)
    return tuple(round(c + (255 - c) * (k - 1.0)) for c in colour)


def ring_paint(size):
    centre = size / 2
    outer = size / 2 - max(0.5, size / 32)
    inner = outer * 0.5
    edge = max(1.0, size / 32)  # darker rim that outlines each segment
    # Half the clear space between two segments; below 32 pixels a gap only blurs the ring.
    gap = size / 48 if size >= 32 else 0.0
    step = 2 * math.pi / len(RING_COLOURS)

    def paint(x, y):
        dx, dy = x - centre, y - centre
        r = math.hypot(dx, dy)
        if r > outer or r < inner:
            return None
        angle = (math.atan2(dx, -dy) + step / 2) % (2 * math.pi)
        index = int(angle // step) % len(RING_COLOURS)
        off = angle - index * step
        if min(off, step - off) * r < gap:
            return None
        colour = RING_COLOURS[index]
        if r > outer - edge or r < inner + edge:
            return shade(colour, 0.78)
        # A touch of light towards the outside gives the ring some depth.
        return shade(colour, 1.0 + 0.25 * (r - inner) / (outer - inner))

    return paint


def ring(size):
    return render(size, 8, ring_paint(size))


def palette():
    """256 colours: black (the transparent pixels' index), greys, and shades of the ring."""
    colours = [(0, 0, 0)]
    colours += [(v, v, v) for v in range(17, 256, 17)]
    for c in RING_COLOURS:
        colours += [shade(c, k / 10) for k in range(4, 14)]
    colours += [(0, 0, 0)] * (256 - len(colours))
    return colours


def nearest(pal, rgb):
    return min(range(len(pal)), key=lambda i: sum((p - q) ** 2 for p, q in zip(pal[i], rgb)))


# --- file formats ------------------------------------------------------------


def mask_bits(rows):
    """1-bit AND mask, bottom row first, rows padded to 32 bits: 1 where transparent."""
    out = bytearray()
    width = len(rows[0])
    stride = (width + 31) // 32 * 4
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def dib_header(size, bpp, image_bytes):
    # Icon DIBs give the height of the XOR and AND bitmaps together.
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0, image_bytes, 0, 0, 0, 0)


def dib32(rows):
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = mask_bits(rows)
    return dib_header(len(rows), 32, len(xor) + len(mask)) + bytes(xor) + mask


def dib8(rows, pal):
    # No alpha at 8 bits per pixel: a pixel at least half covered is opaque, the rest is masked.
    hard = [[p if p[3] >= 128 else (0, 0, 0, 0) for p in row] for row in rows]
    xor = bytearray()
    cache = {}
    for row in reversed(hard):
        for p in row:
            if p[3] == 0:
                xor.append(0)
            else:
                xor.append(cache.setdefault(p[:3], nearest(pal, p[:3])))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    mask = mask_bits(hard)
    return dib_header(len(rows), 8, len(xor) + len(mask)) + table + bytes(xor) + mask


def icon_file(kind, entries):
    """kind 1 = icon, 2 = cursor; entries: (size, colour count, planes or x, bpp or y, dib)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for size, colours, field1, field2, dib in entries:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, field1, field2, len(dib), offset)
        offset += len(dib)
    return out + b"".join(e[4] for e in entries)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def blank_png(width=39, height=34, grey=240):
    # The first row uses the "sub" filter and every later one "up", so the pixels compress to almost
    # nothing; sRGB, gAMA and pHYs (96 dpi) are the chunks a paint program writes. 152 bytes in all.
    first = b"\x01" + bytes((grey,) * 3) + bytes(3 * (width - 1))
    rest = (b"\x02" + bytes(3 * width)) * (height - 1)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"sRGB", b"\x00")
        + png_chunk(b"gAMA", struct.pack(">I", 45455))
        + png_chunk(b"pHYs", struct.pack(">IIB", 3780, 3780, 1))
        + png_chunk(b"IDAT", zlib.compress(first + rest, 6))
        + png_chunk(b"IEND", b"")
    )


ICON_IMAGES = [(48, 8), (32, 8), (16, 8), (64, 32), (48, 32), (40, 32), (32, 32), (24, 32), (20, 32), (16, 32)]


def movaril_ico():
    pal = palette()
    entries = []
    for size, bpp in ICON_IMAGES:
        rows = ring(size)
        dib = dib8(rows, pal) if bpp == 8 else dib32(rows)
        entries.append((size, 0, 1, bpp, dib))
    return icon_file(1, entries)


def eyedropper_cur():
    return icon_file(2, [(32, 0, HOT_SPOT[0], HOT_SPOT[1], dib32(eyedropper()))])


def main():
    outputs = {
        "eyedropper.cur": eyedropper_cur(),
        "blank.png": blank_png(),
        "movaril.ico": movaril_ico(),
    }
    for name, data in outputs.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
