#!/usr/bin/env python3
"""Traces the default chart set from published CPT correlations.

Each chart holds one property z as contour lines over x = friction ratio FR (0.1..10 %) and
y = normalised cone resistance Q (1..1000). A contour is found, for every FR of a fine grid,
as the Q at which the correlation reaches the contour's level (the correlations rise or fall
steadily with Q at a fixed FR, so the root is unique), and is then thinned to at most 25
points spaced evenly along the line in log-log space. Lines are single-valued in FR, so every
chart is read with the lookup method XYC.

Writes the chart files into "data/Kavo/SLD input/" and the same texts, as the built-in chart
set, into src/charts/internal_charts.cpp. Run from the repository root:
    python3 scripts/generate_default_charts.py
"""

import math
import os
import sys

U_MIN, U_MAX = -1.0, 1.0  # log10 FR over the frame 0.1..10 %
V_MIN, V_MAX = 0.0, 3.0  # log10 Q over the frame 1..1000
GRID = 1601
MAX_POINTS = 25
MAX_LINES = 15
FEET_PER_METRE = 3.28084
WATER_PCF = 62.4
VERSION = "v1"
DATE = "2024"


def ic(u, v):
    """Soil behaviour type index (Robertson & Wride 1998), u = log10 FR, v = log10 Q."""
    return math.sqrt((3.47 - v) ** 2 + (u + 1.22) ** 2)


def kc(index):
    """Clean-sand correction factor of Robertson & Wride (1998)."""
    if index <= 1.64:
        return 1.0
    return -0.403 * index**4 + 5.581 * index**3 - 21.63 * index**2 + 33.75 * index - 17.88


def qcs_of_crr(crr):
    """The clean-sand resistance Q*Kc at which CRR for M 7.5 reaches crr."""
    if crr < 0.833 * 0.05 + 0.05:
        return (crr - 0.05) / 0.833 * 1000.0
    return ((crr - 0.08) / 93.0) ** (1.0 / 3.0) * 1000.0


def ic_of_c(c):
    return (c + 0.15) / 0.381


def ic_of_fines(fc):
    return ((fc + 3.7) / 1.75) ** (1.0 / 3.25)


def ic_domain(limit):
    """The part of a column u of the frame where Ic <= limit."""

    def valid(u):
        reach = limit**2 - (u + 1.22) ** 2
        if reach <= 0.0:
            return None
        return max(V_MIN, 3.47 - math.sqrt(reach)), V_MAX

    return valid


def whole_frame(_u):
    return V_MIN, V_MAX


# A line is (tracing function g(u, v), level, contour value) or a boundary line ("TOP" or
# "BOTTOM", value) along the frame edge Q = 1000 or Q = 1, closing a region where the
# correlation is limited to a constant.
def ic_lines(pairs):
    return [(ic, level, value) for level, value in pairs]


C_VALUES = [0.2, 0.25, 0.3, 0.35, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
FINES_VALUES = [0, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100]
UWT_VALUES = [65, 72.5, 80, 87.5, 95, 102.5, 110, 117.5, 125, 132.5, 140, 147.5, 155]
CRR_VALUES = [0.08, 0.09, 0.1, 0.11, 0.12, 0.14, 0.16, 0.18, 0.2, 0.25, 0.3, 0.35, 0.4, 0.45]
VS_VALUES = [250, 300, 350, 400, 500, 600, 700, 800, 900, 1000, 1200, 1400, 1700, 2000, 2500]
N_VALUES = [1, 1.5, 2, 3, 5, 7.5, 10, 15, 20, 30, 50, 75, 100, 150, 200]
S_VALUES = [0.1, 0.2, 0.3, 0.5, 0.75, 1, 1.5, 2, 3, 5, 7.5, 10, 15, 25, 50]


def log_qcs(u, v):
    return math.log10(kc(ic(u, v))) + v


def log_vs1_fps(u, v):
    return 0.5 * (0.55 * ic(u, v) + 1.68 + v) + math.log10(FEET_PER_METRE)


def log_n1(u, v):
    return v - (1.1268 - 0.2817 * ic(u, v))


def unit_weight_pcf(u, v):
    return WATER_PCF * (0.27 * u + 0.36 * v + 1.236)


def log_s1(_u, v):
    return v - math.log10(14.0)


CHARTS = [
    {
        "id": "cQc_tln",
        "description": "Stress exponent c of the normalised cone resistance",
        "comments": [
            "c = 0.381*Ic - 0.15; limited to 0.2..1.0 (after Robertson 2009)",
            "Ic = ((3.47 - log10 Q)^2 + (log10 FR + 1.22)^2)^0.5 (Robertson & Wride 1998)",
            "The frame edges Q=1000 and Q=1 close the regions where c is limited",
        ],
        "lines": [("TOP", 0.2)] + ic_lines([(ic_of_c(c), c) for c in C_VALUES]) + [("BOTTOM", 1.0)],
        "domain": whole_frame,
    },
    {
        "id": "Ic_tln",
        "description": "Soil behaviour type index Ic",
        "comments": [
            "Ic = ((3.47 - log10 Q)^2 + (log10 FR + 1.22)^2)^0.5 (Robertson & Wride 1998)",
        ],
        "lines": ic_lines([(v, v) for v in [0.6, 0.9, 1.2, 1.5, 1.8, 2.05, 2.3, 2.6, 2.95,
                                            3.3, 3.6, 3.9, 4.1]]),
        "domain": whole_frame,
    },
    {
        "id": "UWT1_tln",
        "description": "Total unit weight in pcf",
        "comments": [
            "unit weight / unit weight of water = 0.27*log10 FR + 0.36*log10 Q + 1.236",
            "(Robertson & Cabal 2010); water 62.4 pcf",
        ],
        "lines": [(unit_weight_pcf, w, w) for w in UWT_VALUES],
        "domain": whole_frame,
    },
    {
        "id": "CRRe_tln",
        "description": "Cyclic resistance ratio CRR for M 7.5 from the clean-sand Q*Kc",
        "comments": [
            "Qcs = Kc*Q; Kc = 1 for Ic <= 1.64, else -0.403Ic^4 + 5.581Ic^3 - 21.63Ic^2",
            "+ 33.75Ic - 17.88; CRR = 0.833*Qcs/1000 + 0.05 for Qcs < 50, else",
            "93*(Qcs/1000)^3 + 0.08 (Robertson & Wride 1998); lines end where Ic = 2.6",
        ],
        "lines": [(log_qcs, math.log10(qcs_of_crr(c)), c) for c in CRR_VALUES],
        "domain": ic_domain(2.6),
    },
    {
        "id": "p200s1_tln",
        "description": "Fines content FC in percent",
        "comments": [
            "FC = 1.75*Ic^3.25 - 3.7; limited to 0..100 (Robertson & Wride 1998)",
            "The frame edges Q=1000 and Q=1 close the regions where FC is limited",
        ],
        "lines": [("TOP", 0.0)] + ic_lines([(ic_of_fines(f), f) for f in FINES_VALUES])
        + [("BOTTOM", 100.0)],
        "domain": whole_frame,
    },
    {
        "id": "Vs1_tln",
        "description": "Normalised shear-wave velocity Vs1 in ft/s",
        "comments": [
            "Vs1 = (10^(0.55*Ic + 1.68) * Q)^0.5 m/s (Robertson 2009); 3.28084 ft per m",
        ],
        "lines": [(log_vs1_fps, math.log10(vs), vs) for vs in VS_VALUES],
        "domain": whole_frame,
    },
    {
        "id": "N1_tln",
        "description": "Normalised blow count (N1)60",
        "comments": ["(N1)60 = Q / 10^(1.1268 - 0.2817*Ic) (Robertson 2012)"],
        "lines": [(log_n1, math.log10(n), n) for n in N_VALUES],
        "domain": whole_frame,
    },
    {
        "id": "S1_tln",
        "description": "Undrained strength ratio su/sigma'v",
        "comments": ["su/sigma'v = Q / 14 (cone factor Nkt = 14)"],
        "lines": [(log_s1, math.log10(s), s) for s in S_VALUES],
        "domain": whole_frame,
    },
]


def root_in_v(g, level, u, domain):
    """The v in the valid part of column u where g(u, v) = level, or None."""
    span = domain(u)
    if span is None:
        return None
    lo, hi = span
    g_lo, g_hi = g(u, lo) - level, g(u, hi) - level
    if g_lo == 0.0:
        return lo
    if g_lo * g_hi > 0.0:
        return None
    for _ in range(80):
        mid = 0.5 * (lo + hi)
        g_mid = g(u, mid) - level
        if (g_mid > 0.0) == (g_lo > 0.0):
            lo, g_lo = mid, g_mid
        else:
            hi = mid
    return 0.5 * (lo + hi)


def edge_between(g, level, domain, inside_u, outside_u):
    """The u where the line leaves the frame (or its domain), between two grid columns."""
    for _ in range(60):
        mid = 0.5 * (inside_u + outside_u)
        if root_in_v(g, level, mid, domain) is None:
            outside_u = mid
        else:
            inside_u = mid
    return inside_u


def trace(g, level, domain):
    us = [U_MIN + (U_MAX - U_MIN) * i / (GRID - 1) for i in range(GRID)]
    roots = [root_in_v(g, level, u, domain) for u in us]
    valid = [i for i, r in enumerate(roots) if r is not None]
    if not valid:
        raise SystemExit(f"contour {level} misses the frame")
    first, last = valid[0], valid[-1]
    if last - first + 1 != len(valid):
        raise SystemExit(f"contour {level} is not one piece")
    points = [(us[i], roots[i]) for i in range(first, last + 1)]
    if first > 0:
        u = edge_between(g, level, domain, us[first], us[first - 1])
        points.insert(0, (u, root_in_v(g, level, u, domain)))
    if last < GRID - 1:
        u = edge_between(g, level, domain, us[last], us[last + 1])
        points.append((u, root_in_v(g, level, u, domain)))
    return thin(points)


def thin(points):
    """At most MAX_POINTS points, evenly spaced along the line, both ends kept."""
    lengths = [0.0]
    for (u1, v1), (u2, v2) in zip(points, points[1:]):
        lengths.append(lengths[-1] + math.hypot(u2 - u1, v2 - v1))
    total = lengths[-1]
    chosen = []
    j = 0
    for k in range(MAX_POINTS):
        target = total * k / (MAX_POINTS - 1)
        while j < len(points) - 2 and lengths[j + 1] < target:
            j += 1
        span = lengths[j + 1] - lengths[j]
        t = 0.0 if span == 0.0 else (target - lengths[j]) / span
        t = min(max(t, 0.0), 1.0)
        u = points[j][0] + t * (points[j + 1][0] - points[j][0])
        v = points[j][1] + t * (points[j + 1][1] - points[j][1])
        if not chosen or u > chosen[-1][0] + 1e-6:
            chosen.append((u, v))
    return chosen


def number(value):
    text = f"{value:.6g}"
    return text


def to_frame(u, v):
    u = min(max(u, U_MIN), U_MAX)
    v = min(max(v, V_MIN), V_MAX)
    return 10.0**u, 10.0**v


def chart_text(chart):
    lines = chart["lines"]
    if len(lines) > MAX_LINES:
        raise SystemExit(f"{chart['id']}: more than {MAX_LINES} lines")
    values = [line[-1] for line in lines]
    if any(b < a for a, b in zip(values, values[1:])):
        raise SystemExit(f"{chart['id']}: contour values out of order")
    rows = [
        f"FR_%,QC1,{chart['id']}",
        "Row2_Kavo_SLDv5",
        f"DESCRIPTION={chart['description']}",
    ]
    rows += [f"COMMENT={comment}" for comment in chart["comments"]]
    rows += [
        "COMMENT=Traced by scripts/generate_default_charts.py; lines single-valued in FR",
        "SLD_AUTHOR_SHORT_CODE=tln",
        f"SLD_DATE_SHORT_CODE={DATE}",
        f"SLD_VERSION_NUMBER={VERSION}",
        "SLD_CHARTID=KAVOCHART",
        "SLD_LOOKUP_METHOD=XYC",
    ]
    if any("EOH" in row.upper() for row in rows):
        raise SystemExit(f"{chart['id']}: a header line would end the header early")
    rows.append("EOH")
    for index, line in enumerate(lines):
        if line[0] == "TOP" or line[0] == "BOTTOM":
            v = V_MAX if line[0] == "TOP" else V_MIN
            points = [(U_MIN, v), (U_MAX, v)]
        else:
            g, level, _ = line
            points = trace(g, level, chart["domain"])
        if index > 0:
            rows.append("")
        for k, (u, v) in enumerate(points):
            fr, q = to_frame(u, v)
            row = f"{number(fr)},{number(q)}"
            if k == 0:
                row += f",{number(line[-1])}"
            rows.append(row)
    return rows


def file_name(chart):
    return f"SLD-Kavo-{chart['id']}-{VERSION}.csv"


def cpp_source(texts):
    out = [
        "// The built-in chart set: the text of the default chart files. Generated by",
        "// scripts/generate_default_charts.py from the same correlations; do not edit.",
        '#include "charts/internal_charts.h"',
        "",
        "#include <array>",
        "",
        "namespace kavo::charts {",
        "",
        "namespace {",
        "",
        "// clang-format off",
    ]
    for index, (name, rows) in enumerate(texts):
        out.append(f"constexpr std::string_view kChart{index} =")
        for row in rows:
            escaped = row.replace("\\", "\\\\").replace('"', '\\"')
            out.append(f'    "{escaped}\\n"')
        out[-1] += ";"
        out.append("")
    out.append("constexpr std::array<InternalChartText, %d> kCharts = {{" % len(texts))
    for index, (name, _) in enumerate(texts):
        out.append(f'    {{"{name}", kChart{index}}},')
    out += [
        "}};",
        "// clang-format on",
        "",
        "}  // namespace",
        "",
        "std::span<const InternalChartText> InternalChartTexts() {",
        "    return kCharts;",
        "}",
        "",
        "}  // namespace kavo::charts",
        "",
    ]
    return "\n".join(out)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = os.path.join(root, "data", "Kavo", "SLD input")
    os.makedirs(folder, exist_ok=True)
    texts = []
    for chart in CHARTS:
        rows = chart_text(chart)
        name = file_name(chart)
        with open(os.path.join(folder, name), "w", newline="") as out:
            out.write("\r\n".join(rows) + "\r\n")
        texts.append((name, rows))
    with open(os.path.join(root, "src", "charts", "internal_charts.cpp"), "w", newline="") as out:
        out.write(cpp_source(texts))
    return 0


if __name__ == "__main__":
    sys.exit(main())
