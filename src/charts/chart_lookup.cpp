// Reading a contour value (or the FR of a contour value) off a chart, in single precision.
#include "charts/chart_lookup.h"

#include <bit>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::charts {

namespace {

using tools::kNull;

// The straight line through (x1, y1) and (x2, y2) at x, on the axes as given.
float LinearThrough(float x, float x1, float x2, float y1, float y2) {
    return y1 + (x - x1) * SegmentSlope(x1, x2, y1, y2);
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
// The slope of the segment ending at p, other coordinate by scan coordinate.
float SlopeInto(const ChartPoint& p, ScanAxes axes) {
    return axes.scanFr ? p.slopeQc1ByFr : p.slopeFrByQc1;
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

float SegmentSlope(float x1, float x2, float y1, float y2) {
    // A vertical or flat segment is given a tiny extent so that the division stays finite.
    float dx = x2 - x1;
    if (dx == 0.0f) {
        dx = 1e-7f;
    }
    float dy = y2 - y1;
    if (dy == 0.0f) {
        dy = 1e-7f;
    }
    return dy / dx;
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

namespace {

// The first segment k (2..n) of the line that the probe hits, 0 for none: by SegmentHit one
// segment after the other, or by bisection on a line whose scan coordinate strictly rises or
// falls (where the first hit is the only one: inside the line the segment that holds the
// probe, beyond its ends the first or the last segment, on its first point none).
int HitSegment(const ContourLine& line, ScanAxes axes, float probe) {
    const int n = line.ptsNUMof;
    const auto at = [&](int k) {
        return ScanCoordinate(line.pt8a[static_cast<std::size_t>(k - 1)], axes);
    };
    const bool rising = axes.scanFr ? line.frRising : line.qc1Rising;
    const bool falling = axes.scanFr ? line.frFalling : line.qc1Falling;
    if (n < 2 || (!rising && !falling)) {
        for (int k = 2; k <= n; ++k) {
            if (SegmentHit(probe, at(k - 1), at(k), k, n).hit) {
                return k;
            }
        }
        return 0;
    }
    // Oriented so that the coordinate rises: a falling line is read with both signs turned.
    const float sign = rising ? 1.0f : -1.0f;
    const float p = sign * probe;
    const float first = sign * at(1);
    if (!(p > first)) {
        return p < first ? 2 : 0;  // before the line, or on (or NaN at) its first point
    }
    if (p > sign * at(n)) {
        return n;
    }
    // The first point at or beyond the probe.
    int low = 2;
    int high = n;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (p <= sign * at(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

// Starts the crossings of a new chart, mode or probe: none of its lines crossed yet.
void StartCrossings(const SldChart& chart, LookupMode mode, float probe, LineCrossings& crossings) {
    crossings.chart = &chart;
    crossings.mode = mode;
    crossings.probe = probe;
    // The probe's logarithm is the same for every segment: taken once.
    crossings.logProbe = Log10OrNull(probe);
    crossings.linesCrossed = 0;
    crossings.enclosingLine = 0;
}

// The crossing of line l with the probe, the lines before it crossed already: the first
// segment that the probe hits, and the other coordinate's logarithm there (interpolated in
// log-log along the segment's slope).
void CrossLine(const SldChart& chart, std::int16_t l, LineCrossings& crossings) {
    const ScanAxes axes{crossings.mode == LookupMode::XYC};
    const ContourLine& line = chart.Line(l);
    const int hitAt = HitSegment(line, axes, crossings.probe);
    const std::size_t index = static_cast<std::size_t>(l - 1);
    crossings.hit[index] = hitAt != 0;
    if (hitAt != 0) {
        const ChartPoint& from = line.pt8a[static_cast<std::size_t>(hitAt - 2)];
        const ChartPoint& to = line.pt8a[static_cast<std::size_t>(hitAt - 1)];
        crossings.logOther[index] =
            OtherLog(from, axes) + (crossings.logProbe - ScanLog(from, axes)) * SlopeInto(to, axes);
    }
    crossings.linesCrossed = l;
}

// The crossing values of the lines `found` - 1 (the last line with a crossing before it, at
// `lowerLog`) and `found`, with their logarithms, kept in the crossings.
void KeepEnclosingCrossings(LineCrossings& crossings, std::int16_t found, float lowerLog) {
    if (crossings.enclosingLine == found) {
        return;
    }
    crossings.enclosingLine = found;
    crossings.lowerCrossing = Pow10OrNull(lowerLog);
    crossings.upperCrossing = Pow10OrNull(crossings.logOther[static_cast<std::size_t>(found - 1)]);
    crossings.logLowerCrossing = Log10OrNull(crossings.lowerCrossing);
    crossings.logUpperCrossing = Log10OrNull(crossings.upperCrossing);
}

bool SameProbe(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// A line's crossing value 10^logOther (missing beyond |logOther| > 5) compared with the
// target: -1 below it, +1 above it, 0 equal or unordered. Where the logarithms are more than
// 1E-6 apart (a factor of 1.0000023, far beyond the rounding of 10^v to a single) they decide
// alone; closer than that the power is taken and compared as a single.
class TargetComparison {
  public:
    explicit TargetComparison(float target)
        : target_(target),
          positive_(target > 0.0f),
          logTarget_(positive_ ? std::log(static_cast<double>(target)) / std::numbers::ln10 : 0.0) {
    }

    // The target's logarithm as Log10OrNull gives it (from the one logarithm taken).
    float Log10Target() const { return positive_ ? static_cast<float>(logTarget_) : kNull; }

    int Compare(float logOther) const {
        if (logOther == kNull || std::fabs(logOther) > 5.0f) {
            return Sign(kNull);
        }
        if (positive_) {
            constexpr double kDecisive = 1e-6;
            const double apart = static_cast<double>(logOther) - logTarget_;
            if (apart < -kDecisive) {
                return -1;
            }
            if (apart > kDecisive) {
                return 1;
            }
        }
        return Sign(Pow10OrNull(logOther));
    }

  private:
    int Sign(float value) const {
        if (value < target_) {
            return -1;
        }
        return value > target_ ? 1 : 0;
    }

    float target_;
    bool positive_;
    double logTarget_;
};

}  // namespace

bool LookupChart(float& x, float& y, float& c, const SldChart& chart, LookupMode mode) {
    LineCrossings crossings;
    return LookupChart(x, y, c, chart, mode, crossings);
}

bool LookupChart(float& x, float& y, float& c, const SldChart& chart, LookupMode mode,
                 LineCrossings& crossings) {
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

    const bool scanFr = mode == LookupMode::XYC;
    const float probe = scanFr ? x : y;
    const float target = scanFr ? y : x;
    if (crossings.chart != &chart || crossings.mode != mode || !SameProbe(crossings.probe, probe)) {
        StartCrossings(chart, mode, probe, crossings);
    }
    const bool needsCur = mode != LookupMode::YCX;
    const TargetComparison comparison(target);

    // The first line whose crossing lies strictly beyond the target from the crossing of the
    // line before it (lines without a crossing are passed over).
    std::int16_t found = 0;
    bool havePrevious = false;
    float prevLog = kNull;
    int prevSide = 0;
    for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
        if (l > crossings.linesCrossed) {
            CrossLine(chart, l, crossings);
        }
        const std::size_t index = static_cast<std::size_t>(l - 1);
        if (!crossings.hit[index]) {
            continue;
        }
        const float curLog = crossings.logOther[index];
        const bool curMissing = curLog == kNull || std::fabs(curLog) > 5.0f;
        const int curSide = comparison.Compare(curLog);
        const bool prevMissing = !havePrevious || prevLog == kNull || std::fabs(prevLog) > 5.0f;
        if (!prevMissing && (!needsCur || !curMissing) &&
            ((prevSide < 0 && curSide > 0) || (prevSide > 0 && curSide < 0))) {
            found = l;
            break;
        }
        havePrevious = true;
        prevLog = curLog;
        prevSide = curSide;
    }

    float& computed = ComputedQuantity(mode, x, y, c);
    if (found == 0) {
        computed = kNull;
        return true;
    }
    // As InterpolateOnAxes between the crossings, with their logarithms taken once.
    KeepEnclosingCrossings(crossings, found, prevLog);
    const float lowerValue = chart.Line(static_cast<std::int16_t>(found - 1)).LineValue_8sng;
    const float upperValue = chart.Line(found).LineValue_8sng;
    if (mode == LookupMode::YCX) {
        computed = Pow10OrNull(LinearThrough(c, lowerValue, upperValue, crossings.logLowerCrossing,
                                             crossings.logUpperCrossing));
    } else {
        computed = LinearThrough(comparison.Log10Target(), crossings.logLowerCrossing,
                                 crossings.logUpperCrossing, lowerValue, upperValue);
    }
    return true;
}

bool LookupChart(float& x, float& y, float& c, const ChartTable& table, std::int16_t chart,
                 LookupMode mode) {
    LineCrossings crossings;
    return LookupChart(x, y, c, table, chart, mode, crossings);
}

bool LookupChart(float& x, float& y, float& c, const ChartTable& table, std::int16_t chart,
                 LookupMode mode, LineCrossings& crossings) {
    if (chart < 1 || chart > table.count) {
        throw tools::ProgrammingError("chart lookup on slot " + tools::IntegerText(chart) + " of " +
                                      tools::IntegerText(table.count));
    }
    return LookupChart(x, y, c, table.Slot(chart), mode, crossings);
}

namespace {

// The first slot of the chart, 0 when there is none.
std::int16_t FirstChartSlot(const ChartTable& table, std::string_view normalisedId,
                            std::string_view method) {
    for (std::int16_t slot = 1; slot <= table.count; ++slot) {
        const SldChart& chart = table.Slot(slot);
        if (chart.Row1_z_IDnormalized_8str == normalisedId && chart.Row1_z_Author_8str == method) {
            return slot;
        }
    }
    return 0;
}

}  // namespace

std::int16_t FindChartIndex(const ChartTable& table, std::string_view normalisedId,
                            std::string_view method) {
    const std::int16_t slot = FirstChartSlot(table, normalisedId, method);
    if (slot != 0) {
        return slot;
    }
    throw tools::DataError("GZS101",
                           "SLD method could not be found, for; ID normalized (e.g. "
                           "CRRe)= " +
                               std::string(normalisedId) +
                               "  and Author/method (e.g. tln84)= " + std::string(method));
}

void ResolveColumnChart(normalization::ColumnSpec& column, const ChartTable& table) {
    column.chartSlot = FirstChartSlot(table, column.baseName, column.method);
}

}  // namespace kavo::charts
