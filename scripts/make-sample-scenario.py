#!/usr/bin/env python3
"""Writes a small scenario beside a draw archive, for the picture of the
scenario tab: a few lines with filters, options of each kind and a separator.

usage: make-sample-scenario.py DATA_FOLDER
"""
import sys
from pathlib import Path

LINES = [
    "FULL:0#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |Четные за 10 тиражей",
    "EXCL:5#LAST#NEX|TSD1#NUMS:50, 100#LMV:1-10;2#ST:3|TSD12#EVEN:1000#LNO:#SF:1| | | | | |Два фильтра",
    "",
    "CURR:0#ALL#CLR| |TSD1#NUMS:20#LMV:2#ST:1| | | | | |Продолжение списка",
    "FULL:0#SYSA|TSD1#EVEN:10#LMV:1#ST:3| | | | | | ",
]


def main():
    folder = Path(sys.argv[1])
    text = "".join(line + "\r\n" for line in LINES)
    (folder / "CorvelLotto_6x48.lss").write_bytes(text.encode("cp1251"))


if __name__ == "__main__":
    main()
