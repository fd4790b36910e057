#!/usr/bin/env python3
"""Writes the bundled sample draw archive: 1,500 draws from a seeded generator.

Each record is 24 bytes, little-endian: draw number (int32), the six numbers
in drawing order, the two extra numbers, then the date text "dd.mm.yyyy" as a
length byte and 11 character bytes (zero-padded). Draws are held on
Wednesdays and Saturdays from 25 July 2012 to 5 December 2026.

    scripts/make-sample-archive.py data/sample/CorvelLotto_6x48.ldr
"""
import datetime
import random
import struct
import sys

SEED = 6048
DRAWS = 1500


def make_records():
    rng = random.Random(SEED)
    day = datetime.date(2012, 7, 25)  # a Wednesday
    records = []
    for number in range(1, DRAWS + 1):
        numbers = rng.sample(range(1, 49), 6)  # drawing order, not sorted
        extra = [rng.randint(1, 48), rng.randint(1, 48)]
        date = day.strftime("%d.%m.%Y").encode("cp1251")
        records.append(struct.pack("<i6B2BB11s", number, *numbers, *extra, len(date), date.ljust(11, b"\0")))
        day += datetime.timedelta(days=3 if day.weekday() == 2 else 4)  # Wed -> Sat -> Wed
    return b"".join(records)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "data/sample/CorvelLotto_6x48.ldr"
    with open(path, "wb") as f:
        f.write(make_records())


if __name__ == "__main__":
    main()
