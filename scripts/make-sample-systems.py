#!/usr/bin/env python3
"""Writes sample system files into DATA/Systems: the full wheels for 7, 8 and 9
numbers (every six of the N positions), in the two-digit form the system
editor writes, so that system play can be tried without the online catalogue."""
import itertools
import os
import sys


def main() -> None:
    folder = os.path.join(sys.argv[1], "Systems")
    os.makedirs(folder, exist_ok=True)
    for system_id, numbers in enumerate((7, 8, 9), start=1):
        lines = [" ".join(f"{i:02d}" for i in c) for c in itertools.combinations(range(1, numbers + 1), 6)]
        name = f"6-{numbers:02d}-0_{system_id:04d}.dat"
        with open(os.path.join(folder, name), "w", newline="") as out:
            out.write("".join(line + "\r\n" for line in lines))


if __name__ == "__main__":
    main()
