// The total unit weight by the sounding's method, and the vertical effective stress down the
// sounding.
#include "normalization/unit_weight.h"

#include <string>

#include "charts/chart_lookup.h"
#include "normalization/missing_math.h"
#include "tools/errors.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::normalization {
namespace {

float OrFallback(float chartValue) {
    return IsMissingValue(chartValue) ? kChartUnitWeightFallback : chartValue;
}

float WaterTableUnitWeight(const SoundingUnitWeightInputs& sounding, float depth) {
    return depth <= sounding.waterTableDepth ? sounding.unitWeightAbove : sounding.unitWeightBelow;
}

float ProfileUnitWeight(const NormalisationContext& context, float depth) {
    if (context.profile == nullptr) {
        throw NoProfileFileError();
    }
    return ProfileUnitWeightAt(*context.profile, depth);
}

}  // namespace

float UnitWeightAtDepth(const NormalisationContext& context, const DepthPoint& point,
                        const ColumnSpec& column) {
    switch (column.unitWeightMethod) {
        case UnitWeightMethod::WaterTable:
            return WaterTableUnitWeight(context.sounding, point.depth);
        case UnitWeightMethod::ProfileFile:
            return ProfileUnitWeight(context, point.depth);
        case UnitWeightMethod::UnitWeightChart:
            return OrFallback(ChartValueAtPoint(context, context.charts.required.UWT1, point));
        case UnitWeightMethod::ColumnChart:
            break;
    }
    return OrFallback(ColumnChartValue(context, column, point));
}

ColumnOutcome PointUnitWeight(NormalisationContext& context, const DepthPoint& point) {
    UnitWeightColumnCache& cache = context.unitWeightColumn;
    if (!cache.ready) {
        const std::string_view method = tools::Trim(context.sounding.method);
        if (method.empty() || method == tools::kNullText) {
            throw tools::DataError("UTGM723",
                                   "the sounding names no total unit weight method (column "
                                   "UWT_METHOD): give WT, FILE, KAVO or the method of a chart");
        }
        cache.column = ParseColumnId("UWT_" + context.sounding.method + "_pcf");
        charts::ResolveColumnChart(cache.column, context.charts);
        cache.methodPassesCheck = PassesUnitWeightMethodCheck(method);
        cache.atmPerPsf = tools::UnitFactor("ATM/PSF");
        cache.ready = true;
    }
    return ComputeColumnValue(context, cache.column, point);
}

void AdvanceVerticalStress(const NormalisationContext& context, DepthPoint& point,
                           float unitWeight) {
    point.unitWeight = unitWeight;
    const float effectiveWeight =
        point.depth > context.sounding.waterTableDepth ? unitWeight - kWaterUnitWeight : unitWeight;
    const float interval = point.depth - point.previousDepth;
    point.previousDepth = point.depth;
    const float accumulated = point.vesAccumulatedPsf + interval * effectiveWeight;
    if (accumulated < 0.0f) {
        throw tools::DataError("VES002", "negative calculated VES");
    }
    point.vesAccumulatedPsf = accumulated;
    point.ves = accumulated * context.unitWeightColumn.atmPerPsf;
}

float TotalVerticalStress(const DepthPoint& point, float waterTableDepth) {
    if (IsMissingValue(point.ves) || IsMissingValue(point.depth) ||
        IsMissingValue(waterTableDepth)) {
        return tools::kNull;
    }
    if (point.depth <= waterTableDepth) {
        return point.ves;
    }
    // Looked up once: this is computed at every depth point of a strength column.
    static const float atmPerFootOfWater = tools::UnitFactor("ATM/HWATERFEET");
    const float waterHead = point.depth - waterTableDepth;
    return point.ves + waterHead * atmPerFootOfWater;
}

bool PassesUnitWeightMethodCheck(std::string_view method) {
    const std::string_view trimmed = tools::Trim(method);
    return tools::EqualsInCapitals(trimmed, "FILE") ||
           tools::EqualsInCapitals(trimmed, "SLD_TLN") ||
           tools::EqualsInCapitals(trimmed, "KAVO") || tools::EqualsInCapitals(trimmed, "SLD") ||
           tools::EqualsInCapitals(trimmed, "WT");
}

void CheckUnitWeightMethod(const NormalisationContext& context) {
    // The profile of the FILE method was read before the first depth point; the chart and
    // water-table methods are recomputed straight after this check, so only their names are
    // checked here.
    if (!context.unitWeightColumn.ready) {
        throw tools::ProgrammingError(
            "the unit weight method is checked before the sounding's first unit weight");
    }
    if (!context.unitWeightColumn.methodPassesCheck) {
        throw tools::DataError("UTGM724", "Norm CPT --- bad Unit weight total method");
    }
}

}  // namespace kavo::normalization
