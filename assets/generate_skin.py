#!/usr/bin/python3
"""Draws every image of the shipped dark skin ("Graphite") into a program folder.

Usage:  /usr/bin/python3 assets/generate_skin.py <program-folder>

Writes <program-folder>/skins/ (window backgrounds and control faces),
<program-folder>/skins/Pic/ (pictures placed by the skin files) and
<program-folder>/skins/Menu/ (drop-down list faces).  Needs only the standard
library and pycairo (Debian's python3-cairo).  The output is deterministic:
no randomness, no timestamps; the same input always gives the same bytes.

The layout grid below is the single source of truth for where controls sit.
make_lang_files.py imports it to write the four Lan/skin_*.ini files, so the
pictures that carry a piece of the background (edit fields, hue dial) always
line up with the window background they were cut from.
"""

import math
import os
import struct
import sys

import cairo

# --------------------------------------------------------------------------
# Palette
# --------------------------------------------------------------------------

def hexrgb(h):
    h = h.lstrip("#")
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


PAL = {
    "base_top": "#15171b",      # window body, top of the vertical gradient
    "base_bottom": "#0f1114",   # window body, bottom
    "bar_top": "#1c1f24",       # title strip
    "bar_bottom": "#121418",
    "rail": "#0c0d10",          # device-group rail on the left
    "card_top": "#1a1d22",      # raised panels
    "card_bottom": "#15171b",
    "card_line": "#272b32",     # 1-px panel outline
    "etch_dark": "#0b0c0e",     # etched divider, dark half
    "etch_light": "#23272d",    # etched divider, light half
    "face_top": "#282c33",      # button face
    "face_bottom": "#1f2228",
    "face_line": "#383e47",
    "hover_top": "#30353d",
    "hover_bottom": "#272b31",
    "hover_line": "#4b535f",
    "press_top": "#0d1a24",     # pressed / latched face (accent-tinted, inset)
    "press_bottom": "#10222f",
    "off_fill": "#191b1f",      # disabled face
    "off_line": "#25282d",
    "well": "#0a0b0d",          # inset wells: slider grooves, edit fields
    "well_line": "#2e333b",
    "accent": "#1fb6ff",        # the one accent colour
    "accent_deep": "#0b7fc2",
    "accent_dark": "#075a8c",
    "glyph": "#9aa1ab",         # icon strokes, idle
    "glyph_hot": "#ffffff",
    "danger": "#d9434a",        # close button hover
    "warn": "#ffb020",          # warning dialog glyph
}
P = {k: hexrgb(v) for k, v in PAL.items()}

WINDOW_W, WINDOW_H = 1200, 524
WARN_W, WARN_H = 440, 228

# --------------------------------------------------------------------------
# Layout grid.  (section, key) -> (image name, x, y, w, h).
# The language files add the caption (text field) to each item.
# --------------------------------------------------------------------------

MODE_TOP = 96          # top slot of the mode list; rows are 37 px apart
MODE_STEP = 37
PANEL_X = 272          # left edge of the effect panel's content

ITEMS = {}


def _item(section, key, name, x, y, w, h):
    ITEMS[(section, key)] = (name, x, y, w, h)


# Title strip: profiles, language, minimise, close.
_item("MAIN", "1", "btn_min", 1110, 8, 40, 32)
_item("MAIN", "2", "btn_close", 1152, 8, 40, 32)
_item("MAIN", "3", "btn_lang", 968, 9, 128, 30)
for _i in range(4):
    _item("MAIN", str(21 + _i), "tab_profile", 400 + _i * 102, 10, 96, 28)
# Footer of the effect panel: reset and apply.
FOOTER_Y = 460
_item("MAIN", "4", "btn_apply", 1024, FOOTER_Y, 150, 34)
_item("MAIN", "5", "btnPng_ico_reset", 862, FOOTER_Y, 150, 34)
# Global switches under the mode list.
_item("MAIN", "7", "btnPng_ico_power", 94, 418, 150, 34)
_item("MAIN", "6", "btnPng_ico_music", 94, FOOTER_Y, 150, 34)
# The external-sync switch is created hidden and never shown; it shares the
# place of the app-link switch, which only the external-sync display shows.
_item("MAIN", "8", "btnPng_ico_sync", 644, FOOTER_Y, 150, 34)
_item("MAIN", "9", "btnPng_ico_link", 644, FOOTER_Y, 150, 34)
# Device group tiles: the program stacks the available ones 85 px apart
# under item 11; items 12 to 14 only lend their faces.
_item("MAIN", "11", "group_dram", 2, 60, 80, 80)
_item("MAIN", "12", "group_ssd", 2, 145, 80, 80)
_item("MAIN", "13", "group_dram", 2, 230, 80, 80)
_item("MAIN", "14", "group_dram", 2, 315, 80, 80)

# Mode list: item k+1 is mode k.  Mode 0 is never listed; item 2 (mode 1) is
# the top slot the list scrolls through.  Each item carries the slot it
# occupies with the list scrolled to the top, or, past the eighth mode, the
# last slot it reaches when the list is scrolled down to it.
_item("LED", "1", "mode_item", 94, MODE_TOP, 134, 34)
for _m in range(1, 15):
    _item("LED", str(_m + 1), "mode_item", 94, MODE_TOP + min(_m - 1, 7) * MODE_STEP, 134, 34)
_item("LED", "21", "sl_modes", 234, MODE_TOP, 8, 7 * MODE_STEP + 34)

# Parameter row, beside the panel title: speed (or music sensitivity) and
# the two-way direction choice.
_item("LED", "27", "sl_speed", 700, 73, 180, 16)
_item("LED", "29", "sl_level", 700, 73, 180, 16)
_item("LED", "61", "seg_left", 984, 66, 96, 30)
_item("LED", "62", "seg_right", 1080, 66, 96, 30)
# Colour zones row.
ZONES_Y = 176
for _i in range(8):
    _item("LED", str(41 + _i), "swatch_slot", PANEL_X + _i * 114, ZONES_Y, 104, 34)
_item("LED", "63", "btnPng_ico_same", 1024, 132, 150, 34)
# Colour editor: hue dial, five slider rows, three decimal fields, presets
# and the hexadecimal field.
EDITOR_TOP = 248
ROW_STEP = 32
_item("LED", "28", "knob_hue", PANEL_X, 242, 160, 160)
for _i, _n in enumerate(["sl_red", "sl_green", "sl_blue", "sl_sat", "sl_val"]):
    _item("LED", str(22 + _i), _n, 552, EDITOR_TOP + _i * ROW_STEP + 4, 280, 16)
for _i, _n in enumerate(["edit_r", "edit_g", "edit_b"]):
    _item("LED", str(31 + _i), _n, 846, EDITOR_TOP + _i * ROW_STEP + 2, 48, 20)
for _i in range(5):
    _item("LED", str(51 + _i), "swatch_preset", 924 + _i * 42, 278, 30, 30)
_item("LED", "34", "edit_hex", 964, 331, 104, 20)

# Warning dialog.
_item("WARN", "1", "btnPng_ico_exit", 64, 168, 150, 34)
_item("WARN", "2", "btnPng_ico_retry", 226, 168, 150, 34)

# Text placements: (section, key) -> (x, y, w, h).  None of them overlaps a
# control, so repainting them never paints over a child window.
TEXTS = {
    ("LED_TEXT", "1"): (100, 60, 140, 30),       # mode list heading
    ("LED_TEXT", "2"): (286, 64, 296, 34),       # panel title: mode / music / sync
    ("LED_TEXT", "4"): (592, 66, 104, 30),       # speed
    ("LED_TEXT", "22"): (592, 66, 104, 30),      # music sensitivity
    ("LED_TEXT", "23"): (680, 93, 56, 12),       # small: low end of sensitivity
    ("LED_TEXT", "24"): (844, 93, 56, 12),       # small: high end
    ("LED_TEXT", "6"): (904, 66, 80, 30),        # direction
    ("LED_TEXT", "3"): (PANEL_X, 134, 400, 30),  # colour zones heading
    ("LED_TEXT", "7"): (456, EDITOR_TOP + 0 * ROW_STEP, 92, 24),
    ("LED_TEXT", "8"): (456, EDITOR_TOP + 1 * ROW_STEP, 92, 24),
    ("LED_TEXT", "9"): (456, EDITOR_TOP + 2 * ROW_STEP, 92, 24),
    ("LED_TEXT", "10"): (456, EDITOR_TOP + 3 * ROW_STEP, 92, 24),
    ("LED_TEXT", "11"): (456, EDITOR_TOP + 4 * ROW_STEP, 92, 24),
    ("LED_TEXT", "12"): (PANEL_X, 404, 160, 16),  # small: under the hue dial
    ("LED_TEXT", "5"): (924, 244, 250, 24),      # presets
    ("LED_TEXT", "16"): (914, 331, 48, 20),      # small: beside the hex field
    ("MAIN_TEXT", "VER"): (226, 15, 84, 18),     # version badge
    ("WARN_TEXT", "1"): (20, 28, 400, 120),
}

# Picture placements: (section, key) -> (file under skins\Pic\, x, y, w, h).
PICS = {
    ("MAINPIC", "1"): ("spectrum_line.png", 0, 46, WINDOW_W, 2),
    ("MAINPIC", "2"): ("brand.png", 16, 10, 200, 28),
    ("MAINPIC", "3"): ("module_art.png", 10, 316, 64, 190),
    ("MAINPIC", "5"): ("sync_badge.png", PANEL_X, FOOTER_Y + 1, 32, 32),
    ("MAINPIC", "6"): ("sync_strip.png", PANEL_X + 40, FOOTER_Y, 320, 34),
    # Never drawn; only marks the same area for repainting.
    ("MAINPIC", "7"): ("sync_strip.png", PANEL_X + 40, FOOTER_Y, 320, 34),
}

BACKGROUNDS = {"Main": "bg_main.bmp", "Main2": "bg_warn.bmp"}
MENUS = {"Device": (150, 24), "Len": (128, 20)}   # width, row height

# Panels painted into the main background: (x, y, w, h).
CARD_MODES = (88, 56, 162, 342)
CARD_SWITCHES = (88, 406, 162, 106)
CARD_PANEL = (256, 56, 936, 456)
DIVIDERS_Y = (120, 444)


# --------------------------------------------------------------------------
# Drawing helpers
# --------------------------------------------------------------------------

def surface(w, h):
    return cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)


def rrect(ctx, x, y, w, h, r):
    r = min(r, w / 2.0, h / 2.0)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def rrect_sides(ctx, x, y, w, h, rl, rr):
    """Rounded rectangle with separate left and right corner radii."""
    ctx.new_sub_path()
    if rr:
        ctx.arc(x + w - rr, y + rr, rr, -math.pi / 2, 0)
        ctx.arc(x + w - rr, y + h - rr, rr, 0, math.pi / 2)
    else:
        ctx.move_to(x + w, y)
        ctx.line_to(x + w, y + h)
    if rl:
        ctx.arc(x + rl, y + h - rl, rl, math.pi / 2, math.pi)
        ctx.arc(x + rl, y + rl, rl, math.pi, 3 * math.pi / 2)
    else:
        ctx.line_to(x, y + h)
        ctx.line_to(x, y)
    ctx.close_path()


def vgrad(y0, y1, c0, c1, a0=1.0, a1=None):
    g = cairo.LinearGradient(0, y0, 0, y1)
    g.add_color_stop_rgba(0, *c0, a0)
    g.add_color_stop_rgba(1, *c1, a0 if a1 is None else a1)
    return g


def hsv(h, s, v):
    h = (h % 360.0) / 60.0
    i = int(h)
    f = h - i
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    return [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]


def clamp01(x):
    return 0.0 if x < 0 else 1.0 if x > 1 else x


def pixel_surface(w, h, fn):
    """ARGB32 surface whose pixel (x, y) is fn(x + .5, y + .5) -> (r, g, b, a) or None."""
    s = surface(w, h)
    s.flush()
    stride = s.get_stride()
    buf = s.get_data()
    for y in range(h):
        row = y * stride
        for x in range(w):
            px = fn(x + 0.5, y + 0.5)
            if px is None:
                continue
            r, g, b, a = px
            if a <= 0:
                continue
            a = clamp01(a)
            o = row + x * 4
            buf[o] = int(round(clamp01(b) * a * 255))
            buf[o + 1] = int(round(clamp01(g) * a * 255))
            buf[o + 2] = int(round(clamp01(r) * a * 255))
            buf[o + 3] = int(round(a * 255))
    s.mark_dirty()
    return s


def crop(src, x, y, w, h):
    s = surface(w, h)
    c = cairo.Context(s)
    c.set_source_surface(src, -x, -y)
    c.paint()
    return s


def etched_hline(ctx, x0, x1, y):
    ctx.set_line_width(1)
    ctx.set_source_rgb(*P["etch_dark"])
    ctx.move_to(x0, y + 0.5)
    ctx.line_to(x1, y + 0.5)
    ctx.stroke()
    ctx.set_source_rgb(*P["etch_light"])
    ctx.move_to(x0, y + 1.5)
    ctx.line_to(x1, y + 1.5)
    ctx.stroke()


def set_font(ctx, size, bold=False):
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------

def save_png(s, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    s.write_to_png(path)


def save_bmp(s, path):
    """24-bit bottom-up BMP, as the platform picture loader reads it."""
    w, h = s.get_width(), s.get_height()
    flat = surface(w, h)                # flatten on black: backgrounds are opaque anyway
    c = cairo.Context(flat)
    c.set_source_rgb(0, 0, 0)
    c.paint()
    c.set_source_surface(s, 0, 0)
    c.paint()
    flat.flush()
    data = bytes(flat.get_data())
    stride = flat.get_stride()
    row_len = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = data[y * stride:y * stride + w * 4]
        out = bytearray(row_len)
        out[0:w * 3:3] = row[0::4]
        out[1:w * 3:3] = row[1::4]
        out[2:w * 3:3] = row[2::4]
        pixels += out
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


# --------------------------------------------------------------------------
# Emblem (shared with generate_resources.py for the program icon)
# --------------------------------------------------------------------------

def draw_emblem(ctx, x, y, size, plate=True):
    """The program's emblem: a graphite tile carrying a spectrum chevron."""
    s = float(size)
    if plate:
        rrect(ctx, x, y, s, s, s * 0.24)
        ctx.set_source(vgrad(y, y + s, hexrgb("#2c3139"), hexrgb("#121418")))
        ctx.fill_preserve()
        ctx.set_line_width(max(1.0, s / 32.0))
        ctx.set_source_rgba(1, 1, 1, 0.10)
        ctx.stroke()
    # Chevron: two strokes meeting low in the tile.
    lw = s * (0.17 if s >= 24 else 0.2)
    pts = [(x + s * 0.22, y + s * 0.27), (x + s * 0.5, y + s * 0.75), (x + s * 0.78, y + s * 0.27)]
    g = cairo.LinearGradient(x + s * 0.2, y, x + s * 0.8, y)
    g.add_color_stop_rgb(0.0, *hexrgb("#1fe0ff"))
    g.add_color_stop_rgb(0.5, *hexrgb("#3a7bff"))
    g.add_color_stop_rgb(1.0, *hexrgb("#d14dff"))
    if s >= 24:     # soft glow under the chevron
        ctx.save()
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        for k, alpha in ((2.6, 0.06), (1.9, 0.10), (1.4, 0.14)):
            ctx.move_to(*pts[0])
            ctx.line_to(*pts[1])
            ctx.line_to(*pts[2])
            ctx.set_line_width(lw * k)
            ctx.set_source_rgba(0.25, 0.55, 1.0, alpha)
            ctx.stroke()
        ctx.restore()
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.move_to(*pts[0])
    ctx.line_to(*pts[1])
    ctx.line_to(*pts[2])
    ctx.set_line_width(lw)
    ctx.set_source(g)
    ctx.stroke()
    if s >= 32:     # crisp highlight along the upper edge of the strokes
        ctx.move_to(pts[0][0], pts[0][1] - lw * 0.18)
        ctx.line_to(pts[1][0], pts[1][1] - lw * 0.25)
        ctx.line_to(pts[2][0], pts[2][1] - lw * 0.18)
        ctx.set_line_width(max(1.0, lw * 0.16))
        ctx.set_source_rgba(1, 1, 1, 0.35)
        ctx.stroke()


# --------------------------------------------------------------------------
# Glyphs for icons (drawn on a 16 x 16 grid, scaled as needed)
# --------------------------------------------------------------------------

def circular_arrow(ctx, col, clockwise):
    """Open circle with an arrow head at its top end: counter-clockwise (reset)
    or, mirrored, clockwise (retry)."""
    ctx.save()
    if clockwise:
        ctx.translate(16, 0)
        ctx.scale(-1, 1)
    cx, cy, r = 8, 8.6, 5.0
    a0 = math.radians(-80)
    ctx.set_line_width(1.7)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_source_rgba(*col)
    ctx.arc(cx, cy, r, a0 + math.radians(14), math.radians(195))
    ctx.stroke()
    px, py = cx + r * math.cos(a0), cy + r * math.sin(a0)
    dx, dy = math.sin(a0), -math.cos(a0)        # direction of travel at the head
    nx, ny = math.cos(a0), math.sin(a0)         # outward normal
    ctx.move_to(px + dx * 3.6, py + dy * 3.6)
    ctx.line_to(px - dx * 0.6 + nx * 2.9, py - dy * 0.6 + ny * 2.9)
    ctx.line_to(px - dx * 0.6 - nx * 2.9, py - dy * 0.6 - ny * 2.9)
    ctx.close_path()
    ctx.fill()
    ctx.restore()


def glyph_reset(ctx, col):
    circular_arrow(ctx, col, clockwise=False)
    ctx.set_source_rgba(*col)
    ctx.arc(8, 8.6, 1.3, 0, 2 * math.pi)
    ctx.fill()


def glyph_power(ctx, col):
    ctx.set_line_width(1.8)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_source_rgba(*col)
    ctx.arc(8, 8.8, 5.4, math.radians(-55), math.radians(235))
    ctx.stroke()
    ctx.move_to(8, 1.8)
    ctx.line_to(8, 8)
    ctx.stroke()


def glyph_music(ctx, col):
    ctx.set_source_rgba(*col)
    ctx.set_line_width(1.6)
    ctx.move_to(6.2, 12.5)
    ctx.line_to(6.2, 3.2)
    ctx.line_to(13.2, 1.8)
    ctx.line_to(13.2, 11)
    ctx.stroke()
    for cx, cy in ((4.3, 12.6), (11.3, 11.1)):
        ctx.save()
        ctx.translate(cx, cy)
        ctx.scale(2.3, 1.8)
        ctx.arc(0, 0, 1, 0, 2 * math.pi)
        ctx.restore()
        ctx.fill()
    ctx.move_to(6.2, 5.6)
    ctx.line_to(13.2, 4.2)
    ctx.stroke()


def glyph_link(ctx, col):
    ctx.set_source_rgba(*col)
    ctx.set_line_width(1.7)
    ctx.save()
    ctx.translate(8, 8)
    ctx.rotate(math.radians(-45))
    rrect(ctx, -7.2, -2.6, 8.2, 5.2, 2.6)
    ctx.stroke()
    rrect(ctx, -1.0, -2.6, 8.2, 5.2, 2.6)
    ctx.stroke()
    ctx.restore()


def glyph_sync(ctx, col):
    ctx.set_source_rgba(*col)
    ctx.set_line_width(1.6)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.arc(8, 8, 5.2, math.radians(200), math.radians(340))
    ctx.stroke()
    ctx.arc(8, 8, 5.2, math.radians(20), math.radians(160))
    ctx.stroke()
    for ang, d in ((340, 1), (160, 1)):
        a = math.radians(ang)
        px, py = 8 + 5.2 * math.cos(a), 8 + 5.2 * math.sin(a)
        tx, ty = -math.sin(a), math.cos(a)      # tangent (direction of travel)
        ctx.move_to(px + tx * 2.6, py + ty * 2.6)
        ctx.line_to(px - ty * 2.0 * d, py + tx * 2.0 * d)
        ctx.line_to(px + ty * 2.0 * d, py - tx * 2.0 * d)
        ctx.close_path()
        ctx.fill()


def glyph_exit(ctx, col):
    ctx.set_source_rgba(*col)
    ctx.set_line_width(1.7)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.move_to(9.5, 2.5)
    ctx.line_to(3, 2.5)
    ctx.line_to(3, 13.5)
    ctx.line_to(9.5, 13.5)
    ctx.stroke()
    ctx.move_to(6.5, 8)
    ctx.line_to(14, 8)
    ctx.stroke()
    ctx.move_to(11.2, 5.2)
    ctx.line_to(14, 8)
    ctx.line_to(11.2, 10.8)
    ctx.stroke()


def glyph_retry(ctx, col):
    circular_arrow(ctx, col, clockwise=True)


def glyph_check_box(ctx, col, checked):
    if checked:
        rrect(ctx, 1.5, 1.5, 13, 13, 3)
        ctx.set_source_rgba(*P["accent_deep"], 1)
        ctx.fill_preserve()
        ctx.set_source_rgba(*P["accent"], 1)
        ctx.set_line_width(1)
        ctx.stroke()
        ctx.set_source_rgba(1, 1, 1, 1)
        ctx.set_line_width(1.9)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        ctx.move_to(4.6, 8.2)
        ctx.line_to(7, 10.6)
        ctx.line_to(11.6, 5.4)
        ctx.stroke()
    else:
        rrect(ctx, 2, 2, 12, 12, 3)
        ctx.set_source_rgba(0, 0, 0, 0.35)
        ctx.fill_preserve()
        ctx.set_source_rgba(*col)
        ctx.set_line_width(1.3)
        ctx.stroke()


def glyph_globe(ctx, col):
    ctx.set_source_rgba(*col)
    ctx.set_line_width(1.2)
    ctx.arc(8, 8, 6, 0, 2 * math.pi)
    ctx.stroke()
    ctx.save()
    ctx.translate(8, 8)
    ctx.scale(2.6, 6)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    ctx.stroke()
    ctx.move_to(2, 8)
    ctx.line_to(14, 8)
    ctx.stroke()
    ctx.move_to(3.2, 4.8)
    ctx.line_to(12.8, 4.8)
    ctx.move_to(3.2, 11.2)
    ctx.line_to(12.8, 11.2)
    ctx.set_line_width(0.9)
    ctx.stroke()


ICON_GLYPHS = {
    "ico_reset": glyph_reset,
    "ico_power": glyph_power,
    "ico_music": glyph_music,
    "ico_link": glyph_link,
    "ico_sync": glyph_sync,
    "ico_exit": glyph_exit,
    "ico_retry": glyph_retry,
}


def icon_set(name):
    """16 x 16 icon in three looks: idle, hover, latched/pressed."""
    out = {}
    for state in ("normal", "over", "down"):
        s = surface(16, 16)
        c = cairo.Context(s)
        if name == "ico_same":
            col = {"normal": P["glyph"], "over": P["glyph_hot"], "down": P["glyph_hot"]}[state]
            glyph_check_box(c, (*col, 1), state == "down")
        else:
            col = {"normal": P["glyph"], "over": P["glyph_hot"], "down": P["accent"]}[state]
            ICON_GLYPHS[name](c, (*col, 1))
        out[state] = s
    return out


# --------------------------------------------------------------------------
# Button faces
# --------------------------------------------------------------------------

def face_standard(w, h, state, r=6, accent=False):
    """Raised graphite face; 'accent' gives the primary (Apply) variant."""
    s = surface(w, h)
    c = cairo.Context(s)
    x, y, fw, fh = 0.5, 0.5, w - 1.0, h - 1.0
    if accent:
        fills = {
            "normal": (hexrgb("#11324a"), hexrgb("#0c2536"), P["accent_deep"]),
            "over": (hexrgb("#1895dc"), hexrgb("#0c73b0"), hexrgb("#5fd0ff")),
            "down": (hexrgb("#0a4f7a"), hexrgb("#0a4266"), P["accent_deep"]),
            "disable": (P["off_fill"], P["off_fill"], P["off_line"]),
        }
    else:
        fills = {
            "normal": (P["face_top"], P["face_bottom"], P["face_line"]),
            "over": (P["hover_top"], P["hover_bottom"], P["hover_line"]),
            "down": (P["press_top"], P["press_bottom"], P["accent"]),
            "disable": (P["off_fill"], P["off_fill"], P["off_line"]),
        }
    top, bottom, line = fills[state]
    # drop shadow one pixel below
    if state != "down":
        rrect(c, x, y + 1, fw, fh, r)
        c.set_source_rgba(0, 0, 0, 0.35)
        c.fill()
    rrect(c, x, y, fw, fh - (0 if state == "down" else 1), r)
    c.set_source(vgrad(0, h, top, bottom))
    c.fill_preserve()
    c.set_line_width(1)
    c.set_source_rgba(*line, 0.9 if state == "down" else 1)
    c.stroke()
    if state == "down":
        # inset: dark inner shadow at the top, faint accent glow at the bottom
        rrect(c, x + 1, y + 1, fw - 2, fh - 2, r - 1)
        c.clip()
        c.set_source(vgrad(1, 8, (0, 0, 0), (0, 0, 0), 0.55, 0.0))
        c.paint()
        c.set_source(vgrad(h - 10, h, P["accent"], P["accent"], 0.0, 0.22 if not accent else 0.1))
        c.paint()
        c.reset_clip()
    elif state != "disable":
        # 1-px highlight under the top edge
        c.save()
        rrect(c, x, y, fw, fh - 1, r)
        c.clip()
        c.move_to(r, 1.5)
        c.line_to(w - r, 1.5)
        c.set_source_rgba(1, 1, 1, 0.16 if accent and state == "over" else 0.07)
        c.stroke()
        c.restore()
    return s


def glyph_face(w, h, state, kind):
    """Title-strip buttons (minimise, close): a glyph, no caption."""
    s = surface(w, h)
    c = cairo.Context(s)
    bg = {
        "normal": None,
        "over": ((0.25, 0.27, 0.31) if kind == "min" else P["danger"]),
        "down": ((0.16, 0.17, 0.2) if kind == "min" else hexrgb("#a8323a")),
        "disable": None,
    }[state]
    if bg:
        rrect(c, 1, 1, w - 2, h - 2, 6)
        c.set_source_rgb(*bg)
        c.fill()
    col = {"normal": P["glyph"], "over": (1, 1, 1), "down": (0.85, 0.85, 0.88),
           "disable": (0.3, 0.32, 0.35)}[state]
    c.set_source_rgb(*col)
    c.set_line_width(1.6)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    cx, cy = w / 2.0, h / 2.0
    if kind == "min":
        c.move_to(cx - 6, cy + 0.5)
        c.line_to(cx + 6, cy + 0.5)
    else:
        c.move_to(cx - 5, cy - 5)
        c.line_to(cx + 5, cy + 5)
        c.move_to(cx + 5, cy - 5)
        c.line_to(cx - 5, cy + 5)
    c.stroke()
    return s


def lang_face(w, h, state):
    s = face_standard(w, h, state)
    c = cairo.Context(s)
    col = {"normal": P["glyph"], "over": (1, 1, 1), "down": P["accent"],
           "disable": (0.3, 0.32, 0.35)}[state]
    c.save()
    c.translate(9, (h - 16) / 2.0)
    glyph_globe(c, (*col, 1))
    c.restore()
    # caret
    c.set_source_rgb(*col)
    c.move_to(w - 20, h / 2.0 - 2)
    c.line_to(w - 12, h / 2.0 - 2)
    c.line_to(w - 16, h / 2.0 + 2.5)
    c.close_path()
    c.fill()
    return s


def segment_face(w, h, state, side):
    """One half of the two-way (direction) segmented control."""
    s = surface(w, h)
    c = cairo.Context(s)
    rl, rr = (6, 0) if side == "left" else (0, 6)
    x0 = 0.5
    fw = w - 1.0 if side == "right" else w - 0.5
    fills = {
        "normal": (P["face_top"], P["face_bottom"], P["face_line"]),
        "over": (P["hover_top"], P["hover_bottom"], P["hover_line"]),
        "down": (hexrgb("#1590d4"), hexrgb("#0b6aa3"), P["accent"]),
        "disable": (P["off_fill"], P["off_fill"], P["off_line"]),
    }
    top, bottom, line = fills[state]
    rrect_sides(c, x0, 0.5, fw, h - 1.0, rl, rr)
    c.set_source(vgrad(0, h, top, bottom))
    c.fill_preserve()
    c.set_source_rgb(*line)
    c.set_line_width(1)
    c.stroke()
    if state in ("normal", "over"):
        c.move_to(x0 + rl + 1, 1.5)
        c.line_to(x0 + fw - rr - 1, 1.5)
        c.set_source_rgba(1, 1, 1, 0.07)
        c.stroke()
    elif state == "down":
        c.move_to(x0 + rl + 1, 1.5)
        c.line_to(x0 + fw - rr - 1, 1.5)
        c.set_source_rgba(1, 1, 1, 0.25)
        c.stroke()
    return s


def tab_face(w, h, state):
    s = surface(w, h)
    c = cairo.Context(s)
    fills = {
        "normal": (hexrgb("#1d2025"), hexrgb("#191b20"), hexrgb("#2a2e35")),
        "over": (hexrgb("#262a30"), hexrgb("#1f2227"), hexrgb("#3a4049")),
        "down": (hexrgb("#123047"), hexrgb("#0e2232"), hexrgb("#1d6f9f")),
        "disable": (P["off_fill"], P["off_fill"], P["off_line"]),
    }
    top, bottom, line = fills[state]
    rrect(c, 0.5, 0.5, w - 1, h - 1, 6)
    c.set_source(vgrad(0, h, top, bottom))
    c.fill_preserve()
    c.set_source_rgb(*line)
    c.set_line_width(1)
    c.stroke()
    if state == "down":
        c.save()
        rrect(c, 0.5, 0.5, w - 1, h - 1, 6)
        c.clip()
        c.rectangle(10, h - 3, w - 20, 2)
        c.set_source_rgb(*P["accent"])
        c.fill()
        c.set_source(vgrad(h - 12, h, P["accent"], P["accent"], 0.0, 0.18))
        c.rectangle(0, h - 12, w, 12)
        c.fill()
        c.restore()
    elif state != "disable":
        c.move_to(7, 1.5)
        c.line_to(w - 7, 1.5)
        c.set_source_rgba(1, 1, 1, 0.05)
        c.stroke()
    return s


def mode_face(w, h, state):
    """Row of the effect list: quiet when idle, lit accent bar when chosen."""
    s = surface(w, h)
    c = cairo.Context(s)
    if state == "normal":
        rrect(c, 0.5, 0.5, w - 1, h - 1, 6)
        c.set_source_rgba(1, 1, 1, 0.025)
        c.fill_preserve()
        c.set_source_rgba(1, 1, 1, 0.04)
        c.set_line_width(1)
        c.stroke()
    elif state == "over":
        rrect(c, 0.5, 0.5, w - 1, h - 1, 6)
        c.set_source(vgrad(0, h, P["hover_top"], P["hover_bottom"]))
        c.fill_preserve()
        c.set_source_rgba(*P["hover_line"], 0.8)
        c.set_line_width(1)
        c.stroke()
    elif state == "down":
        rrect(c, 0.5, 0.5, w - 1, h - 1, 6)
        g = cairo.LinearGradient(0, 0, w, 0)
        g.add_color_stop_rgba(0, *hexrgb("#135d8a"), 1)
        g.add_color_stop_rgba(0.55, *hexrgb("#11324a"), 1)
        g.add_color_stop_rgba(1, *hexrgb("#10273a"), 1)
        c.set_source(g)
        c.fill_preserve()
        c.set_source_rgba(*P["accent"], 0.55)
        c.set_line_width(1)
        c.stroke()
        rrect(c, 3, 7, 3, h - 14, 1.5)
        c.set_source_rgb(*P["accent"])
        c.fill()
        # glow of the bar
        g = cairo.RadialGradient(4.5, h / 2.0, 0, 4.5, h / 2.0, 14)
        g.add_color_stop_rgba(0, *P["accent"], 0.35)
        g.add_color_stop_rgba(1, *P["accent"], 0)
        c.set_source(g)
        c.rectangle(0, 0, 20, h)
        c.fill()
    else:   # disable: a faint outline only
        rrect(c, 0.5, 0.5, w - 1, h - 1, 6)
        c.set_source_rgba(1, 1, 1, 0.03)
        c.set_line_width(1)
        c.stroke()
    return s


def draw_chip_glyph(c, cx, cy, kind, col):
    """Line-art device glyphs for the group tiles: a memory module or a drive."""
    c.set_source_rgb(*col)
    c.set_line_width(1.4)
    if kind == "dram":
        w, h = 46, 20
        x, y = cx - w / 2.0, cy - h / 2.0
        rrect(c, x, y, w, h, 2)
        c.stroke()
        for i in range(4):      # memory chips
            c.rectangle(x + 4 + i * 10.5, y + 4, 7.5, 8)
        for i in range(11):     # contact row, split by the key notch
            if i != 5:
                c.rectangle(x + 3 + i * 3.8, y + h - 4, 2, 3)
        c.fill()
    else:
        w, h = 44, 16
        x, y = cx - w / 2.0, cy - h / 2.0
        rrect(c, x, y, w, h, 2)
        c.stroke()
        c.rectangle(x + 5, y + 4, 14, 8)        # controller
        c.rectangle(x + 22, y + 4, 8, 8)        # flash packages
        c.rectangle(x + 32, y + 4, 8, 8)
        c.fill()
        c.arc(x + w + 0.5, cy, 2.2, 0, 2 * math.pi)
        c.stroke()


def group_face(w, h, state, kind):
    """Device group tile: device glyph on top, caption band at the bottom.

    The program writes the caption in black while the tile is idle or
    hovered and in white while it is chosen, so the band is light when idle
    and accent-blue when chosen."""
    s = surface(w, h)
    c = cairo.Context(s)
    band_y = 56
    card = {
        "normal": (hexrgb("#1e2126"), hexrgb("#17191d"), hexrgb("#2c3139")),
        "over": (hexrgb("#262a30"), hexrgb("#1d2025"), hexrgb("#454d58")),
        "down": (hexrgb("#12324a"), hexrgb("#0d2133"), P["accent"]),
        "disable": (P["off_fill"], P["off_fill"], P["off_line"]),
    }[state]
    band = {
        "normal": (hexrgb("#a3aab4"), hexrgb("#8e96a1")),
        "over": (hexrgb("#d2d8e0"), hexrgb("#b9c0ca")),
        "down": (hexrgb("#1aa3ea"), hexrgb("#0b78b8")),
        "disable": (hexrgb("#24272c"), hexrgb("#202328")),
    }[state]
    glyph = {"normal": P["glyph"], "over": (0.92, 0.94, 0.97), "down": (1, 1, 1),
             "disable": (0.3, 0.32, 0.35)}[state]
    rrect(c, 0.5, 0.5, w - 1, h - 1, 8)
    c.set_source(vgrad(0, h, card[0], card[1]))
    c.fill_preserve()
    c.save()
    c.clip_preserve()
    c.new_path()
    c.rectangle(0, band_y, w, h - band_y)
    c.set_source(vgrad(band_y, h, band[0], band[1]))
    c.fill()
    if state == "down":
        g = cairo.RadialGradient(w / 2.0, 32, 2, w / 2.0, 32, 40)
        g.add_color_stop_rgba(0, *P["accent"], 0.28)
        g.add_color_stop_rgba(1, *P["accent"], 0)
        c.set_source(g)
        c.rectangle(0, 0, w, band_y)
        c.fill()
    c.restore()
    rrect(c, 0.5, 0.5, w - 1, h - 1, 8)
    c.set_source_rgb(*card[2])
    c.set_line_width(1)
    c.stroke()
    if state != "disable":
        c.move_to(8, 1.5)
        c.line_to(w - 8, 1.5)
        c.set_source_rgba(1, 1, 1, 0.08)
        c.stroke()
    draw_chip_glyph(c, w / 2.0, 30, kind, glyph)
    return s


# --------------------------------------------------------------------------
# Sliders, knob, swatches, fields
# --------------------------------------------------------------------------

SLIDER_FILLS = {
    "sl_red": [(0, "#2a0b0b"), (1, "#ff3b3b")],
    "sl_green": [(0, "#0b2a12"), (1, "#33e36b")],
    "sl_blue": [(0, "#0b152e"), (1, "#3b7bff")],
    "sl_sat": [(0, "#6d737c"), (1, "#1fb6ff")],
    "sl_val": [(0, "#0d0e10"), (1, "#f2f4f7")],
    "sl_speed": [(0, "#075a8c"), (1, "#1fb6ff")],
    "sl_level": [(0, "#0b6aa3"), (0.7, "#1fb6ff"), (1, "#8fe0ff")],
}


def slider_track(name, w, h, state):
    """Horizontal track; 'down' is the filled part left of the thumb."""
    s = surface(w, h)
    c = cairo.Context(s)
    gy, gh = h / 2.0 - 2.5, 5.0        # groove
    x0, gw = 3.0, w - 6.0
    stops = SLIDER_FILLS[name]

    def fill_grad(alpha):
        g = cairo.LinearGradient(x0, 0, x0 + gw, 0)
        for pos, col in stops:
            g.add_color_stop_rgba(pos, *hexrgb(col), alpha)
        return g

    # well with a 1-px light lip underneath
    rrect(c, x0 - 0.5, gy - 0.5, gw + 1, gh + 2, 3)
    c.set_source_rgba(1, 1, 1, 0.06)
    c.fill()
    rrect(c, x0, gy, gw, gh, 2.5)
    c.set_source_rgb(*P["well"])
    c.fill()
    if state == "normal":
        rrect(c, x0 + 1, gy + 1, gw - 2, gh - 2, 1.5)
        c.set_source(fill_grad(0.16))
        c.fill()
    elif state == "down":
        # soft glow then the lit core
        rrect(c, x0 - 1, gy - 2, gw + 2, gh + 4, 4.5)
        c.set_source(fill_grad(0.18))
        c.fill()
        rrect(c, x0 + 0.5, gy + 0.5, gw - 1, gh - 1, 2)
        c.set_source(fill_grad(1.0))
        c.fill()
        c.move_to(x0 + 2, gy + 1.2)
        c.line_to(x0 + gw - 2, gy + 1.2)
        c.set_source_rgba(1, 1, 1, 0.25)
        c.set_line_width(0.8)
        c.stroke()
    if name == "sl_speed":      # five stops of the speed scale
        for k in range(5):
            tx = 8 + k * (w - 16) / 4.0
            c.arc(tx, h / 2.0, 1.6, 0, 2 * math.pi)
            c.set_source_rgba(1, 1, 1, 0.55 if state == "down" else 0.28)
            c.fill()
    return s


def slider_thumb(state, size=16):
    s = surface(size, size)
    c = cairo.Context(s)
    r = size / 2.0
    c.arc(r, r + 0.6, r - 0.5, 0, 2 * math.pi)
    c.set_source_rgba(0, 0, 0, 0.45)
    c.fill()
    body = {"normal": (hexrgb("#f4f6f9"), hexrgb("#c3c8d0")),
            "over": ((1, 1, 1), hexrgb("#dfe4ea")),
            "down": (hexrgb("#e9f7ff"), hexrgb("#bfe6fb")),
            "disable": (hexrgb("#4a4e55"), hexrgb("#3a3d42"))}[state]
    c.arc(r, r, r - 1.5, 0, 2 * math.pi)
    c.set_source(vgrad(1, size - 1, body[0], body[1]))
    c.fill()
    if state == "over":
        c.arc(r, r, r - 1.5, 0, 2 * math.pi)
        c.set_source_rgba(*P["accent"], 1)
        c.set_line_width(1.5)
        c.stroke()
    elif state == "down":
        c.arc(r, r, r - 4.5, 0, 2 * math.pi)
        c.set_source_rgb(*P["accent"])
        c.fill()
    else:
        c.arc(r, r, 2, 0, 2 * math.pi)
        c.set_source_rgba(0, 0, 0, 0.18)
        c.fill()
    return s


def vscroll_track(w, h):
    s = surface(w, h)
    c = cairo.Context(s)
    rrect(c, w / 2.0 - 1.5, 2, 3, h - 4, 1.5)
    c.set_source_rgb(*P["well"])
    c.fill()
    rrect(c, w / 2.0 - 1.5, 2, 3, h - 4, 1.5)
    c.set_source_rgba(1, 1, 1, 0.05)
    c.set_line_width(1)
    c.stroke()
    return s


def vscroll_thumb(w, h, state):
    s = surface(w, h)
    c = cairo.Context(s)
    col = {"normal": (hexrgb("#4a515c"), hexrgb("#3b414a")),
           "over": (hexrgb("#6b7583"), hexrgb("#58616d")),
           "down": (P["accent"], P["accent_deep"]),
           "disable": (hexrgb("#2a2d32"), hexrgb("#25282c"))}[state]
    rrect(c, 1, 0.5, w - 2, h - 1, (w - 2) / 2.0)
    c.set_source(vgrad(0, h, col[0], col[1]))
    c.fill()
    return s


def knob_dial(bg, x, y, size):
    """Hue dial carrying its own piece of the window background (opaque)."""
    s = crop(bg, x, y, size, size)
    c = cairo.Context(s)
    cx = cy = size / 2.0
    R = (size - 26) // 2            # radius the program moves the thumb on
    ring_in, ring_out = R - 6.5, R + 6.5

    # outer shadow and bezel
    g = cairo.RadialGradient(cx, cy + 1.5, ring_out - 2, cx, cy + 1.5, ring_out + 6)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.55)
    g.add_color_stop_rgba(1, 0, 0, 0, 0)
    c.set_source(g)
    c.arc(cx, cy + 1.5, ring_out + 6, 0, 2 * math.pi)
    c.fill()
    c.arc(cx, cy, ring_out + 2.5, 0, 2 * math.pi)
    c.set_source(vgrad(cy - ring_out, cy + ring_out, hexrgb("#2f343c"), hexrgb("#16181c")))
    c.fill()

    # the colour wheel: hue grows counter-clockwise from 3 o'clock,
    # the way the dial reports its value
    def ring(px, py):
        dx, dy = px - cx, py - cy
        d = math.hypot(dx, dy)
        cov = clamp01(ring_out - d + 0.5) * clamp01(d - ring_in + 0.5)
        if cov <= 0:
            return None
        hue = math.degrees(math.atan2(-dy, dx)) % 360.0
        r, gg, b = hsv(hue, 1.0, 1.0)
        t = (d - ring_in) / (ring_out - ring_in)      # 0 inner .. 1 outer
        shade = 0.80 + 0.20 * math.sin(t * math.pi)   # rounded, tube-like
        return (r * shade, gg * shade, b * shade, cov)

    c.set_source_surface(pixel_surface(size, size, ring), 0, 0)
    c.paint()
    # fine separation lines around the wheel
    c.set_line_width(1)
    c.arc(cx, cy, ring_out + 0.5, 0, 2 * math.pi)
    c.set_source_rgba(0, 0, 0, 0.6)
    c.stroke()
    c.arc(cx, cy, ring_in - 0.5, 0, 2 * math.pi)
    c.set_source_rgba(0, 0, 0, 0.7)
    c.stroke()

    # hub
    hub = ring_in - 4
    c.arc(cx, cy, hub, 0, 2 * math.pi)
    c.set_source(vgrad(cy - hub, cy + hub, hexrgb("#2a2e35"), hexrgb("#15171b")))
    c.fill()
    c.arc(cx, cy, hub - 0.5, math.radians(200), math.radians(340))
    c.set_source_rgba(1, 1, 1, 0.12)
    c.stroke()
    # scale ticks every 30 degrees on the hub rim
    for k in range(12):
        a = math.radians(k * 30)
        r0, r1 = hub - 7, hub - 3
        c.move_to(cx + r0 * math.cos(a), cy - r0 * math.sin(a))
        c.line_to(cx + r1 * math.cos(a), cy - r1 * math.sin(a))
    c.set_line_width(1.2)
    c.set_source_rgba(1, 1, 1, 0.22)
    c.stroke()
    # bezel for the centre light the program draws (24 px, red)
    c.arc(cx, cy, 16, 0, 2 * math.pi)
    c.set_source(vgrad(cy - 16, cy + 16, hexrgb("#0b0c0e"), hexrgb("#262a30")))
    c.fill()
    c.arc(cx, cy, 13.5, 0, 2 * math.pi)
    c.set_source_rgb(*hexrgb("#08090b"))
    c.fill()
    c.arc(cx, cy, 16, math.radians(20), math.radians(160))
    c.set_source_rgba(1, 1, 1, 0.10)
    c.stroke()
    return s


def knob_thumb(size=20):
    s = surface(size, size)
    c = cairo.Context(s)
    r = size / 2.0
    c.arc(r, r + 0.5, r - 0.5, 0, 2 * math.pi)
    c.set_source_rgba(0, 0, 0, 0.5)
    c.set_line_width(1.5)
    c.stroke()
    c.arc(r, r, r - 2.5, 0, 2 * math.pi)
    c.set_source_rgba(1, 1, 1, 1)
    c.set_line_width(3)
    c.stroke()
    c.arc(r, r, r - 4.5, 0, 2 * math.pi)
    c.set_source_rgba(0, 0, 0, 0.35)
    c.set_line_width(1)
    c.stroke()
    return s


def knob_mask(size):
    """Window shape of the dial: black inside, pure white outside."""
    s = cairo.ImageSurface(cairo.FORMAT_RGB24, size, size)
    c = cairo.Context(s)
    c.set_antialias(cairo.ANTIALIAS_NONE)
    c.set_source_rgb(1, 1, 1)
    c.paint()
    c.arc(size / 2.0, size / 2.0, size / 2.0 - 1, 0, 2 * math.pi)
    c.set_source_rgb(0, 0, 0)
    c.fill()
    return s


def swatch_slot(state, w=104, h=34):
    """Grey-scale colour slot; the program multiplies it by the slot colour.

    Dark plate on the left (the caption sits there in white), bright chip on
    the right; the chosen slot gets a ring that lights up in its colour."""
    s = surface(w, h)
    c = cairo.Context(s)
    plate = 0.20 if state == "down" else 0.15
    rrect(c, 0.5, 0.5, w - 1, h - 1, 7)
    c.set_source(vgrad(0, h, (plate + 0.05,) * 3, (plate - 0.02,) * 3))
    c.fill_preserve()
    if state == "down":
        c.set_source_rgb(1, 1, 1)
        c.set_line_width(2)
        rrect(c, 1, 1, w - 2, h - 2, 6.5)
        c.stroke()
    else:
        c.set_source_rgb(0.30, 0.30, 0.30)
        c.set_line_width(1)
        c.stroke()
    # colour chip
    cx0, cy0, cw, ch = w - 42, 7, 34, h - 14
    rrect(c, cx0 - 1, cy0 - 1, cw + 2, ch + 2, 5)
    c.set_source_rgba(0, 0, 0, 0.55)
    c.fill()
    rrect(c, cx0, cy0, cw, ch, 4)
    c.set_source(vgrad(cy0, cy0 + ch, (1, 1, 1), (0.80, 0.80, 0.80)))
    c.fill()
    c.move_to(cx0 + 3, cy0 + 1.5)
    c.line_to(cx0 + cw - 3, cy0 + 1.5)
    c.set_source_rgba(1, 1, 1, 0.9)
    c.set_line_width(1)
    c.stroke()
    return s


def swatch_preset(state, size=30):
    s = surface(size, size)
    c = cairo.Context(s)
    r = size / 2.0
    if state == "down":
        c.arc(r, r, r - 1, 0, 2 * math.pi)
        c.set_source_rgb(1, 1, 1)
        c.set_line_width(2)
        c.stroke()
    c.arc(r, r + 0.7, 10.5, 0, 2 * math.pi)
    c.set_source_rgba(0, 0, 0, 0.6)
    c.fill()
    c.arc(r, r, 10, 0, 2 * math.pi)
    c.set_source(vgrad(r - 10, r + 10, (1, 1, 1), (0.78, 0.78, 0.78)))
    c.fill()
    c.arc(r, r, 9.3, math.radians(200), math.radians(340))
    c.set_source_rgba(1, 1, 1, 0.8)
    c.set_line_width(1)
    c.stroke()
    return s


def edit_field(bg, x, y, w, h):
    """Inset text well carrying its piece of the window background (opaque)."""
    s = crop(bg, x, y, w, h)
    c = cairo.Context(s)
    rrect(c, 0.5, 0.5, w - 1, h - 1, 4)
    c.set_source_rgb(*P["well"])
    c.fill_preserve()
    c.set_source_rgb(*P["well_line"])
    c.set_line_width(1)
    c.stroke()
    c.save()
    rrect(c, 1, 1, w - 2, h - 2, 3.5)
    c.clip()
    c.set_source(vgrad(1, 6, (0, 0, 0), (0, 0, 0), 0.6, 0))
    c.paint()
    c.restore()
    c.move_to(4, h - 0.5)
    c.line_to(w - 4, h - 0.5)
    c.set_source_rgba(1, 1, 1, 0.06)
    c.stroke()
    return s


# --------------------------------------------------------------------------
# Pictures
# --------------------------------------------------------------------------

def pic_spectrum_line(w, h):
    s = surface(w, h)
    c = cairo.Context(s)
    g = cairo.LinearGradient(0, 0, w, 0)
    for k in range(13):
        t = k / 12.0
        fade = min(1.0, t / 0.18, (1 - t) / 0.18)
        g.add_color_stop_rgba(t, *hsv(190 + 300 * t, 0.85, 1.0), 0.85 * clamp01(fade))
    c.set_source(g)
    c.rectangle(0, 0, w, h)
    c.fill()
    return s


def pic_brand(w, h):
    s = surface(w, h)
    c = cairo.Context(s)
    draw_emblem(c, 0, 0, h)
    set_font(c, 15, bold=True)
    x = h + 10
    for ch in "VELDRIAN":
        c.move_to(x, 19)
        c.set_source_rgb(0.95, 0.96, 0.98)
        c.show_text(ch)
        x += c.text_extents(ch).x_advance + 1.6
    set_font(c, 8.5, bold=False)
    x2 = h + 11
    c.set_source_rgb(*P["accent"])
    for ch in "RGB CONTROL":
        c.move_to(x2, 27.5)
        c.show_text(ch)
        x2 += c.text_extents(ch).x_advance + 1.9
    return s


def pic_module_art(w, h):
    """Quiet line drawing of a lit memory module, standing in the group rail."""
    s = surface(w, h)
    c = cairo.Context(s)
    mx, my, mw, mh = 18, 6, 30, h - 12
    # spectrum light bar along the module's upper edge (turned: the left side)
    g = cairo.LinearGradient(0, my, 0, my + mh)
    for k in range(7):
        t = k / 6.0
        g.add_color_stop_rgba(t, *hsv(190 + 280 * t, 0.8, 1.0), 1.0)
    for width, alpha in ((14, 0.07), (8, 0.12), (3, 1.0)):
        c.save()
        rrect(c, mx + 1.5 - width / 2.0, my + 6, width, mh - 12, width / 2.0)
        c.clip()
        c.set_source(g)
        c.paint_with_alpha(alpha)
        c.restore()
    # heat spreader with a chamfered corner and diagonal ribs
    c.new_path()
    c.move_to(mx + 4, my + 2)
    c.line_to(mx + mw - 8, my + 2)
    c.line_to(mx + mw - 3, my + 9)
    c.line_to(mx + mw - 3, my + mh - 2)
    c.line_to(mx + 4, my + mh - 2)
    c.close_path()
    c.set_source(vgrad(my, my + mh, hexrgb("#23272e"), hexrgb("#171a1e")))
    c.fill_preserve()
    c.set_source_rgba(1, 1, 1, 0.14)
    c.set_line_width(1)
    c.stroke()
    c.save()
    c.rectangle(mx + 5, my + 12, mw - 9, mh - 16)
    c.clip()
    for i in range(-4, int(mh / 9) + 2):
        y0 = my + 12 + i * 9
        c.move_to(mx + 5, y0 + 14)
        c.line_to(mx + mw - 4, y0)
    c.set_source_rgba(1, 1, 1, 0.05)
    c.set_line_width(2)
    c.stroke()
    c.restore()
    # gold contacts on the far edge
    for i in range(int((mh - 16) / 4)):
        c.rectangle(mx + mw - 1, my + 8 + i * 4, 3, 2)
    c.set_source_rgba(*hexrgb("#b08a3e"), 0.45)
    c.fill()
    return s


def pic_sync_badge(size):
    s = surface(size, size)
    c = cairo.Context(s)
    r = size / 2.0
    g = cairo.RadialGradient(r, r, 2, r, r, r)
    g.add_color_stop_rgba(0, *P["accent"], 0.30)
    g.add_color_stop_rgba(1, *P["accent"], 0.05)
    c.arc(r, r, r - 1, 0, 2 * math.pi)
    c.set_source(g)
    c.fill_preserve()
    c.set_source_rgba(*P["accent"], 0.9)
    c.set_line_width(1.2)
    c.stroke()
    c.save()
    c.translate(r - 8, r - 8)
    glyph_link(c, (1, 1, 1, 1))
    c.restore()
    return s


def pic_sync_strip(w, h):
    """A light strip passing its colours to the app-link switch beside it."""
    s = surface(w, h)
    c = cairo.Context(s)
    rrect(c, 0.5, 0.5, w - 1, h - 1, 8)
    c.set_source_rgba(1, 1, 1, 0.03)
    c.fill_preserve()
    c.set_source_rgba(1, 1, 1, 0.07)
    c.set_line_width(1)
    c.stroke()
    n = 24
    x0, step = 16, (w - 76) / float(n - 1)
    for i in range(n):
        t = i / float(n - 1)
        col = hsv(190 + 300 * t, 0.8, 1.0)
        x = x0 + i * step
        g = cairo.RadialGradient(x, h / 2.0, 0, x, h / 2.0, 9)
        g.add_color_stop_rgba(0, *col, 0.35)
        g.add_color_stop_rgba(1, *col, 0)
        c.set_source(g)
        c.arc(x, h / 2.0, 9, 0, 2 * math.pi)
        c.fill()
        rrect(c, x - 2.5, h / 2.0 - 5, 5, 10, 2.5)
        c.set_source_rgba(*col, 1)
        c.fill()
    # arrow towards the switch
    ax = w - 40
    c.set_source_rgba(*P["accent"], 1)
    c.set_line_width(1.8)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    c.move_to(ax, h / 2.0)
    c.line_to(ax + 22, h / 2.0)
    c.stroke()
    c.move_to(ax + 16, h / 2.0 - 5)
    c.line_to(ax + 22, h / 2.0)
    c.line_to(ax + 16, h / 2.0 + 5)
    c.stroke()
    return s


# --------------------------------------------------------------------------
# Backgrounds
# --------------------------------------------------------------------------

def draw_card(c, rect, glow=False):
    x, y, w, h = rect
    rrect(c, x + 0.5, y + 1.5, w - 1, h - 1, 10)
    c.set_source_rgba(0, 0, 0, 0.5)
    c.fill()
    rrect(c, x + 0.5, y + 0.5, w - 1, h - 1, 10)
    c.set_source(vgrad(y, y + h, P["card_top"], P["card_bottom"]))
    c.fill_preserve()
    if glow:
        c.save()
        c.clip_preserve()
        g = cairo.RadialGradient(x + 60, y, 10, x + 60, y, 420)
        g.add_color_stop_rgba(0, *P["accent"], 0.07)
        g.add_color_stop_rgba(1, *P["accent"], 0)
        c.set_source(g)
        c.paint()
        c.restore()
    c.set_source_rgb(*P["card_line"])
    c.set_line_width(1)
    c.stroke()
    c.move_to(x + 10, y + 1.5)
    c.line_to(x + w - 10, y + 1.5)
    c.set_source_rgba(1, 1, 1, 0.05)
    c.stroke()


def main_background():
    s = surface(WINDOW_W, WINDOW_H)
    c = cairo.Context(s)
    c.set_source(vgrad(0, WINDOW_H, P["base_top"], P["base_bottom"]))
    c.paint()
    # title strip (the drag area)
    c.rectangle(0, 0, WINDOW_W, 48)
    c.set_source(vgrad(0, 48, P["bar_top"], P["bar_bottom"]))
    c.fill()
    c.rectangle(0, 48, WINDOW_W, 1)
    c.set_source_rgb(0, 0, 0)
    c.fill()
    # device-group rail
    c.rectangle(0, 49, 84, WINDOW_H - 49)
    c.set_source_rgb(*P["rail"])
    c.fill()
    c.rectangle(84, 49, 1, WINDOW_H - 49)
    c.set_source_rgb(*hexrgb("#1d2025"))
    c.fill()
    # version badge outline
    vx, vy, vw, vh = TEXTS[("MAIN_TEXT", "VER")]
    rrect(c, vx + 0.5, vy + 0.5, vw - 1, vh - 1, vh / 2.0)
    c.set_source_rgba(1, 1, 1, 0.05)
    c.fill_preserve()
    c.set_source_rgba(1, 1, 1, 0.12)
    c.set_line_width(1)
    c.stroke()
    # panels
    draw_card(c, CARD_MODES)
    draw_card(c, CARD_SWITCHES)
    draw_card(c, CARD_PANEL, glow=True)
    # etched dividers of the effect panel
    px, py, pw, ph = CARD_PANEL
    for dy in DIVIDERS_Y:
        etched_hline(c, px + 16, px + pw - 16, dy)
    # accent marker in front of the panel title
    tx, ty, tw, th = TEXTS[("LED_TEXT", "2")]
    rrect(c, PANEL_X, ty + th / 2.0 - 8, 3, 17, 1.5)
    c.set_source_rgb(*P["accent"])
    c.fill()
    g = cairo.RadialGradient(PANEL_X + 1.5, ty + th / 2.0, 0, PANEL_X + 1.5, ty + th / 2.0, 12)
    g.add_color_stop_rgba(0, *P["accent"], 0.25)
    g.add_color_stop_rgba(1, *P["accent"], 0)
    c.set_source(g)
    c.rectangle(PANEL_X - 12, ty, 26, th)
    c.fill()
    # window outline
    c.rectangle(0.5, 0.5, WINDOW_W - 1, WINDOW_H - 1)
    c.set_source_rgb(*hexrgb("#2a2e35"))
    c.stroke()
    return s


def compose_pictures(bg):
    """The background as the program composes it (pictures 2 and 3 on top)."""
    s = crop(bg, 0, 0, WINDOW_W, WINDOW_H)
    c = cairo.Context(s)
    for key in ("2", "3"):
        fname, x, y, w, h = PICS[("MAINPIC", key)]
        c.set_source_surface(PICTURES[fname](w, h), x, y)
        c.paint()
    return s


def warn_background():
    s = surface(WARN_W, WARN_H)
    c = cairo.Context(s)
    c.set_source(vgrad(0, WARN_H, hexrgb("#1d2025"), hexrgb("#131519")))
    c.paint()
    # top glow in the warning colour
    g = cairo.RadialGradient(WARN_W / 2.0, 0, 10, WARN_W / 2.0, 0, 260)
    g.add_color_stop_rgba(0, *P["warn"], 0.10)
    g.add_color_stop_rgba(1, *P["warn"], 0)
    c.set_source(g)
    c.paint()
    c.rectangle(0, 0, WARN_W, 3)
    c.set_source(vgrad(0, 3, P["warn"], hexrgb("#c97f00")))
    c.fill()
    # small emblem, top left
    draw_emblem(c, 14, 14, 20)
    # warning sign
    cx, top = WARN_W / 2.0, 24
    c.move_to(cx, top)
    c.line_to(cx + 20, top + 34)
    c.line_to(cx - 20, top + 34)
    c.close_path()
    c.set_line_join(cairo.LINE_JOIN_ROUND)
    c.set_line_width(3)
    c.set_source_rgb(*P["warn"])
    c.stroke_preserve()
    c.set_source_rgba(*P["warn"], 0.15)
    c.fill()
    c.set_source_rgb(*P["warn"])
    rrect(c, cx - 1.6, top + 11, 3.2, 13, 1.6)
    c.fill()
    c.arc(cx, top + 28.5, 2, 0, 2 * math.pi)
    c.fill()
    # button bar
    etched_hline(c, 16, WARN_W - 16, 154)
    c.rectangle(0.5, 0.5, WARN_W - 1, WARN_H - 1)
    c.set_source_rgb(*hexrgb("#3a3f47"))
    c.set_line_width(1)
    c.stroke()
    return s


# --------------------------------------------------------------------------
# Drop-down lists
# --------------------------------------------------------------------------

def menu_image(w, row, state, neutral_hover=False):
    """List-sized face: top band, repeatable middle band, bottom band.

    neutral_hover: a grey hover band, for a list whose hovered caption is
    drawn in red (the device list); the language list hovers in white over
    the accent band."""
    h = row * 3
    s = surface(w, h)
    c = cairo.Context(s)
    c.set_source_rgb(*hexrgb("#1b1e23"))
    c.paint()
    for k in range(3):
        y = k * row
        if state == "over":
            rrect(c, 3, y + 2, w - 6, row - 4, 4)
            if neutral_hover:
                c.set_source(vgrad(y, y + row, hexrgb("#30353d"), hexrgb("#282c33")))
            else:
                c.set_source(vgrad(y, y + row, hexrgb("#15476a"), hexrgb("#113650")))
            c.fill()
            rrect(c, 3, y + 5, 3, row - 10, 1.5)
            c.set_source_rgb(*P["accent"])
            c.fill()
        elif k < 2:
            c.move_to(8, y + row - 0.5)
            c.line_to(w - 8, y + row - 0.5)
            c.set_source_rgba(1, 1, 1, 0.05)
            c.set_line_width(1)
            c.stroke()
    # frame: sides everywhere, top edge in the top band, bottom in the bottom band
    c.set_source_rgb(*hexrgb("#3a4049"))
    c.set_line_width(1)
    c.move_to(0.5, 0)
    c.line_to(0.5, h)
    c.move_to(w - 0.5, 0)
    c.line_to(w - 0.5, h)
    c.move_to(0, 0.5)
    c.line_to(w, 0.5)
    c.move_to(0, h - 0.5)
    c.line_to(w, h - 0.5)
    c.stroke()
    c.rectangle(0, 0, w, 1)
    c.set_source_rgb(*P["accent_deep"])
    c.fill()
    return s


# --------------------------------------------------------------------------
# What gets written
# --------------------------------------------------------------------------

PICTURES = {
    "spectrum_line.png": pic_spectrum_line,
    "brand.png": pic_brand,
    "module_art.png": pic_module_art,
    "sync_badge.png": lambda w, h: pic_sync_badge(w),
    "sync_strip.png": pic_sync_strip,
}

STATES = ("normal", "over", "down", "disable")


def face_builder(name, w, h):
    """Returns {state: surface} for a control image set, or None when unknown."""
    if name == "btnPng":
        return {st: face_standard(w, h, st) for st in STATES}
    if name == "btn_apply":
        return {st: face_standard(w, h, st, accent=True) for st in STATES}
    if name in ("btn_min", "btn_close"):
        return {st: glyph_face(w, h, st, name[4:]) for st in STATES}
    if name == "btn_lang":
        return {st: lang_face(w, h, st) for st in STATES}
    if name == "tab_profile":
        return {st: tab_face(w, h, st) for st in STATES}
    if name == "mode_item":
        return {st: mode_face(w, h, st) for st in STATES}
    if name in ("group_dram", "group_ssd"):
        return {st: group_face(w, h, st, name[6:]) for st in STATES}
    if name in ("seg_left", "seg_right"):
        return {st: segment_face(w, h, st, name[4:]) for st in STATES}
    if name in SLIDER_FILLS:
        return {"normal": slider_track(name, w, h, "normal"),
                "down": slider_track(name, w, h, "down"),
                "disable": slider_track(name, w, h, "disable")}
    if name == "sl_modes":
        t = vscroll_track(w, h)
        return {"normal": t, "down": t, "disable": t}
    if name == "swatch_slot":
        return {"normal": swatch_slot("normal", w, h), "down": swatch_slot("down", w, h),
                "normal2": swatch_slot("normal", w, h)}
    if name == "swatch_preset":
        return {"normal": swatch_preset("normal", w), "down": swatch_preset("down", w),
                "normal2": swatch_preset("normal", w)}
    return None


def thumb_builder(name):
    if name in SLIDER_FILLS:
        return {st: slider_thumb(st) for st in STATES}
    if name == "sl_modes":
        return {st: vscroll_thumb(8, 56, st) for st in STATES}
    if name == "knob_hue":
        return {"normal": knob_thumb()}
    return None


def build(program_folder):
    skins = os.path.join(program_folder, "skins")
    pic_dir = os.path.join(skins, "Pic")
    menu_dir = os.path.join(skins, "Menu")
    for d in (skins, pic_dir, menu_dir):
        os.makedirs(d, exist_ok=True)
    written = []

    def png(s, *parts):
        path = os.path.join(*parts)
        save_png(s, path)
        written.append(path)

    bg = main_background()
    composed = compose_pictures(bg)
    save_bmp(bg, os.path.join(skins, BACKGROUNDS["Main"]))
    save_bmp(warn_background(), os.path.join(skins, BACKGROUNDS["Main2"]))
    written += [os.path.join(skins, b) for b in BACKGROUNDS.values()]

    done = set()
    for (section, key), (name, x, y, w, h) in sorted(ITEMS.items()):
        if "btnPng" in name:
            icon = name.split("_", 1)[1] if "_" in name else name
            if "btnPng" not in done:
                for st, s in face_builder("btnPng", w, h).items():
                    png(s, skins, "btnPng_%s.png" % st)
                done.add("btnPng")
            if icon not in done:
                for st, s in icon_set(icon).items():
                    png(s, skins, "%s_%s.png" % (icon, st))
                done.add(icon)
            continue
        if name in done:
            continue
        done.add(name)
        if name.startswith("edit_"):
            png(edit_field(composed, x, y, w, h), skins, name + "_normal.png")
            continue
        if name == "knob_hue":
            png(knob_dial(composed, x, y, w), skins, name + "_normal.png")
            png(knob_mask(w), skins, name + "_mask.png")
        else:
            faces = face_builder(name, w, h)
            if faces is None:
                raise SystemExit("no drawing for image set %r" % name)
            for st, s in faces.items():
                png(s, skins, "%s_%s.png" % (name, st))
        thumbs = thumb_builder(name)
        if thumbs:
            for st, s in thumbs.items():
                png(s, skins, "%s_bar_%s.png" % (name, st))

    # a plain face for fixed uses (same look as the shared icon-button face)
    for st, s in ((st, face_standard(100, 30, st)) for st in STATES):
        png(s, skins, "btn2_%s.png" % st)

    for fname, x, y, w, h in sorted(set(PICS.values())):
        png(PICTURES[fname](w, h), pic_dir, fname)

    for menu, (w, row) in MENUS.items():
        png(menu_image(w, row, "normal"), menu_dir, "%s_menu_normal.png" % menu)
        png(menu_image(w, row, "over", neutral_hover=(menu == "Device")), menu_dir,
            "%s_menu_over.png" % menu)
    return written


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: %s <program-folder>\n" % argv[0])
        return 2
    files = build(argv[1])
    print("generate_skin: wrote %d files under %s" % (len(files), os.path.join(argv[1], "skins")))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
