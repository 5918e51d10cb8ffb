#!/usr/bin/python3
"""Renders what the main window, the warning dialog and the drop-down lists
look like with a given skin, without building or running the program.

Usage:  /usr/bin/python3 assets/preview_skin.py <program-folder> <output-folder> [En Cs Ct De]

<program-folder> must hold Lan\\skin_*.ini and the skins\\ folder written by
generate_skin.py.  The INI files are read the way the program reads them
(UTF-16, section and key without regard to case, blanks and one pair of
quotes removed), items and placements are parsed with the same field rules,
and each control is drawn with the geometry the program uses: caption and
icon placement of list buttons, vertical centring of skin texts, slider
thumb positions, the hue dial's thumb, line and centre light, and swatch
tinting.  Fonts: DejaVu Sans for Latin faces, WenQuanYi Micro Hei for CJK,
sized so that the cell height equals the program's font height.
"""

import math
import os
import re
import sys

import cairo

# --------------------------------------------------------------------------
# Skin file reading
# --------------------------------------------------------------------------


def read_ini(path):
    raw = open(path, "rb").read()
    if raw[:2] == b"\xff\xfe":
        text = raw[2:].decode("utf-16-le")
    else:
        text = raw.decode("utf-8")
    sections = {}
    cur = None
    for line in text.splitlines():
        s = line.strip()
        if not s or s.startswith(";"):
            continue
        if s.startswith("[") and s.endswith("]"):
            cur = sections.setdefault(s[1:-1].strip().lower(), {})
            continue
        if cur is None or "=" not in s:
            continue
        k, v = s.split("=", 1)
        v = v.strip()
        if len(v) >= 2 and v[0] == v[-1] and v[0] in "\"'":
            v = v[1:-1]
        cur.setdefault(k.strip().lower(), v)
    return sections


class Skin:
    def __init__(self, path):
        self.s = read_ini(path)

    def get(self, section, key, default=""):
        return self.s.get(section.lower(), {}).get(str(key).lower(), default)

    def item(self, section, key):
        return parse_item(self.get(section, key))

    def func(self, n):
        return self.get("FUNC_STRING", "%X" % n)


def parse_item(value):
    c = value.find(",")
    name = value[:c] if c >= 0 else ""
    rest = value[c + 1:] if c >= 0 else value
    nums = []
    m = re.match(r"\s*(-?\d+)", rest)
    pos = 0
    while m and len(nums) < 4:
        nums.append(int(m.group(1)))
        pos += m.end()
        if len(nums) < 4:
            if pos < len(rest) and rest[pos] == ",":
                pos += 1
                m = re.match(r"\s*(-?\d+)", rest[pos:])
            else:
                break
    nums += [0] * (4 - len(nums))
    x, y, w, h = nums
    flag = "TRUE" in rest
    cut = rest[:rest.rfind(",")] if "," in rest else ""
    text = cut[cut.rfind(",") + 1:] if "," in cut else cut
    return {"name": name, "rect": (x, y, x + w, y + h), "text": text, "flag": flag}


# --------------------------------------------------------------------------
# Images
# --------------------------------------------------------------------------

_cache = {}


def load_png(path):
    if path not in _cache:
        _cache[path] = cairo.ImageSurface.create_from_png(path) if os.path.exists(path) else None
    return _cache[path]


def load_bmp(path):
    import struct
    data = open(path, "rb").read()
    off = struct.unpack_from("<I", data, 10)[0]
    w, h = struct.unpack_from("<ii", data, 18)
    bpp = struct.unpack_from("<H", data, 28)[0]
    assert bpp == 24
    row = (w * 3 + 3) & ~3
    s = cairo.ImageSurface(cairo.FORMAT_RGB24, w, abs(h))
    buf = s.get_data()
    stride = s.get_stride()
    for y in range(abs(h)):
        src = off + (abs(h) - 1 - y if h > 0 else y) * row
        for x in range(w):
            o = y * stride + x * 4
            buf[o:o + 3] = data[src + x * 3:src + x * 3 + 3]
            buf[o + 3] = 255
    s.mark_dirty()
    return s


class ImageSet:
    def __init__(self, folder, name):
        base = os.path.join(folder, "skins", name)
        self.normal = load_png(base + "_normal.png")
        self.faces = {"normal": self.normal}
        for st in ("over", "down", "disable", "normal2"):
            img = load_png(base + "_%s.png" % st)
            self.faces[st] = img if img is not None else self.normal
        self.missing = self.normal is None

    def __getitem__(self, st):
        return self.faces[st]


def tinted(img, rgb):
    """The swatch tint: each colour byte times the cell colour / 255, alpha kept."""
    w, h = img.get_width(), img.get_height()
    out = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    src = img.get_data()
    dst = out.get_data()
    r, g, b = [c / 255.0 for c in rgb]
    for i in range(0, len(src), 4):
        dst[i] = int(src[i] * b)
        dst[i + 1] = int(src[i + 1] * g)
        dst[i + 2] = int(src[i + 2] * r)
        dst[i + 3] = src[i + 3]
    out.mark_dirty()
    return out


# --------------------------------------------------------------------------
# Text
# --------------------------------------------------------------------------

CJK = re.compile(r"[\u3000-\u9fff\uff00-\uffef]")


class Fonts:
    def __init__(self, face):
        cjk = face in ("Microsoft YaHei", "Microsoft JhengHei")
        self.family = "WenQuanYi Micro Hei" if cjk else "DejaVu Sans"
        self.ratio = 1.17


def set_font(ctx, fonts, height, weight=500):
    ctx.select_font_face(fonts.family, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if weight >= 700 else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(height / fonts.ratio)
    return height


def text_w(ctx, t):
    return ctx.text_extents(t).x_advance


def draw_line(ctx, t, x, top, height, rgb):
    asc = ctx.font_extents()[0]
    desc = ctx.font_extents()[1]
    ctx.set_source_rgb(*rgb)
    ctx.move_to(x, top + (height - (asc + desc)) / 2.0 + asc)
    ctx.show_text(t)


def ellipsize(ctx, t, width):
    if text_w(ctx, t) <= width:
        return t
    while t and text_w(ctx, t + "...") > width:
        t = t[:-1]
    return t + "..."


def wrap(ctx, text, width):
    lines = []
    for para in text.split("\r\n"):
        tokens = re.findall(r"[\u3000-\u9fff\uff00-\uffef]|[^\s\u3000-\u9fff\uff00-\uffef]+\s*|\s+", para)
        cur = ""
        for tok in tokens:
            if cur and text_w(ctx, (cur + tok).rstrip()) > width:
                lines.append(cur.rstrip())
                cur = tok.lstrip()
            else:
                cur += tok
        lines.append(cur.rstrip())
    return lines


def draw_skin_text(ctx, fonts, height, skin, section, key, fmt, override=""):
    pl = parse_item(skin.get(section, key))
    text = override or pl["text"]
    text = text.replace("\\r\\n", " \r\n")
    l, t, r, b = pl["rect"]
    h = height
    top = t + int((b - h - t) / 2)
    ctx.save()
    ctx.rectangle(l, t, r - l, b - t)
    ctx.clip()
    y = top
    for line in wrap(ctx, text, r - l):
        x = l + ((r - l) - text_w(ctx, line)) / 2.0 if fmt & 1 else l
        draw_line(ctx, line, x, y, h, (1, 1, 1))
        y += h
    ctx.restore()


# --------------------------------------------------------------------------
# Controls
# --------------------------------------------------------------------------

def bgr(c):
    return ((c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0)


def blit(ctx, img, x, y, w=None, h=None):
    if img is None:
        return
    ctx.save()
    if w is not None:
        ctx.rectangle(x, y, w, h)
        ctx.clip()
    ctx.set_source_surface(img, x, y)
    ctx.paint()
    ctx.restore()


def list_button(ctx, folder, fonts, item, state, caption, colours, align=1,
                font_h=15, caption_state=None):
    """CPngListBtn: face, caption (with icon for btnPng items)."""
    name = item["name"]
    icon = None
    if "btnPng" in name:
        icon_name = name.split("_", 1)[1] if "_" in name else name
        name = "btnPng"
        icon = ImageSet(folder, icon_name)
    faces = ImageSet(folder, name)
    l, t, r, b = item["rect"]
    W, H = r - l, b - t
    face_state = {"normal": "normal", "over": "over", "down": "down", "disable": "disable"}[state]
    blit(ctx, faces[face_state], l, t, W, H)
    if not caption:
        return
    col = colours[caption_state or state]
    ctx.save()
    ctx.rectangle(l, t, W, H)
    ctx.clip()
    set_font(ctx, fonts, font_h)
    iw = icon.normal.get_width() if icon is not None and not icon.missing else 0
    ih = icon.normal.get_height() if iw else 0
    left = iw
    cx = text_w(ctx, caption)
    avail = W - left
    cap = ellipsize(ctx, caption, avail)
    cx_draw = text_w(ctx, cap)
    if align == 1:
        x = l + left + (avail - cx_draw) / 2.0
        top = t + (H - font_h) // 2
    elif align == 8:
        x = l + left + (avail - cx_draw) / 2.0
        top = t + H - 2 - font_h
    elif align == 0:
        x = l + left
        top = t + (H - font_h) // 2
    else:
        x = l + W - cx_draw
        top = t + (H - font_h) // 2
    draw_line(ctx, cap, x, top, font_h, col)
    if iw:
        icon_state = {"normal": "normal", "over": "over", "down": "down", "disable": "normal"}[state]
        iy = (H - ih) // 2
        ix = (W - iw - int(cx)) // 2 - 3 if align == 1 else 0
        blit(ctx, icon[icon_state], l + ix, t + iy)
    ctx.restore()


def hslider(ctx, folder, item, value, vmin, vmax, thumb_state="normal"):
    track = ImageSet(folder, item["name"])
    thumb = ImageSet(folder, item["name"] + "_bar")
    l, t, r, b = item["rect"]
    W, H = r - l, b - t
    tw = thumb.normal.get_width()
    x = int(float(W - tw) / float(vmax - vmin) * float(value - vmin))
    ctx.save()
    ctx.rectangle(l + x, t, W - x, H)
    ctx.clip()
    ctx.set_source_surface(track["normal"], l, t)
    ctx.paint()
    ctx.restore()
    ctx.save()
    ctx.rectangle(l, t, x + tw // 2, H)
    ctx.clip()
    ctx.set_source_surface(track["down"], l, t)
    ctx.paint()
    ctx.restore()
    blit(ctx, thumb[thumb_state], l + x, t)


def vslider(ctx, folder, item, value, vmin, vmax):
    track = ImageSet(folder, item["name"])
    thumb = ImageSet(folder, item["name"] + "_bar")
    l, t, r, b = item["rect"]
    W, H = r - l, b - t
    tw, th = thumb.normal.get_width(), thumb.normal.get_height()
    y = int(float(H - th) / float(vmax - vmin) * float(value - vmin))
    ctx.save()
    ctx.rectangle(l, t + y, W, H - y)
    ctx.clip()
    ctx.set_source_surface(track["down"], l, t)
    ctx.paint()
    ctx.restore()
    ctx.save()
    ctx.rectangle(l, t, W, y + th // 2)
    ctx.clip()
    ctx.set_source_surface(track["normal"], l, t)
    ctx.paint()
    ctx.restore()
    blit(ctx, thumb["normal"], l + W - tw, t + y)


def knob(ctx, folder, item, reported):
    dial = ImageSet(folder, item["name"])
    thumb = ImageSet(folder, item["name"] + "_bar").normal
    l, t, r, b = item["rect"]
    W, H = r - l, b - t
    D, vmax = 359, 359
    v = D - ((reported + 90) % D)
    blit(ctx, dial.normal, l, t)
    dl, dt, dr, db = 13, 13, W - 13, H - 13
    cx, cy, R = (dl + dr) // 2, (dt + db) // 2, (db - dt) // 2
    th = v * 3.14159 / vmax * 2
    tx = cx - int(math.sin(th) * R)
    ty = cy + int(math.cos(th) * R)
    tw, thh = thumb.get_width(), thumb.get_height()
    blit(ctx, thumb, l + tx - tw // 2, t + ty - thh // 2)
    ctx.set_source_rgba(1, 1, 1, 178 / 255.0)
    ctx.set_line_width(1.5)
    ctx.move_to(l + W / 2, t + H / 2)
    ctx.line_to(l + tx - tw // 2 + tw / 2.0, t + ty - thh // 2 + thh / 2.0)
    ctx.stroke()
    ctx.arc(l + W / 2, t + H / 2, 12, 0, 2 * math.pi)
    ctx.set_source_rgb(1, 0, 0)
    ctx.fill()


def edit(ctx, folder, fonts, item, text):
    img = ImageSet(folder, item["name"]).normal
    l, t, r, b = item["rect"]
    blit(ctx, img, l, t, r - l, b - t)
    set_font(ctx, fonts, 16, 400)
    w = text_w(ctx, text)
    draw_line(ctx, text, l + (r - l - w) / 2.0, t + 1, 16, (1, 1, 1))


def swatch(ctx, folder, fonts, item, rgb, selected, caption):
    s = ImageSet(folder, item["name"])
    l, t, r, b = item["rect"]
    face = tinted(s["down"] if selected else s["normal"], rgb)
    blit(ctx, face, l, t, r - l, b - t)
    if caption:
        ctx.save()
        ctx.rectangle(l, t, r - l, b - t)
        ctx.clip()
        set_font(ctx, fonts, 15, 400)
        draw_line(ctx, ellipsize(ctx, caption, r - l - 5), l + 5, t + (b - t - 15) // 2, 15, (1, 1, 1))
        ctx.restore()


# --------------------------------------------------------------------------
# Scenes
# --------------------------------------------------------------------------

TRAITS = {  # colours (0 no, 1 yes, 2 one), speed, variant
    0: (1, 0, 0), 1: (1, 0, 0), 2: (1, 1, 0), 3: (1, 1, 0), 4: (0, 1, 0), 5: (0, 1, 1),
    6: (0, 1, 0), 7: (2, 1, 0), 8: (0, 1, 0), 9: (2, 1, 1), 10: (0, 1, 1), 11: (0, 1, 0),
    12: (0, 1, 0), 13: (0, 1, 0), 14: (0, 0, 0), 15: (1, 0, 1), 16: (0, 0, 0),
}
PALETTE = [(255, 0, 0), (255, 255, 0), (0, 255, 0), (0, 255, 255), (0, 0, 255),
           (255, 0, 255), (255, 255, 255), (125, 0, 125)]


def render_main(folder, skin, scene, out):
    fonts = Fonts(skin.get("GLOBAL", "FONT", "Segoe UI"))
    bg = load_bmp(os.path.join(folder, "skins", skin.get("MAINSCREENNEW", "Main")))
    W, H = bg.get_width(), bg.get_height()
    surf = cairo.ImageSurface(cairo.FORMAT_RGB24, W, H)
    ctx = cairo.Context(surf)
    ctx.set_source_surface(bg, 0, 0)
    ctx.paint()

    def pic(key):
        pl = parse_item(skin.get("MAINPIC", key))
        img = load_png(os.path.join(folder, "skins", "Pic", pl["text"]))
        if img is None:
            return
        l, t, r, b = pl["rect"]
        ctx.save()
        ctx.translate(l, t)
        ctx.scale((r - l) / float(img.get_width()), (b - t) / float(img.get_height()))
        ctx.set_source_surface(img, 0, 0)
        ctx.paint()
        ctx.restore()

    pic("2")
    pic("3")

    music, sync = scene.get("music", 0), scene.get("sync", 0)
    mode = scene.get("mode", 1)
    d = 16 if sync else 15 if music else mode
    colours, speed, variant = TRAITS[d]
    led_count = scene.get("leds", 8)
    same = scene.get("same", 0)
    sel_slot = scene.get("slot", 0)
    slot_rgb = scene.get("colours", PALETTE)

    # ---- window surface painting (PaintScreen)
    pic("1")
    set_font(ctx, fonts, 15)
    draw_skin_text(ctx, fonts, 15, skin, "MAIN_TEXT", "VER", 0x11, "v1.0.0.1")
    draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "1", 0x10)
    modename = skin.item("LED", mode + 1)["text"]
    if sync:
        draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "2", 0x10, skin.get("LED_STRING", "6"))
        pic("5")
        pic("6")
    elif music:
        draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "2", 0x10, skin.get("LED_STRING", "1"))
        draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "22", 0x10)
    else:
        draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "2", 0x10, modename)
    fh = 15
    if colours:
        for k in ("3", "5", "7", "8", "9", "10", "11"):
            draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", k, 0x10)
        set_font(ctx, fonts, 10)
        fh = 10
        for k in ("12", "16"):
            draw_skin_text(ctx, fonts, 10, skin, "LED_TEXT", k, 0x11)
    if music:
        set_font(ctx, fonts, fh)
        for k in ("23", "24"):
            draw_skin_text(ctx, fonts, fh, skin, "LED_TEXT", k, 0x11)
    set_font(ctx, fonts, 15)
    if speed:
        draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "4", 0x10)
    if variant:
        draw_skin_text(ctx, fonts, 15, skin, "LED_TEXT", "6", 0x10)

    # ---- controls
    dflt = {"normal": bgr(0x999999), "over": bgr(0xFFFFFF), "down": bgr(0x999999), "disable": bgr(0x464646)}
    white = {"normal": (1, 1, 1), "over": (1, 1, 1), "down": (1, 1, 1), "disable": bgr(0x464646)}
    hover = scene.get("hover", ())
    lang_caption = skin.func(16 + scene.get("lan", 0))

    def st(key, selected=False, disabled=False):
        if disabled:
            return "disable"
        if selected:
            return "down"
        return "over" if key in hover else "normal"

    list_button(ctx, folder, fonts, skin.item("MAIN", 1), st("m1"), "", dflt)
    list_button(ctx, folder, fonts, skin.item("MAIN", 2), st("m2"), "", dflt)
    list_button(ctx, folder, fonts, skin.item("MAIN", 3), st("m3"), lang_caption, dflt)
    list_button(ctx, folder, fonts, skin.item("MAIN", 4), st("m4"), skin.item("MAIN", 4)["text"], dflt)
    list_button(ctx, folder, fonts, skin.item("MAIN", 5), st("m5"), skin.item("MAIN", 5)["text"], dflt)
    # toggles (toggle mode: hover keeps the normal caption colour)
    for key, on in (("7", scene.get("lightsoff", 0)), ("6", music)):
        s = st("m" + key, on)
        list_button(ctx, folder, fonts, skin.item("MAIN", key), s, skin.item("MAIN", key)["text"], white)
    if sync:
        list_button(ctx, folder, fonts, skin.item("MAIN", 9), st("m9", scene.get("razer", 1)),
                    skin.item("MAIN", 9)["text"], white)
    # groups
    g0 = skin.item("MAIN", 11)
    grect = g0["rect"]
    gcols = {"normal": bgr(0), "over": bgr(0), "down": bgr(0xFFFFFF), "disable": bgr(0x646464)}
    groups = scene.get("groups", [0])
    for idx, g in enumerate(groups):
        it = dict(skin.item("MAIN", 11 + g))
        gw, gh = grect[2] - grect[0], grect[3] - grect[1]
        it["rect"] = (grect[0], grect[1] + 85 * idx, grect[0] + gw, grect[1] + 85 * idx + gh)
        cap = skin.func(0x31 + g)
        if g == scene.get("group", 0) and scene.get("devices", 1) > 1:
            cap = skin.func(0x30) if scene.get("record", 0) == 0 else cap + str(scene.get("record"))
        s = st("g%d" % g, g == scene.get("group", 0), music or sync)
        list_button(ctx, folder, fonts, it, s, cap, gcols, align=8, font_h=16)
    # profiles
    pcols = {"normal": bgr(0x646464), "over": bgr(0x646464), "down": bgr(0xFFFFFF), "disable": bgr(0x464646)}
    for i in range(4):
        it = skin.item("MAIN", 21 + i)
        sel = (i == scene.get("profile", 0)) and not (music or sync)
        list_button(ctx, folder, fonts, it, st("p%d" % i, sel), it["text"], pcols)
    # mode list
    mcols = {"normal": bgr(0x8A8A88), "over": bgr(0x8A8A88), "down": bgr(0xFFFFFF), "disable": bgr(0x464646)}
    top = scene.get("top", 0)
    base = skin.item("LED", 2)["rect"]
    for slot in range(8):
        m = top + 1 + slot
        it = dict(skin.item("LED", m + 1))
        it["rect"] = (base[0], base[1] + 37 * slot, base[2], base[3] + 37 * slot)
        s = st("mode%d" % m, m == mode, music or sync)
        list_button(ctx, folder, fonts, it, s, it["text"], mcols)
    vslider(ctx, folder, skin.item("LED", 21), top, 0, 6)

    rgb = slot_rgb[0] if same and not music else slot_rgb[sel_slot]
    if colours:
        r, g, b = rgb
        hsvv = rgb_to_hsv(r, g, b)
        hslider(ctx, folder, skin.item("LED", 22), r, 0, 255)
        hslider(ctx, folder, skin.item("LED", 23), g, 0, 255)
        hslider(ctx, folder, skin.item("LED", 24), b, 0, 255)
        hslider(ctx, folder, skin.item("LED", 25), int(hsvv[1] * 100), 0, 100)
        hslider(ctx, folder, skin.item("LED", 26), int(hsvv[2]), 0, 255)
        knob(ctx, folder, skin.item("LED", 28), int(hsvv[0]))
        for i, v in enumerate((r, g, b)):
            edit(ctx, folder, fonts, skin.item("LED", 31 + i), str(v))
        edit(ctx, folder, fonts, skin.item("LED", 34), "%02X%02X%02X" % (r, g, b))
        for i in range(5):
            swatch(ctx, folder, fonts, skin.item("LED", 51 + i), PALETTE[i], i == scene.get("preset", -1), "")
    if colours == 1:
        cap = skin.get("LED_STRING", "5" if music else "3")
        list_button(ctx, folder, fonts, skin.item("LED", 63), st("same", same), cap, white)
    prefix = skin.get("LED_STRING", "4" if music else "2")
    for i in range(8):
        visible = i < led_count and (music or colours)
        if colours == 2 and i > 0:
            visible = False
        if not visible:
            continue
        col = slot_rgb[0] if (same and not music) else slot_rgb[i]
        swatch(ctx, folder, fonts, skin.item("LED", 41 + i), col, i == sel_slot, "%s %d" % (prefix, i + 1))
    if speed:
        hslider(ctx, folder, skin.item("LED", 27), scene.get("speed", 2), 0, 4)
    if d == 15:
        hslider(ctx, folder, skin.item("LED", 29), scene.get("level", 10), 1, 50)
    if variant:
        v = scene.get("variant", 0)
        for i in range(2):
            it = skin.item("LED", 61 + i)
            list_button(ctx, folder, fonts, it, st("v%d" % i, v == i), it["text"], white)
    surf.write_to_png(out)


def rgb_to_hsv(r, g, b):
    mx, mn = max(r, g, b), min(r, g, b)
    d = mx - mn
    if d == 0:
        h = 0.0
    elif mx == r:
        h = 60.0 * (((g - b) / d) % 6)
    elif mx == g:
        h = 60.0 * ((b - r) / d + 2)
    else:
        h = 60.0 * ((r - g) / d + 4)
    s = 0.0 if mx == 0 else d / float(mx)
    return h, s, mx


def render_warn(folder, skin, out):
    fonts = Fonts(skin.get("GLOBAL", "FONT", "Segoe UI"))
    bg = load_bmp(os.path.join(folder, "skins", skin.get("MAINSCREENNEW", "Main2")))
    surf = cairo.ImageSurface(cairo.FORMAT_RGB24, bg.get_width(), bg.get_height())
    ctx = cairo.Context(surf)
    ctx.set_source_surface(bg, 0, 0)
    ctx.paint()
    set_font(ctx, fonts, 15)
    draw_skin_text(ctx, fonts, 15, skin, "WARN_TEXT", "1", 0x11)
    dflt = {"normal": bgr(0x999999), "over": bgr(0xFFFFFF), "down": bgr(0x999999), "disable": bgr(0x464646)}
    list_button(ctx, folder, fonts, skin.item("WARN", 1), "normal", skin.item("WARN", 1)["text"], dflt)
    list_button(ctx, folder, fonts, skin.item("WARN", 2), "over", skin.item("WARN", 2)["text"], dflt)
    surf.write_to_png(out)


def stretch_bands(img, rows, row_h):
    """The list faces brought to the list height: top and bottom band kept, middle repeated or cut."""
    w, h = img.get_width(), img.get_height()
    H = rows * row_h
    out = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, H)
    c = cairo.Context(out)
    y = 0
    c.save()
    c.rectangle(0, 0, w, min(row_h, H))
    c.clip()
    c.set_source_surface(img, 0, 0)
    c.paint()
    c.restore()
    y = row_h
    while y < H - row_h:
        c.save()
        c.rectangle(0, y, w, row_h)
        c.clip()
        c.set_source_surface(img, 0, y - row_h)
        c.paint()
        c.restore()
        y += row_h
    c.save()
    c.rectangle(0, H - row_h, w, row_h)
    c.clip()
    c.set_source_surface(img, 0, H - h)
    c.paint()
    c.restore()
    return out


def render_menus(folder, skin, out):
    fonts = Fonts(skin.get("GLOBAL", "FONT", "Segoe UI"))
    surf = cairo.ImageSurface(cairo.FORMAT_RGB24, 360, 160)
    ctx = cairo.Context(surf)
    ctx.set_source_rgb(0.08, 0.09, 0.1)
    ctx.paint()
    menus = [
        ("Device", 24, 0, 5, [skin.func(0x30)] + ["%s%d" % (skin.func(0x31), k) for k in (1, 2, 3)],
         {"normal": bgr(0xFFFFFF), "over": bgr(0x3026D8), "down": bgr(0xFFFFFF)}, 10, 10),
        ("Len", 20, 1, 0, [skin.func(0x10), skin.func(0x11)],
         {"normal": bgr(0x999999), "over": bgr(0xFFFFFF), "down": bgr(0xFFFFFF)}, 200, 10),
    ]
    for name, row_h, align, margin, items, cols, ox, oy in menus:
        normal = load_png(os.path.join(folder, "skins", "Menu", name + "_menu_normal.png"))
        over = load_png(os.path.join(folder, "skins", "Menu", name + "_menu_over.png"))
        n = stretch_bands(normal, len(items), row_h)
        o = stretch_bands(over, len(items), row_h)
        blit(ctx, n, ox, oy)
        for k, text in enumerate(items):
            state = "over" if k == 1 else "down" if k == 0 else "normal"
            face = o if state != "normal" else n
            ctx.save()
            ctx.rectangle(ox, oy + k * row_h, n.get_width(), row_h)
            ctx.clip()
            ctx.set_source_rgb(0, 0, 0)
            ctx.paint()
            ctx.set_source_surface(face, ox, oy)
            ctx.paint()
            set_font(ctx, fonts, 15)
            w = text_w(ctx, text)
            x = ox + margin + ((n.get_width() - margin - w) / 2.0 if align == 1 else 0)
            draw_line(ctx, text, x, oy + k * row_h + (row_h - 15) // 2, 15, cols[state])
            ctx.restore()
    surf.write_to_png(out)


SCENES = {
    "colour": {"mode": 2, "groups": [0, 1], "group": 0, "devices": 2, "record": 0,
               "hover": ("m4",), "preset": 0},
    "nocolour": {"mode": 5, "variant": 1, "speed": 3, "top": 2, "profile": 2},
    "onecolour": {"mode": 9, "slot": 0, "colours": [(255, 140, 0)] + [(0, 0, 0)] * 7, "top": 3,
                  "groups": [0, 1], "group": 1, "devices": 3, "record": 2},
    "music": {"music": 1, "mode": 4, "level": 22, "slot": 3, "variant": 0},
    "sync": {"sync": 1, "mode": 1, "razer": 1},
    "same": {"mode": 1, "same": 1, "colours": [(0, 180, 255)] * 8, "leds": 5, "lightsoff": 1,
             "hover": ("mode3",)},
}


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    folder, out = argv[1], argv[2]
    langs = argv[3:] or ["En", "Cs", "Ct", "De"]
    os.makedirs(out, exist_ok=True)
    for lang in langs:
        skin = Skin(os.path.join(folder, "Lan", "skin_%s.ini" % lang))
        lan = {"En": 0, "Cs": 1, "Ct": 2, "De": 3}[lang]
        for name, scene in SCENES.items():
            sc = dict(scene, lan=lan)
            path = os.path.join(out, "%s_%s.png" % (lang, name))
            render_main(folder, skin, sc, path)
            print(path)
        render_warn(folder, skin, os.path.join(out, "%s_warn.png" % lang))
        render_menus(folder, skin, os.path.join(out, "%s_menus.png" % lang))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
