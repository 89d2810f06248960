// The output columns of a run: the column table every sounding's output table is written with.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/format_fixed.h"
#include "tools/null_marker.h"

namespace kavo::output {

// One output column. The six heading texts (id, author, date, why, source, mask) head the
// column in the output table; once aligned they all have the width of the longest of them.
struct Q1oColumn {
    std::string id;        // the column ID as the user wrote it
    std::string property;  // parts of the parsed ID
    std::string key;
    std::string method;  // printed under "AUTHOR" in the column descriptions
    std::string unit;    // printed under "Row1_Units"
    std::string author;  // author short code of the chart that serves the column, else empty
    std::string date;    // date short code of that chart, else empty
    std::string why;
    std::string source;
    std::string mask;            // print mask of every value of the column
    tools::FixedMask valueMask;  // the aligned mask, taken apart once for every value
    float factor = tools::kNull;
};

// The column table: at most 24 columns, numbered 1 to count.
class ColumnTable {
  public:
    static constexpr int kMaxColumns = 24;

    // Puts a column ID in place `number` (1-based): the next place, or one already in use.
    // Beyond 24 columns the definition is refused with a data error naming where it came
    // from.
    void SetColumnId(int number, std::string_view id, std::string_view origin);

    int count() const { return count_; }
    // Column `number`, 1 to count.
    Q1oColumn& column(int number);
    const Q1oColumn& column(int number) const;

  private:
    std::array<Q1oColumn, kMaxColumns> columns_{};
    std::int16_t count_ = 0;
};

// The thirteen columns a run has when the user chooses the built-in list.
inline constexpr std::array<std::string_view, 13> kBuiltInColumnIds = {
    "Depth_ft", "Qc_atm", "fs_atm",    "Fr_%",     "VES_atm",     "UWT1_tln",  "Qc1",
    "cQc_tln",  "S1_tln", "S_tln_psf", "CRRe_tln", "Vs1_tln_fps", "Vs_tln_fps"};

}  // namespace kavo::output
