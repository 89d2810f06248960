// The issues found at one depth point, kept in the order they were found, and their lines in
// the tasks-and-issues log.
#pragma once

#include <array>
#include <cstddef>

#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "reporting/reporter.h"
#include "tools/null_marker.h"

namespace kavo::normalization {

enum class PointIssue {
    OutOfRange,        // a column value outside its range
    PoorClosure,       // the exponent iteration did not close
    UnstableExponent,  // the two starts gave exponents too far apart
};

struct PointNote {
    PointIssue kind = PointIssue::OutOfRange;
    const ColumnSpec* column = nullptr;  // OutOfRange: the column
    float value = tools::kNull;          // OutOfRange: the value refused; else delta c
    float depth = tools::kNull;          // UnstableExponent: ft
    float cLow = tools::kNull;           // UnstableExponent
    float cHigh = tools::kNull;          // UnstableExponent
};

// The notes of one depth point: two unit weights, two iterations, the spread and one per
// column at most.
class PointNotes {
  public:
    static constexpr std::size_t kCapacity = 32;
    void Add(const PointNote& note);
    void Clear() { count_ = 0; }
    std::size_t size() const { return count_; }
    const PointNote* begin() const { return notes_.data(); }
    const PointNote* end() const { return notes_.data() + count_; }

  private:
    std::array<PointNote, kCapacity> notes_{};
    std::size_t count_ = 0;
};

// Adds the note of a column value its range refused; nothing for a value in range.
void NoteOutOfRange(PointNotes& notes, const ColumnSpec& column, const ColumnOutcome& outcome);

// Writes the notes to the log in their order, each as the issue line of its kind.
void WritePointNotes(reporting::Reporter& reporter, const PointNotes& notes);

}  // namespace kavo::normalization
