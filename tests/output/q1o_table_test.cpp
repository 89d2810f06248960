// A sounding's whole output table: the data rows computed down the sounding, the zero-load
// entry they lower, the run's total feet, the chart-direction trace, and a table that is
// replaced only when complete.
#include "output/q1o_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

#include "output/column_record.h"
#include "output/q1o_data.h"
#include "output/run_columns.h"
#include "platform/file_system.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/errors.h"
#include "zeroload/zeroload_test_support.h"

namespace kavo::output {
namespace {

struct Reading {
    float depth, qc, fs, inclinationX;
};

class Q1oTableTest : public ::testing::Test {
  protected:
    Q1oTableTest() : reporter(window, numbers) {
        auto log = std::make_unique<std::ostringstream>();
        logText = log.get();
        reporter.OpenTasksLog(std::move(log), "Kavo Project", "1.0.7", "5/14/2024", "9:30");
        area.root = dir.text();
        area.projectName = "P1";
        std::filesystem::create_directories(dir.path() / "Projects" / "P1" / "Soundings");
        sounding.method = "WT";
        sounding.waterTableDepth = 100.0f;
        sounding.unitWeightAbove = 120.0f;
        sounding.unitWeightBelow = 125.0f;
        clock.date = "5/14/2024";
        clock.time = "9:30:00 AM";
        zeroLoad.name = "C:\\Kavo\\Projects\\P1\\Kavo---Output---Zero_Load_Data---P1.txt";
        zeroLoad.lowestQcDepth = 2.0f;
        entry.QcLowest = zeroload::kNoLowestYet;
        entry.fsLowest = zeroload::kNoLowestYet;
    }

    void Define(std::initializer_list<std::string_view> ids) {
        int number = 0;
        for (std::string_view id : ids) {
            columns.SetColumnId(++number, id, "test");
        }
        CompleteColumnTable(columns, charts);
    }

    void Load(std::initializer_list<Reading> rows) {
        for (const Reading& row : rows) {
            fielddata::DepthReading reading;
            reading.depth = row.depth;
            reading.qc = row.qc;
            reading.qt = row.qc;
            reading.fs = row.fs;
            reading.u2 = 0.0f;
            reading.xInclination = row.inclinationX;
            readings.Add(reading, false, "test");
        }
    }

    void Write(bool writeCsv = true) {
        Q1oTableParts parts{columns,  context,      profile,    area,      reporter,  clock,
                            "1.0.7",  "test build", "FIELD-PC", 7.5f,      zeroLoad,  "S-01",
                            readings, point,        entry,      totalFeet, "qt = qc", writeCsv};
        WriteQ1oTable(parts);
    }
    std::string Csv() const {
        return testing::ReadFile(dir.path() / "Projects" / "P1" / "Soundings" / "S-01_Q1o.csv");
    }

    std::string Table() const {
        return testing::ReadFile(dir.path() / "Projects" / "P1" / "Soundings" / "S-01_Q1o.txt");
    }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter;
    std::ostringstream* logText = nullptr;
    files::DataArea area;
    charts::ChartTable charts = testing::StraightTestCharts();
    normalization::SoundingUnitWeightInputs sounding;
    normalization::UnitWeightProfile profile;
    normalization::NormalisationContext context{charts, normalization::NormalisationMode::Robertson,
                                                sounding};
    platform::FixedClock clock;
    zeroload::ZeroLoadFile zeroLoad;
    ColumnTable columns;
    fielddata::SoundingReadings readings;
    normalization::DepthPoint point;
    zeroload::ZeroLoadEntry entry;
    float totalFeet = 100.0f;
};

TEST_F(Q1oTableTest, WritesTheExpectedTableOfASmallSounding) {
    Define(
        {"Depth_ft", "Qc_atm", "fs_atm", "Fr_%", "VES_atm", "Qc1", "cQc_tln", "S1_tln", "InclX"});
    Load({{5.0f, 50.0f, 0.5f, 0.25f}, {15.2f, 20.0f, 0.4f, -1.5f}, {25.4f, 80.0f, 0.8f, 2.0f}});
    Write();
    testing::ExpectMatchesExpectedFile(Table(), "data/output/sounding_table.txt");
}

TEST_F(Q1oTableTest, AddsTheLastDepthToTotalFeetAndLowersTheZeroLoadEntry) {
    Define({"Depth_ft", "Qc_atm"});
    Load({{1.5f, 5.0f, 0.05f, 0.0f}, {15.2f, 20.0f, 0.4f, 0.0f}, {25.4f, 80.0f, 0.8f, 0.0f}});
    Write();
    EXPECT_FLOAT_EQ(totalFeet, 100.0f + 25.4f);
    // The shallow reading lies above the depth setting.
    EXPECT_FLOAT_EQ(entry.QcLowest, 20.0f);
    EXPECT_FLOAT_EQ(entry.QcLowestDepth, 15.2f);
    EXPECT_FLOAT_EQ(entry.fsLowest, 0.4f);
    // VES at 15.2 ft: 120 pcf over 15.2 ft, in atm.
    EXPECT_NEAR(entry.QcLowestVes, 15.2 * 120.0 / 2116.22, 1e-5);
    EXPECT_FLOAT_EQ(entry.QcLowestFr, 2.0f);
    // The S1 chart at the point gives the strength ratio.
    EXPECT_NEAR(entry.QcLowestRatio, 0.1 + 0.1 * std::log10(entry.fsLowestQc1), 1e-4);
}

TEST_F(Q1oTableTest, PassesOverReadingsWithoutDepthLikeTheEndMarkerRows) {
    Define({"Depth_ft", "Qc_atm"});
    // A field file ending "NORMAL" keeps its two marker rows, which carry no depth.
    Load({{5.0f, 50.0f, 0.5f, 0.0f},
          {25.4f, 80.0f, 0.8f, 0.0f},
          {tools::kNull, 80.0f, tools::kNull, 0.0f},
          {tools::kNull, 80.0f, tools::kNull, 0.0f}});
    Write();
    EXPECT_FLOAT_EQ(totalFeet, 100.0f + 25.4f);
    const std::string table = Table();
    const std::string rows = table.substr(table.find("EOH\r\n") + 5);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2) << rows;
}

TEST_F(Q1oTableTest, LoadsTheInclinationsAndWritesTheDirectionTrace) {
    Define({"InclX", "InclY"});
    Load({{5.0f, 50.0f, 0.5f, 1.25f}});
    Write();
    const std::string table = Table();
    EXPECT_NE(table.find("EOH\r\n 1.250,  -5435\r\n"), std::string::npos) << table;
    // A fresh data area has no extras folder: it is made for the trace.
    const std::string trace =
        testing::ReadFile(platform::ToRealPath(DirectionTraceFileName(area, "S-01")));
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.substr(0, trace.find("\r\n")), kDirectionTraceHeading);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 2);
}

TEST_F(Q1oTableTest, ASoundingWithoutReadingsIsADataErrorNamingIt) {
    Define({"Depth_ft"});
    try {
        Write();
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "QC335");
        EXPECT_EQ(error.description(), "sounding S-01 has no depth readings");
    }
    EXPECT_TRUE(Table().empty());
    EXPECT_FLOAT_EQ(totalFeet, 100.0f);
}

TEST_F(Q1oTableTest, ATableLeftUnfinishedByADataErrorKeepsTheEarlierOne) {
    dir.Write("Projects/P1/Soundings/S-01_Q1o.txt", "finished table of an earlier run\r\n");
    Define({"Depth_ft", "Su1_NK=25"});
    Load({{5.0f, 50.0f, 0.5f, 0.0f}});
    try {
        Write();
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "NK019");
    }
    EXPECT_EQ(Table(), "finished table of an earlier run\r\n");
    EXPECT_EQ(
        platform::ListMatching(dir.text() + "/Projects/P1/Soundings/*", platform::EntryKind::File),
        std::vector<std::string>{"S-01_Q1o.txt"});
}

// The CSV twin carries the table's rows: the IDs, then each row's numbers unpadded, with an
// empty cell for the missing friction of a marker row.
TEST_F(Q1oTableTest, TheCsvTwinHoldsTheTablesRowsUnpadded) {
    Define({"Depth_ft", "Qc_atm", "fs_atm", "Fr_%"});
    Load({{5.0f, 50.0f, 0.5f, 0.0f}, {15.2f, 20.0f, tools::kNull, 0.0f}});
    Write();
    EXPECT_EQ(Csv(),
              "Depth_ft,Qc_atm,fs_atm,Fr_%\r\n"
              "5.00,50.000,0.500,1.000\r\n"
              "15.20,20.000,,\r\n");
    const std::string table = Table();
    EXPECT_NE(
        table.find("EOH\r\n    5.00,  50.000,  0.500, 1.000\r\n   15.20,  20.000,  -5435, -5435"),
        std::string::npos)
        << table;
}

TEST_F(Q1oTableTest, NoCsvTwinWhenNotAskedAndAnUnopenableOneIsADataError) {
    Define({"Depth_ft"});
    Load({{5.0f, 50.0f, 0.5f, 0.0f}});
    Write(false);
    EXPECT_FALSE(Table().empty());
    EXPECT_TRUE(Csv().empty());

    // Something that is no file stands where the twin is written first.
    std::filesystem::create_directories(dir.path() / "Projects" / "P1" / "Soundings" /
                                        "S-01_Q1o.csv.kavo-partial");
    try {
        Write();
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "QC385");
        EXPECT_EQ(error.description().rfind("the Q1o CSV file cannot be opened: " + dir.text() +
                                                "/Projects/P1/Soundings/S-01_Q1o.csv (",
                                            0),
                  0u)
            << error.description();
    }
}

TEST_F(Q1oTableTest, TestColumnTriesAnIdAtTheTestPoint) {
    EXPECT_NO_THROW(TestColumn(context, reporter, "S1_tln"));
    EXPECT_NO_THROW(TestColumn(context, reporter, "Qc1"));
    EXPECT_THROW(TestColumn(context, reporter, "Su1_NK=25"), tools::DataError);
    EXPECT_THROW(TestColumn(context, reporter, "atm_x"), tools::DataError);
}

}  // namespace
}  // namespace kavo::output

namespace kavo::output {
namespace {

TEST_F(Q1oTableTest, RunColumnsAreReadTriedCompletedAndAligned) {
    dir.Write("Projects/P1/Kavo_Q1o_Columns---mine.csv", "Depth_ft\r\n\r\nS1_tln\r\n");
    SetUpRunColumns(columns, context, reporter, area, setup::ColumnsSource::DefinitionFile);
    ASSERT_EQ(columns.count(), 2);
    EXPECT_EQ(columns.column(1).mask, "  ###.##");
    EXPECT_EQ(columns.column(2).author, "   Tst");
    EXPECT_EQ(window.panel().statusCode, "GL311");

    // A column that cannot be computed stops the set-up at that column.
    dir.Write("Projects/P1/Kavo_Q1o_Columns---mine.csv", "Depth_ft\r\nSu1_NK=25\r\nFr_%\r\n");
    EXPECT_THROW(
        SetUpRunColumns(columns, context, reporter, area, setup::ColumnsSource::DefinitionFile),
        tools::DataError);
    EXPECT_EQ(columns.count(), 2);
}

}  // namespace
}  // namespace kavo::output
