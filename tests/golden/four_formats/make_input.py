#!/usr/bin/env python3
"""Writes the input of this case: a soundings folder with soundings of every field-file
format, its soundings database and column definitions (CR LF line ends). The Hogentogler file
is GD-01 of the three_soundings case; the GEF files are the header and the first 40 data rows
of the public sample tests/data/fielddata/cpt-pygef.gef, and the header, first 50 and last 6
data rows of the register export CPT000000063044_IMBRO_A.gef; the AGS4 files are the public
sample N6016_BH_WFS1-5_AGS4_150909.ags unchanged and N6016_BH_WFS1-2A_AGS4_150909.ags without
the SCPG and SCPT rows of its tests CPT03 to CPT18; the CSV file is written here. The setup
file, the project list and the charts are copied from the shipped data area. Run from
anywhere:
    python3 make_input.py
"""
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
TESTS = os.path.join(HERE, "..", "..")
SOURCE = os.path.join(TESTS, "..", "data", "Kavo")
SAMPLES = os.path.join(TESTS, "data", "fielddata")
INPUT = os.path.join(HERE, "input")
PROJECT = os.path.join(INPUT, "Projects", "ExampleOne")
SOUNDINGS = os.path.join(PROJECT, "Soundings")

GEF_ROWS = 40
BRO_FIRST_ROWS = 50
BRO_LAST_ROWS = 6
AGS_TESTS_KEPT = ("CPT01", "CPT02")

COLUMNS = ["Depth_ft", "Depth_m", "Qc_atm", "Qc_MPa", "Qt_MPa", "fs_atm", "fs_MPa", "fs_kPa",
           "U2_atm", "U2_MPa", "U2_kPa", "InclX", "InclY", "VES_atm", "Qc1", "Ic_tln",
           "UWT_tln_pcf"]

DATABASE = [
    "{SOUNDING_NAME} CPT Name & File Name,{PROBE_AND_SERIAL_NUM} probe equipment device number,"
    "{SITE_NAME} Site name,{WATERTABLE_DEPTH_FEET} Water Table depth (feet),"
    "{UWT_METHOD} Total Unit Weight lookup method,{UWT_ABOVE_WT_PCF} Total Unit Weight ABOVE TW (PCF),"
    "{UWT_BELOW_WT_PCF} Total Unit Weight Below TW (PCF)",
    'GD-01,HT-15T-0412,"Golden levee",4,WT,115,125',
    'MG-01,S10-CFIIP.1721,"Voorne Putten",1,WT,110,118',
    'BH-WFS1-5,"CP10-CF50PB10SN2 1706-1973","Borssele WFS I",0,WT,125,125',
    'P-1,,"Golden levee",5,KAVO',
    'CPT000000063044,F7.5CKE2HA/B-1701-2344,"Dutch subsurface register",3,WT,105,112',
    'BH-WFS1-2A#CPT01,"CP10-CF50PB10 1706-1876","Borssele WFS I",0,WT,120,120',
    'BH-WFS1-2A#CPT02,"CP10-CF50PB10 1706-1876","Borssele WFS I",0,WT,120,120',
]

# depth m, qc MPa, fs kPa, u2 kPa, inclination x, inclination y ("" is no value)
CSV_ROWS = [
    ("0.00", "", "", "", "", ""),
    ("0.20", "1.85", "42.0", "", "0.3", "-0.2"),
    ("0.40", "2.40", "55.5", "3.1", "0.3", "-0.2"),
    ("0.60", "0.95", "38.2", "12.4", "0.4", "-0.1"),
    ("0.80", "0.62", "31.0", "25.0", "0.4", "-0.1"),
    ("1.00", "0.58", "29.4", "38.6", "0.5", "0.0"),
    ("1.20", "4.75", "31.2", "6.2", "0.5", "0.0"),
    ("1.40", "8.90", "44.8", "2.5", "0.6", "0.1"),
    ("1.60", "12.35", "61.0", "8.8", "0.6", "0.1"),
    ("1.80", "10.20", "70.2", "10.4", "0.6", "0.2"),
    ("2.00", "9.15", "88.1", "14.9", "0.7", "0.2"),
    ("2.20", "2.05", "62.5", "55.3", "0.7", "0.3"),
]


def write_crlf(path, lines):
    with open(path, "w", newline="") as out:
        out.write("".join(line + "\r\n" for line in lines))


def main():
    if os.path.isdir(INPUT):
        shutil.rmtree(INPUT)
    os.makedirs(SOUNDINGS)
    shutil.copytree(os.path.join(SOURCE, "SLD input"), os.path.join(INPUT, "SLD input"))
    shutil.copytree(os.path.join(SOURCE, "software"), os.path.join(INPUT, "software"))
    shutil.copy(os.path.join(SOURCE, "Projects", "Kavo_ProjectS---List.csv"),
                os.path.join(INPUT, "Projects"))
    shutil.copy(os.path.join(HERE, "..", "three_soundings", "input", "Projects", "ExampleOne",
                             "Soundings", "GD-01.CPT"), SOUNDINGS)

    with open(os.path.join(SAMPLES, "cpt-pygef.gef"), "rb") as sample:
        lines = sample.read().split(b"\n")
    end_of_header = next(i for i, line in enumerate(lines) if line.startswith(b"#EOH"))
    with open(os.path.join(SOUNDINGS, "MG-01.gef"), "wb") as out:
        out.write(b"\n".join(lines[:end_of_header + 1 + GEF_ROWS]) + b"\n")

    with open(os.path.join(SAMPLES, "CPT000000063044_IMBRO_A.gef"), "rb") as sample:
        lines = sample.read().split(b"\n")
    end_of_header = next(i for i, line in enumerate(lines) if line.startswith(b"#EOH"))
    rows = [line for line in lines[end_of_header + 1:] if line.strip()]
    with open(os.path.join(SOUNDINGS, "CPT000000063044.GEF"), "wb") as out:
        out.write(b"\n".join(lines[:end_of_header + 1] + rows[:BRO_FIRST_ROWS] +
                             rows[-BRO_LAST_ROWS:]) + b"\n")

    shutil.copy(os.path.join(SAMPLES, "N6016_BH_WFS1-5_AGS4_150909.ags"),
                os.path.join(SOUNDINGS, "Borssele_WFS1-5.ags"))
    # The borehole's first two tests, pushed from its bottom 10 m and 14 m down; the rows of
    # its other sixteen tests are left out.
    with open(os.path.join(SAMPLES, "N6016_BH_WFS1-2A_AGS4_150909.ags"), "rb") as sample:
        lines = sample.read().split(b"\r\n")
    kept, group = [], None
    for line in lines:
        cells = line.split(b'","')
        if cells[0] == b'"GROUP':
            group = cells[1].strip(b'"')
        elif (cells[0] == b'"DATA' and group in (b"SCPG", b"SCPT")
              and cells[2].strip(b'"').decode() not in AGS_TESTS_KEPT):
            continue
        kept.append(line)
    with open(os.path.join(SOUNDINGS, "Borssele_WFS1-2A_CPT01-02.ags"), "wb") as out:
        out.write(b"\r\n".join(kept))

    write_crlf(os.path.join(SOUNDINGS, "P-1.csv"),
               ["depth [m], qc [MPa], fs [kPa], u2 [kPa], inclination x [deg], "
                "inclination y [deg]"] + [",".join(row) for row in CSV_ROWS])
    write_crlf(os.path.join(PROJECT, "Kavo_SoundingS---ExampleOne.csv"), DATABASE)
    write_crlf(os.path.join(PROJECT, "Kavo_Q1o_Columns---Golden.csv"), COLUMNS)


if __name__ == "__main__":
    main()
