#!/usr/bin/python3
"""Checks the four language skin files (and, optionally, a program folder).

Usage:  python3 assets/check_lang_files.py [Lan-folder] [--program <program-folder>]

For every Lan/skin_*.ini:
  * UTF-16LE with byte-order mark, CRLF line ends only;
  * every key the program reads is present;
  * every section/key of skin_En.ini is present (and nothing extra);
  * item and placement values have seven fields with numbers where numbers
    belong, no stray "TRUE", and a caption that fits the item's text field;
  * no two controls that can be visible together overlap, and no label or
    picture placement (the areas the window repaints) covers a control.
With --program, also checks that every image the files name exists under
<program-folder>/skins (normal faces, slider thumbs, icons of "btnPng"
items, pictures, menu faces, backgrounds).
Prints the problems it finds and exits with status 1 when there are any.
"""

import os
import re
import sys

LANGS = ("En", "Cs", "Ct", "De")

REQUIRED = {
    "GLOBAL": ["FONT"],
    "MAINSCREENNEW": ["Main", "Main2"],
    "MAIN": [str(k) for k in list(range(1, 10)) + list(range(11, 15)) + list(range(21, 25))],
    "LED": [str(k) for k in list(range(1, 16)) + list(range(21, 30)) + list(range(31, 35)) +
            list(range(41, 49)) + list(range(51, 56)) + [61, 62, 63]],
    "LED_TEXT": [str(k) for k in (1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 22, 23, 24)],
    "LED_STRING": ["1", "2", "3", "4", "5", "6"],
    "MAIN_TEXT": ["VER"],
    "MAINPIC": ["1", "2", "3", "5", "6", "7"],
    "WARN": ["1", "2"],
    "WARN_TEXT": ["1"],
    "FUNC_STRING": ["10", "11", "12", "13", "30", "31", "32"],
}
ITEM_SECTIONS = ("MAIN", "LED", "LED_TEXT", "MAIN_TEXT", "MAINPIC", "WARN", "WARN_TEXT")


def read(path, problems):
    raw = open(path, "rb").read()
    if raw[:2] != b"\xff\xfe":
        problems.append("%s: no UTF-16LE byte-order mark" % path)
        text = raw.decode("utf-16-le", "replace")
    else:
        text = raw[2:].decode("utf-16-le")
    if re.search(r"(?<!\r)\n", text) or re.search(r"\r(?!\n)", text):
        problems.append("%s: line ends are not all CRLF" % path)
    sections = {}
    cur = None
    for n, line in enumerate(text.split("\r\n"), 1):
        s = line.strip()
        if not s or s.startswith(";"):
            continue
        if s.startswith("["):
            name = s.strip("[]")
            if name.lower() in (k.lower() for k in sections):
                problems.append("%s:%d: section [%s] appears twice" % (path, n, name))
            cur = sections.setdefault(name, {})
            continue
        if "=" not in s or cur is None:
            problems.append("%s:%d: not a key line: %r" % (path, n, s))
            continue
        k, v = s.split("=", 1)
        k, v = k.strip(), v.strip()
        if k in cur:
            problems.append("%s:%d: key %s appears twice" % (path, n, k))
        if len(v) >= 2 and v[0] == v[-1] == '"':
            v = v[1:-1]
        cur[k] = v
    return sections


def rect_of(value):
    f = value.split(",")
    x, y, w, h = [int(n) for n in f[1:5]]
    return (x, y, x + w, y + h)


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_items(path, S, problems):
    for sec in ITEM_SECTIONS:
        for key, value in S.get(sec, {}).items():
            f = value.split(",")
            where = "%s [%s] %s" % (os.path.basename(path), sec, key)
            if len(f) != 7:
                problems.append("%s: %d fields (a comma in a text?): %r" % (where, len(f), value))
                continue
            if not all(re.fullmatch(r"-?\d+", n) for n in f[1:5]):
                problems.append("%s: position or size is not a number: %r" % (where, value))
            if "TRUE" in ",".join(f[1:]) and f[6] != "TRUE":
                problems.append("%s: the text contains TRUE, which sets the flag" % where)
            if sec in ("MAIN", "LED", "WARN") and (len(f[0]) > 39 or len(f[5]) > 99):
                problems.append("%s: name or text too long for an item" % where)


# Which controls can be on screen together.  Displays: colour modes (with
# speed and direction at most), music, external sync.
def control_sets(S):
    main = S["MAIN"]
    led = S["LED"]
    always = {"MAIN " + k: rect_of(main[k]) for k in ("1", "2", "3", "4", "5", "6", "7", "11",
                                                      "21", "22", "23", "24")}
    g = rect_of(main["11"])
    always["MAIN 12 (stacked)"] = (g[0], g[1] + 85, g[2], g[3] + 85)
    top = rect_of(led["2"])
    for slot in range(8):
        always["mode slot %d" % slot] = (top[0], top[1] + 37 * slot, top[2], top[3] + 37 * slot)
    always["LED 21"] = rect_of(led["21"])
    colour = {"LED " + k: rect_of(led[k]) for k in
              ["22", "23", "24", "25", "26", "28", "31", "32", "33", "34", "63"] +
              [str(k) for k in range(41, 49)] + [str(k) for k in range(51, 56)]}
    params = {"LED " + k: rect_of(led[k]) for k in ("27", "61", "62")}
    music = dict(colour)
    music.update({"LED " + k: rect_of(led[k]) for k in ("29", "61", "62")})
    normal = dict(colour)
    normal.update(params)
    sync = {"MAIN 9": rect_of(main["9"])}
    return [("normal", dict(always, **normal)), ("music", dict(always, **music)),
            ("sync", dict(always, **sync))]


def check_layout(path, S, problems):
    name = os.path.basename(path)
    every = {}
    for display, controls in control_sets(S):
        items = sorted(controls.items())
        for i, (a, ra) in enumerate(items):
            every[a] = ra
            for b, rb in items[i + 1:]:
                if overlap(ra, rb):
                    problems.append("%s: %s and %s overlap in the %s display" % (name, a, b, display))
    every["LED 27/29"] = rect_of(S["LED"]["27"])
    every["MAIN 9"] = rect_of(S["MAIN"]["9"])
    areas = {}
    for k, v in S.get("LED_TEXT", {}).items():
        areas["LED_TEXT " + k] = rect_of(v)
    for k in ("5", "6", "7"):
        if k in S.get("MAINPIC", {}):
            areas["MAINPIC " + k] = rect_of(S["MAINPIC"][k])
    for a, ra in sorted(areas.items()):
        for b, rb in sorted(every.items()):
            if overlap(ra, rb):
                problems.append("%s: repaint area %s covers control %s" % (name, a, b))


def check_images(path, S, program, problems):
    skins = os.path.join(program, "skins")
    name = os.path.basename(path)

    def need(rel):
        if not os.path.exists(os.path.join(skins, rel)):
            problems.append("%s: missing image skins/%s" % (name, rel))

    for key in ("Main", "Main2"):
        need(S["MAINSCREENNEW"][key])
    sliders = {"21", "22", "23", "24", "25", "26", "27", "28", "29"}
    for sec in ("MAIN", "LED", "WARN"):
        for key, value in S[sec].items():
            item = value.split(",")[0]
            if "btnPng" in item:
                need("btnPng_normal.png")
                need((item.split("_", 1)[1] if "_" in item else item) + "_normal.png")
                continue
            need(item + "_normal.png")
            if sec == "LED" and key in sliders:
                need(item + "_bar_normal.png")
    for key, value in S["MAINPIC"].items():
        need(os.path.join("Pic", value.split(",")[5]))
    for menu in ("Device", "Len"):
        need(os.path.join("Menu", menu + "_menu_normal.png"))
        need(os.path.join("Menu", menu + "_menu_over.png"))


def main(argv):
    args = argv[1:]
    program = None
    if "--program" in args:
        i = args.index("--program")
        program = args[i + 1]
        del args[i:i + 2]
    folder = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "Lan")
    problems = []
    files = {lang: read(os.path.join(folder, "skin_%s.ini" % lang), problems) for lang in LANGS}
    ref = files["En"]
    for lang, S in files.items():
        path = os.path.join(folder, "skin_%s.ini" % lang)
        for sec, keys in REQUIRED.items():
            for k in keys:
                if k not in S.get(sec, {}):
                    problems.append("skin_%s.ini: [%s] %s is missing (the program reads it)" % (lang, sec, k))
        if lang != "En":
            for sec, keys in ref.items():
                for k in keys:
                    if k not in S.get(sec, {}):
                        problems.append("skin_%s.ini: [%s] %s is in skin_En.ini but missing here" % (lang, sec, k))
            for sec, keys in S.items():
                for k in keys:
                    if k not in ref.get(sec, {}):
                        problems.append("skin_%s.ini: [%s] %s is not in skin_En.ini" % (lang, sec, k))
        check_items(path, S, problems)
        check_layout(path, S, problems)
        if program:
            check_images(path, S, program, problems)
        # positions must match across languages: the generated pictures that
        # carry a piece of the background are cut for one layout
        for sec in ITEM_SECTIONS:
            for k, v in S.get(sec, {}).items():
                rv = ref.get(sec, {}).get(k)
                if rv and rv.split(",")[:5] != v.split(",")[:5]:
                    problems.append("skin_%s.ini: [%s] %s differs from skin_En.ini in name or place" % (lang, sec, k))
    for p in problems:
        print(p)
    counts = ", ".join("%s %d keys" % (lang, sum(len(v) for v in S.values())) for lang, S in files.items())
    print("%s: %d problem(s) (%s)" % ("FAIL" if problems else "OK", len(problems), counts))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
