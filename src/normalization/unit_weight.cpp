// The total unit weight by the sounding's method, and the vertical effective stress down the
// sounding.
#include "normalization/unit_weight.h"

#include <string>

#include "charts/chart_lookup.h"
#include "normalization/column_value.h"
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

float ProfileUnitWeight(NormalisationContext& context, float depth) {
    ReadUnitWeightProfile(context.profile, context.sounding.profileFileName, context.dataArea,
                          context.reporter);
    return ProfileUnitWeightAt(context.profile, depth);
}

}  // namespace

float UnitWeightAtDepth(NormalisationContext& context, const DepthPoint& point,
                        std::string_view method, const ColumnSpec& column) {
    const std::string upper = tools::UpperCopy(method);
    if (upper == "WT") {
        return WaterTableUnitWeight(context.sounding, point.depth);
    }
    if (upper == "FILE") {
        return ProfileUnitWeight(context, point.depth);
    }
    if (upper == "KAVO" || upper == "VASKI" || upper == "USER") {
        return OrFallback(ChartValueAtPoint(context.charts, context.charts.required.UWT1, point));
    }
    return OrFallback(
        charts::FindChartValue(context.charts, column, point.frictionRatio, point.qc1).value);
}

void AdvanceVerticalStress(NormalisationContext& context, DepthPoint& point) {
    const ColumnSpec column = ParseColumnId("UWT_" + context.sounding.method + "_pcf");
    const float unitWeight = ComputeColumnValue(context, column, point);
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
    point.ves = accumulated * tools::UnitFactor("ATM/PSF");
}

void CheckUnitWeightMethod(NormalisationContext& context, const DepthPoint& point) {
    const std::string method = tools::UpperCopy(tools::Trim(context.sounding.method));
    if (method == "FILE") {
        ProfileUnitWeight(context, point.depth);
        return;
    }
    // The chart and water-table methods are recomputed straight after this check, so only
    // their names are checked here.
    if (method == "SLD_TLN" || method == "KAVO" || method == "SLD" || method == "WT") {
        return;
    }
    throw tools::DataError("UTGM724", "Norm CPT --- bad Unit weight total method");
}

}  // namespace kavo::normalization
