// The issue lines of a depth point's notes.
#include "normalization/point_notes.h"

#include <string>

#include "normalization/stress_normalisation.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::normalization {
namespace {

constexpr float kClosureTolerance = 0.008f;

void LogPoorClosure(reporting::Reporter& reporter, float deltaC) {
    reporter.LogIssueWithContext(
        "  poor c calculation closure because at max# of tries ---"
        "  DeltaC_criteria = " +
            tools::SingleText(kClosureTolerance) + "  DeltaC_chart = " + tools::SingleText(deltaC),
        reporting::IssueClass{reporting::IssueKind::PoorClosure, "", false});
}

void LogUnstableExponent(reporting::Reporter& reporter, const PointNote& note) {
    reporter.LogIssue(6,
                      "At depth=" + tools::SingleText(note.depth) + " ft,  " +
                          "c(low)=" + tools::SingleText(note.cLow) +
                          " & c(high)=" + tools::SingleText(note.cHigh) +
                          ", Calculatd c is unstable i.e. delta=" + tools::SingleText(note.value) +
                          "which is >" + tools::SingleText(static_cast<float>(kAllowedSpread)),
                      reporting::IssueClass{reporting::IssueKind::UnstableExponent, "", false});
}

}  // namespace

void PointNotes::Add(const PointNote& note) {
    if (count_ == kCapacity) {
        throw tools::ProgrammingError("more notes at one depth point than it can have");
    }
    notes_[count_++] = note;
}

void NoteOutOfRange(PointNotes& notes, const ColumnSpec& column, const ColumnOutcome& outcome) {
    if (outcome.outOfRange) {
        PointNote note;
        note.kind = PointIssue::OutOfRange;
        note.column = &column;
        note.value = outcome.tested;
        notes.Add(note);
    }
}

void WritePointNotes(reporting::Reporter& reporter, const PointNotes& notes) {
    for (const PointNote& note : notes) {
        switch (note.kind) {
            case PointIssue::OutOfRange:
                reporter.LogIssueWithContext(
                    OutOfRangeText(*note.column, note.value),
                    reporting::IssueClass{reporting::IssueKind::OutOfRange,
                                          note.column->baseNameUpper, note.value == tools::kNull});
                break;
            case PointIssue::PoorClosure:
                LogPoorClosure(reporter, note.value);
                break;
            case PointIssue::UnstableExponent:
                LogUnstableExponent(reporter, note);
                break;
            case PointIssue::ZeroStress:
                reporter.LogIssueWithContext("  effective stress is zero at depth " +
                                                 tools::SingleText(note.depth) +
                                                 " ft (a reading at the ground surface): "
                                                 "normalised values left missing",
                                             reporting::LogKind::Issue);
                break;
        }
    }
}

}  // namespace kavo::normalization
