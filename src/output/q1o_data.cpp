// Computing and writing the data rows of a sounding's output table.
#include "output/q1o_data.h"

#include <vector>

#include "charts/chart_lookup.h"
#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "normalization/depth_step.h"
#include "normalization/point_notes.h"
#include "output/q1o_header.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"
#include "zeroload/zero_load_summary.h"

namespace kavo::output {
namespace {

constexpr tools::FixedMask kProgressDepthMask("###.#");
constexpr std::string_view kPointProcess = "depth point=";

// The point's issues in the log and, once it is normalised, its chart-direction line (built
// in `line`, kept from point to point).
void WritePointOutcome(reporting::Reporter& reporter, platform::TextBuffer& directionTrace,
                       const normalization::DepthPoint& point,
                       const normalization::DepthPointResult& result, std::string& line) {
    normalization::WritePointNotes(reporter, result.notes);
    if (result.normalised) {
        line.clear();
        normalization::AppendChartDirectionLine(line, point, result.direction);
        directionTrace.WriteLine(line);
    }
}

}  // namespace

void WriteQ1oData(platform::TextBuffer& out, platform::TextBuffer& directionTrace,
                  DataRowParts& parts) {
    reporting::Reporter& reporter = parts.reporter;
    const std::size_t count = parts.readings.size();
    if (count == 0) {
        throw tools::DataError(
            "QC335", "sounding " + std::string(parts.soundingName) + " has no depth readings");
    }
    reporting::ProgressReport start;
    start.operations = "Q1o data printing";
    start.statusCode = "QC333";
    reporter.ReportProgress(start);

    // A column's parse depends on its ID alone, and its chart on the run's table: one parse
    // serves every depth point.
    std::vector<normalization::ColumnSpec> specs;
    for (int i = 1; i <= parts.columns.count(); ++i) {
        specs.push_back(normalization::ParseColumnId(tools::Trim(parts.columns.column(i).id)));
        charts::ResolveColumnChart(specs.back(), parts.normalisation.charts);
    }

    normalization::NormalisationContext& context = parts.normalisation;
    normalization::DepthPoint& point = parts.point;
    normalization::DepthPointResult result;
    std::string row;
    std::string directionLine;
    std::vector<std::size_t> cellStarts(static_cast<std::size_t>(parts.columns.count()));
    std::vector<std::string_view> printedCells(cellStarts.size());
    float lastDepth = tools::kNull;
    bool reserved = false;
    // One report for every point, its texts rewritten in place.
    reporting::ProgressReport progress;
    progress.statusCode = "QD111";
    for (std::size_t p = 0; p < count; ++p) {
        // A reading without a depth (the end-of-data marker rows carry none) is no depth
        // point: it would pull the effective stress back to the null depth.
        if (tools::IsMissing(parts.readings.depth[p])) {
            continue;
        }
        reporter.ProcessEvents();
        lastDepth = parts.readings.depth[p];
        progress.value.clear();
        tools::AppendFixed(progress.value, lastDepth, kProgressDepthMask, true);
        progress.value += " ft";
        progress.process = kPointProcess;
        progress.process += std::to_string(p + 1);
        reporter.ReportProgress(progress);

        // Read at the first depth point, where its lines and its task line belong.
        normalization::ReadSoundingProfile(context, parts.profile, parts.dataArea, reporter);
        try {
            normalization::ComputeDepthPoint(context, specs, parts.readings, p, point, result);
        } catch (const tools::DataError&) {
            // What the point found before the error is written before its report.
            WritePointOutcome(reporter, directionTrace, point, result, directionLine);
            throw;
        }
        WritePointOutcome(reporter, directionTrace, point, result, directionLine);
        row.clear();
        for (int i = 1; i <= parts.columns.count(); ++i) {
            const auto index = static_cast<std::size_t>(i - 1);
            cellStarts[index] = row.size();
            AppendColumnCell(row, parts.columns, i, RowKind::Value, result.values[index]);
        }
        out.Write(row);
        if (parts.csv != nullptr) {
            // The twin takes the numbers as the table printed them rather than print them again.
            for (int i = 1; i <= parts.columns.count(); ++i) {
                const auto index = static_cast<std::size_t>(i - 1);
                const std::size_t end =
                    (i < parts.columns.count() ? cellStarts[index + 1] : row.size()) -
                    CellSeparator(parts.columns, i).size();
                printedCells[index] =
                    std::string_view(row).substr(cellStarts[index], end - cellStarts[index]);
            }
            parts.csv->WriteRow(printedCells);
        }
        zeroload::UpdateZeroLoadLowest(parts.zeroLoadEntry, point, parts.lowestQcDepth);
        if (!reserved) {
            // The first row tells the size of the rest: the texts grow once, not by doubling.
            const std::size_t rest = count - p - 1;
            out.Reserve(rest * row.size());
            directionTrace.Reserve(rest * (directionLine.size() + 2));
            if (parts.csv != nullptr) {
                parts.csv->ReserveRows(rest);
            }
            reserved = true;
        }
    }
    // The sounded length is the depth of the last point that has one.
    if (!tools::IsMissing(lastDepth)) {
        parts.totalFeet += lastDepth;
    }
}

void TestColumn(const normalization::NormalisationContext& context, reporting::Reporter& reporter,
                std::string_view id) {
    normalization::DepthPoint testPoint;
    testPoint.depth = 10.0f;
    testPoint.qc1 = 10.0f;
    testPoint.frictionRatio = 1.0f;
    testPoint.ves = 1.0f;
    const normalization::ColumnSpec spec = normalization::ParseColumnId(tools::Trim(id));
    normalization::PointNotes notes;
    normalization::NoteOutOfRange(notes, spec,
                                  normalization::ComputeColumnValue(context, spec, testPoint));
    normalization::WritePointNotes(reporter, notes);
}

}  // namespace kavo::output
