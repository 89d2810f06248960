#!/usr/bin/env python3
"""Writes the example plain-CSV sounding KV-07.csv of the ExampleOne project from the public
GEF sample tests/data/fielddata/cpt2-pygef.gef (MIT licence, cemsbv/pygef): every fifth data
row, depth in m, qc in MPa, fs in kPa and the two inclinations, so that the example shows
Kavo's CSV format with real measurements. CR LF line ends.

Usage: make_example_csv_sounding.py [--output FILE]
"""

import argparse
import os
from decimal import Decimal

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "tests", "data", "fielddata", "cpt2-pygef.gef")
OUTPUT = os.path.join(HERE, "..", "data", "Kavo", "Projects", "ExampleOne", "Soundings", "KV-07.csv")
EVERY = 5
VOID = Decimal("-9999")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=OUTPUT)
    args = parser.parse_args()
    with open(SOURCE, encoding="latin-1") as f:
        lines = f.read().splitlines()
    start = next(i for i, line in enumerate(lines) if line.startswith("#EOH")) + 1
    rows = ["depth [m], qc [MPa], fs [kPa], inclination x [deg], inclination y [deg]"]
    for line in lines[start::EVERY]:
        # Columns: 1 length m, 2 qc MPa, 3 fs MPa, 4 inclination (quantity 9), 5 inclination
        # (quantity 10); -9999 is no value.
        cells = [Decimal(c) for c in line.rstrip("!").rstrip(";").split(";")]

        def text(value, scale=Decimal(1)):
            return "" if value == VOID else f"{(value * scale).normalize():f}"
        rows.append(",".join([text(cells[0]), text(cells[1]), text(cells[2], Decimal(1000)),
                              text(cells[3]), text(cells[4])]))
    with open(args.output, "w", newline="") as out:
        out.write("".join(row + "\r\n" for row in rows))


if __name__ == "__main__":
    main()
