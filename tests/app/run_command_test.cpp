// The kavo command's run action, run as a separate program on a copy of the example data area.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/data_area_lock.h"
#include "support/kavo_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kavo::testing::ReadFile;

using kavo::testing::KavoResult;

using RunCommand = kavo::testing::ExampleAreaCommandTest;

TEST_F(RunCommand, RunsTheExampleAndShowsTheSummary) {
    const std::string before = ReadFile(root() / "software" / "Kavo-Setup.txt");
    const KavoResult result = Kavo("run");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\n8 total Soundings\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("[GL130] Starting Kavo Main Routine\n"), std::string::npos);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(root() / "software" / "Kavo-Setup-BACKUP.txt"), before);
    const std::string log =
        ReadFile(root() / "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt");
    EXPECT_NE(log.find("   End of Tasks & Issues: "), std::string::npos) << log;
}

// The names of the files in a folder that match an ending.
std::vector<std::string> FilesEndingIn(const fs::path& folder, const std::string& ending) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(RunCommand, WritesATablePerSoundingAndTheZeroLoadFileAndNothingHalfDone) {
    ASSERT_EQ(Kavo("run").status, 0);
    const fs::path project = root() / "Projects" / "ExampleOne";
    EXPECT_EQ(FilesEndingIn(project / "Soundings", "_Q1o.txt"),
              (std::vector<std::string>{"BH-WFS1-5_Q1o.txt", "KV-01_Q1o.txt", "KV-02_Q1o.txt",
                                        "KV-03_Q1o.txt", "KV-04_Q1o.txt", "KV-05_Q1o.txt",
                                        "KV-06_Q1o.txt", "KV-07_Q1o.txt"}));
    const std::string zeroLoad =
        ReadFile(project / "Kavo---Output---Zero_Load_Data---ExampleOne.txt");
    for (const char* sounding :
         {"KV-01", "KV-02", "KV-03", "KV-04", "KV-05", "KV-06", "KV-07", "BH-WFS1-5"}) {
        EXPECT_NE(zeroLoad.find(sounding), std::string::npos) << sounding;
    }
    EXPECT_TRUE(FilesEndingIn(project / "Soundings", ".kavo-partial").empty());
    EXPECT_TRUE(FilesEndingIn(project, ".kavo-partial").empty());
}

TEST_F(RunCommand, AddedSoundingsRunOnceTheEngineerHasFilledInTheirRows) {
    // The example's database without the rows of its GEF, CSV and AGS4 soundings.
    const fs::path database =
        root() / "Projects" / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv";
    const std::string example = ReadFile(database);
    const std::string listed = example.substr(0, example.find("KV-06,"));
    const auto write = [&database](const std::string& text) {
        std::ofstream(database, std::ios::binary | std::ios::trunc) << text;
    };
    write(listed);

    const KavoResult added = Kavo("add-soundings");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_NE(added.out.find("Added 3 rows to " + database.string() +
                             ":\n  KV-06 (KV-06.GEF)\n  KV-07 (KV-07.csv)\n"
                             "  BH-WFS1-5 (Borssele_WFS1-5.ags)\nLeft for you to fill in"),
              std::string::npos)
        << added.out;
    const std::string written = ReadFile(database);
    EXPECT_EQ(written.substr(0, listed.size()), listed);
    EXPECT_EQ(written.substr(listed.size()),
              "KV-06,S10-CFIIP.1721,,,,,\r\nKV-07,,,,,,\r\n"
              "BH-WFS1-5,\"CP10-CF50PB10SN2 1706-1973\",,,,,\r\n");
    // The unit-weight method is still to be chosen: the run stops at the first new row.
    EXPECT_EQ(Kavo("run").status, 1);

    // The engineer fills in the water table and the unit-weight method of each new row.
    write(listed +
          "KV-06,S10-CFIIP.1721,,3,WT,110,118\r\nKV-07,,,6,KAVO,,\r\n"
          "BH-WFS1-5,\"CP10-CF50PB10SN2 1706-1973\",,0,WT,125,125\r\n");
    const KavoResult run = Kavo("run");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\n8 total Soundings\n"), std::string::npos) << run.out;
}

TEST_F(RunCommand, ChartStatementsAreWrittenWhenAskedFor) {
    ASSERT_EQ(Kavo("--check-before-compiling --write-sld-statements run").status, 0);
    EXPECT_EQ(FilesEndingIn(dir.path() / "Kavo-VB6", ".bas").size(), 8u);
}

TEST_F(RunCommand, ExportChartsWritesOnePlottingFilePerChart) {
    const KavoResult result = Kavo("export-charts");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(FilesEndingIn(root() / "Projects" / "ExampleOne" / "SLD output", ".csv").size(), 8u);
}

TEST_F(RunCommand, DataErrorShowsTheErrorWindowOnStderr) {
    fs::remove(root() / "Projects" / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv");
    const KavoResult result = Kavo("run");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Kavo software  Error Code: DX392\n"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.out.find("total Soundings"), std::string::npos);
}

TEST_F(RunCommand, OptionsTheReleaseConfigurationOverridesAreMisuse) {
    EXPECT_EQ(Kavo("--chart-source file run").status, 2);
    EXPECT_EQ(Kavo("--norm sideways run").status, 2);
    EXPECT_EQ(Kavo("--check-before-compiling --chart-source file --norm linear run").status, 0);
}

TEST_F(RunCommand, InAPipeEachSoundingIsOneLine) {
    const KavoResult result = Kavo("run");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> soundingLines;
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Sounding ", 0) == 0 ||
            line.find("Sounding sequence") != std::string::npos) {
            soundingLines.push_back(line);
        }
    }
    const std::vector<std::string> names = {"KV-01", "KV-02", "KV-03", "KV-04",
                                            "KV-05", "KV-06", "KV-07", "BH-WFS1-5"};
    ASSERT_EQ(soundingLines.size(), names.size()) << result.out;
    for (std::size_t k = 1; k <= names.size(); ++k) {
        EXPECT_EQ(soundingLines[k - 1].rfind(
                      "Sounding " + std::to_string(k) + " of 8: " + names[k - 1] + "   ", 0),
                  0u)
            << soundingLines[k - 1];
    }
    EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
}

TEST_F(RunCommand, KeepGoingListsTheFailedSoundingAndEndsWithStatusOne) {
    fs::remove(root() / "Projects" / "ExampleOne" / "Soundings" / "KV-03.CPT");
    const KavoResult result = Kavo("run --keep-going");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.out.find("\n7 total Soundings\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\nFailed soundings: 1 (no table written; error blocks in the log)\n"
                              "  sounding 3 KV-03: "),
              std::string::npos)
        << result.out;
    EXPECT_EQ(FilesEndingIn(root() / "Projects" / "ExampleOne" / "Soundings", "_Q1o.txt"),
              (std::vector<std::string>{"BH-WFS1-5_Q1o.txt", "KV-01_Q1o.txt", "KV-02_Q1o.txt",
                                        "KV-04_Q1o.txt", "KV-05_Q1o.txt", "KV-06_Q1o.txt",
                                        "KV-07_Q1o.txt"}));
    EXPECT_EQ(result.err, "");
}

// A run, a new project and a first use each take the data area, so none of them can work
// in it while another program runs there.
TEST_F(RunCommand, ASecondRunOnTheSameDataAreaIsRefusedAtOnce) {
    kavo::platform::DataAreaLock firstRun;
    ASSERT_EQ(firstRun.Acquire(root().string()), kavo::platform::DataAreaLock::Result::Locked);
    for (const char* action : {"run", "new-project P2", "first-use"}) {
        const KavoResult result = Kavo(action);
        EXPECT_EQ(result.status, 1) << action;
        EXPECT_NE(result.err.find("Kavo software  Error Code: LK101\n"), std::string::npos)
            << action << ": " << result.err;
        EXPECT_NE(result.err.find("another Kavo program is working in the data area"),
                  std::string::npos)
            << action;
    }
    EXPECT_FALSE(
        fs::exists(root() / "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt"));
    EXPECT_FALSE(fs::exists(root() / "Projects" / "P2"));
    firstRun.Release();
    EXPECT_EQ(Kavo("run").status, 0);
    EXPECT_EQ(Kavo("new-project P2").status, 0);
}

#ifndef KAVO_WITH_QT
// A kavo built without Qt refuses the pictures before the run: nothing is written.
TEST_F(RunCommand, RunWithPlotsIsRefusedBeforeTheRunWhenThePicturesAreNotBuiltIn) {
    const KavoResult result = Kavo("run --plots");
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("the pictures are not built in"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(
        FilesEndingIn(root() / "Projects" / "ExampleOne" / "Soundings", "_Q1o.txt").empty());
    EXPECT_FALSE(
        fs::exists(root() / "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt"));
}
#endif

}  // namespace
