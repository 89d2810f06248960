// One depth point of a sounding, and all of them.
#include "normalization/depth_step.h"

#include <cmath>

#include "normalization/column_value.h"
#include "normalization/unit_weight.h"
#include "tools/errors.h"
#include "tools/null_marker.h"

namespace kavo::normalization {
namespace {

void LoadReading(DepthPoint& point, const fielddata::SoundingReadings& readings,
                 std::size_t index) {
    ClearPointValues(point);
    point.depth = readings.depth[index];
    point.qc = readings.qc[index];
    point.qt = readings.qt[index];
    point.fs = readings.fs[index];
    point.frictionRatio = readings.frictionRatio[index];
    point.u2 = readings.u2[index];
    point.inclinationX = readings.xInclination[index];
    point.inclinationY = readings.yInclination[index];
}

// The unit weight at the point and VES advanced to its depth.
void UnitWeightAndStress(NormalisationContext& context, DepthPoint& point, PointNotes& notes) {
    const ColumnOutcome unitWeight = PointUnitWeight(context, point);
    NoteOutOfRange(notes, context.unitWeightColumn.column, unitWeight);
    AdvanceVerticalStress(context, point, unitWeight.value);
}

ExponentRun Iterate(const NormalisationContext& context, DepthPoint& point, float startC,
                    charts::LineCrossings& cQcCrossings, PointNotes& notes) {
    const ExponentRun run =
        IterateExponentC(context.charts, point, startC, point.ves, cQcCrossings);
    if (run.tries > 0 && !run.closed) {
        PointNote note;
        note.kind = PointIssue::PoorClosure;
        note.value = run.deltaC;
        notes.Add(note);
    }
    return run;
}

}  // namespace

void ComputeDepthPoint(NormalisationContext& context, std::span<const ColumnSpec> columns,
                       const fielddata::SoundingReadings& readings, std::size_t index,
                       DepthPoint& point, DepthPointResult& result) {
    if (columns.size() > kMaxColumnValues) {
        throw tools::ProgrammingError("more columns than a depth point holds");
    }
    result.notes.Clear();
    result.normalised = false;
    result.valueCount = 0;
    LoadReading(point, readings, index);
    UnitWeightAndStress(context, point, result.notes);
    charts::LineCrossings cQcCrossings;

    if (point.ves == 0.0f) {
        // A reading at the ground surface: there is no stress to normalise by.
        result.fromHigh = ExponentRun{};
        result.fromLow = ExponentRun{};
        point.qc1 = tools::kNull;
        point.fs1 = tools::kNull;
        point.exponentC = tools::kNull;
        point.frictionRatio = tools::kNull;
        PointNote note;
        note.kind = PointIssue::ZeroStress;
        note.depth = point.depth;
        result.notes.Add(note);
    } else {
        result.fromHigh = Iterate(context, point, kStartHigh, cQcCrossings, result.notes);
        result.fromLow = Iterate(context, point, kStartLow, cQcCrossings, result.notes);
    }
    const float spread = std::fabs(result.fromHigh.c - result.fromLow.c);
    if (!(spread <= kAllowedSpread)) {
        PointNote note;
        note.kind = PointIssue::UnstableExponent;
        note.value = spread;
        note.depth = point.depth;
        note.cLow = result.fromLow.c;
        note.cHigh = result.fromHigh.c;
        result.notes.Add(note);
    }

    CheckUnitWeightMethod(context);
    UnitWeightAndStress(context, point, result.notes);
    point.strengthRatio = ChartValueAtPoint(context, context.charts.required.S1, point);
    result.direction = ChartDirectionValues(context.charts, point, cQcCrossings);
    result.normalised = true;

    for (const ColumnSpec& column : columns) {
        const ColumnOutcome outcome = ComputeColumnValue(context, column, point);
        NoteOutOfRange(result.notes, column, outcome);
        result.values[result.valueCount++] = outcome.value;
    }
}

std::vector<ComputedDepthPoint> ComputeSoundingPoints(NormalisationContext& context,
                                                      std::span<const ColumnSpec> columns,
                                                      const fielddata::SoundingReadings& readings) {
    std::vector<ComputedDepthPoint> computed;
    DepthPoint point;
    ResetVerticalStress(point);
    for (std::size_t index = 0; index < readings.size(); ++index) {
        if (tools::IsMissing(readings.depth[index])) {
            continue;
        }
        ComputedDepthPoint& entry = computed.emplace_back();
        entry.readingIndex = index;
        ComputeDepthPoint(context, columns, readings, index, point, entry.result);
        entry.point = point;
    }
    return computed;
}

}  // namespace kavo::normalization
