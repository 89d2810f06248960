// The lowest readings tracked down a sounding, and the sorted zero-load file of a run.
#include "zeroload/zero_load_summary.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/csv_reader.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/errors.h"
#include "tools/null_marker.h"
#include "zeroload/zeroload_test_support.h"

namespace kavo::zeroload {
namespace {

using tools::kNull;

normalization::DepthPoint Point(float depth, float qc, float fs, float ves, float fr, float q,
                                float ratio) {
    normalization::DepthPoint point;
    point.depth = depth;
    point.qc = qc;
    point.fs = fs;
    point.ves = ves;
    point.frictionRatio = fr;
    point.qc1 = q;
    point.strengthRatio = ratio;
    return point;
}

ZeroLoadEntry StartedEntry() {
    ZeroLoadEntry entry;
    entry.QcLowest = kNoLowestYet;
    entry.fsLowest = kNoLowestYet;
    return entry;
}

TEST(UpdateZeroLoadLowest, KeepsTheLowestReadingsBelowTheDepthSetting) {
    ZeroLoadEntry entry = StartedEntry();
    const float setting = 2.0f;
    // At and above the setting nothing counts, however low.
    UpdateZeroLoadLowest(entry, Point(1.0f, 0.1f, 0.001f, 0.05f, 1.0f, 5.0f, 0.2f), setting);
    UpdateZeroLoadLowest(entry, Point(2.0f, 0.1f, 0.001f, 0.06f, 1.0f, 5.0f, 0.2f), setting);
    EXPECT_EQ(entry.QcLowest, kNoLowestYet);
    EXPECT_EQ(entry.fsLowest, kNoLowestYet);

    UpdateZeroLoadLowest(entry, Point(2.5f, 30.0f, 0.30f, 0.10f, 1.0f, 90.0f, 0.25f), setting);
    UpdateZeroLoadLowest(entry, Point(3.0f, 12.0f, 0.50f, 0.12f, 4.2f, 40.0f, 0.31f), setting);
    // A tie keeps the shallower point; missing readings are passed over.
    UpdateZeroLoadLowest(entry, Point(3.5f, 12.0f, 0.30f, 0.14f, 2.5f, 38.0f, 0.5f), setting);
    UpdateZeroLoadLowest(entry, Point(4.0f, kNull, kNull, 0.16f, kNull, kNull, kNull), setting);
    // A lower qc at a point without a strength ratio keeps the ratio found before.
    UpdateZeroLoadLowest(entry, Point(4.5f, 11.0f, 0.40f, 0.18f, 3.6f, 35.0f, kNull), setting);

    EXPECT_FLOAT_EQ(entry.QcLowest, 11.0f);
    EXPECT_FLOAT_EQ(entry.QcLowestDepth, 4.5f);
    EXPECT_FLOAT_EQ(entry.QcLowestVes, 0.18f);
    EXPECT_FLOAT_EQ(entry.QcLowestFr, 3.6f);
    EXPECT_FLOAT_EQ(entry.QcLowestRatio, 0.31f);

    EXPECT_FLOAT_EQ(entry.fsLowest, 0.30f);
    EXPECT_FLOAT_EQ(entry.fsLowestDepth, 2.5f);
    EXPECT_FLOAT_EQ(entry.fsLowestVes, 0.10f);
    EXPECT_FLOAT_EQ(entry.fsLowestQc1, 90.0f);
    EXPECT_FLOAT_EQ(entry.fsLowestRatio, 0.25f);
}

TEST(StrengthRatioAt, ReadsTheS1ChartAndIsMissingWithoutIt) {
    const charts::ChartTable charts = testing::StraightTestCharts();
    EXPECT_NEAR(StrengthRatioAt(charts, 2.0f, 100.0f), 0.1f + 0.1f * 2.0f, 1e-5);
    EXPECT_EQ(StrengthRatioAt(charts, kNull, 100.0f), kNull);
    EXPECT_EQ(StrengthRatioAt(charts, 2.0f, kNull), kNull);
    EXPECT_EQ(StrengthRatioAt(charts, 2.0f, 2000.0f), kNull);  // outside the frame
    EXPECT_EQ(StrengthRatioAt(charts::ChartTable{}, 2.0f, 100.0f), kNull);
}

class ZeroLoadRunTest : public ::testing::Test {
  protected:
    ZeroLoadRunTest() : reporter(window, numbers) {}

    ZeroLoadEntry& Add(const std::string& device, const std::string& sounding,
                       const std::string& datetime, float qcClean, float qcDirty, float fsClean,
                       float fsDirty) {
        ZeroLoadEntry& entry = table.at(++count, sounding);
        entry = StartedEntry();
        entry.project = "P1";
        entry.device = device;
        entry.sounding = sounding;
        entry.datetime = datetime;
        entry.Qc_zClean = qcClean;
        entry.Qc_zDirty = qcDirty;
        entry.fs_zClean = fsClean;
        entry.fs_zDirty = fsDirty;
        return entry;
    }

    // The run of the expected file: two devices, written out of order, one sounding that
    // never passes the depth setting and one device name too long for its field.
    void AddTheRun() {
        ZeroLoadEntry& s3 =
            Add("CONE-B", "S-03", "2024-03-02 09:00", 0.512f, 0.498f, 0.0123f, 0.0119f);
        UpdateZeroLoadLowest(s3, Point(4.5f, 3.2f, 0.041f, 0.3f, 2.0f, 10.6f, 0.15f), 2.0f);
        ZeroLoadEntry& s1 =
            Add("CONE-A", "S-01", "2024-03-01 08:00", 1.25f, 1.20f, 0.0205f, 0.0211f);
        UpdateZeroLoadLowest(s1, Point(6.0f, 8.75f, 0.062f, 0.5f, 1.5f, 17.5f, 0.2f), 2.0f);
        ZeroLoadEntry& s2 =
            Add("CONE-A", "S-02", "2024-02-28 10:00", 1.30f, 1.26f, 0.0198f, 0.0190f);
        UpdateZeroLoadLowest(s2, Point(3.0f, 20.0f, 0.12f, 0.25f, 0.6f, 80.0f, 0.3f), 2.0f);
        Add("CONE-B", "S-04", "2024-03-03 07:30", 0.520f, 0.515f, 0.0125f, 0.0125f);
        ZeroLoadEntry& s5 = Add("CONE-C-LONGNAME", "S-05-WITH-A-LONG-NAME", "2024-03-04 11:15",
                                0.0f, 0.0f, 0.01f, 0.0f);
        UpdateZeroLoadLowest(s5, Point(9.0f, 5.0f, 0.05f, 0.7f, 1.0f, 7.1f, 0.12f), 2.0f);
    }

    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter;
    ZeroLoadTable table;
    int count = 0;
    charts::ChartTable charts = testing::StraightTestCharts();
};

TEST_F(ZeroLoadRunTest, SortsByDeviceThenDateAndShiftsWithinEachDevice) {
    AddTheRun();
    const std::vector<ZeroLoadRow> rows = BuildZeroLoadRows(table, count, charts, reporter);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::string> order = {rows[0].sounding, rows[1].sounding, rows[2].sounding,
                                            rows[3].sounding, rows[4].sounding};
    EXPECT_EQ(order,
              (std::vector<std::string>{"S-02", "S-01", "S-03", "S-04", "S-05-WITH-A-LONG-NAME"}));
    // The first sounding of each device has no clean-to-clean shift.
    for (std::size_t first : {0u, 2u, 4u}) {
        EXPECT_EQ(rows[first].qcCleanToClean, kNull) << rows[first].sounding;
        EXPECT_EQ(rows[first].fsCleanToClean, kNull) << rows[first].sounding;
    }
    EXPECT_FLOAT_EQ(rows[1].qcCleanToClean, 1.25f - 1.30f);
    EXPECT_FLOAT_EQ(rows[1].fsCleanToClean, 0.0205f - 0.0198f);
    EXPECT_FLOAT_EQ(rows[3].qcCleanToClean, 0.520f - 0.512f);
    EXPECT_FLOAT_EQ(rows[0].qcCleanToDirty, 1.30f - 1.26f);
    // Strength at the lowest qc: ratio × VES × psf per atm.
    EXPECT_NEAR(rows[0].strengthAtQcLowest, 0.3f * 0.25f * 2116.22f, 0.01);
    // The sounding that never passed the setting has no strengths.
    EXPECT_EQ(rows[3].qcLowest, kNoLowestYet);
    EXPECT_EQ(rows[3].strengthAtQcLowest, kNull);
    EXPECT_EQ(rows[3].strengthAtQcLowestShifted, kNull);
    EXPECT_EQ(rows[3].strengthChangePercent, kNull);
    EXPECT_EQ(window.panel().statusCode, "ZF346");
    EXPECT_EQ(reporter.remembered().process, "r=5");
}

TEST_F(ZeroLoadRunTest, WritesTheExpectedFile) {
    AddTheRun();
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Projects" / "P1");
    files::DataArea area{dir.text(), "P1"};
    ZeroLoadFile file;
    OpenZeroLoadFile(file, area, "2");
    WriteZeroLoadFile(file, table, count, charts, reporter);
    testing::ExpectMatchesExpectedFile(testing::ReadFile(dir.path() / "Projects" / "P1" /
                                                         "Kavo---Output---Zero_Load_Data---P1.txt"),
                                       "data/zeroload/zero_load_file.txt");
}

// The CSV twin: one row per line of the fixed-width file, with the same numbers unpadded and
// an empty cell where the line shows underscores.
TEST_F(ZeroLoadRunTest, TheCsvTwinHoldsTheSameRows) {
    AddTheRun();
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Projects" / "P1");
    files::DataArea area{dir.text(), "P1"};
    ZeroLoadFile file;
    OpenZeroLoadFile(file, area, "2");
    WriteZeroLoadFile(file, table, count, charts, reporter);
    const std::string fixed = testing::ReadFile(platform::ToRealPath(file.name));
    const testing::CsvRecords csv =
        testing::ReadCsv(testing::ReadFile(platform::ToRealPath(file.csvName)));
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = fixed.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(fixed.substr(start, end - start));
    }
    ASSERT_EQ(csv.size(), lines.size() - 1);  // one heading row instead of two
    EXPECT_EQ(csv[0].size(), ZeroLoadColumnNames().size());
    EXPECT_EQ(csv[0][3], "Qc_zClean_atm");
    for (std::size_t row = 1; row < csv.size(); ++row) {
        std::vector<std::string> cells = SplitZeroLoadRow(lines[row + 1]);
        // The fixed-width line cuts its three texts to their widths; the CSV keeps them whole.
        for (std::size_t text = 0; text < 3; ++text) {
            EXPECT_EQ(csv[row][text].rfind(cells[text], 0), 0u) << csv[row][text];
            cells[text] = csv[row][text];
        }
        EXPECT_EQ(csv[row], cells) << lines[row + 1];
    }
}

TEST_F(ZeroLoadRunTest, AnUnopenableCsvTwinIsADataError) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Projects" / "P1" /
                                        "Kavo---Output---Zero_Load_Data---P1.csv.kavo-partial");
    files::DataArea area{dir.text(), "P1"};
    ZeroLoadFile file;
    try {
        OpenZeroLoadFile(file, area, "2");
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "ZF103");
    }
    ZeroLoadFile withoutCsv;
    OpenZeroLoadFile(withoutCsv, area, "2", false);
    EXPECT_TRUE(withoutCsv.csvName.empty());
}

TEST_F(ZeroLoadRunTest, ARunWithoutSoundingsWritesTheHeadingsOnly) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Projects" / "P1");
    files::DataArea area{dir.text(), "P1"};
    ZeroLoadFile file;
    OpenZeroLoadFile(file, area, "2");
    WriteZeroLoadFile(file, table, 0, charts, reporter);
    EXPECT_EQ(testing::ReadFile(platform::ToRealPath(file.name)),
              std::string(kZeroLoadNamesLine) + "\r\n" + std::string(kZeroLoadUnitsLine) + "\r\n");
}

TEST_F(ZeroLoadRunTest, MoreThanTwentyDevicesAreRefused) {
    for (int device = 1; device <= 21; ++device) {
        Add("D" + std::to_string(100 + device), "S", "2024", 1.0f, 1.0f, 0.01f, 0.01f);
    }
    try {
        BuildZeroLoadRows(table, count, charts, reporter);
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "ZF347");
        EXPECT_NE(error.description().find("D121"), std::string::npos);
    }
    count = 20;
    EXPECT_EQ(BuildZeroLoadRows(table, count, charts, reporter).size(), 20u);
}

TEST(FormatZeroLoadRow, FitsTextsAndShowsMissingValuesAsUnderscores) {
    ZeroLoadRow row;
    row.device = "CONE-C-LONGNAME";
    row.sounding = "S-1";
    row.datetime = "2024";
    row.qcClean = 0.0f;
    const std::string line = FormatZeroLoadRow(row);
    EXPECT_EQ(line.substr(0, 13), "CONE-C-LONGN ");
    EXPECT_EQ(line.substr(13, 15), "S-1            ");
    EXPECT_EQ(line.substr(28, 19), "2024               ");
    // A zero is a lone 0 in the middle of its field; a missing value fills it with
    // underscores.
    EXPECT_EQ(line.substr(47, 10), "      0   ");
    EXPECT_EQ(line.substr(57, 10), "   _______");
    EXPECT_EQ(line.size(), 47u + 10 + 10 + 9 + 9 + 9 + 7 + 9 + 9 + 10 + 10 + 9 + 9 + 9 + 11 + 10);
}

}  // namespace
}  // namespace kavo::zeroload
