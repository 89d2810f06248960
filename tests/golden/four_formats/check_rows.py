#!/usr/bin/env python3
"""Checks the tables of expected/ against the field files of input/, apart from the program:
every depth, qc, qt, fs, u2 and inclination value printed for the GEF, AGS4 and CSV soundings
must equal the file's value in the file's own unit, cut to the column's decimals (missing,
-5435, where the file has a void or an empty cell, or where the value lies outside the
column's range); the Hogentogler sounding GD-01 must print the same depth, qc, fs, u2 and VES
as in the three_soundings case, which checks it independently. Run from anywhere:
    python3 check_rows.py
"""
import os
import sys
from decimal import Decimal, ROUND_DOWN

HERE = os.path.dirname(os.path.abspath(__file__))
SOUNDINGS = os.path.join(HERE, "input", "Projects", "ExampleOne", "Soundings")
TABLES = os.path.join(HERE, "expected", "Projects", "ExampleOne", "Soundings")
THREE = os.path.join(HERE, "..", "three_soundings", "expected", "Projects", "ExampleOne",
                     "Soundings")

# Column: (decimals of its mask, lowest and highest value it prints).
MASKS = {"Depth_m": (3, 0, 150), "Qc_MPa": (4, 0, 99), "Qt_MPa": (4, 0, 99),
         "fs_MPa": (4, 0, 99), "fs_kPa": (1, 0, 9999), "U2_MPa": (4, 1e-7, 3),
         "U2_kPa": (1, 1e-7, 3000), "InclX": (3, -45, 45), "InclY": (3, -45, 45)}

failures = 0
checked = 0


def table(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    header = [c.strip() for c in lines[0].split(",")]
    start = lines.index("EOH") + 1
    rows = [[c.strip() for c in line.split(",")] for line in lines[start:] if line.strip()]
    return [dict(zip(header, row)) for row in rows]


def expect(sounding, row, column, file_text):
    """file_text: the value as the file writes it, in the column's unit; None for no value."""
    global failures, checked
    decimals, low, high = MASKS[column]
    printed = row[column]
    if file_text is None or not (low <= float(file_text) <= high):
        wanted = "-5435"
        ok = printed == wanted
    else:
        wanted = str(Decimal(file_text).quantize(Decimal(1).scaleb(-decimals), ROUND_DOWN))
        ok = Decimal(printed) == Decimal(wanted)
    checked += 1
    if not ok:
        failures += 1
        print(f"FAIL {sounding} depth {row['Depth_m']} {column}: printed {printed}, file {file_text}"
              f" -> {wanted}")


def check_gef():
    with open(os.path.join(SOUNDINGS, "MG-01.gef"), encoding="latin-1") as f:
        lines = f.read().splitlines()
    start = next(i for i, line in enumerate(lines) if line.startswith("#EOH")) + 1
    rows = table(os.path.join(TABLES, "MG-01_Q1o.txt"))
    data = [line.rstrip("!").rstrip(";").split(";") for line in lines[start:] if line.strip()]
    assert len(rows) == len(data), (len(rows), len(data))

    def value(cell):
        cell = cell.strip()
        return None if Decimal(cell) == Decimal("-999999") else cell
    # Columns: 1 length, 2 qc, 3 qt, 4 fs, 5 Rf, 6 u2, 7 incl, 8 incl EW (10), 9 incl NS (9),
    # 10 corrected depth: MPa and degrees, depth m.
    for cells, row in zip(data, rows):
        expect("MG-01", row, "Depth_m", value(cells[9]))
        expect("MG-01", row, "Qc_MPa", value(cells[1]))
        expect("MG-01", row, "Qt_MPa", value(cells[2]))
        expect("MG-01", row, "fs_MPa", value(cells[3]))
        expect("MG-01", row, "U2_MPa", value(cells[5]))
        expect("MG-01", row, "InclX", value(cells[8]))
        expect("MG-01", row, "InclY", value(cells[7]))
    return len(rows)


def check_ags():
    rows = table(os.path.join(TABLES, "BH-WFS1-5_Q1o.txt"))
    with open(os.path.join(SOUNDINGS, "Borssele_WFS1-5.ags"), newline="") as f:
        lines = f.read().split("\r\n")
    group, heading, data = None, None, []
    for line in lines:
        cells = [c.strip('"') for c in line.split('","')]
        if cells[0] == "GROUP":
            group = cells[1]
        elif cells[0] == "HEADING":
            heading = cells[1:]
        elif cells[0] == "DATA" and group == "SCPT":
            data.append(dict(zip(heading, cells[1:])))
    assert len(rows) == len(data), (len(rows), len(data))
    for record, row in zip(data, rows):
        def value(name):
            return record[name] or None
        # SCPT_RES and SCPT_QT in MN/m2 (= MPa); SCPT_FRES and SCPT_PWP2 in kN/m2 (= kPa).
        expect("BH-WFS1-5", row, "Depth_m", value("SCPT_DPTH"))
        expect("BH-WFS1-5", row, "Qc_MPa", value("SCPT_RES"))
        expect("BH-WFS1-5", row, "Qt_MPa", value("SCPT_QT"))
        expect("BH-WFS1-5", row, "fs_kPa", value("SCPT_FRES"))
        expect("BH-WFS1-5", row, "U2_kPa", value("SCPT_PWP2"))
        expect("BH-WFS1-5", row, "InclX", None)
    # The test starts 3.00 m down: VES there is the unit weight 125 pcf less water (water
    # table at 0 ft) over 3.00 m, in atm.
    ves = (125 - 62.4) * 3.00 * 3.2808399 / 2116.22
    first = Decimal(rows[0]["VES_atm"])
    global failures, checked
    checked += 1
    if not (first <= Decimal(ves) < first + Decimal("0.0001")):
        failures += 1
        print(f"FAIL BH-WFS1-5 VES at 3.00 m: printed {first}, computed {ves:.6f}")
    return len(rows)


def check_csv():
    rows = table(os.path.join(TABLES, "P-1_Q1o.txt"))
    with open(os.path.join(SOUNDINGS, "P-1.csv"), newline="") as f:
        lines = [line for line in f.read().split("\r\n") if line.strip()]
    data = [line.split(",") for line in lines[1:]]
    assert len(rows) == len(data), (len(rows), len(data))
    for cells, row in zip(data, rows):
        def value(i):
            return cells[i].strip() or None
        expect("P-1", row, "Depth_m", value(0))
        expect("P-1", row, "Qc_MPa", value(1))
        expect("P-1", row, "Qt_MPa", value(1))  # no qt column: qt = qc
        expect("P-1", row, "fs_kPa", value(2))
        expect("P-1", row, "U2_kPa", value(3))
        expect("P-1", row, "InclX", value(4))
        expect("P-1", row, "InclY", value(5))
    return len(rows)


def check_hogentogler():
    global failures, checked
    here = table(os.path.join(TABLES, "GD-01_Q1o.txt"))
    there = table(os.path.join(THREE, "GD-01_Q1o.txt"))
    assert len(here) == len(there)
    for a, b in zip(here, there):
        for column in ("Depth_ft", "Qc_atm", "fs_atm", "U2_atm", "VES_atm", "Qc1"):
            checked += 1
            if a[column] != b[column]:
                failures += 1
                print(f"FAIL GD-01 {column}: {a[column]} here, {b[column]} in three_soundings")
    return len(here)


counts = {"MG-01 (GEF)": check_gef(), "BH-WFS1-5 (AGS4)": check_ags(),
          "P-1 (CSV)": check_csv(), "GD-01 (Hogentogler)": check_hogentogler()}
for name, count in counts.items():
    print(f"{name}: {count} rows")
print(f"{checked} values checked, {failures} failed")
sys.exit(1 if failures else 0)
