// The stress normalisation of cone resistance and the exponent c.
#include "normalization/stress_normalisation.h"

#include <cmath>
#include <string>

#include "charts/chart_lookup.h"
#include "normalization/column_value.h"
#include "normalization/missing_math.h"
#include "normalization/unit_weight.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::normalization {
namespace {

constexpr float kTolerance = 0.008f;
constexpr double kToleranceValue = 0.008;
constexpr double kAllowedSpread = 0.03;

void SetNormalisedMissing(DepthPoint& point) {
    point.qc1 = tools::kNull;
    point.fs1 = tools::kNull;
    point.exponentC = tools::kNull;
}

void LogPoorClosure(reporting::Reporter& reporter, float deltaC) {
    reporter.LogIssueWithContext(
        "  poor c calculation closure because at max# of tries ---"
        "  DeltaC_criteria = " +
            tools::SingleText(kTolerance) + "  DeltaC_chart = " + tools::SingleText(deltaC),
        "ISSUE");
}

void LogUnstableExponent(reporting::Reporter& reporter, float depth, float cLow, float cHigh,
                         float delta) {
    reporter.LogLine(6,
                     "At depth=" + tools::SingleText(depth) + " ft,  " + "c(low)=" +
                         tools::SingleText(cLow) + " & c(high)=" + tools::SingleText(cHigh) +
                         ", Calculatd c is unstable i.e. delta=" + tools::SingleText(delta) +
                         "which is >" + tools::SingleText(static_cast<float>(kAllowedSpread)),
                     "ISSUE");
}

}  // namespace

float IterateExponentC(const charts::ChartTable& charts, reporting::Reporter& reporter,
                       DepthPoint& point, float startC, float ves) {
    if (point.fs <= 0.0f || !(point.qt > 0.0f)) {
        SetNormalisedMissing(point);
        point.frictionRatio = tools::kNull;
        return tools::kNull;
    }
    float fr = point.fs * 100.0f / point.qt;
    if (!(ves > 0.0f)) {
        throw tools::DataError("VES932", "VES <= 0 in Normalization");
    }
    const std::int16_t chart = charts.required.cQc;
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
        charts::LookupChart(x, y, cNew, charts, chart);
        if (cNew > 1.5) {
            cNew = 1.5f;
        }
        if (!(cNew >= 0.01)) {
            cNew = 0.01f;
        }
        const float deltaC = std::fabs(cNew - c);
        if (deltaC < kToleranceValue) {
            break;
        }
        if (tries == kMaxTries) {
            SetNormalisedMissing(point);
            LogPoorClosure(reporter, deltaC);
            return tools::kNull;
        }
    }
    point.fs1 = fr / 100.0f * q;
    // Compared as singles: the lower clamp 0.1 is itself out of range.
    point.frictionRatio = (fr > 0.1f && fr < 10.0f) ? fr : tools::kNull;
    point.qc1 = (q > 1.0f && q < 1000.0f) ? q : tools::kNull;
    point.exponentC = cNew;
    return cNew;
}

std::string ChartDirectionLine(const charts::ChartTable& charts, const DepthPoint& point) {
    const std::int16_t chart = charts.required.cQc;
    float x = point.frictionRatio;
    float y = point.qc1;
    float byXyc = tools::kNull;
    charts::LookupChart(x, y, byXyc, charts, chart, charts::LookupMode::XYC);
    x = point.frictionRatio;
    y = point.qc1;
    float byYxc = tools::kNull;
    charts::LookupChart(x, y, byYxc, charts, chart, charts::LookupMode::YXC);
    const float deltaPercent =
        MultiplyMissing(DivideMissing(AddMissing(byXyc, -byYxc), byXyc), 100.0f);
    return tools::FormatFixed(point.frictionRatio, "##.####", true) + ",  " +
           tools::FormatFixed(point.qc1, "###.###", true) + ",  " +
           tools::FormatFixed(byXyc, "#####.####", true) + ",  " +
           tools::FormatFixed(byYxc, "#####.###", true) + ",  " +
           tools::FormatFixed(deltaPercent, "#####", true) + ", %   Delta/xyc   cQc ";
}

void NormaliseDepthPoint(NormalisationContext& context, DepthPoint& point,
                         std::ostream& directionTrace) {
    if (point.ves == 0.0f) {
        // A reading at the ground surface: nothing to normalise by.
        SetNormalisedMissing(point);
        point.frictionRatio = tools::kNull;
        context.reporter.LogIssueWithContext(
            "  effective stress is zero at depth " + tools::SingleText(point.depth) +
                " ft (a reading at the ground surface): normalised values left missing",
            "ISSUE");
    } else {
        const float cHigh =
            IterateExponentC(context.charts, context.reporter, point, kStartHigh, point.ves);
        const float cLow =
            IterateExponentC(context.charts, context.reporter, point, kStartLow, point.ves);
        const float spread = std::fabs(cHigh - cLow);
        if (!(spread <= kAllowedSpread)) {
            LogUnstableExponent(context.reporter, point.depth, cLow, cHigh, spread);
        }
    }

    CheckUnitWeightMethod(context, point);
    AdvanceVerticalStress(context, point);
    point.strengthRatio = ChartValueAtPoint(context.charts, context.charts.required.S1, point);
    directionTrace << ChartDirectionLine(context.charts, point) << "\r\n";
}

}  // namespace kavo::normalization
