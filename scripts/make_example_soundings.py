#!/usr/bin/env python3
"""Writes the example Hogentogler field data files of the ExampleOne project.

Each sounding is a layered profile (dense sand, silty sand, soft clay, stiff clay) sampled
every 0.05 m, with pore pressure rising below the water table, some noise and a few zero or
negative readings near the surface. The engineering values are turned into raw counts by
inverting the reader's conversions with the file's own calibration:

    value = unit factor x (counts - zero) x 0.01044 x (full scale / divisions)

(inclinations: value = (full scale / divisions) x (counts - zero)). Most files end with two
friction marker rows (-32768) and a closing zero row with some zero drift; one file simply
ends. The output is reproducible: every sounding has its own fixed seed.

It also writes, for the reader's tests, a CSV of the intended values: one SUMMARY line per
sounding and a READING line for every 50th reading.

Usage: make_example_soundings.py [--soundings DIR] [--expected FILE]
"""

import argparse
import math
import os
import random

COUNT_FACTOR = 0.01044
ATM_PER_TSF = 0.95
ATM_PER_PSI = 0.068046
FT_PER_M = 3.28084
STEP_M = 0.05
WATER_ATM_PER_M = 9.80665 / 101.325  # pressure of one metre of water, atm
SOIL_ATM_PER_M = 0.175  # total vertical stress gradient of the profile, atm per metre
MARKER = -32768

# Two probes with their channels: name, divisions, full scale and units for rows 18 and 20.
PROBES = {
    "HT-15T-0412": {
        "description": "Type 2 piezocone 15 cm2, 15 ton, u2 filter",
        "channels": [
            ("Tip", 250, "500 TSF"),
            ("Friction", 500, "10 TSF"),
            ("U2", 500, "500 PSI"),
            ("X Incl", 200, "20 DEG"),
            ("Y Incl", 200, "20 DEG"),
        ],
    },
    "HT-10T-0977": {
        "description": "Type 2 piezocone 10 cm2, 10 ton, u2 filter",
        "channels": [
            ("Tip", 400, "1000 TSF"),
            ("Friction", 600, "15 TSF"),
            ("U2", 1000, "1000 PSI"),
            ("Conductivity", 100, "200 MS/M"),
        ],
    },
}

# Soil behaviour: cone resistance qt (atm) at the top of the layer and its gain per metre,
# friction ratio (%), and pore pressure ratio Bq = (u2 - u0) / (qt - total stress).
SOILS = {
    "dense sand": {"qt": 140.0, "gain": 6.0, "rf": 0.7, "bq": -0.01, "noise": 0.12},
    "silty sand": {"qt": 45.0, "gain": 2.0, "rf": 1.8, "bq": 0.05, "noise": 0.10},
    "soft clay": {"qt": 5.0, "gain": 0.35, "rf": 3.6, "bq": 0.55, "noise": 0.05},
    "stiff clay": {"qt": 22.0, "gain": 0.6, "rf": 5.0, "bq": 0.25, "noise": 0.06},
}

# The five soundings of the project: water table (ft), readings in the file, layers (top in
# metres, soil), probe, how the file ends, GPS position or None, date text, firm (made up, as are the
# operators' names).
SOUNDINGS = [
    ("KV-01", 8, 640, [(0.0, "silty sand"), (1.6, "soft clay"), (7.5, "silty sand"),
                       (14.0, "dense sand"), (22.5, "stiff clay")],
     "HT-15T-0412", "NORMAL", (38.5612, -121.7463), "7/10/2017 3:05:09 PM",
     "Example Probe Crew One (made-up firm)"),
    ("KV-02", 12, 1480, [(0.0, "dense sand"), (2.2, "silty sand"), (9.0, "soft clay"),
                         (21.0, "stiff clay"), (38.0, "dense sand"), (55.0, "stiff clay")],
     "HT-15T-0412", "NORMAL", None, "7/11/2017 9:41:27 AM", "Example Probe Crew One (made-up firm)"),
    ("KV-03", 5, 320, [(0.0, "soft clay"), (4.0, "silty sand"), (9.5, "dense sand")],
     "HT-15T-0412", "NORMAL", (38.5597, -121.7488), "7/12/2017 12:15:40 PM",
     "Example Probe Crew One (made-up firm)"),
    ("KV-04", 10, 900, [(0.0, "silty sand"), (3.0, "stiff clay"), (12.0, "soft clay"),
                        (26.0, "dense sand"), (36.0, "silty sand")],
     "HT-10T-0977", "FUGRO", None, "14-AUG-2017", "Example Probe Crew Two (made-up firm)"),
    ("KV-05", 15, 1150, [(0.0, "stiff clay"), (2.5, "silty sand"), (11.0, "dense sand"),
                         (19.0, "soft clay"), (33.0, "stiff clay"), (46.0, "dense sand")],
     "HT-10T-0977", "NORMAL", (38.5634, -121.7421), "8/15/2017 7:02:55 AM",
     "Example Probe Crew Two (made-up firm)"),
]


def soil_at(layers, depth_m):
    top, name = layers[0]
    for layer_top, layer_name in layers:
        if depth_m >= layer_top:
            top, name = layer_top, layer_name
    return SOILS[name], depth_m - top


def profile(layers, readings, water_table_m, rng):
    """Engineering values per reading: depth m, qt atm, fs atm, u2 atm, x and y degrees."""
    rows = []
    for i in range(1, readings + 1):
        z = round(i * STEP_M, 3)
        soil, into_layer = soil_at(layers, z)
        qt = (soil["qt"] + soil["gain"] * into_layer) * math.exp(rng.gauss(0.0, soil["noise"]))
        rows.append([z, qt, soil["rf"] * math.exp(rng.gauss(0.0, 0.08)), soil["bq"]])
    # Layer boundaries are not sharp for a 36 mm cone: smooth over five readings.
    smoothed = []
    for i, row in enumerate(rows):
        window = rows[max(0, i - 2):i + 3]
        qt = sum(r[1] for r in window) / len(window)
        rf = sum(r[2] for r in window) / len(window)
        bq = sum(r[3] for r in window) / len(window)
        smoothed.append((row[0], qt, rf, bq))

    values = []
    for i, (z, qt, rf, bq) in enumerate(smoothed):
        # Disturbed ground at the surface: the cone reads nothing at first, then a little
        # below its zero, and takes hold over the first 0.4 m.
        if i == 0:
            qt = 0.0
        elif i == 1:
            qt = -rng.uniform(0.1, 0.5)
        elif i == 2:
            qt = rng.uniform(0.0, 0.3)
        elif z < 0.4:
            qt = qt * (z / 0.4) ** 2 + rng.gauss(0.0, 0.2)
        fs = qt * rf / 100.0 + rng.gauss(0.0, 0.004)
        u0 = max(0.0, z - water_table_m) * WATER_ATM_PER_M
        sigma = SOIL_ATM_PER_M * z
        u2 = u0 + (bq * (qt - sigma) if z > water_table_m else 0.0) + rng.gauss(0.0, 0.01)
        x = 0.3 + 0.015 * z + rng.gauss(0.0, 0.05)
        y = -0.2 + 0.01 * z + rng.gauss(0.0, 0.05)
        values.append((z, qt, fs, u2, x, y))
    return values


def counts_of(value, zero, full_scale_text, divisions, unit_factor):
    scale = float(full_scale_text.split()[0]) / divisions
    counts = round(zero + value / (unit_factor * COUNT_FACTOR * scale))
    return max(-32000, min(32000, counts))


def inclination_counts(value, zero, full_scale_text, divisions):
    scale = float(full_scale_text.split()[0]) / divisions
    return round(zero + value / scale)


def nmea_checksum(body):
    total = 0
    for c in body:
        total ^= ord(c)
    return "%02X" % total


def gga_sentence(position, time_text):
    lat, lon = position
    lat_deg, lon_deg = int(abs(lat)), int(abs(lon))
    lat_text = "%02d%07.4f" % (lat_deg, (abs(lat) - lat_deg) * 60.0)
    lon_text = "%03d%07.4f" % (lon_deg, (abs(lon) - lon_deg) * 60.0)
    body = "GPGGA,%s.00,%s,%s,%s,%s,1,08,1.1,14.2,M,-29.9,M,," % (
        time_text, lat_text, "N" if lat >= 0 else "S", lon_text, "E" if lon >= 0 else "W")
    return "$%s*%s" % (body, nmea_checksum(body))


def cells(label, texts):
    return label.ljust(19) + "".join(t.ljust(20) for t in texts)


def data_row(depth_m, counts):
    depth = "%8.3f" % depth_m if depth_m is not None else " " * 8
    return depth + " " * 11 + "".join("%20d" % c for c in counts)


def make_sounding(index, spec):
    name, water_table_ft, readings, layers, probe_id, ending, position, date_text, firm = spec
    rng = random.Random(20170710 + 97 * index)
    probe = PROBES[probe_id]
    channels = probe["channels"]
    zeros = []
    for channel_name, _, _ in channels:
        zeros.append({"Tip": rng.randint(80, 320), "Friction": rng.randint(40, 220),
                      "U2": rng.randint(20, 90)}.get(channel_name, rng.randint(0, 40)))

    water_table_m = water_table_ft / FT_PER_M
    values = profile(layers, readings, water_table_m, rng)
    time_text = "%02d%02d%02d" % (8 + index, rng.randint(0, 59), rng.randint(0, 59))

    lines = [
        "HOGENTOGLER & CO., INC.   CPT DATA ACQUISITION   Ver 4.11",
        firm,
        ["A. SAMPLE-OPERATOR", "B. SAMPLE-OPERATOR"][index % 2],
        probe_id,
        "ExampleOne levee reach, station %d+50" % (12 + 3 * index),
        "Truck 3 / Project 17-0455",
        name,
        date_text,
        probe["description"],
        "Cone area %s cm2" % ("15" if "15T" in probe_id else "10"),
        "Sleeve area %s cm2" % ("225" if "15T" in probe_id else "150"),
        gga_sentence(position, time_text) if position else "",
        "Water table %.1f ft" % water_table_ft,
        "Push rate 2 cm/s",
        "Operator checked baseline",
        "",
        cells("Depth (m)", [c[0] for c in channels]),
        cells("Divisions", [str(c[1]) for c in channels]),
        cells("Zero", [str(z) for z in zeros]),
        cells("Full scale", [c[2] for c in channels]),
        cells("", [c[2].split()[1] for c in channels]),
        cells("", ["#%d" % (k + 1) for k in range(len(channels))]),
        "Depth(m)   Speed(cm/s)   Channels",
    ]

    def row_counts(z, qt, fs, u2, x, y, conductivity):
        counts = []
        for (channel_name, divisions, full_scale), zero in zip(channels, zeros):
            if channel_name == "Tip":
                counts.append(counts_of(qt, zero, full_scale, divisions, ATM_PER_TSF))
            elif channel_name == "Friction":
                counts.append(counts_of(fs, zero, full_scale, divisions, ATM_PER_TSF))
            elif channel_name == "U2":
                counts.append(counts_of(u2, zero, full_scale, divisions, ATM_PER_PSI))
            elif channel_name == "X Incl":
                counts.append(inclination_counts(x, zero, full_scale, divisions))
            elif channel_name == "Y Incl":
                counts.append(inclination_counts(y, zero, full_scale, divisions))
            else:
                counts.append(conductivity)
        return counts

    for z, qt, fs, u2, x, y in values:
        conductivity = 300 + int(40 * math.sin(z)) + rng.randint(-5, 5)
        lines.append(data_row(z, row_counts(z, qt, fs, u2, x, y, conductivity)))

    friction_column = [c[0] for c in channels].index("Friction")
    zero_after = list(zeros)
    if ending == "NORMAL":
        last = lines[-1]
        marker = [int(last[19 + 20 * k:39 + 20 * k]) for k in range(len(channels))]
        marker[friction_column] = MARKER
        # The marker rows carry no depth; they are stored as readings without values.
        lines.append(data_row(None, marker))
        lines.append(data_row(None, marker))
        drift = {"Tip": 12, "Friction": 6, "U2": 4}
        zero_after = [z + rng.randint(-drift.get(c[0], 2), drift.get(c[0], 2))
                      for c, z in zip(channels, zeros)]
        lines.append(data_row(None, zero_after))
        stored = values
        count = len(values) + 2
    else:
        stored = values[:-1]  # without markers the last row of the file ends the data
        count = len(stored)

    summary = "SUMMARY,%s,%d,%s,%d,%d,%d,%d" % (
        name, count, ending, zeros[0], zero_after[0], zeros[friction_column],
        zero_after[friction_column])
    expected = [summary]
    for i in range(0, len(stored), 50):
        z, qt, fs, u2, _, _ = stored[i]
        expected.append("READING,%s,%d,%.4f,%.5f,%.6f,%.6f" % (name, i, z * FT_PER_M, qt, fs, u2))
    return name + ".CPT", "".join(line + "\r\n" for line in lines), expected


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(here)
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--soundings",
                        default=os.path.join(root, "data", "Kavo", "Projects", "ExampleOne",
                                             "Soundings"))
    parser.add_argument("--expected",
                        default=os.path.join(root, "tests", "data", "fielddata",
                                             "example_soundings_expected.csv"))
    args = parser.parse_args()

    os.makedirs(args.soundings, exist_ok=True)
    expected = ["KIND,SOUNDING,COUNT_OR_INDEX,END_OR_DEPTH_FT,TIP_ZERO_OR_QC_ATM,"
                "TIP_ZERO_AFTER_OR_FS_ATM,FRICTION_ZERO_OR_U2_ATM,FRICTION_ZERO_AFTER"]
    for index, spec in enumerate(SOUNDINGS, start=1):
        file_name, text, lines = make_sounding(index, spec)
        with open(os.path.join(args.soundings, file_name), "w", newline="") as out:
            out.write(text)
        expected.extend(lines)
    with open(args.expected, "w", newline="") as out:
        out.write("".join(line + "\n" for line in expected))


if __name__ == "__main__":
    main()
