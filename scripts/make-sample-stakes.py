#!/usr/bin/env python3
"""Writes a few stakes beside a draw archive, for the picture of the stakes tab:
stakes of each kind for the two newest draws (checked when the program starts)
and a series for the next draws, with a stake cost and a prize table.

usage: make-sample-stakes.py DATA_FOLDER
"""
import struct
import sys
from pathlib import Path

COST = 50
PRIZES = [(2, 100), (3, 300), (4, 3000), (5, 150000), (6, 5000000)]


def record(kind, draw, numbers, comment, sample=12271512):
    numbers = sorted(numbers)
    raw = comment.encode("cp1251")[:255]
    rec = struct.pack("<BBH i B3x i i", 2, kind, 0, draw, 0, sample, len(numbers))
    rec += bytes(numbers) + bytes(8 - len(numbers))
    rec += bytes(6) + bytes(2)
    rec += struct.pack("<i", -1) + bytes(8)
    rec += struct.pack("<q", -COST * 10000)
    rec += bytes([len(raw)]) + raw + bytes(255 - len(raw))
    assert len(rec) == 312
    return rec


def separator():
    """The blank record between series: no kind, draw -1, nothing played."""
    rec = struct.pack("<BBH i B3x i i", 2, 0, 0, -1, 0, 0, 0) + bytes(8 + 8)
    rec += struct.pack("<i", -1) + bytes(8) + struct.pack("<q", 0) + bytes(256)
    assert len(rec) == 312
    return rec


def main():
    folder = Path(sys.argv[1])
    archive = (folder / "CorvelLotto_6x48.ldr").read_bytes()
    draws = [archive[i:i + 24] for i in range(0, len(archive), 24)]
    newest = struct.unpack("<i", draws[-1][:4])[0]
    drawn = {struct.unpack("<i", d[:4])[0]: list(d[4:10]) for d in draws[-2:]}
    stakes = []
    for number, nums in sorted(drawn.items()):
        others = [n for n in range(1, 49) if n not in nums]
        stakes += [
            record(1, number, nums[:3] + others[:3], "Ставка \"вручную\""),
            record(2, number, nums[:2] + others[3:7], "Регуляр: четные"),
            record(3, number, nums[:4] + others[7:9], "Сценарий: суммы 120-160"),
            record(4, number, others[9:15], "Система 6 из 12"),
        ]
        stakes.append(separator())
    for k in range(3):
        stakes.append(record(1, newest + 1 + k, [3, 11, 19, 27, 35, 43], "Серия на три тиража"))
        if k < 2:
            stakes.append(separator())
    (folder / "CorvelLotto_6x48.lsk").write_bytes(b"".join(stakes))
    ini = ["[STAKES]", f"Cost={COST}", f"Profits={len(PRIZES)}"]
    for i, (overlap, prize) in enumerate(PRIZES):
        ini += [f"Profit_{i}_Overlap={overlap}", f"Profit_{i}_Profit={prize}"]
    (folder / "CorvelLotto_6x48.ini").write_bytes(("\r\n".join(ini) + "\r\n").encode("cp1251"))


if __name__ == "__main__":
    main()
