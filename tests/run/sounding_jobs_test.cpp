// Soundings computed side by side: a run with two or three jobs writes every file byte for byte
// as a run with one job, shows the same error window and the same panel, also when a sounding in
// the middle of the project fails, with and without keeping going, and when a failed sounding
// sits between two that share a unit-weight profile.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/data_area_lock.h"
#include "run/action.h"
#include "run/main_routine.h"
#include "setup/run_settings.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::run {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProjectFolder = "Projects/ExampleOne/";
constexpr const char* kDatabase = "Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv";

struct Outcome {
    int exitStatus = -1;
    std::vector<std::string> panel;
    int panelChanges = 0;
    int eventsProcessed = 0;
    std::vector<std::string> errorWindows;  // each window's fields and lines, one text
    std::vector<std::string> failed;        // the failed soundings of a run that kept going
    // Every file under the data area after the run (the lock file aside), the data-area root
    // written as "<ROOT>".
    std::map<std::string, std::string> files;
};

std::string WithRootToken(std::string text, const std::string& root) {
    for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
        text.replace(at, root.size(), "<ROOT>");
    }
    return text;
}

std::string ErrorWindowText(const platform::ErrorWindowContent& content) {
    std::string text = content.code + "|" + content.description + "|" + content.mainRoutine + "|" +
                       content.operations + "|" + content.process + "|" + content.sounding + "|" +
                       content.inputFile + "|" + content.outputFile + "|" + content.value;
    for (const platform::InputLineRow& row : content.lastLines) {
        text += "\n" + row.fileName + "|" + row.line + "|" + row.description;
    }
    return text;
}

// A window on which the user asks the run to stop while it shows sounding `stopAt` (0: never).
class StoppingWindow : public testing::RecordingWindow {
  public:
    Program* program = nullptr;
    int stopAt = 0;
    void PanelChanged() override {
        RecordingWindow::PanelChanged();
        if (program != nullptr && stopAt > 0 && panel().loop.sounding == stopAt) {
            program->stopRequested = true;
        }
    }
};

// Copies `input` to a fresh data area, lets `change` alter it, and runs the program's start-up
// (the whole batch) with `jobs` soundings at once.
Outcome RunWithJobs(const fs::path& input, int jobs, bool keepGoing,
                    const std::function<void(const testing::TempDir&)>& change = {},
                    int stopAt = 0) {
    testing::TempDir dir;
    fs::copy(input, dir.path(), fs::copy_options::recursive);
    if (change) {
        change(dir);
    }
    StoppingWindow window;
    window.stopAt = stopAt;
    platform::FixedClock clock;
    platform::MapEnvironment environment;
    environment.variables["COMPUTERNAME"] = "JOBS-PC";
    platform::ProgramInfo info{8, 1, 4, "Kavo Project", "Jobs build", "/opt/kavo/bin/kavo"};
    Outcome outcome;
    {
        Program program(window, clock, environment, info);
        program.configuredRoot = dir.text();
        program.jobs = jobs;
        window.program = &program;
        setup::SetStartUpValues(window);
        window.control(setup::control::kKeepGoing).value = keepGoing ? 1 : 0;
        outcome.exitStatus = RunAction(program, [&program] { LoadMainWindow(program); });
        for (const FailedSounding& failed : program.tables.failedSoundings) {
            outcome.failed.push_back(WithRootToken(std::to_string(failed.sequence) + " " +
                                                       failed.name + " " + failed.code + " " +
                                                       failed.description,
                                                   dir.text()));
        }
        window.program = nullptr;
    }  // the program's end closes the log and the trace
    const auto& fields = window.panel().fields;
    for (const std::string& field : fields) {
        outcome.panel.push_back(WithRootToken(field, dir.text()));
    }
    outcome.panelChanges = window.panelChanges;
    outcome.eventsProcessed = window.eventsProcessed;
    for (const platform::ErrorWindowContent& content : window.errorWindows) {
        outcome.errorWindows.push_back(WithRootToken(ErrorWindowText(content), dir.text()));
    }
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        const std::string name = fs::relative(entry.path(), dir.path()).generic_string();
        if (entry.is_regular_file() && name != platform::kLockFileName) {
            outcome.files[name] = WithRootToken(testing::ReadFile(entry.path()), dir.text());
        }
    }
    return outcome;
}

// Runs with one, two and three jobs and expects everything of the latter two as with one.
Outcome ExpectSameForEveryJobCount(const fs::path& input, bool keepGoing,
                                   const std::function<void(const testing::TempDir&)>& change = {},
                                   int stopAt = 0) {
    const Outcome one = RunWithJobs(input, 1, keepGoing, change, stopAt);
    for (int jobs : {2, 3}) {
        SCOPED_TRACE("jobs " + std::to_string(jobs));
        const Outcome many = RunWithJobs(input, jobs, keepGoing, change, stopAt);
        EXPECT_EQ(many.exitStatus, one.exitStatus);
        EXPECT_EQ(many.panel, one.panel);
        EXPECT_EQ(many.panelChanges, one.panelChanges);
        EXPECT_EQ(many.eventsProcessed, one.eventsProcessed);
        EXPECT_EQ(many.errorWindows, one.errorWindows);
        EXPECT_EQ(many.failed, one.failed);
        for (const auto& [name, bytes] : one.files) {
            const auto written = many.files.find(name);
            if (written == many.files.end()) {
                ADD_FAILURE() << name << ": written with one job only";
            } else {
                EXPECT_TRUE(written->second == bytes) << name << " differs";
            }
        }
        for (const auto& [name, bytes] : many.files) {
            EXPECT_EQ(one.files.count(name), 1u) << name << ": written with more jobs only";
        }
    }
    return one;
}

fs::path GoldenInput(const std::string& name) {
    return testing::TestDataPath("golden/" + name + "/input");
}

// A field file of the three soundings' project under another sounding name.
std::string Renamed(const testing::TempDir& dir, const std::string& from, const std::string& to) {
    const fs::path soundings = dir.path() / kProjectFolder / "Soundings";
    std::string text = testing::ReadFile(soundings / (from + ".CPT"));
    const std::size_t at = text.find("\r\n" + from + "\r\n");
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at + 2, from.size(), to);
    }
    return text;
}

// The three soundings' project grown to ten: the fifth, GD-09, reads its unit weights from a
// profile that ends at 4 ft, so its depth points below fail with a data error in the middle of
// its table (after its input lines, issues and the rows above); the seventh, GD-10, has no
// field file. Soundings with GD-03's profile come before each of them and right after them, so
// a run that keeps going must read that profile again after each failed sounding.
void TenSoundingsWithTwoBroken(const testing::TempDir& dir) {
    const std::string soundings = std::string(kProjectFolder) + "Soundings/";
    dir.Write(soundings + "GD-09.CPT", Renamed(dir, "GD-02", "GD-09"));
    dir.Write(
        std::string(kProjectFolder) + "GD-09_UWT.csv",
        "depth_ft,UWT_pcf\r\nFILETYPE=SLDLv5\r\nshallow profile\r\nEOH\r\n0,110\r\n4,115\r\n");
    dir.Write(soundings + "GD-04.CPT", Renamed(dir, "GD-01", "GD-04"));
    dir.Write(soundings + "GD-05.CPT", Renamed(dir, "GD-03", "GD-05"));
    dir.Write(soundings + "GD-06.CPT", Renamed(dir, "GD-02", "GD-06"));
    dir.Write(soundings + "GD-07.CPT", Renamed(dir, "GD-03", "GD-07"));
    dir.Write(soundings + "GD-08.CPT", Renamed(dir, "GD-01", "GD-08"));
    const std::string database = testing::ReadFile(dir.path() / kDatabase);
    std::string rows = database.substr(0, database.find('\n') + 1);
    for (const char* row : {"GD-01,HT-15T-0412,\"Golden levee\",4,WT,115,125,",
                            "GD-03,HT-15T-0412,\"Golden levee\",3,FILE,,,GD-03_UWT.csv",
                            "GD-02,HT-10T-0233,\"Golden levee\",2,WT,110,118,",
                            "GD-04,HT-15T-0412,\"Golden levee\",4,WT,115,125,",
                            "GD-09,HT-10T-0233,\"Golden levee\",2,FILE,,,GD-09_UWT.csv",
                            "GD-05,HT-15T-0412,\"Golden levee\",3,FILE,,,GD-03_UWT.csv",
                            "GD-10,HT-10T-0233,\"Golden levee\",2,WT,110,118,",
                            "GD-07,HT-15T-0412,\"Golden levee\",3,FILE,,,GD-03_UWT.csv",
                            "GD-06,HT-10T-0233,\"Golden levee\",2,WT,110,118,",
                            "GD-08,HT-15T-0412,\"Golden levee\",4,WT,115,125,"}) {
        rows += std::string(row) + "\r\n";
    }
    dir.Write(kDatabase, rows);
}

TEST(SoundingJobs, GoldenCasesWriteTheSameFilesWithAnyNumberOfJobs) {
    for (const char* name : {"three_soundings", "four_formats"}) {
        SCOPED_TRACE(name);
        const Outcome one = ExpectSameForEveryJobCount(GoldenInput(name), false);
        EXPECT_EQ(one.exitStatus, kExitDone);
        EXPECT_TRUE(one.errorWindows.empty());
    }
}

TEST(SoundingJobs, ADataErrorInTheMiddleEndsTheRunThereWithAnyNumberOfJobs) {
    const Outcome one = ExpectSameForEveryJobCount(GoldenInput("three_soundings"), false,
                                                   TenSoundingsWithTwoBroken);
    EXPECT_EQ(one.exitStatus, kExitDataError);
    ASSERT_EQ(one.errorWindows.size(), 1u);
    EXPECT_EQ(one.errorWindows[0].substr(0, 6), "GP342|") << one.errorWindows[0];
    EXPECT_NE(one.errorWindows[0].find("GD-09"), std::string::npos) << one.errorWindows[0];
    // The soundings before it have their tables; GD-09 and the ones after it have none.
    const std::string folder = std::string(kProjectFolder) + "Soundings/";
    EXPECT_EQ(one.files.count(folder + "GD-04_Q1o.txt"), 1u);
    EXPECT_EQ(one.files.count(folder + "GD-09_Q1o.txt"), 0u);
    EXPECT_EQ(one.files.count(folder + "GD-05_Q1o.txt"), 0u);
}

TEST(SoundingJobs, ARunThatKeepsGoingFailsTheSameSoundingsWithAnyNumberOfJobs) {
    const Outcome one =
        ExpectSameForEveryJobCount(GoldenInput("three_soundings"), true, TenSoundingsWithTwoBroken);
    EXPECT_EQ(one.exitStatus, kExitDone);
    ASSERT_EQ(one.failed.size(), 2u);
    EXPECT_EQ(one.failed[0].substr(0, 14), "5 GD-09 GP342 ") << one.failed[0];
    EXPECT_EQ(one.failed[1].substr(0, 8), "7 GD-10 ") << one.failed[1];
    const std::string folder = std::string(kProjectFolder) + "Soundings/";
    EXPECT_EQ(one.files.count(folder + "GD-09_Q1o.txt"), 0u);
    EXPECT_EQ(one.files.count(folder + "GD-08_Q1o.txt"), 1u);
}

TEST(SoundingJobs, AStopAskedDuringASoundingEndsTheRunAfterItWithAnyNumberOfJobs) {
    const Outcome one = ExpectSameForEveryJobCount(GoldenInput("three_soundings"), true,
                                                   TenSoundingsWithTwoBroken, 3);
    EXPECT_EQ(one.exitStatus, kExitStopped);
    const std::string folder = std::string(kProjectFolder) + "Soundings/";
    EXPECT_EQ(one.files.count(folder + "GD-02_Q1o.txt"), 1u);
    EXPECT_EQ(one.files.count(folder + "GD-04_Q1o.txt"), 0u);
}

}  // namespace
}  // namespace kavo::run
