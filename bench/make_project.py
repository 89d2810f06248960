#!/usr/bin/env python3
"""Writes a large, realistic data area for the whole-run benchmark: one project of N soundings
of M readings each, in the field-file layout the program reads (CR LF line ends).

    python3 make_project.py DATA_ROOT [--soundings N] [--readings M] [--seed S]

The same arguments give the same bytes. Each sounding is a column of layered soil (sand, silt,
clay and mixtures, 0.5 to 6 m thick, firmer with depth) pushed in 5 cm steps from a random
start depth. About one sounding in five ends the data with its last row ("FUGRO") instead of
the marker rows and closing zero row ("NORMAL"); one in four has no inclinometer channels; the
unit weight is by water table for most soundings, by the chart for some and by a site profile
file for the rest. The setup file, the project list, the charts and the column list are copied
from the shipped data area (data/Kavo).
"""
import argparse
import math
import os
import random
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "data", "Kavo")
PROJECT_NAME = "ExampleOne"
MARKER = -32768
STEP_M = 0.05
# Atmospheres per count: 0.95 atm per tsf x 0.01044 x full scale / divisions.
TIP = ("Tip", 250, "500 TSF", 0.95 * 0.01044 * 500 / 250)
FRICTION = ("Friction", 500, "10 TSF", 0.95 * 0.01044 * 10 / 500)
U2 = ("U2", 500, "500 PSI", 0.068046 * 0.01044 * 500 / 500)
X_INCL = ("X Incl", 200, "20 DEG", None)
Y_INCL = ("Y Incl", 200, "20 DEG", None)

# Soil kinds: cone resistance (atm) at the surface and its growth per metre, friction ratio (%).
SOILS = [
    ("sand", 90.0, 6.0, 0.5, 1.1),
    ("silty sand", 55.0, 3.5, 1.0, 1.8),
    ("silt", 25.0, 1.8, 1.8, 3.0),
    ("clay", 9.0, 0.9, 3.0, 5.5),
    ("peat", 4.0, 0.2, 5.0, 8.0),
]
SOIL_WEIGHTS = [30, 22, 20, 23, 5]


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


def layers_for(rng, total_m):
    """The soil layers down to total_m: (bottom depth m, soil, qc factor, FR)."""
    layers = []
    bottom = 0.0
    while bottom < total_m:
        bottom += rng.uniform(0.5, 6.0)
        soil = rng.choices(SOILS, SOIL_WEIGHTS)[0]
        layers.append((bottom, soil, rng.uniform(0.7, 1.3), rng.uniform(soil[3], soil[4])))
    return layers


def sounding_rows(rng, readings, channels, normal_end):
    """The depth rows: depth (m or None) and the counts of each channel in order."""
    start = round(rng.uniform(0.05, 0.6), 2)
    total = start + STEP_M * readings
    layers = layers_for(rng, total)
    zeros = [rng.randint(20, 200) for _ in channels]
    rows = []
    layer = 0
    water_m = rng.uniform(1.0, 5.0)
    wave = rng.uniform(0.0, math.tau)
    for i in range(readings):
        depth = start + STEP_M * i
        while layers[layer][0] < depth:
            layer += 1
        _, soil, factor, fr = layers[layer]
        # Firmer with depth, a gentle wave inside the layer and noise of the push.
        qc = (soil[1] + soil[2] * depth) * factor
        qc *= 1.0 + 0.15 * math.sin(depth * 2.3 + wave) + rng.gauss(0.0, 0.05)
        qc = max(qc, 1.5)
        fs = qc * max(fr * (1.0 + rng.gauss(0.0, 0.08)), 0.05) / 100.0
        u2 = max(0.0, (depth - water_m) * 0.0968) * (3.0 if soil[0] in ("clay", "peat") else 1.0)
        counts = []
        for k, channel in enumerate(channels):
            if channel is TIP:
                counts.append(zeros[k] + round(qc / TIP[3]))
            elif channel is FRICTION:
                counts.append(zeros[k] + round(fs / FRICTION[3]))
            elif channel is U2:
                counts.append(zeros[k] + round(u2 / U2[3]))
            else:
                counts.append(zeros[k] + rng.randint(-3, 8))
        rows.append(("%8.3f" % depth, counts))
    if normal_end:
        # Two marker rows (the first with a depth), then the closing zero row.
        last = rows[-1][1]
        marker = [MARKER if ch is FRICTION else c for ch, c in zip(channels, last)]
        rows.append(("%8.3f" % (start + STEP_M * readings), marker))
        rows.append((" " * 8, marker))
        rows.append((" " * 8, [z + rng.randint(-2, 2) for z in zeros]))
    return zeros, rows


def field_file(rng, name, readings, channels, normal_end, probe, date):
    zeros, rows = sounding_rows(rng, readings, channels, normal_end)
    names = [c[0] for c in channels]
    header = [
        "HOGENTOGLER & CO., INC.   CPT DATA ACQUISITION   Ver 4.11",
        "Benchmark Drilling Co.", "B. ENCH", probe, "Benchmark levee reach", "Truck 7", name,
        date, "Type 2 piezocone 15 cm2, u2 filter", "Cone area 15 cm2", "Sleeve area 225 cm2",
        "$GPGGA,091412.00,3833.6720,N,12144.7780,W,1,08,1.1,14.2,M,-29.9,M,,*63",
        "Water table noted on site", "Push rate 2 cm/s", "Operator checked baseline", "",
        "Depth (m)".ljust(19) + "".join(n.ljust(20) for n in names),
        "Divisions".ljust(19) + "".join(str(c[1]).ljust(20) for c in channels),
        "Zero".ljust(19) + "".join(str(z).ljust(20) for z in zeros),
        "Full scale".ljust(19) + "".join(c[2].ljust(20) for c in channels),
        " " * 19 + "".join(c[2].split()[1].ljust(20) for c in channels),
        " " * 19 + "".join(("#%d" % (k + 1)).ljust(20) for k in range(len(names))),
        "Depth(m)   Speed(cm/s)   Channels",
    ]
    lines = [depth + " " * 11 + "".join("%20d" % v for v in counts) for depth, counts in rows]
    return crlf(header + lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root", help="the data area to write (replaced when it exists)")
    parser.add_argument("--soundings", type=int, default=200)
    parser.add_argument("--readings", type=int, default=1500)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    root = os.path.abspath(args.root)
    project = os.path.join(root, "Projects", PROJECT_NAME)
    soundings = os.path.join(project, "Soundings")
    if os.path.isdir(root):
        shutil.rmtree(root)
    os.makedirs(soundings)
    shutil.copytree(os.path.join(SOURCE, "SLD input"), os.path.join(root, "SLD input"))
    shutil.copytree(os.path.join(SOURCE, "software"), os.path.join(root, "software"))
    shutil.copy(os.path.join(SOURCE, "Projects", "Kavo_ProjectS---List.csv"),
                os.path.join(root, "Projects"))
    shutil.copy(os.path.join(SOURCE, "Projects", PROJECT_NAME,
                             "Kavo_Q1o_Columns---ExampleOne.csv"), project)

    profiles = ["SITE-A_UWT.csv", "SITE-B_UWT.csv"]
    for k, profile in enumerate(profiles):
        pairs = ["0,%d" % (108 + 2 * k)]
        depth = 0
        while depth < 400:
            depth += rng.randint(15, 60)
            pairs.append("%d,%d" % (depth, rng.randint(110, 128)))
        with open(os.path.join(project, profile), "w", newline="") as out:
            out.write(crlf(["depth_ft,UWT_pcf", "FILETYPE=SLDLv5", "site profile " + profile,
                            "EOH"] + pairs))

    rows = [
        "{SOUNDING_NAME} CPT Name & File Name,{PROBE_AND_SERIAL_NUM} probe equipment device"
        " number,{SITE_NAME} Site name,{WATERTABLE_DEPTH_FEET} Water Table depth (feet),"
        "{UWT_METHOD} Total Unit Weight lookup method,{UWT_ABOVE_WT_PCF} Total Unit Weight"
        " ABOVE TW (PCF),{UWT_BELOW_WT_PCF} Total Unit Weight Below TW (PCF),"
        "{UWT_FILE_NAME} Total Unit - File Name"
    ]
    for n in range(1, args.soundings + 1):
        name = "BM-%04d" % n
        channels = [TIP, FRICTION, U2] + ([] if rng.random() < 0.25 else [X_INCL, Y_INCL])
        normal_end = rng.random() >= 0.2
        probe = rng.choice(["HT-15T-0412", "HT-10T-0233", "HT-15T-0977"])
        date = "%d/%d/2019 %d:%02d:%02d AM" % (rng.randint(1, 12), rng.randint(1, 28),
                                               rng.randint(1, 11), rng.randint(0, 59),
                                               rng.randint(0, 59))
        with open(os.path.join(soundings, name + ".CPT"), "w", newline="") as out:
            out.write(field_file(rng, name, args.readings, channels, normal_end, probe, date))
        water_ft = rng.randint(2, 15)
        method = rng.choices(["WT", "KAVO", "FILE"], [60, 25, 15])[0]
        if method == "WT":
            rows.append('%s,%s,"Benchmark levee",%d,WT,%d,%d,' %
                        (name, probe, water_ft, rng.randint(108, 118), rng.randint(118, 128)))
        elif method == "KAVO":
            rows.append('%s,%s,"Benchmark levee",%d,KAVO,,,' % (name, probe, water_ft))
        else:
            rows.append('%s,%s,"Benchmark levee",%d,FILE,,,%s' %
                        (name, probe, water_ft, rng.choice(profiles)))
    with open(os.path.join(project, "Kavo_SoundingS---%s.csv" % PROJECT_NAME), "w",
              newline="") as out:
        out.write(crlf(rows))


if __name__ == "__main__":
    main()
