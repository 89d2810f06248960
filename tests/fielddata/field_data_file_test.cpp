// Whole field data files read from a project's soundings folder: the hand-made files of
// tests/data/fielddata (see its README for the hand-checked values) and variants of them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "fielddata/field_data_file.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::fielddata {
namespace {

std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

class FieldDataFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto sink = std::make_unique<std::ostringstream>();
        trace = sink.get();
        reporter.OpenTrace(std::move(sink));
        area.root = dir.text();
    }

    // Puts a file into the project's soundings folder as <name>.CPT.
    void Place(const std::string& name, const std::string& bytes) {
        dir.Write("Projects/ExampleOne/Soundings/" + name + ".CPT", bytes);
    }
    std::vector<std::string> Fixture(const std::string& name) {
        return LinesOf(testing::ReadFile(testing::TestDataPath("data/fielddata/" + name)));
    }
    void Read(const std::string& name) {
        ReadFieldDataFile(reporter, area, name, header, readings);
    }
    tools::DataError ErrorReading(const std::string& name) {
        try {
            Read(name);
        } catch (const tools::DataError& error) {
            return error;
        }
        ADD_FAILURE() << "no data error reading " << name;
        return tools::DataError("", "");
    }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    std::ostringstream* trace = nullptr;
    files::DataArea area;
    FieldHeader header;
    SoundingReadings readings;
};

TEST_F(FieldDataFileTest, NormalFileFillsHeaderReadingsAndZerosAfter) {
    Place("T-01", Joined(Fixture("normal.CPT")));
    Read("T-01");

    EXPECT_EQ(header.soundingName, "T-01");
    EXPECT_EQ(header.firm, "Terracon Company");
    EXPECT_EQ(header.operatorName, "J. SMITH");
    EXPECT_EQ(header.probeId, "HT-15T-0412");
    EXPECT_EQ(header.soundingNameInFile, "T-01");
    EXPECT_EQ(header.dateText, "7/10/2017 3:05:09 PM");
    EXPECT_EQ(header.fieldDate, "20170710~150509-local");
    EXPECT_EQ(header.row10Text, "");
    EXPECT_NEAR(header.latitude, 37.387458, 5e-7);
    EXPECT_NEAR(header.longitude, -121.97236, 5e-7);
    EXPECT_FLOAT_EQ(header.horizontalDilution, 2.6f);

    EXPECT_EQ(header.columns.tip, 1);
    EXPECT_EQ(header.columns.yInclination, 5);
    EXPECT_EQ(header.columns.conductivity, kAbsentColumn);
    EXPECT_FLOAT_EQ(*header.tip.scale, 0.1f);
    EXPECT_FLOAT_EQ(*header.u2.scale, 1.0f);
    EXPECT_EQ(header.u2.units, "PSI");
    EXPECT_FLOAT_EQ(*header.yInclination.scale, 0.2f);
    EXPECT_EQ(header.yInclination.zeroBefore, 12.0f);

    EXPECT_EQ(header.endStatus, "NORMAL");
    ASSERT_EQ(header.readingCount, 4);
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_NEAR(readings.depth[0], 5.0000, 5e-5);
    EXPECT_NEAR(readings.qc[0], 0.9918, 1e-6);
    EXPECT_NEAR(readings.fs[0], 0.09918, 1e-7);
    EXPECT_NEAR(readings.u2[0], 0.7104, 1e-5);
    EXPECT_FLOAT_EQ(readings.xInclination[0], 1.0f);
    EXPECT_FLOAT_EQ(readings.yInclination[0], 0.0f);
    EXPECT_NEAR(readings.qc[1], 1.9836, 1e-6);
    EXPECT_EQ(readings.fs[2], tools::kNull);
    EXPECT_EQ(readings.depth[3], tools::kNull);
    EXPECT_EQ(readings.frictionRatio[3], tools::kNull);

    EXPECT_EQ(header.tip.zeroAfter, 104.0f);
    EXPECT_EQ(header.friction.zeroAfter, 197.0f);
    EXPECT_EQ(header.u2.zeroAfter, 55.0f);
    EXPECT_EQ(header.xInclination.zeroAfter, 11.0f);
    EXPECT_EQ(header.yInclination.zeroAfter, 13.0f);

    // Every line passed through the trace, and the file was closed.
    EXPECT_NE(trace->str().find("\"Hog row17 tip..fr..\",\"T-01.CPT\""), std::string::npos);
    EXPECT_NE(trace->str().find("\"Hog depth data\",\"T-01.CPT\""), std::string::npos);
    EXPECT_EQ(numbers.Allocate(), 1);
}

TEST_F(FieldDataFileTest, ARawCountOf5435IsKept) {
    std::vector<std::string> lines = Fixture("normal.CPT");
    std::string& firstRow = lines[kHeaderRowCount];
    firstRow.replace(firstRow.find("1050"), 4, "5435");
    Place("T-01", Joined(lines));
    Read("T-01");
    // 0.068046 atm/psi × (5435 − 50) × 0.01044 × 1
    EXPECT_NEAR(readings.u2[0], 3.825505, 1e-5);
    EXPECT_NEAR(readings.u2[1], 0.068046 * 1500 * 0.01044, 1e-5);
}

TEST_F(FieldDataFileTest, FugroFileKeepsZerosAndDropsItsLastRow) {
    Place("T-02", Joined(Fixture("fugro.CPT")));
    Read("T-02");
    EXPECT_EQ(header.firm, "ABC DRILLING");
    EXPECT_EQ(header.fieldDate, "20170710~000000");
    EXPECT_EQ(header.gpsText, "");
    EXPECT_EQ(header.latitude, tools::kNull);
    EXPECT_EQ(header.horizontalDilution, tools::kNull);
    EXPECT_EQ(header.columns.xInclination, kAbsentColumn);
    EXPECT_EQ(header.xInclination.scale, std::nullopt);
    EXPECT_EQ(header.endStatus, "FUGRO");
    EXPECT_EQ(header.readingCount, 2);
    EXPECT_NEAR(readings.depth[1], 1.574 * 3.2808399, 1e-4);
    EXPECT_EQ(header.tip.zeroAfter, 100.0f);
    EXPECT_EQ(header.friction.zeroAfter, 200.0f);
    EXPECT_EQ(header.u2.zeroAfter, 50.0f);
    EXPECT_EQ(header.xInclination.zeroAfter, std::nullopt);
    EXPECT_EQ(window.panel().statusCode, "HOG987");
}

TEST_F(FieldDataFileTest, AFileWithoutDepthRowsHasNoReadings) {
    std::vector<std::string> lines = Fixture("fugro.CPT");
    lines.resize(kHeaderRowCount);
    Place("T-03", Joined(lines));
    Read("T-03");
    EXPECT_EQ(header.readingCount, 0);
    EXPECT_EQ(header.endStatus, "FUGRO");
}

TEST_F(FieldDataFileTest, ReadingANewSoundingStartsFromFreshState) {
    Place("T-01", Joined(Fixture("normal.CPT")));
    Place("T-02", Joined(Fixture("fugro.CPT")));
    Read("T-01");
    Read("T-02");
    EXPECT_EQ(readings.size(), 2u);
    EXPECT_EQ(header.latitude, tools::kNull);
    EXPECT_EQ(header.yInclination.zeroBefore, std::nullopt);
}

TEST_F(FieldDataFileTest, AMissingFileIsAnErrorOfItsSounding) {
    const tools::DataError error = ErrorReading("T-09");
    EXPECT_EQ(error.code(), "HF404");
    EXPECT_EQ(error.description().rfind("sounding T-09: the field data file ", 0), 0u);
    EXPECT_NE(error.description().find("T-09.CPT does not exist"), std::string::npos);
}

// Only a path that names nothing "does not exist"; anything else in the file's place says what
// it is, and a pipe is never opened (reading it would wait for ever).
TEST_F(FieldDataFileTest, SomethingElseInTheFilesPlaceSaysWhatItIs) {
    const std::filesystem::path soundings = dir.path() / "Projects" / "ExampleOne" / "Soundings";
    std::filesystem::create_directories(soundings / "T-10.CPT");
    ASSERT_EQ(mkfifo((soundings / "T-11.CPT").c_str(), 0600), 0);
    std::filesystem::create_symlink(soundings / "gone.CPT", soundings / "T-12.CPT");
    const struct {
        std::string name, reason;
    } cases[] = {
        {"T-10", "it is a folder"},
        {"T-11", "it is not an ordinary file (a pipe, device or socket)"},
        {"T-12", "it is a link to " + (soundings / "gone.CPT").string() + ", which does not exist"},
    };
    for (const auto& c : cases) {
        const tools::DataError error = ErrorReading(c.name);
        EXPECT_EQ(error.code(), "HF405") << c.name;
        const std::string ending = c.name + ".CPT cannot be opened for reading: " + c.reason;
        EXPECT_EQ(error.description().substr(error.description().size() -
                                             std::min(ending.size(), error.description().size())),
                  ending);
    }
}

TEST_F(FieldDataFileTest, FileEndsAfterAMarkerRow) {
    Place("T-04", Joined(Fixture("marker_eof.CPT")));
    const tools::DataError error = ErrorReading("T-04");
    EXPECT_EQ(error.code(), "HG8234");
    EXPECT_EQ(error.description().rfind("T-04, line =", 0), 0u);
}

// Each case replaces one line (numbered from 1) of the normal file.
TEST_F(FieldDataFileTest, BadHeaderRowsAreErrorsNamingFileAndLine) {
    const std::string cells17 =
        "Depth (m)          Tip                 Friction            Pressure";
    const struct {
        int line;
        std::string text, code, description;
    } cases[] = {
        {1, "CPT DATA FILE", "H4334", "does not have HOGENTOGLER in line one"},
        {8, "JUL-10-2017", "HDT811",
         "T-01.CPT line 8: the month name in the date «JUL-10-2017» comes too early to leave "
         "two characters and a separator for the day before it"},
        {12, "$GPGGA,123519,4807.038,N,01131.000,E,1,08", "GPS345",
         "T-01.CPT line 12: the GGA sentence «$GPGGA,123519,4807.038,N,01131.000,E,1,08» has 7 "
         "commas; a GGA sentence has at least nine"},
        {12, "no fix today", "GPS323", "GPS GAA convertion -- bad or no info"},
        {17, cells17, "HRC728", "device not found of PRESSURE"},
        {18, "Divisions          5000                0                   1000", "HRC742",
         "T-01.CPT line 18-20: the divisions «0» of channel column 2 give no scale (not a "
         "positive number)"},
        {20, "Full scale         500 TSF             10 TSF", "HRS735",
         "T-01.CPT line 18-20: row 20 (full-scale values) ends at character 45, before "
         "channel column 3 (characters 60 to 79)"},
        {20,
         "Full scale         500 TSF             TSF 10              1000 PSI            20 DEG"
         "              20 DEG",
         "HRC741",
         "T-01.CPT line 18-20: the full-scale value «TSF 10» of channel column 2 does not "
         "start with a number"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines = Fixture("normal.CPT");
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        Place("T-01", Joined(lines));
        const tools::DataError error = ErrorReading("T-01");
        EXPECT_EQ(error.code(), c.code) << "line " << c.line;
        EXPECT_EQ(error.description(), c.description);
    }
}

// Header rows are read by position: a row left out or repeated shifts every row after it.
TEST_F(FieldDataFileTest, HeaderRowsMustCarryTheirLabels) {
    const struct {
        std::string change;
        std::string description;
    } cases[] = {
        {"repeat row 18",
         "T-01.CPT line 19: header row 19 should be labelled «Zero» in characters 1 to 19, but "
         "they read «Divisions»; a header row may be missing or repeated"},
        {"drop row 22",
         "T-01.CPT line 22: header row 22 should leave characters 1 to 19 blank, but they read "
         "«Depth(m)   Speed»; a header row may be missing or repeated"},
        {"drop row 17",
         "T-01.CPT line 17: header row 17 should be labelled «Depth (m)» in characters 1 to 19, "
         "but they read «Divisions»; a header row may be missing or repeated"},
        {"blank row 20",
         "T-01.CPT line 20: header row 20 should be labelled «Full scale» in characters 1 to 19, "
         "but they are blank; a header row may be missing or repeated"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines = Fixture("normal.CPT");
        if (c.change == "repeat row 18") {
            lines.insert(lines.begin() + 18, lines[17]);
        } else if (c.change == "drop row 22") {
            lines.erase(lines.begin() + 21);
        } else if (c.change == "drop row 17") {
            lines.erase(lines.begin() + 16);
        } else {
            lines[19] = std::string(19, ' ') + lines[19].substr(19);
        }
        Place("T-01", Joined(lines));
        const tools::DataError error = ErrorReading("T-01");
        EXPECT_EQ(error.code(), "HRL730") << c.change;
        EXPECT_EQ(error.description(), c.description);
    }
}

TEST_F(FieldDataFileTest, LabelsAreComparedWithoutCaseAndBlanks) {
    std::vector<std::string> lines = Fixture("normal.CPT");
    lines[16].replace(0, 19, "DEPTH(M)           ");
    lines[19].replace(0, 19, "  full  SCALE      ");
    lines[22] = "depth (m) speed (cm/s)";
    Place("T-01", Joined(lines));
    Read("T-01");
    EXPECT_EQ(header.readingCount, 4);
}

TEST_F(FieldDataFileTest, EndingsThatMayHideACutAreLoggedAsIssues) {
    auto sink = std::make_unique<std::ostringstream>();
    const std::ostringstream* log = sink.get();
    reporter.OpenTasksLog(std::move(sink), "K", "1.0", "1/1/2026", "9:00");

    // The closing zero row without its line end: the file may end mid-row.
    std::string bytes = Joined(Fixture("normal.CPT"));
    bytes.resize(bytes.size() - 2);
    Place("T-01", bytes);
    Read("T-01");
    EXPECT_EQ(header.endStatus, "NORMAL");
    EXPECT_NE(log->str().find("T-01.CPT line 28: the file ends in the middle of this row (no "
                              "line end after it); the file may have been cut short"),
              std::string::npos)
        << log->str();
    EXPECT_EQ(reporter.issueCount(), 1);

    // A file without end markers ends as a file cut short before them would.
    Place("T-02", Joined(Fixture("fugro.CPT")));
    Read("T-02");
    EXPECT_NE(log->str().find("T-02.CPT line 26: the depth data end without end-marker rows "
                              "(friction -32768); this last row ends the data and is not a "
                              "reading"),
              std::string::npos)
        << log->str();
    EXPECT_EQ(reporter.issueCount(), 2);

    // A complete file ending with markers says nothing.
    Place("T-03", Joined(Fixture("normal.CPT")));
    Read("T-03");
    EXPECT_EQ(reporter.issueCount(), 2);
}

TEST_F(FieldDataFileTest, AFileEndingWithinTheHeaderIsAnError) {
    std::vector<std::string> lines = Fixture("normal.CPT");
    lines.resize(20);
    Place("T-05", Joined(lines));
    const tools::DataError error = ErrorReading("T-05");
    EXPECT_EQ(error.code(), "HF407");
    EXPECT_EQ(error.description(), "T-05.CPT ends after line 20, within the 23 header rows");
}

TEST_F(FieldDataFileTest, MoreThanEightThousandReadingsIsAnErrorNotATruncation) {
    std::vector<std::string> lines = Fixture("fugro.CPT");
    lines.resize(kHeaderRowCount);
    const std::string cells = std::string(16, ' ') + "1100" + std::string(16, ' ') + "1200" +
                              std::string(16, ' ') + "1050";
    for (int i = 0; i < 8001; ++i) {
        lines.push_back("   1.000           " + cells);
    }
    Place("T-06", Joined(lines));
    // 8001 rows give 8000 readings: the last row of a file without markers ends the data.
    Read("T-06");
    EXPECT_EQ(header.readingCount, 8000);

    lines.push_back("   1.000           " + cells);
    Place("T-06", Joined(lines));
    const tools::DataError error = ErrorReading("T-06");
    EXPECT_EQ(error.code(), "HG8240");
    EXPECT_EQ(error.description(),
              "T-06.CPT line 8024: more than 8000 depth readings (end-marker rows not counted); "
              "a sounding holds at most 8000");

    // 8000 readings and the two marker rows and closing zero row that end them.
    lines.resize(kHeaderRowCount + 8000);
    const std::string marker = std::string(16, ' ') + "1100" + std::string(14, ' ') + "-32768" +
                               std::string(16, ' ') + "1050";
    lines.push_back("                   " + marker);
    lines.push_back("                   " + marker);
    lines.push_back("                   " + cells);
    Place("T-06", Joined(lines));
    Read("T-06");
    EXPECT_EQ(header.endStatus, "NORMAL");
    EXPECT_EQ(header.readingCount, 8002);
    EXPECT_EQ(readings.endMarkerRows, 2u);
}

}  // namespace
}  // namespace kavo::fielddata
