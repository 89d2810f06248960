// The header's label=value tables and the heading alignment of the output columns.
#include "output/text_table.h"

#include <gtest/gtest.h>

#include "output/heading_width.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::output {
namespace {

std::string Printed(TextTable& table) {
    platform::TextBuffer out;
    table.Print(out);
    return out.text();
}

TEST(TextTable, PadsEveryPositionToItsWidestCellPlusThree) {
    TextTable table;
    table.Collect({"Column", "Row1_ID_full"}, {"1", "Depth_ft"});
    table.Collect({"Column", "Row1_ID_full"}, {"12", "Qc_atm"});
    // Widest cells: "Column=12" (9) and "Row1_ID_full=Depth_ft" (21); the last position of a
    // row is padded too.
    EXPECT_EQ(Printed(table),
              "Column=1    Row1_ID_full=Depth_ft   \r\n"
              "Column=12   Row1_ID_full=Qc_atm     \r\n");
}

TEST(TextTable, EmptyValuesShowAsBlankMarkAndValuesAreTrimmed) {
    TextTable table;
    table.Collect({"AUTHOR", "Units"}, {"", "  tln  "});
    table.Collect({"AUTHOR", "Units"}, {"   ", "x"});
    EXPECT_EQ(Printed(table),
              "AUTHOR=^blank^   Units=tln   \r\n"
              "AUTHOR=^blank^   Units=x     \r\n");
}

TEST(TextTable, PrintEmptiesTheTableForTheNextOne) {
    TextTable table;
    table.Collect({"SLD_file"}, {"1"});
    Printed(table);
    EXPECT_EQ(table.rowCount(), 0u);
    table.Collect({"Column"}, {"2"});
    EXPECT_EQ(Printed(table), "Column=2   \r\n");
}

TEST(TextTable, RefusesRowsBeyondItsSize) {
    TextTable table;
    std::vector<std::string> sixteen(16, "a");
    EXPECT_THROW(table.Collect(sixteen, sixteen), tools::ProgrammingError);
    EXPECT_THROW(table.Collect({"a", "b"}, {"1"}), tools::ProgrammingError);
    for (int i = 0; i < 40; ++i) {
        table.Collect({"n"}, {std::to_string(i)});
    }
    EXPECT_THROW(table.Collect({"n"}, {"41"}), tools::ProgrammingError);
}

TEST(HeadingWidth, RightAlignsAGroupToItsLongestText) {
    std::vector<std::string> texts = {"abcde", "abcdefghi", "abcd", "", "abcdefg", "abc"};
    HeadingWidth width;
    width.Reset();
    for (const auto& text : texts) {
        width.Find(text);
    }
    for (auto& text : texts) {
        width.SetSize(text);
    }
    EXPECT_EQ(width.width(), 9);
    const std::vector<std::string> expected = {"    abcde", "abcdefghi", "     abcd",
                                               "         ", "  abcdefg", "      abc"};
    EXPECT_EQ(texts, expected);
}

TEST(HeadingWidth, ResetStartsANewGroup) {
    HeadingWidth width;
    width.Find("a long heading");
    width.Reset();
    width.Find("ab");
    std::string text = "x";
    width.SetSize(text);
    EXPECT_EQ(text, " x");
}

}  // namespace
}  // namespace kavo::output
