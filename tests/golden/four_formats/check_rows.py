#!/usr/bin/env python3
"""Checks the tables of expected/ against the field files of input/, apart from the program:
every depth, qc, qt, fs, u2 and inclination value printed for the GEF, AGS4 and CSV soundings
must equal the file's value in the file's own unit, cut to the column's decimals (missing,
-5435, where the file has a void or an empty cell, or where the value lies outside the
column's range), and fs and u2 likewise in the other unit of MPa and kPa (the file's digits
times 1000 or 0.001); the Hogentogler sounding GD-01 must print the same depth, qc, fs, u2 and VES
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


def gef_file(name):
    """The data rows of a GEF file as lists of cells, and per column number (from 1) its
    quantity number and void value, all read from the header as written."""
    with open(os.path.join(SOUNDINGS, name), encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    end = next(i for i, line in enumerate(lines) if line.startswith("#EOH"))
    quantity, void = {}, {}
    for line in lines[:end]:
        key, _, rest = line.partition("=")
        cells = [c.strip() for c in rest.split(",")]
        if key.strip() == "#COLUMNINFO":
            quantity[int(cells[3])] = int(cells[0])
        elif key.strip() == "#COLUMNVOID":
            void[int(cells[0])] = Decimal(cells[1])
    data = [line.rstrip("!").rstrip(";").split(";") for line in lines[end + 1:] if line.strip()]
    return data, quantity, void


def thousand(text, times):
    """A value in MPa written in kPa (times 1000) or one in kPa written in MPa (times 0.001),
    exactly, as the file's digits give it."""
    return None if text is None else str(Decimal(text) * Decimal(times))


def check_gef(sounding, name):
    """A GEF file's columns by quantity number: 11 (corrected depth) or 1 as depth in m, 2 qc,
    13 qt (else qt = qc: neither file has u2 with a net area ratio and no qt), 3 fs and 6 u2 in
    MPa, 9 and 10 the X and Y inclinations; void cells missing. MPa values must print the same
    digits in the kPa columns."""
    data, quantity, void = gef_file(name)
    rows = table(os.path.join(TABLES, sounding + "_Q1o.txt"))
    assert len(rows) == len(data), (len(rows), len(data))

    def value(cells, q):
        if q not in quantity:
            return None
        cell = cells[quantity[q] - 1].strip()
        return None if Decimal(cell) == void.get(quantity[q]) else cell
    for cells, row in zip(data, rows):
        depth = value(cells, 11 if 11 in quantity else 1)
        expect(sounding, row, "Depth_m", depth and depth.lstrip("-"))
        qc = value(cells, 2)
        expect(sounding, row, "Qc_MPa", qc)
        expect(sounding, row, "Qt_MPa", value(cells, 13) if 13 in quantity else qc)
        expect(sounding, row, "fs_MPa", value(cells, 3))
        expect(sounding, row, "fs_kPa", thousand(value(cells, 3), 1000))
        expect(sounding, row, "U2_MPa", value(cells, 6))
        expect(sounding, row, "U2_kPa", thousand(value(cells, 6), 1000))
        expect(sounding, row, "InclX", value(cells, 9))
        expect(sounding, row, "InclY", value(cells, 10))
    return len(rows)


def check_ags(sounding, name, test, unit_weight_pcf):
    """One test of an AGS4 file: SCPT_RES and SCPT_QT in MN/m2 (= MPa), SCPT_FRES and
    SCPT_PWP2 in kN/m2 (= kPa), each also in the other unit; no inclinations. The first VES is
    the buoyant unit weight over the depth above the first reading (water table at 0 ft)."""
    global failures, checked
    rows = table(os.path.join(TABLES, sounding + "_Q1o.txt"))
    with open(os.path.join(SOUNDINGS, name), newline="") as f:
        lines = f.read().split("\r\n")
    group, heading, data = None, None, []
    for line in lines:
        cells = [c.strip('"') for c in line.split('","')]
        if cells[0] == "GROUP":
            group = cells[1]
        elif cells[0] == "HEADING":
            heading = cells[1:]
        elif cells[0] == "DATA" and group == "SCPT":
            record = dict(zip(heading, cells[1:]))
            if record["SCPG_TESN"] == test:
                data.append(record)
    assert len(rows) == len(data), (len(rows), len(data))
    for record, row in zip(data, rows):
        def value(name):
            return record[name] or None
        expect(sounding, row, "Depth_m", value("SCPT_DPTH"))
        expect(sounding, row, "Qc_MPa", value("SCPT_RES"))
        expect(sounding, row, "Qt_MPa", value("SCPT_QT"))
        expect(sounding, row, "fs_kPa", value("SCPT_FRES"))
        expect(sounding, row, "fs_MPa", thousand(value("SCPT_FRES"), "0.001"))
        expect(sounding, row, "U2_kPa", value("SCPT_PWP2"))
        expect(sounding, row, "U2_MPa", thousand(value("SCPT_PWP2"), "0.001"))
        expect(sounding, row, "InclX", None)
        expect(sounding, row, "InclY", None)
    ves = (unit_weight_pcf - 62.4) * float(data[0]["SCPT_DPTH"]) * 3.2808399 / 2116.22
    first = Decimal(rows[0]["VES_atm"])
    checked += 1
    if not (first <= Decimal(ves) < first + Decimal("0.0001")):
        failures += 1
        print(f"FAIL {sounding} VES at {data[0]['SCPT_DPTH']} m: printed {first}, computed "
              f"{ves:.6f}")
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
        expect("P-1", row, "fs_MPa", thousand(value(2), "0.001"))
        expect("P-1", row, "U2_kPa", value(3))
        expect("P-1", row, "U2_MPa", thousand(value(3), "0.001"))
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


counts = {
    "MG-01 (GEF)": check_gef("MG-01", "MG-01.gef"),
    "CPT000000063044 (GEF)": check_gef("CPT000000063044", "CPT000000063044.GEF"),
    "BH-WFS1-5 (AGS4)": check_ags("BH-WFS1-5", "Borssele_WFS1-5.ags", "SCPT01", 125),
    "BH-WFS1-2A#CPT01 (AGS4)": check_ags("BH-WFS1-2A#CPT01", "Borssele_WFS1-2A_CPT01-02.ags",
                                         "CPT01", 120),
    "BH-WFS1-2A#CPT02 (AGS4)": check_ags("BH-WFS1-2A#CPT02", "Borssele_WFS1-2A_CPT01-02.ags",
                                         "CPT02", 120),
    "P-1 (CSV)": check_csv(),
    "GD-01 (Hogentogler)": check_hogentogler(),
}
for name, count in counts.items():
    print(f"{name}: {count} rows")
print(f"{checked} values checked, {failures} failed")
sys.exit(1 if failures else 0)
