// Adding the soundings of the soundings folder to the project's soundings database: the rows
// written, what is left to the engineer, and nothing written when a new file is bad.
#include "run/add_soundings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "projects/soundings_database.h"
#include "support/data_error.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::run {
namespace {

const std::string kHeader =
    "{SOUNDING_NAME} Name,{PROBE_AND_SERIAL_NUM},{DATE_VASKIFORMAT},"
    "{CPT_AGENCY_PERFORMING_SOUNDING},{LAT_BEST_DEGF},{LATLOG_SOURCE},{STATE_EAST},{STATE_NORTH},"
    "{WATERTABLE_DEPTH_FEET},{UWT_METHOD},{UWT_ABOVE_WT_PCF},{UWT_BELOW_WT_PCF}";
const std::string kListedRow = "GD-01,HT-15T-0412,,,1,,1,1,4,WT,115,125";

class AddSoundings : public ::testing::Test {
  protected:
    void SetUp() override {
        program.reporter.OpenTrace(std::make_unique<std::ostringstream>());
        program.dataArea = files::DataArea{dir.text(), "ExampleOne"};
        dir.Write(kDatabase, kHeader + "\r\n" + kListedRow + "\r\n");
        dir.Write(kSoundings + "GD-01.CPT", "listed already, so never read");
        dir.Write(kSoundings + "GD-01_Q1o.txt", "an output table");
        Sample("cpt-pygef.gef", "MG-01.gef");
        Sample("N6016_BH_WFS1-5_AGS4_150909.ags", "Borssele.ags");
        dir.Write(kSoundings + "P-1.csv", "depth [m],qc [MPa],fs [kPa]\r\n0.5,1.2,20\r\n");
    }
    void Sample(const std::string& sample, const std::string& name) {
        dir.Write(kSoundings + name,
                  testing::ReadFile(testing::TestDataPath("data/fielddata/" + sample)));
    }
    std::string Database() const { return testing::ReadFile(dir.path() / kDatabase); }

    const std::string kDatabase = "Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv";
    const std::string kSoundings = "Projects/ExampleOne/Soundings/";
    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FixedClock clock;
    platform::MapEnvironment environment;
    Program program{window, clock, environment, platform::ProgramInfo{}};
};

TEST_F(AddSoundings, AppendsARowPerNewFileWithWhatTheFileGives) {
    const AddedSoundings result = AddSoundingsAction(program);
    EXPECT_EQ(result.added, (std::vector<std::string>{"MG-01 (MG-01.gef)", "P-1 (P-1.csv)",
                                                      "BH-WFS1-5 (Borssele.ags)"}));
    EXPECT_EQ(result.toFillIn, (std::vector<std::string>{"WATERTABLE_DEPTH_FEET", "UWT_METHOD",
                                                         "UWT_ABOVE_WT_PCF", "UWT_BELOW_WT_PCF"}));
    EXPECT_TRUE(result.columnsToAdd.empty());
    EXPECT_EQ(result.noColumnFor, std::vector<std::string>{"GROUND_ELEVATION_FEET"});
    // A precise column may not be empty, so a latitude the file does not give is -5435.
    EXPECT_EQ(Database(), kHeader + "\r\n" + kListedRow + "\r\n" +
                              "MG-01,S10-CFIIP.1721,190129-10:43,\"Mos Grondmechanica B.V\",-5435,"
                              "\"grid 31000 in MG-01.gef\",79578.38,424838.97,,,,\r\n"
                              "P-1,,,,-5435,,-5435,-5435,,,,\r\n"
                              "BH-WFS1-5,\"CP10-CF50PB10SN2 1706-1973\",150413-00:00,FEBV,-5435,"
                              "\"grid in Borssele.ags\",505921.81,5730104.52,,,,\r\n");

    // The rows read back as the batch run reads them.
    reporting::TracedInput input;
    projects::SoundingsHeader header;
    projects::SoundingRecord record;
    projects::OpenSoundingsDatabase(program.reporter, program.dataArea, input, header, record);
    projects::ReadSoundingsHeader(program.reporter, input, header);
    std::vector<std::string> names;
    while (projects::ReadSoundingRow(program.reporter, input, header, record)) {
        names.push_back(record.soundingName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"GD-01", "MG-01", "P-1", "BH-WFS1-5"}));
    EXPECT_EQ(record.cptAgencyPerformingSounding, "FEBV");
    EXPECT_EQ(record.uwtMethod, "");
    EXPECT_EQ(record.watertableDepthFeet, tools::kNull);

    // Everything is listed now: a second call adds nothing.
    const AddedSoundings again = AddSoundingsAction(program);
    EXPECT_TRUE(again.added.empty());
    EXPECT_EQ(AddedSoundingsReport(again).front().find("no row added"),
              AddedSoundingsReport(again).front().size() - 13);
}

TEST_F(AddSoundings, ABadNewFileStopsBeforeTheDatabaseIsWritten) {
    dir.Write(kSoundings + "P-2.csv", "depth [m],qc [MPa],fs [kPa]\r\n0.5,x,20\r\n");
    const std::string before = Database();
    EXPECT_EQ(testing::DataErrorOf([&] { AddSoundingsAction(program); }).code(), "CSV105");
    EXPECT_EQ(Database(), before);
}

TEST_F(AddSoundings, TheReportNamesTheRowsAndWhatIsLeftToFillIn) {
    dir.Write(kDatabase, "{SOUNDING_NAME},{UWT_METHOD}\r\n");
    std::filesystem::remove(dir.path() / kSoundings / "GD-01.CPT");
    const std::vector<std::string> report = AddedSoundingsReport(AddSoundingsAction(program));
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report[0].rfind("Added 3 rows to " + dir.text(), 0), 0u) << report[0];
    EXPECT_EQ(report[1], "  MG-01 (MG-01.gef)");
    EXPECT_EQ(report[4].rfind("Left for you to fill in on each new row: UWT_METHOD (", 0), 0u);
    EXPECT_EQ(report[5],
              "A run needs the columns WATERTABLE_DEPTH_FEET, UWT_ABOVE_WT_PCF, UWT_BELOW_WT_PCF, "
              "which the database header lacks: add them and fill them in.");
    EXPECT_EQ(report[6].rfind("The files also give CPT_AGENCY_PERFORMING_SOUNDING, ", 0), 0u);
}

}  // namespace
}  // namespace kavo::run
