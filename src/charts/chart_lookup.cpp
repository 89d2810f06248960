// Reading a contour value (or the FR of a contour value) off a chart, in single precision.
#include "charts/chart_lookup.h"

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::charts {

namespace {

using tools::kNull;

// The straight line through (x1, y1) and (x2, y2) at x, on the axes as given. A vertical or
// flat segment is given a tiny extent so that the division stays finite.
float LinearThrough(float x, float x1, float x2, float y1, float y2) {
    float dx = x2 - x1;
    if (dx == 0.0f) {
        dx = 1e-7f;
    }
    float dy = y2 - y1;
    if (dy == 0.0f) {
        dy = 1e-7f;
    }
    const float slope = dy / dx;
    return y1 + (x - x1) * slope;
}

// Which coordinate a lookup scans along and which it reads off.
struct ScanAxes {
    bool scanFr;  // true: probe FR, read Qc1; false: probe Qc1, read FR
};

float ScanCoordinate(const ChartPoint& p, ScanAxes axes) {
    return axes.scanFr ? p.FR_percent_8sng : p.Qc1_atm_8sng;
}
float ScanLog(const ChartPoint& p, ScanAxes axes) {
    return axes.scanFr ? p.logFR : p.logQc1;
}
float OtherLog(const ChartPoint& p, ScanAxes axes) {
    return axes.scanFr ? p.logQc1 : p.logFR;
}

float& ComputedQuantity(LookupMode mode, float& x, float& y, float& c) {
    switch (mode) {
        case LookupMode::XYC:
        case LookupMode::YXC:
            return c;
        case LookupMode::XCY:
        case LookupMode::CXY:
            return y;
        default:
            return x;
    }
}

constexpr std::pair<std::string_view, LookupMode> kModes[] = {
    {"XYC", LookupMode::XYC}, {"YXC", LookupMode::YXC}, {"YCX", LookupMode::YCX},
    {"XCY", LookupMode::XCY}, {"CXY", LookupMode::CXY}, {"CYX", LookupMode::CYX}};

}  // namespace

LookupMode ParseLookupMode(std::string_view text) {
    const std::string mode = tools::UpperCopy(tools::Trim(text));
    if (mode.empty()) {
        return LookupMode::ChartDefault;
    }
    for (const auto& [name, value] : kModes) {
        if (name == mode) {
            return value;
        }
    }
    throw tools::ProgrammingError("unknown chart lookup mode: " + std::string(text));
}

float Log10OrNull(float v) {
    if (v <= 0.0f) {
        return kNull;
    }
    return static_cast<float>(std::log(static_cast<double>(v)) / std::numbers::ln10);
}

float Pow10OrNull(float v) {
    if (v == kNull || std::fabs(v) > 5.0f) {
        return kNull;
    }
    return static_cast<float>(std::pow(10.0, static_cast<double>(v)));
}

float InterpolateOnAxes(float x, float x1, float x2, float y1, float y2, bool logX, bool logY) {
    if (logX) {
        x = Log10OrNull(x);
        x1 = Log10OrNull(x1);
        x2 = Log10OrNull(x2);
    }
    if (logY) {
        y1 = Log10OrNull(y1);
        y2 = Log10OrNull(y2);
    }
    const float t = LinearThrough(x, x1, x2, y1, y2);
    return logY ? Pow10OrNull(t) : t;
}

SegmentHitResult SegmentHit(float p, float a, float b, int i, int n) {
    SegmentHitResult result;
    if (b > a) {
        if (a < p && p <= b) {
            result.hit = true;
        } else if ((i == 2 && p < a) || (i == n && p > b)) {
            result.hit = true;
            result.beyond = true;
        }
    } else {
        if (b <= p && p < a) {
            result.hit = true;
        } else if ((i == 2 && p > a) || (i == n && p < b)) {
            result.hit = true;
            result.beyond = true;
        }
    }
    return result;
}

bool LookupChart(float& x, float& y, float& c, const SldChart& chart, LookupMode mode) {
    if (mode == LookupMode::ChartDefault) {
        mode = chart.lookupMode;
    }
    if (x > chart.Xmax_8sng || x < chart.Xmin_8sng || y > chart.Ymax_8sng || y < chart.Ymin_8sng) {
        if (mode != LookupMode::ChartDefault) {
            ComputedQuantity(mode, x, y, c) = kNull;
        }
        return false;
    }
    if (mode != LookupMode::XYC && mode != LookupMode::YXC && mode != LookupMode::YCX) {
        throw tools::ProgrammingError("chart lookup inside the frame needs XYC, YXC or YCX: " +
                                      chart.SourceFile_8str);
    }

    const ScanAxes axes{mode == LookupMode::XYC};
    const float probe = axes.scanFr ? x : y;
    const float target = axes.scanFr ? y : x;
    // The probe's logarithm is the same for every segment: taken once.
    const float logProbe = Log10OrNull(probe);
    const bool needsCur = mode != LookupMode::YCX;

    std::int16_t found = 0;
    float prev = kNull;
    float cur = kNull;
    for (std::int16_t l = 1; l <= chart.LinesNUMof && found == 0; ++l) {
        const ContourLine& line = chart.Line(l);
        const int n = line.ptsNUMof;
        int hitAt = 0;
        for (int k = 2; k <= n; ++k) {
            const ChartPoint& from = line.pt8a[static_cast<std::size_t>(k - 2)];
            const ChartPoint& to = line.pt8a[static_cast<std::size_t>(k - 1)];
            if (SegmentHit(probe, ScanCoordinate(from, axes), ScanCoordinate(to, axes), k, n).hit) {
                hitAt = k;
                break;
            }
        }
        if (hitAt == 0) {
            continue;
        }
        const ChartPoint& from = line.pt8a[static_cast<std::size_t>(hitAt - 2)];
        const ChartPoint& to = line.pt8a[static_cast<std::size_t>(hitAt - 1)];
        cur = Pow10OrNull(LinearThrough(logProbe, ScanLog(from, axes), ScanLog(to, axes),
                                        OtherLog(from, axes), OtherLog(to, axes)));
        if (prev != kNull && (!needsCur || cur != kNull) &&
            ((prev < target && target < cur) || (prev > target && target > cur))) {
            found = l;
        } else {
            prev = cur;
        }
    }

    float& computed = ComputedQuantity(mode, x, y, c);
    if (found == 0) {
        computed = kNull;
        return true;
    }
    const float lowerValue = chart.Line(static_cast<std::int16_t>(found - 1)).LineValue_8sng;
    const float upperValue = chart.Line(found).LineValue_8sng;
    if (mode == LookupMode::YCX) {
        computed = InterpolateOnAxes(c, lowerValue, upperValue, prev, cur, false, true);
    } else {
        computed = InterpolateOnAxes(target, prev, cur, lowerValue, upperValue, true, false);
    }
    return true;
}

bool LookupChart(float& x, float& y, float& c, const ChartTable& table, std::int16_t chart,
                 LookupMode mode) {
    if (chart < 1 || chart > table.count) {
        throw tools::ProgrammingError("chart lookup on slot " + tools::IntegerText(chart) + " of " +
                                      tools::IntegerText(table.count));
    }
    return LookupChart(x, y, c, table.Slot(chart), mode);
}

std::int16_t FindChartIndex(const ChartTable& table, std::string_view normalisedId,
                            std::string_view method) {
    for (std::int16_t slot = 1; slot <= table.count; ++slot) {
        const SldChart& chart = table.Slot(slot);
        if (chart.Row1_z_IDnormalized_8str == normalisedId && chart.Row1_z_Author_8str == method) {
            return slot;
        }
    }
    throw tools::DataError("GZS101",
                           "SLD method could not be found, for; ID normalized (e.g. "
                           "CRRe)= " +
                               std::string(normalisedId) +
                               "  and Author/method (e.g. tln84)= " + std::string(method));
}

ChartValue FindChartValue(const ChartTable& table, const normalization::ColumnSpec& column,
                          float frPercent, float qc1Atm) {
    const std::int16_t slot = FindChartIndex(table, column.baseName, column.method);
    float x = frPercent;
    float y = qc1Atm;
    float c = kNull;
    LookupChart(x, y, c, table.Slot(slot));
    ChartValue result;
    if (c != kNull) {
        result.value = c;
        result.found = true;
    }
    return result;
}

}  // namespace kavo::charts
