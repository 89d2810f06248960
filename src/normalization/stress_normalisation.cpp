// The stress normalisation of cone resistance and the exponent c.
#include "normalization/stress_normalisation.h"

#include <cmath>
#include <string>

#include "charts/chart_lookup.h"
#include "normalization/missing_math.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::normalization {
namespace {

constexpr double kToleranceValue = 0.008;

void SetNormalisedMissing(DepthPoint& point) {
    point.qc1 = tools::kNull;
    point.fs1 = tools::kNull;
    point.exponentC = tools::kNull;
}

}  // namespace

ExponentRun IterateExponentC(const charts::ChartTable& charts, DepthPoint& point, float startC,
                             float ves) {
    charts::LineCrossings crossings;
    return IterateExponentC(charts, point, startC, ves, crossings);
}

ExponentRun IterateExponentC(const charts::ChartTable& charts, DepthPoint& point, float startC,
                             float ves, charts::LineCrossings& crossings) {
    ExponentRun run;
    if (point.fs <= 0.0f || !(point.qt > 0.0f)) {
        SetNormalisedMissing(point);
        point.frictionRatio = tools::kNull;
        return run;
    }
    float fr = point.fs * 100.0f / point.qt;
    if (!(ves > 0.0f)) {
        throw tools::DataError("VES932", "VES <= 0 in Normalization");
    }
    const std::int16_t chart = charts.required.cQc;
    // FR stays as clamped at the first try: the lines' crossings are found once.
    float c = startC;
    float cNew = startC;
    float q = tools::kNull;
    for (int tries = 1;; ++tries) {
        c = (c + cNew) / 2.0f;
        if (c > 1.6) {
            c = 1.6f;
        }
        if (c < 0.005) {
            c = 0.005f;
        }
        const double power = std::pow(static_cast<double>(ves), static_cast<double>(c));
        if (power == 0.0) {
            throw tools::DataError("VES342", "VES^c = 0 in Normalization");
        }
        q = static_cast<float>(static_cast<double>(point.qt) / power);
        if (!(q >= 1.0f)) {
            q = 1.0f;
        }
        if (!(q <= 1000.0f)) {
            q = 1000.0f;
        }
        if (fr < 0.1) {
            fr = 0.1f;
        }
        if (!(fr <= 10.0f)) {
            fr = 10.0f;
        }
        float x = fr;
        float y = q;
        cNew = tools::kNull;
        charts::LookupChart(x, y, cNew, charts, chart, charts::LookupMode::ChartDefault, crossings);
        if (cNew > 1.5) {
            cNew = 1.5f;
        }
        if (!(cNew >= 0.01)) {
            cNew = 0.01f;
        }
        const float deltaC = std::fabs(cNew - c);
        run.tries = tries;
        run.deltaC = deltaC;
        if (deltaC < kToleranceValue) {
            break;
        }
        if (tries == kMaxTries) {
            SetNormalisedMissing(point);
            return run;
        }
    }
    point.fs1 = fr / 100.0f * q;
    // Compared as singles: the lower clamp 0.1 is itself out of range.
    point.frictionRatio = (fr > 0.1f && fr < 10.0f) ? fr : tools::kNull;
    point.qc1 = (q > 1.0f && q < 1000.0f) ? q : tools::kNull;
    point.exponentC = cNew;
    run.c = cNew;
    run.closed = true;
    return run;
}

DirectionValues ChartDirectionValues(const charts::ChartTable& charts, const DepthPoint& point) {
    charts::LineCrossings crossings;
    return ChartDirectionValues(charts, point, crossings);
}

DirectionValues ChartDirectionValues(const charts::ChartTable& charts, const DepthPoint& point,
                                     charts::LineCrossings& crossings) {
    const std::int16_t chart = charts.required.cQc;
    DirectionValues direction;
    float x = point.frictionRatio;
    float y = point.qc1;
    charts::LookupChart(x, y, direction.byXyc, charts, chart, charts::LookupMode::XYC, crossings);
    x = point.frictionRatio;
    y = point.qc1;
    charts::LookupChart(x, y, direction.byYxc, charts, chart, charts::LookupMode::YXC);
    direction.deltaPercent = MultiplyMissing(
        DivideMissing(AddMissing(direction.byXyc, -direction.byYxc), direction.byXyc), 100.0f);
    return direction;
}

void AppendChartDirectionLine(std::string& line, const DepthPoint& point,
                              const DirectionValues& direction) {
    constexpr tools::FixedMask kFrMask("##.####");
    constexpr tools::FixedMask kQMask("###.###");
    constexpr tools::FixedMask kXycMask("#####.####");
    constexpr tools::FixedMask kYxcMask("#####.###");
    constexpr tools::FixedMask kDeltaMask("#####");
    tools::AppendFixed(line, point.frictionRatio, kFrMask, true);
    line += ",  ";
    tools::AppendFixed(line, point.qc1, kQMask, true);
    line += ",  ";
    tools::AppendFixed(line, direction.byXyc, kXycMask, true);
    line += ",  ";
    tools::AppendFixed(line, direction.byYxc, kYxcMask, true);
    line += ",  ";
    tools::AppendFixed(line, direction.deltaPercent, kDeltaMask, true);
    line += ", %   Delta/xyc   cQc ";
}

std::string ChartDirectionLine(const DepthPoint& point, const DirectionValues& direction) {
    std::string line;
    AppendChartDirectionLine(line, point, direction);
    return line;
}

}  // namespace kavo::normalization
