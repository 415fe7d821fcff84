#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets (fuzz/corpus/<target>/).

The seeds are small real files of the program: settings files as the program
writes them, results files of every version with some history in them, and
practice files in UTF-8 and CP932. Run it again after a file format changes.
"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("cp932"))


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


# --- settings files ---------------------------------------------------------
SIZES = ["TestGraphWidth=0", "TestGraphHeight=0", "TypeGraphWidth=0", "TypeGraphHeight=0",
         "TextGraphWidth=0", "TextGraphHeight=0"]
put("settings", "fresh.ini", crlf(["[Lumbra]", ""] + SIZES))
every_key = [
    "[Lumbra]", "", "Level=12", "NeedCount=9999", "KeyBoard=0", "KeyBoardSize=1", "KeyBoardType=1",
    "FontName=ＭＳ Ｐゴシック", "DataFileName=/home/user/成績.dat", "BindKey6=3", "LetterType=1",
    "MissBeep=1", "MissNext=1", "MissKeyDisp=0", "TextFileName=/home/user/Text/単語.txt", "TextRead=2",
    "TextDisplayNavi=False", "PlayerName=たろう", "SpeedGameType=0", "SpeedNormalColor=255000000",
    "SpeedActiveColor=000000255", "TestGraphWidth=9000", "TestGraphHeight=6000", "TestGraphIndex=0",
    "TestGraphForeColor=000000001", "TestGraphBackColor=255255255", "TestGraphTimeColor=001002003",
    "TestGraphMissColor=004005006", "TypeGraphWidth=-15", "TypeGraphHeight=2147483647",
    "TypeGraphForeColor=010010010", "TypeGraphBackColor=020020020", "TypeGraphMissColor=030030030",
    "TypeGraphFillStyle=7", "TextGraphWidth=4800", "TextGraphHeight=3600", "TextGraphForeColor=040040040",
    "TextGraphBackColor=050050050", "TextGraphInputColor=060060060", "TextGraphMissColor=070070070",
    "TextGraphInpPMinColor=080080080", "TextGraphDisp=5",
]
put("settings", "every-key.ini", crlf(every_key))
put("settings", "hand-edited.ini",
    "\n".join(["  keyboardtype = 1", "NeedCount=abc", "Level=3.5", "PlayerName=  ABCDEFGHIJKL  ",
               "TextDisplayNavi=0", "FontName", "=5", "[Other]", "Level=1e1", "NeedCount=-2147483649"]) + "\n")
put("settings", "utf8.ini", ("[Lumbra]\r\n\r\nPlayerName=Zoë 名前\r\n").encode("utf-8"))

# --- results files ----------------------------------------------------------
def text_field(s):
    b = s.encode("cp932")[:10]
    return b + b" " * (10 - len(b)) if s else b"\0" * 10


def test_record(count, times, misses):
    times = (times + [0.0] * 51)[:51]
    misses = (misses + [0] * 51)[:51]
    best = min([t for t in times if t > 0], default=0.0)
    worst = max(times)
    out = struct.pack("<idd", count, best, worst) + struct.pack("<51d", *times)
    out += struct.pack("<hh", max(misses), 0) + struct.pack("<51h", *misses)
    assert len(out) == 534
    return out


def tests():
    return (test_record(3, [31.5, 29.25, 40.0], [2, 0, 5]) + test_record(0, [], [])
            + test_record(60, [20.0 + i / 4 for i in range(51)], [i % 7 for i in range(51)])
            + test_record(0, [], []))


def balloon():
    rows = [struct.pack("<ii", 1200, 4) + text_field("2024/02/29") + text_field("たろう"),
            struct.pack("<ii", 800, 3) + text_field("2024/03/01") + text_field("ABCDEFGHIJ")]
    rows += [b"\0" * 28] * 4
    return b"".join(rows)


def target():
    rows = [struct.pack("<i", 57) + text_field("2024/02/29") + text_field("花子")]
    rows += [b"\0" * 24] * 5
    return b"".join(rows)


def speed():
    rows = [struct.pack("<ih", 15230, 3) + text_field("2024/02/29") + text_field("Ken")]
    rows += [b"\0" * 26] * 5
    rows += [struct.pack("<ih", 18001, 0) + text_field("2024/03/02") + text_field("Ken")]
    rows += [b"\0" * 26] * 4
    return b"".join(rows)


def text_history():
    chars = [120, 98, 301] + [0] * 48
    misses = [3, 0, 12] + [0] * 48
    per_min = [180.25, 150.0, 210.5] + [0.0] * 48
    return struct.pack("<i", 3) + struct.pack("<51i", *chars) + struct.pack("<51i", *misses) + \
        struct.pack("<51d", *per_min)


v2 = b"00002.00" + tests() + balloon() + target()
v3 = b"00003.00" + tests() + balloon() + target() + speed()
v5 = b"00005.00" + tests() + balloon() + target() + speed() + text_history()
assert (len(v2), len(v3), len(v5)) == (2456, 2742, 3562)
put("results", "v2.dat", v2)
put("results", "v3.dat", v3)
put("results", "v5.dat", v5)
put("results", "v5-short.dat", v5[:1000])
put("results", "foreign.dat", b"not a results file\r\n")

# --- practice files ---------------------------------------------------------
practice = ["# 練習ファイル", "apple|", "ab|c|d", "KaKiKuKeKo|かきくけこ", "SHiNBuN|しんぶん",
            "a|b", "abc", "NiHoN|日本", ""]
put("practice_text", "utf8.txt", "\r\n".join(practice).encode("utf-8"))
put("practice_text", "utf8-bom.txt", b"\xef\xbb\xbf" + "\n".join(practice).encode("utf-8"))
put("practice_text", "cp932.txt", "\r\n".join(practice).encode("cp932"))
put("practice_text", "utf16.txt", b"\xff\xfe" + "\r\n".join(practice).encode("utf-16-le"))

# --- the CP932 codec and the number parsers ----------------------------------
put("cp932", "kana.bin", "タッチタイプ練習（総合テスト）".encode("cp932"))
put("cp932", "mixed.bin", "ＭＳ ゴシック ①Ⅱ￢ ABC\\~".encode("cp932"))
put("cp932", "truncated.bin", "成績".encode("cp932")[:3])
put("cp932", "utf8.bin", "成績ファイル".encode("utf-8"))
for name, text in [("int", "  -12"), ("fraction", "3.5"), ("exponent", "1.5E+3"), ("blanks", " 1 2 3abc"),
                   ("colour", "255055055"), ("short-colour", "12345"), ("double", b"\x00\x00\x00\x00\x00\x00\xf0\x3f")]:
    put("numbers", name + ".txt", text if isinstance(text, bytes) else text.encode("utf-8"))

# --- the graphs drawn from results files ---------------------------------------
shutil.rmtree(os.path.join(CORPUS, "graphs"), ignore_errors=True)
put("graphs", "v5.dat", v5)
put("graphs", "v3.dat", v3)

# --- the keystroke import --------------------------------------------------------
def keystroke(t, expected, pressed, gap, prev, origin, chars=("a", "a")):
    return ('{"time_ms":%d,"mode":10,"expected_vk":%d,"expected_char":"%s","pressed_vk":%d,"pressed_char":"%s",'
            '"correct":%s,"gap_ms":%s,"layout":0,"prev_vk":%d,"origin":%d}'
            % (t, expected, chars[0], pressed, chars[1], "true" if expected == pressed else "false",
               "null" if gap is None else gap, prev, origin))


# As this program exports: one keystroke a line; the same key from two copies.
put("keystrokes", "v2.json", ('{"format":"lumbra-keystrokes","version":2,"keystrokes":[\n' + ",\n".join([
    keystroke(1764579600000, 65, 65, None, 0, 123456789),
    keystroke(1764579600150, 83, 68, 150, 65, 123456789, ("s", "d")),
    keystroke(1764579600150, 83, 68, 150, 65, 987, ("s", "d"))]) + "\n]}\n").encode("ascii"))
# As the first version exported: one indented document, no origins.
put("keystrokes", "v1.json", b'''{
    "format": "lumbra-keystrokes",
    "keystrokes": [
        {
            "correct": true,
            "expected_char": "\\u3042",
            "expected_vk": 51,
            "gap_ms": null,
            "layout": 1,
            "mode": 100,
            "pressed_char": "\\"",
            "pressed_vk": 51,
            "prev_vk": 0,
            "time_ms": 1764579600000
        }
    ],
    "version": 1
}
''')
put("keystrokes", "not-a-list.json", b'{"format":"lumbra-keystrokes","version":2,"keystrokes":{}}\n')
