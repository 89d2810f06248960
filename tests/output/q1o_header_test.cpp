// The header block of an output table: the column attribute rows aligned per column, the run
// information and the chart and column tables.
#include "output/q1o_header.h"

#include <gtest/gtest.h>

#include "output/column_record.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"
#include "tools/errors.h"
#include "zeroload/zeroload_test_support.h"

namespace kavo::output {
namespace {

ColumnTable Columns(std::initializer_list<std::string_view> ids) {
    ColumnTable table;
    int number = 0;
    for (std::string_view id : ids) {
        table.SetColumnId(++number, id, "test");
    }
    return table;
}

// Runs `write` on a fresh file and returns what it wrote.
template <typename Write>
std::string Written(Write&& write) {
    platform::TextBuffer out;
    write(out);
    return out.text();
}

TEST(ColumnHeadings, FormatRowHoldsTheMasksRightAlignedToTheirHeadings) {
    ColumnTable columns = Columns({"Depth_ft", "Qc_atm", "Fr_%"});
    CompleteColumnTable(columns, charts::ChartTable{});
    EXPECT_EQ(Written([&](auto& out) { WriteHeadingRow(out, columns, RowKind::Format); }),
              "  ###.##, ###.###, #.###\r\n");
    EXPECT_EQ(Written([&](auto& out) { WriteHeadingRow(out, columns, RowKind::IdFull); }),
              "Depth_ft,  Qc_atm,  Fr_%\r\n");
    // No chart serves these columns: their author cells are blank, as wide as the column.
    EXPECT_EQ(Written([&](auto& out) { WriteHeadingRow(out, columns, RowKind::Author); }),
              "        ,        ,      \r\n");
}

TEST(ColumnHeadings, AuthorAndDateComeFromTheLastChartServingTheColumn) {
    charts::ChartTable charts = testing::StraightTestCharts();
    testing::AddStraightChart(charts, "cQc", "tln", 0.4f, 0.4f);
    charts.Slot(3).Header_AuthorShort_4Row2_8str = "Later";
    charts.Slot(3).Header_DateShort_8str = "d25";
    // A chart of another method serves no tln column.
    testing::AddStraightChart(charts, "cQc", "TLN", 0.4f, 0.4f);
    charts.Slot(4).Header_AuthorShort_4Row2_8str = "Other";
    ColumnTable columns = Columns({"cQc_tln", "S1_tln", "Qc_atm"});
    CompleteColumnTable(columns, charts);
    EXPECT_EQ(columns.column(1).author, "  Later");
    EXPECT_EQ(columns.column(1).date, "    d25");
    EXPECT_EQ(columns.column(2).author, "   Tst");
    EXPECT_EQ(columns.column(3).author, "       ");
    EXPECT_EQ(columns.column(2).method, "tln");
    EXPECT_EQ(columns.column(3).method, "");  // only measured depth, fs and u2 say "Basic"
    EXPECT_FLOAT_EQ(columns.column(3).factor, 1.0f);
}

TEST(ColumnHeadings, ABadColumnIdIsADataError) {
    ColumnTable columns = Columns({"Depth_ft", "Qc_atm_x_y"});
    EXPECT_THROW(CompleteColumnTable(columns, charts::ChartTable{}), tools::DataError);
}

TEST(ColumnCells, ValuesGoThroughTheColumnMask) {
    ColumnTable columns = Columns({"Depth_ft", "Qc_atm"});
    CompleteColumnTable(columns, charts::ChartTable{});
    EXPECT_EQ(Written([&](auto& out) {
                  WriteColumnCell(out, columns, 1, RowKind::Value, 25.4f);
                  WriteColumnCell(out, columns, 2, RowKind::Value, -5435.0f);
              }),
              "   25.40,   -5435\r\n");
}

TEST(Q1oHeader, WritesTheExpectedHeaderBlock) {
    const charts::ChartTable charts = testing::StraightTestCharts();
    ColumnTable columns = Columns({"Depth_ft", "Qc_atm", "Fr_%", "cQc_tln", "S1_tln"});
    CompleteColumnTable(columns, charts);
    platform::FixedClock clock;
    clock.date = "5/14/2024";
    clock.time = "9:30:00 AM";
    const HeaderParts parts{columns,
                            charts,
                            clock,
                            "1.0.7",
                            "Kavo CPT batch processor, test build",
                            "FIELD-PC",
                            "C:\\Kavo\\Projects\\P1\\Kavo---Output---Zero_Load_Data---P1.txt",
                            "S-01",
                            7.5f,
                            "qt = qc (the field data file gives neither qt nor the net area "
                            "ratio with u2)"};
    testing::ExpectMatchesExpectedFile(Written([&](auto& out) { WriteQ1oHeader(out, parts); }),
                                       "data/output/header_block.txt");
}

}  // namespace
}  // namespace kavo::output
