// The soundings database: its column table, its header row and its sounding rows.
#include "projects/soundings_database.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "support/data_area_fixture.h"
#include "support/data_error.h"
#include "support/temp_dir.h"

namespace kavo::projects {
namespace {

using testing::CodeAndDescriptionOf;
using namespace std::string_literals;

class SoundingsDatabase : public testing::DataAreaFixture {
  protected:
    SoundingsDatabase() : DataAreaFixture("P1") {}

    reporting::TracedInput file;
    SoundingsHeader header;
    SoundingRecord record;

    // Opens a database of the given content and reads its header.
    void Open(const std::string& content) {
        dir.Write("Projects/P1/Kavo_SoundingS---p1.csv", content);
        OpenSoundingsDatabase(reporter, area, file, header, record);
        ReadSoundingsHeader(reporter, file, header);
    }
    bool NextRow() { return ReadSoundingRow(reporter, file, header, record); }
};

TEST(SoundingColumns, NumbersAndIdsAreUniqueAndEveryValueColumnHasAField) {
    std::set<int> numbers;
    std::set<std::string_view> ids;
    for (const SoundingColumn& column : SoundingColumns()) {
        EXPECT_TRUE(numbers.insert(column.number).second) << column.number;
        EXPECT_GE(column.number, 1);
        EXPECT_LE(column.number, kMaxColumnNumber);
        const bool placeholder = column.number == 78 || column.number == 79;
        EXPECT_EQ(column.id.empty(), placeholder) << column.number;
        EXPECT_EQ(std::holds_alternative<std::monostate>(column.field), placeholder);
        if (!column.id.empty()) {
            EXPECT_TRUE(ids.insert(column.id).second) << column.id;
        }
        const bool text = std::holds_alternative<std::string SoundingRecord::*>(column.field);
        EXPECT_EQ(column.errorCode.empty(), text || placeholder) << column.id;
    }
    EXPECT_EQ(numbers.size(), 63u);
}

TEST(SoundingColumns, EachValueColumnFillsAFieldOfItsOwnByNumberOrId) {
    std::vector<SoundingRecord> filled;
    for (const SoundingColumn& column : SoundingColumns()) {
        if (column.id.empty()) {
            continue;
        }
        SoundingRecord byNumber;
        AssignSoundingColumn(byNumber, std::to_string(column.number), "7");
        SoundingRecord byId;
        std::string lowerId(column.id);
        for (char& c : lowerId) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        AssignSoundingColumn(byId, lowerId, "7");
        EXPECT_EQ(byNumber, byId) << column.number;
        EXPECT_NE(byNumber, SoundingRecord{}) << column.number;
        for (const SoundingRecord& other : filled) {
            EXPECT_NE(byNumber, other) << column.number << " shares a field";
        }
        filled.push_back(byNumber);
    }
    EXPECT_EQ(filled.size(), 61u);
}

TEST(AssignSoundingColumn, StoresByKind) {
    SoundingRecord record;
    AssignSoundingColumn(record, " sounding_name ", "B-1");
    AssignSoundingColumn(record, "140", "12.5");
    AssignSoundingColumn(record, "ZERO_QC_SHIFT_PRETEST_ATCLEAN_TO_POSTTEST_ATDIRTY_ATM", "0.25");
    AssignSoundingColumn(record, "LAT_BEST_DEGF", "38.5449");
    AssignSoundingColumn(record, "aqi_cptzeroshift_%", "3");
    AssignSoundingColumn(record, "UWT_METHOD", "");
    AssignSoundingColumn(record, "GROUND_ELEVATION_FEET", "  ");
    EXPECT_EQ(record.soundingName, "B-1");
    EXPECT_EQ(record.watertableDepthFeet, 12.5f);
    EXPECT_EQ(record.zeroQcShiftCleanToDirtyAtm, 0.25f);
    EXPECT_EQ(record.latBestDegf, static_cast<double>(38.5449f));  // through single precision
    EXPECT_EQ(record.aqiCptZeroShiftPercent, 3.0f);
    EXPECT_EQ(record.uwtMethod, "");
    EXPECT_EQ(record.groundElevationFeet, -5435.0f);

    // Placeholders, numbers without a column and the empty ID store nothing.
    const SoundingRecord before = record;
    for (const char* id : {"78", "79", "7", "400", "", "  "}) {
        AssignSoundingColumn(record, id, "anything");
    }
    EXPECT_EQ(record, before);
}

TEST(AssignSoundingColumn, ValuesThatAreNotNumbersEndWithTheColumnsCode) {
    struct Case {
        std::string id, value, code, description;
    };
    const Case cases[] = {
        {"STATION_FEET", "abc", "STF111", "Station (feet) IS NOT =abc"},
        {"140", "12,5", "SSFR222", "Water Table depth during field work  (feet) IS NOT =12,5"},
        {"LAT_BEST_DEGF", "", "LL121", "Lat (Deg fraction) IS NOT ="},
        {"105", "west", "LL199", "Long (Deg fraction) IS NOT =west"},
        {"121", "n/a", "SSFR224", "STATE Plane North IS NOT =n/a"},
        {"2", "x", "SED231", "Cone Anet IS NOT =x"},
        {"UWT_BELOW_WT_PCF", "heavy", "UWB111", "Total Unit Weight Below TW (PCF) IS NOT =heavy"},
        {"289", "6mo", "NF334", "Recent fill - age at time of sounding (months) IS NOT =6mo"},
        // Every other column that holds a number, by ID and by number in turn.
        {"ZERO_QC_SHIFT_PRETEST_atClean_TO_POSTTEST_atDirty_aTM", "n/a0", "SWQ123",
         "Qc Zero Shift PreTestClean to PostTestDirty (atm) IS NOT =n/a0"},
        {"72", "n/a1", "SWQ999", "fs Zero Shift PreTestClean to PostTestDirty (atm) IS NOT =n/a1"},
        {"ZERO_QC_SHIFT_FROM_PREVIOUS_SOUNDING_PRETEST_TO_THIS_PRETEST_atClean_ATM", "n/a2",
         "SWQ175", "Qc Shift from previous test clean to this test clean (atm) IS NOT =n/a2"},
        {"74", "n/a3", "SWQ766",
         "fs Shift from previous test clean to this test clean (atm) IS NOT =n/a3"},
        {"MEASURED_LOWEST_QC", "n/a4", "MLQ111",
         "Measured lowest Qc in this sounding IS NOT =n/a4"},
        {"77", "n/a5", "MLF111", "Measured lowest fs in this sounding IS NOT =n/a5"},
        {"AQI_CPTZEROshift_%", "n/a6", "SAA990",
         "AQI for CPT based on zero shift (%) IS NOT =n/a6"},
        {"91", "n/a7", "SAA993", "AQI during CPT Evaluation Effort IS NOT =n/a7"},
        {"AQI_CPT_FIELD_TESTING_EFFORT", "n/a8", "ASS233",
         "AQI for CPT Field Observations IS NOT =n/a8"},
        {"93", "n/a9", "ASS419",
         "AQI in terms of nearby soil slope or building influence IS NOT =n/a9"},
        {"AQI_BORING", "n/a10", "ASS409", "AQI for nearby Borings IS NOT =n/a10"},
        {"107", "n/a11", "SSE034", "GPS Horz Dilation IS NOT =n/a11"},
        {"WATERTABLE_ELEVATION_FEET", "n/a12", "WT334",
         "Water Table Elevation (feet) IS NOT =n/a12"},
        {"160", "n/a13", "GE232", "Elevation of Ground (feet) IS NOT =n/a13"},
        {"HOLE_BOTTOM_ELEVATION_FEET", "n/a14", "HBE201",
         "Hole Bottom Elevation (feet) IS NOT =n/a14"},
        {"162", "n/a15", "DAO345",
         "Depth add-on (feet) i.e. starting at botttom of hole IS NOT =n/a15"},
        {"OVERWATER_WATER_ELEVATION_FEET", "n/a16", "OWE111",
         "Over water elevation of water (feet) IS NOT =n/a16"},
        {"174", "n/a17", "OWH111", "Over water depth of water  (feet) IS NOT =n/a17"},
        {"UWT_ABOVE_WT_PCF", "n/a18", "UWA111", "Total Unit Weight ABOVE TW (PCF) IS NOT =n/a18"},
        {"241", "n/a19", "SOF111", "Station offset (feet) IS NOT =n/a19"},
        {"NEARBY_MAJOR_INFLUENCES_DISTANCE_FEET", "n/a20", "NM443",
         "Distance (feet) to Nearby Major Stress Influencing item IS NOT =n/a20"},
        {"287", "n/a21", "NF112", "Recent fill - thickness (feet) IS NOT =n/a21"},
        {"NOT_A_COLUMN", "1", "CCN824", "searching soundingSfile list, Can't find ID=NOT_A_COLUMN"},
        {" {140} ", "1", "CCN824", "searching soundingSfile list, Can't find ID= {140} "},
    };
    for (const Case& c : cases) {
        SoundingRecord record;
        EXPECT_EQ(CodeAndDescriptionOf([&] { AssignSoundingColumn(record, c.id, c.value); }),
                  std::make_pair(c.code, c.description));
    }
}

TEST_F(SoundingsDatabase, BlankSeparatedRowUnderNumberedHeader) {
    Open("{1},{140}\nB-1 12.5\n");
    EXPECT_EQ(header.count, 2);
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(record.soundingName, "B-1");
    EXPECT_EQ(record.watertableDepthFeet, 12.5f);
    EXPECT_FALSE(NextRow());
}

TEST_F(SoundingsDatabase, HeaderNamesColumnsByIdOrNumberAndEndsAtACellWithoutBrace) {
    Open(
        "{SOUNDING_NAME} Name,{140},{uwt_method},{7} unused,plain,{141}\n"
        "S-1,8,WT,ignored\nS-2,9,KAVO,x,y\nS-3,9,KAVO,x,y,5\n");
    EXPECT_EQ(header.cells,
              (std::vector<std::string>{"SOUNDING_NAME", "140", "UWT_METHOD", "7", "", "{141}"}));
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(record.uwtMethod, "WT");
    ASSERT_TRUE(NextRow());  // a field under the cell that ended the list is ignored
    EXPECT_EQ(record.soundingName, "S-2");
    // A field under a cell after the end of the list is looked up by the cell as read.
    EXPECT_EQ(CodeAndDescriptionOf([&] { NextRow(); }).first, "CCN824");
}

TEST_F(SoundingsDatabase, HeaderCellWithAnOpenBraceOnlyIsRefused) {
    EXPECT_EQ(CodeAndDescriptionOf([&] { Open("{SOUNDING_NAME},{140 feet\nS-1,8\n"); }),
              std::make_pair(std::string("DX834"),
                             std::string("Reading SouningS file, header column 2 has a `{` "
                                         "without its `}`: {140 feet")));
}

TEST_F(SoundingsDatabase, UnknownIdFailsAtTheFirstRowWithAFieldThere) {
    Open("{1},{NOT_A_COLUMN}\nS-1\nS-2 value\n");
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(
        CodeAndDescriptionOf([&] { NextRow(); }),
        std::make_pair("CCN824"s, "searching soundingSfile list, Can't find ID=NOT_A_COLUMN"s));
}

TEST_F(SoundingsDatabase, EachRowStartsFromTheNullMarker) {
    Open("{1},{140},{UWT_METHOD}\nS-1,8,WT\nS-2\n");
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(record.watertableDepthFeet, 8.0f);
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(record.soundingName, "S-2");
    EXPECT_EQ(record.watertableDepthFeet, -5435.0f);
    EXPECT_EQ(record.uwtMethod, "-5435");
}

TEST_F(SoundingsDatabase, RowsBeyondTheFieldLimitOrBlankAreDataErrors) {
    std::string row = "S-1";
    for (int i = 2; i <= 90; ++i) {
        row += " " + std::to_string(i);
    }
    Open("{1},{140}\n" + row + "\n\nS-2\n");
    EXPECT_EQ(CodeAndDescriptionOf([&] { NextRow(); }),
              std::make_pair("RL189"s,
                             "Reading SouningS file, a sounding row has 90 fields, at most 89 are "
                             "allowed"s));
    EXPECT_EQ(CodeAndDescriptionOf([&] { NextRow(); }).first, "RL124");
}

TEST_F(SoundingsDatabase, ExactlyOneDatabaseMustBeThere) {
    const std::string purpose = "Reading SouningS file";
    EXPECT_EQ(
        CodeAndDescriptionOf([&] { OpenSoundingsDatabase(reporter, area, file, header, record); }),
        std::make_pair("DX392"s, purpose + ", needs a SoundingS---*.csv file "));
    // Folder and file names are found whatever their case.
    std::filesystem::create_directories(dir.path() / "projects" / "p1");
    area.projectName = "P1";
    dir.Write("projects/p1/KAVO_SOUNDINGS---x.CSV", "{1}\nS-1\n");
    OpenSoundingsDatabase(reporter, area, file, header, record);
    EXPECT_EQ(window.panel().statusCode, "So443");
    file.Close();
    dir.Write("projects/p1/Kavo_SoundingS---y.csv", "{1}\nS-1\n");
    EXPECT_EQ(
        CodeAndDescriptionOf([&] { OpenSoundingsDatabase(reporter, area, file, header, record); }),
        std::make_pair("DX322"s, purpose + ", only one SoundingS---*.csv file allowed"));
}

TEST_F(SoundingsDatabase, OpeningResetsTheRecordAndTheHeader) {
    record.soundingName = "old";
    header.cells = {"1"};
    Open("{1}\n");
    EXPECT_EQ(record, SoundingRecord{});
    EXPECT_EQ(header.cells, std::vector<std::string>{"1"});
    EXPECT_FALSE(NextRow());
}

// The rows are counted, and a run's database checked, before the first sounding.
TEST_F(SoundingsDatabase, RowsAreCountedAndCheckedBeforeTheSoundings) {
    struct Case {
        std::string content;
        std::string code;  // "" when the count is right
        int rows;
        std::string described;  // a part of the description
    };
    const std::vector<Case> cases = {
        {"{1},{140}\r\nKV-01 5\r\nKV-02 6\r\n", "", 2, ""},
        {"{140},{SOUNDING_NAME}\nx1 KV-01\nx2 KV-02\nx3 KV-03", "", 3, ""},
        // A blank line is a row too: the row reader refuses it in its place.
        {"{1}\nKV-01\n\nKV-02\n", "", 3, ""},
        {"", "DX838", 0, "the soundings database is empty: "},
        {"{1},{140}\r\n", "DX838", 0, "no sounding rows after the header row of "},
        {"{1},{14", "DX834", 0, "has a `{` without its `}`"},
        {"{140},{180}\n5 KAVO\n", "DX837", 0, "names no {SOUNDING_NAME} column"},
        {"KV-01 5\nKV-02 6\n", "DX837", 0, "was the header cut off?"},
        {"{1},{140}\nKV-01 5\nKV-02 6\nkv-01 7\n", "DX839", 0,
         "sounding kv-01 is listed twice: lines 2 and 4 of "},
        {"{140},{1}\n5 A\n6 B\n7 B\n", "DX839", 0, "sounding B is listed twice: lines 3 and 4"},
    };
    for (const Case& c : cases) {
        file.Close();
        int rows = -1;
        const auto [code, description] = CodeAndDescriptionOf([&] {
            Open(c.content);
            rows = CountSoundingRows(file.path(), header);
        });
        SCOPED_TRACE(c.content);
        EXPECT_EQ(code, c.code.empty() ? "no error" : c.code) << description;
        if (c.code.empty()) {
            EXPECT_EQ(rows, c.rows);
        } else {
            EXPECT_NE(description.find(c.described), std::string::npos) << description;
        }
    }
}

TEST_F(SoundingsDatabase, CountingLeavesTheRowsToTheRowReader) {
    Open("{1},{140}\nKV-01 5\nKV-02 6\n");
    EXPECT_EQ(CountSoundingRows(file.path(), header), 2);
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(record.soundingName, "KV-01");
    ASSERT_TRUE(NextRow());
    EXPECT_EQ(record.soundingName, "KV-02");
    EXPECT_FALSE(NextRow());
}

}  // namespace
}  // namespace kavo::projects
