// The column value engine: the value of one parsed output column at the current depth point,
// from measured data, an equation or a chart, range-tested and in the column's unit.
#pragma once

#include "charts/sld_chart.h"
#include "normalization/column_id.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"

namespace kavo::normalization {

// The column's value in its own unit, or -5435. A value outside the column's range (tested in
// the column's unit) becomes -5435 and is logged as an issue. Throws DataError "QM456" for a
// base name with no computation, "QM457" for a parsed column the engine does not compute,
// "VES342", "NK123" and "NK019".
float ComputeColumnValue(NormalisationContext& context, const ColumnSpec& column,
                         const DepthPoint& point);

// The exponent that the cQc column shows for the run's normalisation mode; with none chosen,
// the chart of `column`.
float NormalisationExponentFor(NormalisationMode mode, const charts::ChartTable& charts,
                               const ColumnSpec& column, const DepthPoint& point);

// A value read off slot `chart` at the point's (FR, Q) in the chart's own mode; -5435 when the
// chart gives none.
float ChartValueAtPoint(const charts::ChartTable& charts, std::int16_t chart,
                        const DepthPoint& point);

}  // namespace kavo::normalization
