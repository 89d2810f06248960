// The CSV twin of a sounding's output table, "<sounding>_Q1o.csv" beside it: one header row of
// the column IDs, one row per depth point with the table's numbers unpadded ("." as the
// decimal point), and an empty cell where the table shows the missing value.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/paths.h"
#include "output/column_table.h"
#include "output/sounding_file.h"
#include "reporting/reporter.h"

namespace kavo::output {

// The soundings folder, the field file name, "_Q1o.csv".
std::string Q1oCsvFileName(const files::DataArea& area, std::string_view fieldFileName);

class Q1oCsv {
  public:
    // Opens the file beside its place (an effect of the reporter) and writes the header row.
    // The effect throws QC385 when it cannot be opened.
    void Open(reporting::Reporter& reporter, const std::string& path, const ColumnTable& columns);
    // One depth point: each column's value as the table printed it, in column order.
    void WriteRow(std::span<const std::string_view> printedCells);
    // Room for `rows` more rows as long as the last one written.
    void ReserveRows(std::size_t rows);
    // Puts the complete file in its place (an effect). The effect throws QC386 when it could
    // not be written.
    void Commit(reporting::Reporter& reporter);

  private:
    SoundingFile file_{nullptr, nullptr};
    std::string line_;  // kept between rows for its capacity
};

}  // namespace kavo::output
