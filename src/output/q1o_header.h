// The header block of a sounding's output table: the six column attribute rows, the run
// information, the chart and column description tables and the end-of-header mark.
#pragma once

#include <string>
#include <string_view>

#include "charts/sld_chart.h"
#include "output/column_table.h"
#include "platform/clock.h"
#include "platform/text_file.h"

namespace kavo::output {

// The rows of an output table: the six heading rows and the data rows.
enum class RowKind { IdFull, Author, Date, Why, Source, Format, Value };

// Appends column `number`'s cell of a row: its heading text for the heading rows, or `value`
// through the column's mask for a data row (a missing value shows as -5435). Cells are
// joined by ", "; the last column ends the line (CR LF).
void AppendColumnCell(std::string& line, const ColumnTable& columns, int number, RowKind kind,
                      float value = 0);
// The same written to the table.
void WriteColumnCell(platform::TextBuffer& out, const ColumnTable& columns, int number,
                     RowKind kind, float value = 0);
// What follows column `number`'s cell: ", " or the line end.
std::string_view CellSeparator(const ColumnTable& columns, int number);

// One whole heading row: the cells of every column.
void WriteHeadingRow(platform::TextBuffer& out, const ColumnTable& columns, RowKind kind);

// What the header block shows besides the columns.
struct HeaderParts {
    const ColumnTable& columns;
    const charts::ChartTable& charts;
    const platform::Clock& clock;
    std::string_view versionText;
    std::string_view releaseDate;
    std::string_view computerName;
    std::string_view zeroLoadFileName;
    std::string_view fieldFileName;
    float earthquakeMagnitude;
    std::string_view qtRuleText;  // how the sounding's corrected cone resistance was found
};

// Writes the header block, from the six attribute rows to "EOH".
void WriteQ1oHeader(platform::TextBuffer& out, const HeaderParts& parts);

}  // namespace kavo::output
