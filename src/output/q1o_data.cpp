// Computing and writing the data rows of a sounding's output table.
#include "output/q1o_data.h"

#include <vector>

#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "normalization/stress_normalisation.h"
#include "normalization/unit_weight.h"
#include "output/q1o_header.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"
#include "zeroload/zero_load_summary.h"

namespace kavo::output {
namespace {

void LoadReading(normalization::DepthPoint& point, const fielddata::SoundingReadings& readings,
                 std::size_t index) {
    normalization::ClearPointValues(point);
    point.depth = readings.depth[index];
    point.qc = readings.qc[index];
    point.qt = readings.qt[index];
    point.fs = readings.fs[index];
    point.frictionRatio = readings.frictionRatio[index];
    point.u2 = readings.u2[index];
    point.inclinationX = readings.xInclination[index];
    point.inclinationY = readings.yInclination[index];
}

}  // namespace

void WriteQ1oData(platform::TextOutput& out, std::ostream& directionTrace, DataRowParts& parts) {
    reporting::Reporter& reporter = parts.normalisation.reporter;
    const std::size_t count = parts.readings.size();
    if (count == 0) {
        throw tools::DataError(
            "QC335", "sounding " + std::string(parts.soundingName) + " has no depth readings");
    }
    reporting::ProgressReport start;
    start.operations = "Q1o data printing";
    start.statusCode = "QC333";
    reporter.ReportProgress(start);

    // A column's parse depends on its ID alone: one parse serves every depth point.
    std::vector<normalization::ColumnSpec> specs;
    for (int i = 1; i <= parts.columns.count(); ++i) {
        specs.push_back(normalization::ParseColumnId(tools::Trim(parts.columns.column(i).id)));
    }

    normalization::DepthPoint& point = parts.point;
    float lastDepth = tools::kNull;
    for (std::size_t p = 0; p < count; ++p) {
        // A reading without a depth (the end-of-data marker rows carry none) is no depth
        // point: it would pull the effective stress back to the null depth.
        if (tools::IsMissing(parts.readings.depth[p])) {
            continue;
        }
        reporter.window().ProcessEvents();
        LoadReading(point, parts.readings, p);
        lastDepth = point.depth;
        reporting::ProgressReport progress;
        progress.value = tools::FormatFixed(point.depth, "###.#", true) + " ft";
        progress.process = "depth point=" + std::to_string(p + 1);
        progress.statusCode = "QD111";
        reporter.ReportProgress(progress);

        normalization::AdvanceVerticalStress(parts.normalisation, point);
        normalization::NormaliseDepthPoint(parts.normalisation, point, directionTrace);
        for (int i = 1; i <= parts.columns.count(); ++i) {
            const float value = normalization::ComputeColumnValue(
                parts.normalisation, specs[static_cast<std::size_t>(i - 1)], point);
            WriteColumnCell(out, parts.columns, i, RowKind::Value, value);
        }
        zeroload::UpdateZeroLoadLowest(parts.zeroLoadEntry, point, parts.lowestQcDepth);
    }
    // The sounded length is the depth of the last point that has one.
    if (!tools::IsMissing(lastDepth)) {
        parts.totalFeet += lastDepth;
    }
}

void TestColumn(normalization::NormalisationContext& context, std::string_view id) {
    normalization::DepthPoint testPoint;
    testPoint.depth = 10.0f;
    testPoint.qc1 = 10.0f;
    testPoint.frictionRatio = 1.0f;
    testPoint.ves = 1.0f;
    const normalization::ColumnSpec spec = normalization::ParseColumnId(tools::Trim(id));
    normalization::ComputeColumnValue(context, spec, testPoint);
}

}  // namespace kavo::output
