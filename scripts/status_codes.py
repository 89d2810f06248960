#!/usr/bin/env python3
"""The table of every status code the program can report, with the tests that reach it.

    scripts/status_codes.py           rewrites tests/status_codes.md and the list of the
                                      program's own codes in README.md
    scripts/status_codes.py --check   fails when a code in src/ is missing from the table, the
                                      table lists a code src/ no longer has, or the table names
                                      a test that does not mention its code

A status code is a string literal of src/, outside comments, made of one to seven letters
and two to five digits, or of four or five digits ("GL130", "HOG514", "So123", "4502"; a
leading blank is dropped), unless the program only compares input with it (`== "UCB06"`: a
name it reads, not a code it reports). The codes the system prescribes are listed in
tests/data/status_codes/system_codes.txt; every other code is one of the program's own and
is listed in the README's troubleshooting section.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "tests", "status_codes.md")
SYSTEM_CODES = os.path.join(ROOT, "tests", "data", "status_codes", "system_codes.txt")
README = os.path.join(ROOT, "README.md")
README_BEGIN = "<!-- own status codes: begin (scripts/status_codes.py) -->"
README_END = "<!-- own status codes: end -->"

CODE = re.compile(r"^ ?([A-Za-z]{1,7}[0-9]{2,5}|[0-9]{4,5})$")
TEST_MACRO = re.compile(r"\b(?:TEST|TEST_F|TEST_P)\s*\(\s*(\w+)\s*,\s*(\w+)\s*\)")
LITERAL = re.compile(r'"(?:[^"\\\n]|\\.)*"')


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def source_files(folder, extensions):
    found = []
    for directory, _, names in os.walk(os.path.join(ROOT, folder)):
        for name in names:
            if name.endswith(extensions):
                found.append(os.path.join(directory, name))
    return sorted(found)


def strip_comments(text):
    """The text with comments blanked (lengths kept, so positions stay); strings kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end == -1 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end == -1 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
        elif c == '"' or c == "'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(text[i : j + 1])
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def blank_literals(text):
    """The text with the insides of string and character literals blanked."""
    text = LITERAL.sub(lambda m: '"' + " " * (len(m.group(0)) - 2) + '"', text)
    return re.sub(r"'(?:[^'\\\n]|\\.)'", lambda m: "'" + " " * (len(m.group(0)) - 2) + "'", text)


def relative(path):
    return os.path.relpath(path, ROOT)


def codes_in_src():
    """{code: sorted source files} of every status code of src/."""
    codes = {}
    for path in source_files("src", (".h", ".cpp")):
        text = strip_comments(read(path))
        for match in LITERAL.finditer(text):
            code = CODE.match(match.group(0)[1:-1])
            if code is None:
                continue
            before = text[: match.start()].rstrip()
            after = text[match.end() :].lstrip()
            if before.endswith(("==", "!=")) or after.startswith(("==", "!=")):
                continue  # a name the program reads, not a code it reports
            codes.setdefault(code.group(1), set()).add(relative(path))
    return {code: sorted(files) for code, files in codes.items()}


def test_spans(text):
    """(start, end, "Suite.Name") of the body of every test in a test file."""
    plain = blank_literals(text)
    spans = []
    for macro in TEST_MACRO.finditer(plain):
        start = plain.find("{", macro.end())
        if start == -1:
            continue
        depth = 0
        for end in range(start, len(plain)):
            depth += {"{": 1, "}": -1}.get(plain[end], 0)
            if depth == 0:
                break
        spans.append((start, end, macro.group(1) + "." + macro.group(2)))
    return spans


def code_pattern(code):
    # Not part of a longer word or number: a numeric code such as 4502 is no mention inside a
    # table's 1.4502 or 4502.1.
    return re.compile(r"(?<![A-Za-z0-9])(?<![0-9]\.)" + re.escape(code) + r"(?![0-9])(?!\.[0-9])")


def mentions_in_tests(codes):
    """{code: sorted "file" or "file: Suite.Name"} of the tests that name each code."""
    mentions = {code: set() for code in codes}
    patterns = {code: code_pattern(code) for code in codes}
    for path in source_files("tests", (".h", ".cpp")):
        text = strip_comments(read(path))
        spans = None
        for code, pattern in patterns.items():
            for match in pattern.finditer(text):
                if spans is None:
                    spans = test_spans(text)
                inside = [name for start, end, name in spans if start <= match.start() <= end]
                place = relative(path) + (": " + inside[0] if inside else "")
                mentions[code].add(place)
    # The golden cases: the files a whole run is expected to write.
    golden = os.path.join(ROOT, "tests", "golden")
    if os.path.isdir(golden):
        for case in sorted(os.listdir(golden)):
            expected = os.path.join(golden, case, "expected")
            for path in source_files(relative(expected), ("",)):
                text = read(path)
                for code, pattern in patterns.items():
                    if pattern.search(text):
                        mentions[code].add(relative(path))
    return {code: sorted(places) for code, places in mentions.items()}


def system_codes():
    codes = set()
    for line in read(SYSTEM_CODES).splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            codes.add(line)
    return codes


def own_code_texts(own):
    """{code: what the program says with it}: the text of the error it throws, its literal parts
    joined and each computed part shown as "…"; empty for a progress code."""
    texts = {}
    call = re.compile(r'DataError\(\s*" ?(\w+)"\s*,(.*?)\)\s*;', re.S)
    for path in source_files("src", (".cpp", ".h")):
        for match in call.finditer(strip_comments(read(path))):
            code = match.group(1)
            if code not in own or code in texts:
                continue
            arguments, parts, last = match.group(2), [], 0
            for literal in LITERAL.finditer(arguments):
                if arguments[last : literal.start()].strip():
                    parts.append("…")  # a computed part between the texts
                parts.append(literal.group(0)[1:-1])
                last = literal.end()
            if arguments[last:].strip(" \n)"):
                parts.append("…")
            text = re.sub(r"…(?=\w)", "… ", re.sub(r"…+", "…", "".join(parts))).strip()
            texts[code] = text.replace("\\\"", '"').replace("|", "/")
    return texts


def table_text(codes, mentions, system):
    lines = [
        "# Status codes",
        "",
        "Every status code the program can report, where it is reported, and the tests that",
        "name it (a test file alone: the code is named outside a test's body, in a table of",
        "cases). *own*: a code of this program, not one of the system's (see the README's",
        "troubleshooting section). Made by `scripts/status_codes.py`; checked by the",
        "`status_codes` test.",
        "",
        "| Code | Origin | Reported in | Tests |",
        "|---|---|---|---|",
    ]
    for code in sorted(codes, key=lambda c: (c.upper(), c)):
        origin = "system" if code in system else "*own*"
        tests = "<br>".join(mentions[code]) if mentions[code] else "—"
        lines.append(f"| {code} | {origin} | {'<br>'.join(codes[code])} | {tests} |")
    return "\n".join(lines) + "\n"


def readme_section(codes, system):
    own = sorted((c for c in codes if c not in system), key=lambda c: (c.upper(), c))
    texts = own_code_texts(set(own))
    lines = [
        README_BEGIN,
        "",
        "| Code | Meaning | Reported in |",
        "|---|---|---|",
    ]
    for code in own:
        meaning = texts.get(code) or "progress (locates the program's place)"
        lines.append(f"| {code} | {meaning} | {', '.join(codes[code])} |")
    lines += ["", README_END]
    return "\n".join(lines)


def parse_table(text):
    """{code: [places]} of a table made by table_text."""
    rows = {}
    for line in text.splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if len(cells) != 4 or cells[0] in ("Code", "---") or not CODE.match(cells[0]):
            continue
        rows[cells[0]] = [] if cells[3] == "—" else cells[3].split("<br>")
    return rows


def check(codes, system):
    problems = []
    if not os.path.exists(TABLE):
        return [f"{relative(TABLE)} is missing"]
    table = parse_table(read(TABLE))
    for code in sorted(set(codes) - set(table)):
        problems.append(f"{code} (in {', '.join(codes[code])}) is missing from the table")
    for code in sorted(set(table) - set(codes)):
        problems.append(f"{code} is in the table but no longer in src/")
    for code, places in sorted(table.items()):
        pattern = code_pattern(code)
        for place in places:
            path, _, test = place.partition(": ")
            full = os.path.join(ROOT, path)
            if not os.path.isfile(full):
                problems.append(f"{code}: the table names {path}, which does not exist")
                continue
            text = strip_comments(read(full)) if path.endswith((".cpp", ".h")) else read(full)
            if test:
                hits = [
                    match.start()
                    for match in pattern.finditer(text)
                    for start, end, name in test_spans(text)
                    if name == test and start <= match.start() <= end
                ]
            else:
                hits = list(pattern.finditer(text))
            if not hits:
                problems.append(f"{code}: the table names {place}, which does not mention it")
    readme = read(README)
    if readme_section(codes, system) not in readme:
        problems.append("the README's list of the program's own codes is not up to date")
    return problems


def write(codes, system):
    mentions = mentions_in_tests(codes)
    with open(TABLE, "w", encoding="utf-8") as f:
        f.write(table_text(codes, mentions, system))
    readme = read(README)
    section = readme_section(codes, system)
    begin, end = readme.find(README_BEGIN), readme.find(README_END)
    if begin == -1 or end == -1:
        sys.exit(f"README.md has no {README_BEGIN} ... {README_END} section")
    readme = readme[:begin] + section + readme[end + len(README_END) :]
    with open(README, "w", encoding="utf-8") as f:
        f.write(readme)
    own = sum(1 for code in codes if code not in system)
    print(f"{len(codes)} status codes ({own} of the program's own) in {relative(TABLE)}")


def main():
    codes = codes_in_src()
    system = system_codes()
    if sys.argv[1:] == ["--check"]:
        problems = check(codes, system)
        for problem in problems:
            print(problem)
        if problems:
            print("Rewrite the table with: scripts/status_codes.py")
            sys.exit(1)
        print(f"{len(codes)} status codes, each in the table with tests that name it")
    elif sys.argv[1:]:
        sys.exit(__doc__)
    else:
        write(codes, system)


if __name__ == "__main__":
    main()
