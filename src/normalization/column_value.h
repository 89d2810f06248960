// The column value engine: the value of one parsed output column at the current depth point,
// from measured data, an equation or a chart, range-tested and in the column's unit.
#pragma once

#include <string>

#include "charts/sld_chart.h"
#include "normalization/column_id.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"

namespace kavo::normalization {

// A column's value at a depth point and whether its range refused it.
struct ColumnOutcome {
    float value = tools::kNull;   // in the column's unit; -5435 when missing or out of range
    bool outOfRange = false;      // the caller logs the issue (OutOfRangeText)
    float tested = tools::kNull;  // the value the range refused
};

// The column's value in its own unit, or -5435. A value outside the column's range (tested in
// the column's unit) becomes -5435 and is marked out of range. Throws DataError "QM456" for a
// base name with no computation, "QM457" for a parsed column the engine does not compute,
// "VES342", "NK123", "NK019", and "UWT301" for the FILE method without a profile.
ColumnOutcome ComputeColumnValue(const NormalisationContext& context, const ColumnSpec& column,
                                 const DepthPoint& point);

// The text of the issue of a value outside the column's range.
std::string OutOfRangeText(const ColumnSpec& column, float tested);

// The exponent that the cQc column shows for the run's normalisation mode; with none chosen,
// the chart of `column`.
float NormalisationExponentFor(const NormalisationContext& context, const ColumnSpec& column,
                               const DepthPoint& point);

// A value read off slot `chart` at the point's (FR, Q) in the chart's own mode; -5435 when the
// chart gives none.
float ChartValueAtPoint(const charts::ChartTable& charts, std::int16_t chart,
                        const DepthPoint& point);
// The same through the context, which keeps the chart's last reading: a second reading at the
// same point takes it.
float ChartValueAtPoint(const NormalisationContext& context, std::int16_t chart,
                        const DepthPoint& point);
// The reading of the chart that a predicted column names (by its base name and method), at
// the point. Throws DataError "GZS101" when no chart fits.
float ColumnChartValue(const NormalisationContext& context, const ColumnSpec& column,
                       const DepthPoint& point);

}  // namespace kavo::normalization
