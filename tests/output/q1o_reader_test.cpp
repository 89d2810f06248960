// A sounding's output table read back for display: its column IDs, units and data rows, a
// missing value as an empty cell; the soundings that have a table.
#include "output/q1o_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/temp_dir.h"

namespace kavo::output {
namespace {

const std::filesystem::path kGoldenTable = testing::TestDataPath(
    "golden/three_soundings/expected/Projects/ExampleOne/Soundings/"
    "GD-01_Q1o.txt");

TEST(ReadQ1oTable, ReadsTheColumnsTheirUnitsAndEveryDataRow) {
    const Q1oTableContents table = ReadQ1oTable(kGoldenTable.string());
    ASSERT_EQ(table.problem, "");
    ASSERT_EQ(table.columnIds.size(), 18u);
    EXPECT_EQ(table.columnIds[0], "Depth_ft");
    EXPECT_EQ(table.columnIds[14], "Su_Nk=15_psf");
    EXPECT_EQ(table.columnIds[17], "Vs1_tln_fps");
    const std::vector<std::pair<std::size_t, std::string>> units = {
        {0, "ft"}, {1, "atm"}, {3, "%"}, {6, ""}, {9, "pcf"}, {14, "psf"}, {17, "fps"}};
    for (const auto& [column, unit] : units) {
        EXPECT_EQ(table.units[column], unit) << table.columnIds[column];
    }

    const std::string text = testing::ReadFile(kGoldenTable);
    const std::size_t dataStart = text.find("EOH\r\n") + 5;
    EXPECT_EQ(table.rows.size(),
              static_cast<std::size_t>(
                  std::count(text.begin() + static_cast<long>(dataStart), text.end(), '\n')));
    ASSERT_FALSE(table.rows.empty());
    // The first row: "    0.65,  10.037, ... CRRe_tln -5435 ..."
    EXPECT_EQ(table.rows[0][0], "0.65");
    EXPECT_EQ(table.rows[0][1], "10.037");
    EXPECT_EQ(table.rows[0][10], "");  // -5435 in the file
    EXPECT_EQ(table.rows[0][11], "0.438");
    for (const auto& row : table.rows) {
        ASSERT_EQ(row.size(), 18u);
        EXPECT_TRUE(std::none_of(row.begin(), row.end(), [](const std::string& cell) {
            return cell == "-5435" || cell == "5435";
        }));
    }
}

TEST(ReadQ1oTable, SaysWhyATableCannotBeShown) {
    testing::TempDir dir;
    EXPECT_NE(ReadQ1oTable((dir.path() / "none_Q1o.txt").string()).problem.find("can't open"),
              std::string::npos);
    const std::string headerOnly = testing::ReadFile(kGoldenTable).substr(0, 400);
    const auto cut = dir.Write("cut_Q1o.txt", headerOnly);
    EXPECT_NE(ReadQ1oTable(cut.string()).problem.find("no end-of-header line EOH"),
              std::string::npos);
}

TEST(SoundingsWithTables, ListsTheTablesOfTheSoundingsFolderByName) {
    testing::TempDir dir;
    const std::string soundings = "Projects/P1/Soundings/";
    for (const char* name : {"b-2_Q1o.txt", "A-1_q1o.TXT", "A-1.CPT", "notes.txt", "C-3_Q1o.csv"}) {
        dir.Write(soundings + name, "x");
    }
    const files::DataArea area{dir.text(), "P1"};
    EXPECT_EQ(SoundingsWithTables(area), (std::vector<std::string>{"A-1", "b-2"}));
}

}  // namespace
}  // namespace kavo::output
