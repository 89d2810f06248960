// The reference chart lookup of the differential test: every segment of every line scanned
// and every crossing raised to its power, at each lookup.
#include "chart_lookup_reference.h"

#include <string>

#include "charts/chart_lookup.h"
#include "tools/errors.h"

namespace kavo::charts::reference {
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

}  // namespace

bool LookupChartReference(float& x, float& y, float& c, const SldChart& chart, LookupMode mode) {
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

}  // namespace kavo::charts::reference
