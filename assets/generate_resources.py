#!/usr/bin/python3
"""Draws the two images the program carries inside its executable.

Usage:  /usr/bin/python3 assets/generate_resources.py <output-folder>

  app.ico        the program icon (resource 220): 16, 24, 32, 48, 64 and 256
                 pixels, 32-bit with alpha; the 256-pixel image is stored as
                 PNG inside the icon, the others as classic DIB entries.
  scrollbar.bmp  the cell sheet of the skinned scroll bar (resource 215):
                 81 x 27 pixels, 9 columns x 3 rows of 9 x 9 cells, 24-bit.
                 Columns: 0 up arrow, 1 down arrow, 2 vertical thumb,
                 3 vertical track, 4 left arrow, 5 right arrow, 6 horizontal
                 thumb, 7 horizontal track, 8 unused (track colour).
                 Rows: 0 normal, 1 highlighted (pointer over), 2 pressed.

Needs only the standard library and pycairo; the output is deterministic.
The emblem is the same one generate_skin.py puts in the title strip.
"""

import io
import math
import os
import struct
import sys

import cairo


def hexrgb(h):
    h = h.lstrip("#")
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def rrect(ctx, x, y, w, h, r):
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


# --------------------------------------------------------------------------
# Program icon
# --------------------------------------------------------------------------

def draw_emblem(size):
    """Graphite tile carrying a spectrum chevron, tuned per pixel size."""
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, size, size)
    ctx = cairo.Context(s)
    f = float(size)
    inset = 0 if size < 32 else f / 32.0
    x = y = inset
    w = f - 2 * inset
    rrect(ctx, x, y, w, w, w * 0.24)
    g = cairo.LinearGradient(0, y, 0, y + w)
    g.add_color_stop_rgb(0, *hexrgb("#2c3139"))
    g.add_color_stop_rgb(1, *hexrgb("#121418"))
    ctx.set_source(g)
    ctx.fill_preserve()
    ctx.set_line_width(max(1.0, f / 40.0))
    ctx.set_source_rgba(1, 1, 1, 0.14 if size >= 32 else 0.18)
    ctx.stroke()

    lw = w * (0.17 if size >= 24 else 0.21)
    top = 0.27 if size >= 24 else 0.25
    pts = [(x + w * 0.22, y + w * top), (x + w * 0.5, y + w * 0.75), (x + w * 0.78, y + w * top)]
    grad = cairo.LinearGradient(x + w * 0.2, 0, x + w * 0.8, 0)
    grad.add_color_stop_rgb(0.0, *hexrgb("#1fe0ff"))
    grad.add_color_stop_rgb(0.5, *hexrgb("#3a7bff"))
    grad.add_color_stop_rgb(1.0, *hexrgb("#d14dff"))
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    if size >= 24:
        for k, alpha in ((2.6, 0.06), (1.9, 0.10), (1.4, 0.14)):
            ctx.move_to(*pts[0])
            ctx.line_to(*pts[1])
            ctx.line_to(*pts[2])
            ctx.set_line_width(lw * k)
            ctx.set_source_rgba(0.25, 0.55, 1.0, alpha)
            ctx.stroke()
    ctx.move_to(*pts[0])
    ctx.line_to(*pts[1])
    ctx.line_to(*pts[2])
    ctx.set_line_width(lw)
    ctx.set_source(grad)
    ctx.stroke()
    if size >= 32:
        ctx.move_to(pts[0][0], pts[0][1] - lw * 0.18)
        ctx.line_to(pts[1][0], pts[1][1] - lw * 0.25)
        ctx.line_to(pts[2][0], pts[2][1] - lw * 0.18)
        ctx.set_line_width(max(1.0, lw * 0.16))
        ctx.set_source_rgba(1, 1, 1, 0.35)
        ctx.stroke()
    s.flush()
    return s


def straight_bgra(s):
    """Cairo's premultiplied pixels as straight-alpha BGRA rows, top row first."""
    w, h, stride = s.get_width(), s.get_height(), s.get_stride()
    data = bytes(s.get_data())
    rows = []
    for y in range(h):
        row = bytearray(w * 4)
        for x in range(w):
            b, g, r, a = data[y * stride + x * 4:y * stride + x * 4 + 4]
            if a and a < 255:
                b, g, r = [min(255, (c * 255 + a // 2) // a) for c in (b, g, r)]
            row[x * 4:x * 4 + 4] = bytes((b, g, r, a))
        rows.append(bytes(row))
    return rows


def dib_entry(s):
    """Icon image as BITMAPINFOHEADER + bottom-up 32-bit colour + 1-bit mask."""
    w, h = s.get_width(), s.get_height()
    rows = straight_bgra(s)
    mask_stride = ((w + 31) // 32) * 4
    colour = b"".join(reversed(rows))
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(w):
            if row[x * 4 + 3] == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def png_entry(s):
    buf = io.BytesIO()
    s.write_to_png(buf)
    return buf.getvalue()


def write_icon(path, sizes=(16, 24, 32, 48, 64, 256)):
    images = []
    for size in sizes:
        s = draw_emblem(size)
        images.append((size, png_entry(s) if size >= 256 else dib_entry(s)))
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    body = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    with open(path, "wb") as f:
        f.write(out + body)


# --------------------------------------------------------------------------
# Scroll bar cell sheet
# --------------------------------------------------------------------------

CELL = 9
TRACK = hexrgb("#15171b")      # matches the drop-down list face behind the bar
GROOVE = hexrgb("#0b0c0e")
ROWS = {  # state -> (arrow background, arrow glyph, thumb)
    0: (hexrgb("#1f2227"), hexrgb("#8a929e"), hexrgb("#4a515c")),
    1: (hexrgb("#2c3139"), hexrgb("#ffffff"), hexrgb("#6f7a89")),
    2: (hexrgb("#0b5d8f"), hexrgb("#ffffff"), hexrgb("#1fb6ff")),
}


def put(buf, x, y, rgb):
    buf[(x, y)] = rgb


def cell_arrow(buf, ox, oy, state, direction):
    bg, glyph, _ = ROWS[state]
    for y in range(CELL):
        for x in range(CELL):
            put(buf, ox + x, oy + y, bg)
    # 5 x 3 filled triangle, centred; drawn for "up" then turned
    tri = [(4, 3), (3, 4), (4, 4), (5, 4), (2, 5), (3, 5), (4, 5), (5, 5), (6, 5)]
    for x, y in tri:
        if direction == "up":
            px, py = x, y
        elif direction == "down":
            px, py = x, CELL - 1 - y
        elif direction == "left":
            px, py = y, x
        else:
            px, py = CELL - 1 - y, x
        put(buf, ox + px, oy + py, glyph)


def cell_track(buf, ox, oy, vertical):
    for y in range(CELL):
        for x in range(CELL):
            across = x if vertical else y
            put(buf, ox + x, oy + y, GROOVE if 3 <= across <= 5 else TRACK)


def cell_thumb(buf, ox, oy, state, vertical):
    """A 5-pixel pill: rows 0-2 round the start, 3-5 straight, 6-8 round the end,
    so the 6-pixel end caps and any middle slice join without a seam."""
    _, _, col = ROWS[state]
    edge = tuple(c * 0.55 + t * 0.45 for c, t in zip(col, TRACK))
    for y in range(CELL):
        for x in range(CELL):
            along, across = (y, x) if vertical else (x, y)
            inside = 2 <= across <= 6
            if along in (0, 8):
                pix = edge if 3 <= across <= 5 else TRACK
            elif along in (1, 7):
                pix = col if 3 <= across <= 5 else (edge if across in (2, 6) else TRACK)
            else:
                pix = col if inside else TRACK
            put(buf, ox + x, oy + y, pix)


def write_scrollbar_sheet(path):
    w, h = CELL * 9, CELL * 3
    buf = {}
    for state in range(3):
        oy = state * CELL
        cell_arrow(buf, 0 * CELL, oy, state, "up")
        cell_arrow(buf, 1 * CELL, oy, state, "down")
        cell_thumb(buf, 2 * CELL, oy, state, True)
        cell_track(buf, 3 * CELL, oy, True)
        cell_arrow(buf, 4 * CELL, oy, state, "left")
        cell_arrow(buf, 5 * CELL, oy, state, "right")
        cell_thumb(buf, 6 * CELL, oy, state, False)
        cell_track(buf, 7 * CELL, oy, False)
        for y in range(CELL):
            for x in range(CELL):
                put(buf, 8 * CELL + x, oy + y, TRACK)
    row_len = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_len)
        for x in range(w):
            r, g, b = [int(round(c * 255)) for c in buf[(x, y)]]
            row[x * 3:x * 3 + 3] = bytes((b, g, r))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: %s <output-folder>\n" % argv[0])
        return 2
    os.makedirs(argv[1], exist_ok=True)
    write_icon(os.path.join(argv[1], "app.ico"))
    write_scrollbar_sheet(os.path.join(argv[1], "scrollbar.bmp"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
