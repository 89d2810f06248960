#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets, fuzz/corpus/<target>/, from the example data
area (data/Kavo) and the test data (tests/data, tests/golden/*/input). Long field data files
are cut to their first rows (with their end rows kept), so each seed stays small and fast."""
import glob
import hashlib
import os
import shutil

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
HEADER_ROWS = 23
KEPT_DEPTH_ROWS = 40


def sources(*patterns):
    found = []
    for pattern in patterns:
        found += glob.glob(os.path.join(ROOT, pattern), recursive=True)
    return sorted(set(found))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def shortened_field_file(data):
    lines = data.split(b"\n")
    if len(lines) <= HEADER_ROWS + KEPT_DEPTH_ROWS + 5:
        return data
    # The header, the first depth rows and the last rows (markers and the zero row).
    return b"\n".join(lines[: HEADER_ROWS + KEPT_DEPTH_ROWS] + lines[-5:])


WRITTEN = set()


def write_seed(target, name, data):
    # The same file in several places is one seed.
    if (target, data) in WRITTEN:
        return
    WRITTEN.add((target, data))
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def seed_name(path):
    relative = os.path.relpath(path, ROOT)
    return relative.replace("/", "_").replace(" ", "_")


def main():
    if os.path.isdir(CORPUS):
        shutil.rmtree(CORPUS)
    inputs = ["data/Kavo/**/", "tests/golden/*/input/**/"]

    def each(target, pattern, transform=lambda data: data):
        for path in sources(*(root + pattern for root in inputs + ["tests/data/**/"])):
            write_seed(target, seed_name(path), transform(read(path)))

    each("setup_file_fuzz", "Kavo-Setup.txt")
    each("project_list_fuzz", "Kavo_ProjectS---*.csv")
    each("soundings_database_fuzz", "Kavo_SoundingS---*.csv")
    each("column_definitions_fuzz", "Kavo_Q1o_Columns---*.csv")
    each("unit_weight_profile_fuzz", "*_UWT.csv")
    each("chart_file_fuzz", "SLD-Kavo-*.csv")
    each("field_data_file_fuzz", "*.CPT", shortened_field_file)
    each("sounding_run_fuzz", "*.CPT", shortened_field_file)
    each("field_rows_fuzz", "*.CPT",
         lambda data: b"\n".join(shortened_field_file(data).split(b"\n")[HEADER_ROWS:]))

    # The line splitter: the distinct lines of the CSV inputs (the first rows of each chart
    # file), each with an option byte (bit 0 key=value, bit 1 blanks, bit 2 commas again)
    # taken in turn, and the capacity 105 in front.
    lines = set()
    for path in sources(*(root + "*.csv" for root in inputs)) + sources(
        *(root + "*.txt" for root in inputs)
    ):
        kept = 30 if os.path.basename(path).startswith("SLD-") else None
        for line in read(path).split(b"\n")[:kept]:
            lines.add(line.rstrip(b"\r"))
    for index, line in enumerate(sorted(lines)):
        seed = bytes([index % 8, 105]) + line
        write_seed("line_split_fuzz", hashlib.sha1(seed).hexdigest()[:16], seed)


if __name__ == "__main__":
    main()
