// Writing the output table's header block.
#include "output/q1o_header.h"

#include <string>

#include "output/text_table.h"
#include "tools/format_fixed.h"
#include "tools/number_text.h"

namespace kavo::output {

std::string_view CellSeparator(const ColumnTable& columns, int number) {
    return number != columns.count() ? ", " : "\r\n";
}

void AppendColumnCell(std::string& line, const ColumnTable& columns, int number, RowKind kind,
                      float value) {
    const Q1oColumn& column = columns.column(number);
    switch (kind) {
        case RowKind::IdFull:
            line += column.id;
            break;
        case RowKind::Author:
            line += column.author;
            break;
        case RowKind::Date:
            line += column.date;
            break;
        case RowKind::Why:
            line += column.why;
            break;
        case RowKind::Source:
            line += column.source;
            break;
        case RowKind::Format:
            line += column.mask;
            break;
        case RowKind::Value:
            tools::AppendFixed(line, value, column.valueMask, false);
            break;
    }
    line += CellSeparator(columns, number);
}

void WriteColumnCell(platform::TextBuffer& out, const ColumnTable& columns, int number,
                     RowKind kind, float value) {
    std::string cell;
    AppendColumnCell(cell, columns, number, kind, value);
    out.Write(cell);
}

void WriteHeadingRow(platform::TextBuffer& out, const ColumnTable& columns, RowKind kind) {
    for (int i = 1; i <= columns.count(); ++i) {
        WriteColumnCell(out, columns, i, kind);
    }
}

void WriteQ1oHeader(platform::TextBuffer& out, const HeaderParts& parts) {
    for (RowKind kind : {RowKind::IdFull, RowKind::Author, RowKind::Date, RowKind::Why,
                         RowKind::Source, RowKind::Format}) {
        WriteHeadingRow(out, parts.columns, kind);
    }
    const std::string version(parts.versionText);
    const std::string computer(parts.computerName);
    out.WriteLine("");
    out.WriteLine("ROW7_KavoV" + version);
    out.WriteLine("");
    out.WriteLine("Project= .....");
    out.WriteLine("File generatation time stamp = " + parts.clock.ShortDate() + "  " +
                  parts.clock.ShortTime());
    out.WriteLine("Data processing Computer = " + computer);
    out.WriteLine("Kavo Software Version = " + version + ", Release date " +
                  std::string(parts.releaseDate));
    out.WriteLine("Zero load data File = " + std::string(parts.zeroLoadFileName));
    out.WriteLine("Field CPT data file path location = " + std::string(parts.fieldFileName));
    out.WriteLine("Corrected cone resistance: " + std::string(parts.qtRuleText));
    out.WriteLine("Computer name = " + computer);
    out.WriteLine("");
    out.WriteLine("need EQ equation referencing UCB and UCD and Robertson");
    out.WriteLine("Project Earthquake Magnitude (M_m) = " +
                  tools::SingleText(parts.earthquakeMagnitude));
    out.WriteLine("");
    out.WriteLine("Stress normalization for Qc method and description = ???");
    out.WriteLine("Stress normalization for Ic method and description = ???");
    out.WriteLine("Stress normalization for Vs1 method and description = ???");
    out.WriteLine("Stress normalization for S method and description = ??? ");
    out.WriteLine("");
    out.WriteLine("NOTE: Below are SLD data File descriptions");
    TextTable table;
    for (std::int16_t k = 1; k <= parts.charts.count; ++k) {
        const charts::SldChart& chart = parts.charts.Slot(k);
        table.Collect({"SLD_file", "ID_full", "Units", "Version_date", "AUTHOR", "Author_short"},
                      {std::to_string(k), chart.Row1_z_IDfull_8str, chart.Row1_z_Unit_8str,
                       chart.Header_VersionDate_8str, chart.Row1_z_Author_8str,
                       chart.Header_AuthorShort_4Row2_8str});
    }
    table.Print(out);
    out.WriteLine("");
    out.WriteLine("NOTE: Below are data Column descriptions");
    for (int i = 1; i <= parts.columns.count(); ++i) {
        const Q1oColumn& column = parts.columns.column(i);
        table.Collect({"Column", "Row1_ID_full", "Row1_Units", "AUTHOR", "Units"},
                      {std::to_string(i), column.id, column.unit, column.method, column.date});
    }
    table.Print(out);
    out.WriteLine("");
    out.WriteLine("");
    WriteHeadingRow(out, parts.columns, RowKind::IdFull);
    out.WriteLine("EOH");
}

}  // namespace kavo::output
