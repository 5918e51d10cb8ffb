#!/usr/bin/python3
"""Writes the four language skin files Lan/skin_{En,Cs,Ct,De}.ini.

Usage:  python3 assets/make_lang_files.py [output-folder]   (default: assets/Lan)

Positions and image names come from the layout grid in generate_skin.py, so
the files and the generated pictures always agree; this script adds the
texts of each language.  The files are written as UTF-16LE with a byte-order
mark and CRLF line ends, which GetPrivateProfileStringW reads as Unicode.
Run it again after changing a text or the grid, and commit the results.
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate_skin as G  # noqa: E402

# Mode captions, index = effect mode (0 to 14).  What each mode offers:
#   0, 1 colours | 2, 3 colours + speed | 4, 6, 8, 11, 12, 13 speed only
#   5, 10 speed + direction | 7 one colour + speed | 9 one colour + speed +
#   direction | 14 nothing to set.  Mode 0 is never listed.
LANGS = {
    "En": {
        "font": "Segoe UI",
        "modes": ["Direct", "Static", "Breathing", "Flash", "Spectrum Cycle",
                  "Rainbow Wave", "Twinkle", "Heartbeat", "Raindrops", "Comet",
                  "Chase", "Fire", "Aurora", "Ocean", "Prism"],
        "main": {"3": "English", "4": "Apply", "5": "Reset", "6": "Music Mode",
                 "7": "Lights Off", "8": "External Sync", "9": "App Link",
                 "11": "DRAM", "12": "SSD", "13": "", "14": "",
                 "profile": "Profile %d"},
        "led": {"slot": "LED %d", "61": "Forward", "62": "Reverse", "63": "Same Colour"},
        "text": {"1": "Effects", "2": "Static", "3": "LED Colours", "4": "Speed",
                 "5": "Presets", "6": "Direction", "7": "Red", "8": "Green",
                 "9": "Blue", "10": "Saturation", "11": "Brightness", "12": "HUE",
                 "16": "HEX", "22": "Sensitivity", "23": "Low", "24": "High"},
        "string": {"1": "Music Mode", "2": "LED", "3": "Same Colour", "4": "Band",
                   "5": "Same Colour", "6": "Lighting is controlled by external software"},
        "warn": {"1": "Exit", "2": "Retry",
                 "text": r"SSD lighting needs to be loaded.\r\n"
                         r"Press Retry to search for it again\r\n"
                         r"or Exit to close the program."},
        "func": {"30": "All devices", "31": "DRAM ", "32": "SSD "},
    },
    "De": {
        "font": "Segoe UI",
        "modes": ["Direkt", "Statisch", "Atmen", "Blinken", "Farbkreislauf",
                  "Regenbogenwelle", "Funkeln", "Herzschlag", "Regentropfen", "Komet",
                  "Lauflicht", "Feuer", "Polarlicht", "Ozean", "Prisma"],
        "main": {"3": "Deutsch", "4": "Übernehmen", "5": "Zurücksetzen",
                 "6": "Musikmodus", "7": "Licht aus", "8": "Externe Sync",
                 "9": "App-Kopplung", "11": "DRAM", "12": "SSD", "13": "", "14": "",
                 "profile": "Profil %d"},
        "led": {"slot": "LED %d", "61": "Vorwärts", "62": "Rückwärts", "63": "Einheitsfarbe"},
        "text": {"1": "Effekte", "2": "Statisch", "3": "LED-Farben", "4": "Tempo",
                 "5": "Vorlagen", "6": "Richtung", "7": "Rot", "8": "Grün",
                 "9": "Blau", "10": "Sättigung", "11": "Helligkeit", "12": "FARBTON",
                 "16": "HEX", "22": "Empfindlichkeit", "23": "Niedrig", "24": "Hoch"},
        "string": {"1": "Musikmodus", "2": "LED", "3": "Einheitsfarbe", "4": "Band",
                   "5": "Einheitsfarbe", "6": "Die Beleuchtung wird extern gesteuert"},
        "warn": {"1": "Beenden", "2": "Wiederholen",
                 "text": r"Die SSD-Beleuchtung muss geladen werden.\r\n"
                         r"Mit Wiederholen erneut suchen\r\n"
                         r"oder mit Beenden das Programm schließen."},
        "func": {"30": "Alle Geräte", "31": "DRAM ", "32": "SSD "},
    },
    "Cs": {
        "font": "Microsoft YaHei",
        "modes": ["直接控制", "静态", "呼吸", "闪烁", "光谱循环",
                  "彩虹波浪", "星光闪耀", "心跳", "雨滴", "彗星",
                  "流光追逐", "火焰", "极光", "海洋", "棱镜"],
        "main": {"3": "简体中文", "4": "应用", "5": "恢复默认", "6": "音乐模式",
                 "7": "关闭灯光", "8": "外部同步", "9": "应用联动",
                 "11": "DRAM", "12": "SSD", "13": "", "14": "",
                 "profile": "配置 %d"},
        "led": {"slot": "LED %d", "61": "正向", "62": "反向", "63": "统一颜色"},
        "text": {"1": "灯光效果", "2": "静态", "3": "LED 颜色", "4": "速度",
                 "5": "预设颜色", "6": "方向", "7": "红", "8": "绿",
                 "9": "蓝", "10": "饱和度", "11": "亮度", "12": "色相",
                 "16": "色值", "22": "灵敏度", "23": "低", "24": "高"},
        "string": {"1": "音乐模式", "2": "LED", "3": "统一颜色", "4": "频段",
                   "5": "统一颜色", "6": "灯光正由外部软件控制"},
        "warn": {"1": "退出", "2": "重试",
                 "text": r"需要加载 SSD 灯光设备。\r\n"
                         r"点击“重试”重新搜索，\r\n"
                         r"或点击“退出”关闭程序。"},
        "func": {"30": "全部设备", "31": "DRAM ", "32": "SSD "},
    },
    "Ct": {
        "font": "Microsoft JhengHei",
        "modes": ["直接控制", "靜態", "呼吸", "閃爍", "光譜循環",
                  "彩虹波浪", "星光閃耀", "心跳", "雨滴", "彗星",
                  "流光追逐", "火焰", "極光", "海洋", "稜鏡"],
        "main": {"3": "繁體中文", "4": "套用", "5": "恢復預設", "6": "音樂模式",
                 "7": "關閉燈光", "8": "外部同步", "9": "應用連動",
                 "11": "DRAM", "12": "SSD", "13": "", "14": "",
                 "profile": "設定檔 %d"},
        "led": {"slot": "LED %d", "61": "正向", "62": "反向", "63": "統一顏色"},
        "text": {"1": "燈光效果", "2": "靜態", "3": "LED 顏色", "4": "速度",
                 "5": "預設顏色", "6": "方向", "7": "紅", "8": "綠",
                 "9": "藍", "10": "飽和度", "11": "亮度", "12": "色相",
                 "16": "色碼", "22": "靈敏度", "23": "低", "24": "高"},
        "string": {"1": "音樂模式", "2": "LED", "3": "統一顏色", "4": "頻段",
                   "5": "統一顏色", "6": "燈光正由外部軟體控制"},
        "warn": {"1": "結束", "2": "重試",
                 "text": r"需要載入 SSD 燈光裝置。\r\n"
                         r"按「重試」重新搜尋，\r\n"
                         r"或按「結束」關閉程式。"},
        "func": {"30": "全部裝置", "31": "DRAM ", "32": "SSD "},
    },
}

# Language names for the language button and menu: keys 10 + language number.
LANGUAGE_NAMES = {"10": "English", "11": "简体中文", "12": "繁體中文", "13": "Deutsch"}

SECTION_NOTES = {
    "GLOBAL": "Font face of every caption and label",
    "MAINSCREENNEW": "Backgrounds under skins: main window and warning dialog",
    "MAIN": "Title strip; switches; reset and apply; device groups 11-14; profiles 21-24",
    "LED": "Effect list 1-15 (item k+1 is mode k); list scroller 21; sliders 22-27 and 29; "
           "hue dial 28; colour fields 31-34; colour slots 41-48; presets 51-55; "
           "direction 61-62; same colour 63",
    "LED_TEXT": "Labels of the effect panel",
    "LED_STRING": "Texts the program composes into captions and titles",
    "MAIN_TEXT": "Where the version is written",
    "MAINPIC": "Pictures under skins\\Pic: 1 drawn always; 2 and 3 part of the background; "
               "5 and 6 in the external-sync display",
    "WARN": "Buttons of the SSD warning dialog",
    "WARN_TEXT": "Text of the SSD warning dialog",
    "FUNC_STRING": "Numbered texts (hexadecimal keys): language names; all devices; group names",
}


def item(name, x, y, w, h, text):
    if "," in text:
        raise ValueError("comma in skin text %r" % text)
    return "%s,%d,%d,%d,%d,%s,FALSE" % (name, x, y, w, h, text)


def placement(word, rect, text):
    x, y, w, h = rect
    return item(word, x, y, w, h, text)


def quoted(value):
    """Values with leading or trailing blanks keep them only inside quotes."""
    return '"%s"' % value if value != value.strip() else value


def build_sections(lang):
    L = LANGS[lang]
    S = {}

    S["GLOBAL"] = [("FONT", L["font"])]
    S["MAINSCREENNEW"] = [("Main", G.BACKGROUNDS["Main"]), ("Main2", G.BACKGROUNDS["Main2"])]

    main = []
    for key in ["1", "2", "3", "4", "5", "6", "7", "8", "9", "11", "12", "13", "14",
                "21", "22", "23", "24"]:
        name, x, y, w, h = G.ITEMS[("MAIN", key)]
        if key in ("1", "2"):
            text = ""
        elif key in ("21", "22", "23", "24"):
            text = L["main"]["profile"] % (int(key) - 20)
        else:
            text = L["main"][key]
        main.append((key, item(name, x, y, w, h, text)))
    S["MAIN"] = main

    led = []
    led_keys = [str(k) for k in range(1, 16)] + [str(k) for k in range(21, 30)] + \
        [str(k) for k in range(31, 35)] + [str(k) for k in range(41, 49)] + \
        [str(k) for k in range(51, 56)] + ["61", "62", "63"]
    edit_texts = {"31": "255", "32": "0", "33": "0", "34": "FF0000"}
    for key in led_keys:
        name, x, y, w, h = G.ITEMS[("LED", key)]
        k = int(key)
        if 1 <= k <= 15:
            text = L["modes"][k - 1]
        elif key in edit_texts:
            text = edit_texts[key]
        elif 41 <= k <= 48:
            text = L["led"]["slot"] % (k - 40)
        elif key in ("61", "62", "63"):
            text = L["led"][key]
        else:
            text = ""
        led.append((key, item(name, x, y, w, h, text)))
    S["LED"] = led

    S["LED_TEXT"] = [(key, placement("txt", G.TEXTS[("LED_TEXT", key)], text))
                     for key, text in sorted(L["text"].items(), key=lambda kv: int(kv[0]))]
    S["LED_STRING"] = [(key, text) for key, text in sorted(L["string"].items())]
    S["MAIN_TEXT"] = [("VER", placement("ver", G.TEXTS[("MAIN_TEXT", "VER")], ""))]
    pics = []
    for (section, key), (fname, x, y, w, h) in sorted(G.PICS.items()):
        pics.append((key, item("pic", x, y, w, h, fname)))
    S["MAINPIC"] = pics
    warn = []
    for key in ("1", "2"):
        name, x, y, w, h = G.ITEMS[("WARN", key)]
        warn.append((key, item(name, x, y, w, h, L["warn"][key])))
    S["WARN"] = warn
    S["WARN_TEXT"] = [("1", placement("txt", G.TEXTS[("WARN_TEXT", "1")], L["warn"]["text"]))]
    func = sorted(LANGUAGE_NAMES.items()) + sorted(L["func"].items())
    S["FUNC_STRING"] = [(k, quoted(v)) for k, v in func]
    return S


ORDER = ["GLOBAL", "MAINSCREENNEW", "MAIN", "LED", "LED_TEXT", "LED_STRING",
         "MAIN_TEXT", "MAINPIC", "WARN", "WARN_TEXT", "FUNC_STRING"]

TITLES = {"En": "English", "Cs": "Simplified Chinese", "Ct": "Traditional Chinese",
          "De": "German"}


def render(lang):
    S = build_sections(lang)
    lines = ["; VELDRIAN RGB Control skin (Graphite) - %s" % TITLES[lang],
             "; Items: name,x,y,width,height,text,flag   Pictures and labels: word,x,y,width,height,text,flag",
             ""]
    for section in ORDER:
        lines.append("; " + SECTION_NOTES[section])
        lines.append("[%s]" % section)
        for key, value in S[section]:
            lines.append("%s=%s" % (key, value))
        lines.append("")
    return "\r\n".join(lines)


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "Lan")
    os.makedirs(out, exist_ok=True)
    for lang in ("En", "Cs", "Ct", "De"):
        path = os.path.join(out, "skin_%s.ini" % lang)
        with open(path, "wb") as f:
            f.write(b"\xff\xfe" + render(lang).encode("utf-16-le"))
        print("wrote", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
