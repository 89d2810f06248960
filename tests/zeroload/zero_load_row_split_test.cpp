// The zero-load file's lines cut back into cells for display: every cell as written, a
// missing number as an empty cell.
#include <gtest/gtest.h>

#include <string>

#include "tools/null_marker.h"
#include "zeroload/zero_load_line.h"

namespace kavo::zeroload {
namespace {

TEST(ZeroLoadColumns, NamesAndUnitsComeFromTheHeadingLines) {
    const std::vector<std::string> names = ZeroLoadColumnNames();
    const std::vector<std::string> units = ZeroLoadColumnUnits();
    ASSERT_EQ(names.size(), 18u);
    ASSERT_EQ(units.size(), 18u);
    EXPECT_EQ(names[1], "sounding");
    EXPECT_EQ(names[17], "S_fsLow_%");
    EXPECT_EQ(units[0], "");
    EXPECT_EQ(units[3], "atm");
    EXPECT_EQ(units[8], "psf");
    EXPECT_EQ(units[10], "%");
    EXPECT_EQ(units[17], "%");
}

TEST(SplitZeroLoadRow, GivesBackTheCellsOfAWrittenLine) {
    ZeroLoadRow row;
    row.device = "HT-15T-0412";
    row.sounding = "Levee north 7";  // a name with blanks keeps its blanks
    row.datetime = "20170709~114000";
    row.qcClean = 2.003f;
    row.qcDirty = 1.963f;
    row.qcCleanToDirty = 0.039f;
    row.qcLowest = 10.8899f;
    row.strengthAtQcLowest = 1338;
    row.strengthAtQcLowestShifted = 1699;
    row.strengthChangePercent = 26;
    row.fsClean = 0.0376f;
    row.fsDirty = 0.0366f;
    row.fsCleanToDirty = 0.0009f;
    row.fsLowest = 0.475f;
    row.strengthAtFsLowest = 0;
    row.strengthAtFsLowestPercent = 0;
    const std::vector<std::string> cells = SplitZeroLoadRow(FormatZeroLoadRow(row));
    const std::vector<std::string> expected = {"HT-15T-0412",
                                               "Levee north 7",
                                               "20170709~114000",
                                               "2.003",
                                               "1.963",
                                               "0.039",
                                               "",
                                               "10.8899",
                                               "1338",
                                               "1699",
                                               "26",
                                               "0.0376",
                                               "0.0366",
                                               "0.0009",
                                               "",
                                               "0.475",
                                               "0",
                                               "0"};
    EXPECT_EQ(cells, expected);
}

TEST(SplitZeroLoadRow, ReadsALineOfTheGoldenFile) {
    const std::string line =
        "HT-10T-0233  GD-02          20170712~000000         0.595     0.595     0     _______  "
        " 9.3229   1163     1422       22    0.0148    0.0148     0     _______    0.365       0 "
        "     /  0   ";
    const std::vector<std::string> cells = SplitZeroLoadRow(line);
    ASSERT_EQ(cells.size(), 18u);
    EXPECT_EQ(cells[1], "GD-02");
    EXPECT_EQ(cells[6], "");
    EXPECT_EQ(cells[7], "9.3229");
    EXPECT_EQ(cells[17], "0");
}

}  // namespace
}  // namespace kavo::zeroload
