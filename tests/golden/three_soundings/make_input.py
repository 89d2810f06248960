#!/usr/bin/env python3
"""Writes the hand-made input of this case: three short field files, the soundings database,
the column definitions and the unit-weight profile (CR LF line ends). The shared files (setup
file, project list, charts) are copied from the shipped data area. Run from anywhere:
    python3 make_input.py
"""
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "..", "..", "data", "Kavo")
INPUT = os.path.join(HERE, "input")
PROJECT = os.path.join(INPUT, "Projects", "ExampleOne")
SOUNDINGS = os.path.join(PROJECT, "Soundings")

MARKER = -32768

# Per sounding: header texts, channel calibrations (name, divisions, zero, full-scale text)
# and the depth rows (depth in m or None, then the counts of each channel in column order).
# The tip and friction counts were chosen for a friction ratio picked per row.
SOUNDINGS_DATA = {
    "GD-01": {
        "firm": "Terracon Consultants Inc.",
        "operator": "M. CHEN",
        "probe": "HT-15T-0412",
        "date": "7/10/2017 3:05:09 PM",
        "gps": "$GPGGA,091412.00,3833.6720,N,12144.7780,W,1,08,1.1,14.2,M,-29.9,M,,*63",
        "channels": [("Tip", 250, 94, "500 TSF"), ("Friction", 500, 177, "10 TSF"),
                     ("U2", 500, 34, "500 PSI"), ("X Incl", 200, 11, "20 DEG"),
                     ("Y Incl", 200, 26, "20 DEG")],
        "rows": [
            (0.20, 600, 1442, 40, 12, 26), (0.40, 1500, 1864, 52, 12, 25),
            (0.60, 2600, 2182, 61, 13, 26), (0.80, 3400, 2161, 75, 13, 27),
            (1.00, 1100, 3195, 180, 12, 26), (1.20, 700, 2904, 260, 12, 26),
            (1.40, 560, 2600, 310, 14, 25), (1.60, 640, 2361, 295, 14, 26),
            (1.80, 1900, 2886, 120, 13, 26), (2.00, 4200, 3051, 88, 13, 25),
            (2.20, 5600, 2930, 70, 12, 25), (2.40, 5100, 3181, 82, 12, 26),
            (2.60, 2600, 4688, 140, 13, 26), (2.80, 900, 3240, 350, 13, 27),
            (3.00, 1300, 3313, 280, 14, 27),
            (3.02, 1320, MARKER, 275, 14, 27), (None, 1310, MARKER, 270, 14, 27),
            (None, 101, 190, 36, 12, 25),
        ],
    },
    "GD-02": {
        "firm": "abc drilling",
        "operator": "R. ORTIZ",
        "probe": "HT-10T-0233",
        "date": "12-JUL-2017",
        "gps": "",
        "channels": [("Tip", 500, 60, "500 TSF"), ("Friction", 500, 150, "5 TSF"),
                     ("U2", 250, 20, "250 PSI")],
        "rows": [
            (0.25, 1800, 3630, 25), (0.50, 3500, 3590, 31), (0.75, 6200, 3834, 28),
            (1.00, 9000, 4620, 22), (1.25, 7400, 5288, 35), (1.50, 2300, 5078, 90),
            (1.75, 1200, 4140, 160), (2.00, 1000, 4098, 175), (2.25, 1500, 4470, 120),
            (2.50, 4800, 5364, 45), (2.75, 8100, 4974, 30), (3.00, 8300, 5094, 29),
        ],
    },
    "GD-03": {
        "firm": "Terracon Consultants Inc.",
        "operator": "M. CHEN",
        "probe": "HT-15T-0412",
        "date": "7/9/2017 11:40:00 AM",
        "gps": "$GPGGA,174012.00,3833.7012,N,12144.8120,W,1,09,0.9,13.8,M,-29.9,M,,*6A",
        "channels": [("Tip", 250, 101, "500 TSF"), ("Friction", 500, 190, "10 TSF"),
                     ("U2", 500, 36, "500 PSI"), ("X Incl", 200, 12, "20 DEG"),
                     ("Y Incl", 200, 25, "20 DEG")],
        "rows": [
            (0.10, 450, 1237, 41, 12, 25), (0.30, 1200, 2388, 55, 12, 25),
            (0.50, 2800, 2619, 63, 13, 25), (0.70, 4100, 2589, 70, 13, 26),
            (0.90, 3000, 3089, 95, 13, 26), (1.10, 800, 2986, 240, 13, 26),
            (1.30, 650, 3210, 330, 14, 26), (1.50, 900, 2747, 270, 14, 26),
            (1.70, 2200, 3129, 130, 14, 27), (1.90, 4600, 2889, 80, 14, 27),
            (2.10, 5300, 2790, 66, 15, 27), (2.30, 3800, 3519, 90, 15, 27),
            (2.32, 3700, MARKER, 88, 15, 27), (2.34, 3650, MARKER, 86, 15, 27),
            (None, 99, 185, 35, 12, 25),
        ],
    },
}


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


def field_file(name, s):
    names = [c[0] for c in s["channels"]]
    header = [
        "HOGENTOGLER & CO., INC.   CPT DATA ACQUISITION   Ver 4.11",
        s["firm"], s["operator"], s["probe"], "Golden case levee reach", "Truck 3", name,
        s["date"], "Type 2 piezocone 15 cm2, u2 filter", "Cone area 15 cm2",
        "Sleeve area 225 cm2", s["gps"], "Water table noted on site", "Push rate 2 cm/s",
        "Operator checked baseline", "",
        "Depth (m)".ljust(19) + "".join(n.ljust(20) for n in names),
        "Divisions".ljust(19) + "".join(str(c[1]).ljust(20) for c in s["channels"]),
        "Zero".ljust(19) + "".join(str(c[2]).ljust(20) for c in s["channels"]),
        "Full scale".ljust(19) + "".join(c[3].ljust(20) for c in s["channels"]),
        " " * 19 + "".join(c[3].split()[1].ljust(20) for c in s["channels"]),
        " " * 19 + "".join(("#%d" % (k + 1)).ljust(20) for k in range(len(names))),
        "Depth(m)   Speed(cm/s)   Channels",
    ]
    rows = []
    for row in s["rows"]:
        depth = " " * 8 if row[0] is None else "%8.3f" % row[0]
        rows.append(depth + " " * 11 + "".join("%20d" % v for v in row[1:]))
    return crlf(header + rows)


def main():
    if os.path.isdir(INPUT):
        shutil.rmtree(INPUT)
    os.makedirs(SOUNDINGS)
    shutil.copytree(os.path.join(SOURCE, "SLD input"), os.path.join(INPUT, "SLD input"))
    shutil.copytree(os.path.join(SOURCE, "software"), os.path.join(INPUT, "software"))
    shutil.copy(os.path.join(SOURCE, "Projects", "Kavo_ProjectS---List.csv"),
                os.path.join(INPUT, "Projects"))
    for name, s in SOUNDINGS_DATA.items():
        with open(os.path.join(SOUNDINGS, name + ".CPT"), "w", newline="") as out:
            out.write(field_file(name, s))
    with open(os.path.join(PROJECT, "Kavo_SoundingS---ExampleOne.csv"), "w", newline="") as out:
        out.write(crlf([
            "{SOUNDING_NAME} CPT Name & File Name,{PROBE_AND_SERIAL_NUM} probe equipment device"
            " number,{SITE_NAME} Site name,{WATERTABLE_DEPTH_FEET} Water Table depth (feet),"
            "{UWT_METHOD} Total Unit Weight lookup method,{UWT_ABOVE_WT_PCF} Total Unit Weight"
            " ABOVE TW (PCF),{UWT_BELOW_WT_PCF} Total Unit Weight Below TW (PCF),"
            "{UWT_FILE_NAME} Total Unit - File Name",
            'GD-01,HT-15T-0412,"Golden levee",4,WT,115,125,',
            'GD-02,HT-10T-0233,"Golden levee",2,WT,110,118,',
            'GD-03,HT-15T-0412,"Golden levee",3,FILE,,,GD-03_UWT.csv',
        ]))
    # One column ID per line: the layout that the shipped example does not use.
    columns = ["Depth_ft", "Qc_atm", "fs_atm", "Fr_%", "U2_atm", "VES_atm", "Qc1", "cQc_tln",
               "Ic_tln", "UWT_tln_pcf", "CRRe_tln", "CRRe_UCB06", "CRRe_UCD14", "S1_tln",
               "Su_Nk=15_psf", "p200s1_tln", "N1_tln", "Vs1_tln_fps"]
    with open(os.path.join(PROJECT, "Kavo_Q1o_Columns---Golden.csv"), "w", newline="") as out:
        out.write(crlf(columns))
    with open(os.path.join(PROJECT, "GD-03_UWT.csv"), "w", newline="") as out:
        out.write(crlf(["depth_ft,UWT_pcf", "FILETYPE=SLDLv5",
                        "unit weight profile of the GD-03 site", "EOH",
                        "0,110", "3,112", "6,118", "10,121", "20,124"]))


if __name__ == "__main__":
    main()
