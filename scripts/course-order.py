#!/usr/bin/env python3
"""Prints the order in which the course (段階練習) opens the letter keys.

Each letter is counted over the romaji lines of the shipped practice files
(data/Text/*.txt, the part before "|"; English.txt is typed as English and is
left out) and the count is divided by the key's reach:

    reach = row factor * finger factor
    row:    home 1.0, top 1.25, bottom 1.5
    finger: index, middle, ring 1.0; little 1.25; the index finger's
            stretch to the inner column (T G B Y H N) 1.15

F and J, the keys under the index fingers at rest, open first; the other
letters follow by count / reach, highest first, ties by key position.
Letters that romaji never uses (L Q V X ...) end up last, little finger
and long reaches latest. practice/Course.cpp holds the result.
"""
import collections
import glob
import os

ROWS = {"home": ("ASDFGHJKL", 1.0), "top": ("QWERTYUIOP", 1.25), "bottom": ("ZXCVBNM", 1.5)}
LITTLE = set("QAZP")
INNER = set("TGBYHN")


def reach(key):
    row = next(f for keys, f in ROWS.values() if key in keys)
    finger = 1.25 if key in LITTLE else 1.15 if key in INNER else 1.0
    return row * finger


def position(key):
    return "ASDFGHJKLQWERTYUIOPZXCVBNM".index(key)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Text")
    counts = collections.Counter()
    for name in sorted(glob.glob(os.path.join(root, "*.txt"))):
        if os.path.basename(name) == "English.txt":
            continue
        with open(name, encoding="utf-8-sig") as f:
            for line in f:
                line = line.rstrip("\r\n")
                if line.startswith("#") or "|" not in line:
                    continue
                counts.update(c.upper() for c in line.split("|")[0] if c.isascii() and c.isalpha())
    total = sum(counts.values())
    rest = [k for k in "ASDFGHJKLQWERTYUIOPZXCVBNM" if k not in "FJ"]
    rest.sort(key=lambda k: (-counts[k] / reach(k), reach(k), position(k)))
    for k in ["F", "J"] + rest:
        print(f"{k}  {counts[k]:4d}  {100.0 * counts[k] / total:5.2f} %  reach {reach(k):.2f}")
    print("order:", "".join(["F", "J"] + rest))


if __name__ == "__main__":
    main()
