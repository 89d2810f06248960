// The little text tables of the output header: rows of label=value cells, printed with each
// cell position padded to its widest cell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

namespace kavo::output {

inline constexpr std::string_view kBlankCellValue = "^blank^";

class TextTable {
  public:
    static constexpr std::size_t kMaxRows = 40;
    static constexpr std::size_t kMaxCells = 15;

    // Adds one row of cells label=value; values are trimmed and an empty one shows as
    // "^blank^". Labels and values must be of the same count.
    void Collect(const std::vector<std::string>& labels, const std::vector<std::string>& values);

    // Writes the collected rows, each cell followed by blanks up to the widest cell of its
    // position plus three (the last cell of a row too), and empties the table.
    void Print(platform::TextBuffer& out);

    std::size_t rowCount() const { return rows_.size(); }

  private:
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace kavo::output
