// Reading the output column definitions: the built-in list, the definition file in either
// layout and either place, and the checks on it.
#include "output/column_definitions.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::output {
namespace {

class ColumnDefinitionsTest : public ::testing::Test {
  protected:
    ColumnDefinitionsTest() : reporter(window, numbers) {
        area.root = dir.text();
        area.projectName = "P1";
    }

    // Reads the definitions with the given source; returns the IDs of the table and records
    // every ID that was tried.
    std::vector<std::string> Read(setup::ColumnsSource source) {
        ColumnDefinitionParts parts{table, reporter, area, source,
                                    [this](std::string_view id) { tried.emplace_back(id); }};
        ReadColumnDefinitions(parts);
        std::vector<std::string> ids;
        for (int i = 1; i <= table.count(); ++i) {
            ids.push_back(table.column(i).id);
        }
        return ids;
    }

    void WriteInProjects(const std::string& bytes) {
        dir.Write("Projects/Kavo_Q1o_Columns---mine.csv", bytes);
    }
    void WriteInProject(const std::string& bytes) {
        dir.Write("Projects/P1/Kavo_Q1o_Columns---mine.csv", bytes);
    }

    std::string ErrorCodeOfRead(setup::ColumnsSource source) {
        try {
            Read(source);
        } catch (const tools::DataError& error) {
            lastError = error.description();
            return error.code();
        }
        return "";
    }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter;
    files::DataArea area;
    ColumnTable table;
    std::vector<std::string> tried;
    std::string lastError;
};

TEST_F(ColumnDefinitionsTest, BuiltInListGivesThirteenUntriedColumns) {
    std::vector<std::string> ids = Read(setup::ColumnsSource::BuiltIn);
    ASSERT_EQ(ids.size(), 13u);
    EXPECT_EQ(ids.front(), "Depth_ft");
    EXPECT_EQ(ids[7], "cQc_tln");
    EXPECT_EQ(ids.back(), "Vs_tln_fps");
    EXPECT_TRUE(tried.empty());
}

TEST_F(ColumnDefinitionsTest, NeitherSourceDefinesNoColumnsEvenAfterAnEarlierRun) {
    Read(setup::ColumnsSource::BuiltIn);
    EXPECT_TRUE(Read(setup::ColumnsSource::NoneChosen).empty());
}

struct LayoutCase {
    const char* name;
    const char* file;
    std::vector<std::string> ids;
};

class DefinitionLayoutTest : public ColumnDefinitionsTest,
                             public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(DefinitionLayoutTest, DefinesTheColumnsInOrderAndTriesEach) {
    WriteInProject(GetParam().file);
    EXPECT_EQ(Read(setup::ColumnsSource::DefinitionFile), GetParam().ids);
    EXPECT_EQ(tried, GetParam().ids);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DefinitionLayoutTest,
    ::testing::Values(
        LayoutCase{"OneLineReadsNoFurther",
                   "Depth_ft,Qc_atm,fs_atm,Fr_%\r\nVES_atm\r\n",
                   {"Depth_ft", "Qc_atm", "fs_atm", "Fr_%"}},
        LayoutCase{"OneLineTrailingBlanksDoNotCount",
                   "Depth_ft,Qc_atm,fs_atm,Fr_%, , ,\r\n",
                   {"Depth_ft", "Qc_atm", "fs_atm", "Fr_%"}},
        LayoutCase{"OneLineBlankFieldPassedOver",
                   "Depth_ft,,Qc_atm,fs_atm,Fr_%\n",
                   {"Depth_ft", "Qc_atm", "fs_atm", "Fr_%"}},
        LayoutCase{
            "FirstFieldPerLine", "Depth_ft,Qc_atm\r\nFr_%,ignored\r\n", {"Depth_ft", "Fr_%"}},
        LayoutCase{"OneLineOfThreeGivesOne", "Depth_ft,Qc_atm,Fr_%\r\n", {"Depth_ft"}},
        LayoutCase{"BlankLinesPassedOver",
                   "\r\nDepth_ft\r\n\r\n  \r\nQc_atm\r\n,\r\nFr_%\r\n\r\n",
                   {"Depth_ft", "Qc_atm", "Fr_%"}},
        LayoutCase{"LastLineWithoutLineEnd", "Depth_ft\nQc_atm", {"Depth_ft", "Qc_atm"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColumnDefinitionsTest, FileInTheProjectsAreaIsUsedToo) {
    WriteInProjects("Depth_ft\r\nQc_atm\r\n");
    EXPECT_EQ(Read(setup::ColumnsSource::DefinitionFile),
              (std::vector<std::string>{"Depth_ft", "Qc_atm"}));
}

TEST_F(ColumnDefinitionsTest, MoreThanTwentyFourColumnsAreRefusedNamingTheFile) {
    std::string line;
    for (int i = 1; i <= 25; ++i) {
        line += (i > 1 ? "," : "") + std::string("Depth_ft");
    }
    WriteInProject(line + "\r\n");
    EXPECT_EQ(ErrorCodeOfRead(setup::ColumnsSource::DefinitionFile), "QC424");
    EXPECT_NE(lastError.find("Kavo_Q1o_Columns---mine.csv line 1"), std::string::npos);
    EXPECT_EQ(tried.size(), 24u);
}

TEST_F(ColumnDefinitionsTest, TwentyFourColumnsOnePerLineFit) {
    std::string lines;
    for (int i = 1; i <= 24; ++i) {
        lines += "Qc_atm\r\n";
    }
    WriteInProject(lines);
    EXPECT_EQ(Read(setup::ColumnsSource::DefinitionFile).size(), 24u);
    WriteInProject(lines + "Fr_%\r\n");
    EXPECT_EQ(ErrorCodeOfRead(setup::ColumnsSource::DefinitionFile), "QC424");
    EXPECT_NE(lastError.find("line 25"), std::string::npos);
}

TEST_F(ColumnDefinitionsTest, AFileWithoutIdsIsRefused) {
    WriteInProject("\r\n , \r\n\r\n");
    EXPECT_EQ(ErrorCodeOfRead(setup::ColumnsSource::DefinitionFile), "QC425");
}

TEST_F(ColumnDefinitionsTest, ABadColumnStopsTheReadingAtThatColumn) {
    WriteInProject("Depth_ft\r\nBad_id\r\nFr_%\r\n");
    ColumnDefinitionParts parts{table, reporter, area, setup::ColumnsSource::DefinitionFile,
                                [this](std::string_view id) {
                                    tried.emplace_back(id);
                                    if (id == "Bad_id") {
                                        throw tools::DataError("EZ312", "bad");
                                    }
                                }};
    EXPECT_THROW(ReadColumnDefinitions(parts), tools::DataError);
    EXPECT_EQ(tried, (std::vector<std::string>{"Depth_ft", "Bad_id"}));
    // The error window's history shows the line of the bad column last.
    ASSERT_FALSE(reporter.history().empty());
    EXPECT_EQ(reporter.history().front().line, "Bad_id");
    EXPECT_EQ(reporter.history().front().description, "reading Q1o column=2");
}

struct PlacementCase {
    const char* name;
    std::vector<const char*> files;
    const char* code;
    const char* description;
};

class DefinitionPlacementTest : public ColumnDefinitionsTest,
                                public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(DefinitionPlacementTest, RefusesAnythingButOneFile) {
    for (const char* file : GetParam().files) {
        dir.Write(file, "Depth_ft\r\n");
    }
    EXPECT_EQ(ErrorCodeOfRead(setup::ColumnsSource::DefinitionFile), GetParam().code);
    EXPECT_EQ(lastError, GetParam().description);
    EXPECT_TRUE(tried.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Placements, DefinitionPlacementTest,
    ::testing::Values(
        PlacementCase{"TwoInProjectsArea",
                      {"Projects/Kavo_Q1o_Columns---a.csv", "Projects/kavo_q1o_columns---b.CSV"},
                      "FP123",
                      "In Kavo directory, too many Kavo_Q1o_Columns---*.csv files"},
        PlacementCase{
            "TwoInProjectFolder",
            {"Projects/P1/Kavo_Q1o_Columns---a.csv", "Projects/P1/Kavo_Q1o_Columns---b.csv"},
            "FP873",
            "In Project directory, to many Kavo_Q1o_Columns---*.csv files"},
        PlacementCase{"None",
                      {"Projects/P1/Kavo_Q1o_Column.csv"},
                      "MEW553",
                      "Kavo_Q1o_Columns---*.csvwas NOT found in ProjectS AND Project areas"},
        PlacementCase{"OneInEach",
                      {"Projects/Kavo_Q1o_Columns---a.csv", "Projects/P1/Kavo_Q1o_Columns---a.csv"},
                      "MEW343",
                      "Kavo_Q1o_Columns---*.csvwas found in BOTH ProjectS AND Project areas"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LastNonBlankField, LowersTheCountToTheLastTextThatIsNotBlank) {
    EXPECT_EQ(LastNonBlankField({"a", "b", " ", ""}, 4), 2);
    EXPECT_EQ(LastNonBlankField({"a", "", "c"}, 3), 3);
    EXPECT_EQ(LastNonBlankField({"a", "b", "c"}, 2), 2);
    // Every text blank: the count stays.
    EXPECT_EQ(LastNonBlankField({" ", ""}, 2), 2);
    EXPECT_EQ(LastNonBlankField({}, 0), 0);
}

}  // namespace
}  // namespace kavo::output
