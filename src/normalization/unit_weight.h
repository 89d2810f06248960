// The total unit weight at the current depth by the sounding's method, and the vertical
// effective stress built up from it down the sounding.
#pragma once

#include <string_view>

#include "normalization/column_id.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"

namespace kavo::normalization {

// Replaces a chart method's missing unit weight.
inline constexpr float kChartUnitWeightFallback = 100.5435f;  // pcf
inline constexpr float kWaterUnitWeight = 62.4f;              // pcf

// The unit weight (pcf) at the point's depth by `method` (compared in capitals): "WT" the
// sounding's value above or below the water table, "FILE" the profile file, "KAVO", "VASKI"
// and "USER" the UWT1 chart at (FR, Q), any other method the chart of `column`; a chart that
// gives no value gives 100.5435.
float UnitWeightAtDepth(NormalisationContext& context, const DepthPoint& point,
                        std::string_view method, const ColumnSpec& column);

// Computes the point's unit weight as the column "UWT_<method>_pcf" (range-tested) and
// advances VES from the previous depth to this one, with the buoyant weight below the water
// table. Throws DataError "VES002" when the accumulated VES falls below zero.
void AdvanceVerticalStress(NormalisationContext& context, DepthPoint& point);

// The total vertical stress (atm) at the point: VES plus the hydrostatic pore pressure of
// 62.4 pcf over the depth below the water table (none at or above it). Missing when VES, the
// depth or the water-table depth is missing.
float TotalVerticalStress(const DepthPoint& point, float waterTableDepth);

// The method check after the normalisation: throws DataError "UTGM724" for a method other
// than "SLD_TLN", "KAVO", "SLD", "WT" or "FILE", and reads the profile file for "FILE".
void CheckUnitWeightMethod(NormalisationContext& context, const DepthPoint& point);

}  // namespace kavo::normalization
