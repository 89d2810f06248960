// The total unit weight at the current depth by the sounding's method, and the vertical
// effective stress built up from it down the sounding.
#pragma once

#include <string_view>

#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"

namespace kavo::normalization {

// Replaces a chart method's missing unit weight.
inline constexpr float kChartUnitWeightFallback = 100.5435f;  // pcf
inline constexpr float kWaterUnitWeight = 62.4f;              // pcf

// The unit weight (pcf) at the point's depth by the column's method (its unitWeightMethod):
// "WT" the sounding's value above or below the water table, "FILE" the sounding's profile (the
// error UWT301 without one), "KAVO", "VASKI" and "USER" the UWT1 chart at (FR, Q), any other
// method the chart of `column`; a chart that gives no value gives 100.5435.
float UnitWeightAtDepth(const NormalisationContext& context, const DepthPoint& point,
                        const ColumnSpec& column);

// The point's unit weight as the column "UWT_<method>_pcf" of the sounding's method, parsed
// at the sounding's first point with the context (range-tested: an out-of-range weight is
// missing). Throws DataError "UTGM723" when the sounding names no method.
ColumnOutcome PointUnitWeight(NormalisationContext& context, const DepthPoint& point);

// Sets the point's unit weight (from PointUnitWeight) and advances VES from the previous depth to
// this one, with the buoyant weight below the water table. Throws DataError "VES002" when the
// accumulated VES falls below zero.
void AdvanceVerticalStress(const NormalisationContext& context, DepthPoint& point,
                           float unitWeight);

// The total vertical stress (atm) at the point: VES plus the hydrostatic pore pressure of
// 62.4 pcf over the depth below the water table (none at or above it). Missing when VES, the
// depth or the water-table depth is missing.
float TotalVerticalStress(const DepthPoint& point, float waterTableDepth);

// Whether the method check after the normalisation accepts a unit-weight method: "SLD_TLN",
// "KAVO", "SLD", "WT" or "FILE", trimmed, in any case.
bool PassesUnitWeightMethodCheck(std::string_view method);

// The method check after the normalisation, on the sounding's method as resolved by
// PointUnitWeight: throws DataError "UTGM724" for a method PassesUnitWeightMethodCheck refuses.
void CheckUnitWeightMethod(const NormalisationContext& context);

}  // namespace kavo::normalization
