#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets, fuzz/corpus/<target>/, from the example data
area (data/Kavo) and the test data (tests/data, tests/golden/*/input). Long field data files
are cut to their first rows (with their end rows kept), GEF and CSV files to their header and
first rows, AGS4 files to the first data rows of each group, so each seed stays small and
fast."""
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


def shortened_exchange_file(data):
    """A GEF or CSV field file: its header and first data rows (a GEF header ends at #EOH)."""
    lines = data.split(b"\n")
    end_of_header = next((i for i, line in enumerate(lines) if line.startswith(b"#EOH")), 0)
    return b"\n".join(lines[: end_of_header + 1 + KEPT_DEPTH_ROWS])


def shortened_ags_file(data):
    """An AGS4 file with at most KEPT_DEPTH_ROWS DATA rows in each group."""
    kept, data_rows = [], 0
    for line in data.split(b"\n"):
        if line.startswith(b'"GROUP"'):
            data_rows = 0
        elif line.startswith(b'"DATA"'):
            data_rows += 1
            if data_rows > KEPT_DEPTH_ROWS:
                continue
        kept.append(line)
    return b"\n".join(kept)


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
    for pattern in ("*.gef", "*.GEF"):
        each("gef_file_fuzz", pattern, shortened_exchange_file)
    each("ags_file_fuzz", "*.ags", shortened_ags_file)
    # The plain CSV field files are the CSV files of the soundings folders (not the tables).
    for path in sources(*(root + "Soundings/*.[cC][sS][vV]" for root in inputs)):
        if "_Q1o" not in os.path.basename(path):
            write_seed("csv_field_file_fuzz", seed_name(path), shortened_exchange_file(read(path)))
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
