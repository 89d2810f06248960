// The stage board: the window's actions and notes in each stage.
#include "run/stage_board.h"

#include <gtest/gtest.h>

#include "projects/project_list.h"
#include "setup/run_settings.h"
#include "support/recording_window.h"
#include "tools/errors.h"

namespace kavo::run {
namespace {

namespace option = setup::control;

class StageBoard : public ::testing::Test {
  protected:
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};

    void SetUp() override {
        setup::SetStartUpValues(window);
        window.SetListingVisible(true);
        window.control(projects::kProjectChoiceList).enabled = false;
    }
    bool Enabled(const char* name) { return window.control(name).enabled; }
    bool Visible(const char* name) { return window.control(name).visible; }
};

TEST_F(StageBoard, EveryStageHidesTheListingAndEnablesTheProjectChoice) {
    for (const char* name :
         {"RUN ONE -0- CHECK BEFORE COMPILING", "MAIN -1- SETUP AND READS", "MAIN -2- PRE RUNNING",
          "MAIN -3- LOOPING", "PROJECT NEW CLICK", "PROJECT BEGINNING"}) {
        SetUp();
        AnnounceStage(window, reporter, name);
        EXPECT_FALSE(window.listingVisible()) << name;
        EXPECT_TRUE(Enabled(projects::kProjectChoiceList)) << name;
        EXPECT_EQ(StageName(ParseStage(name)), name);
    }
}

TEST_F(StageBoard, UnknownStageNamesAreProgrammingErrors) {
    for (const char* name : {"MAIN -3- LOOPING ", "main -1- setup and reads", ""}) {
        EXPECT_THROW(AnnounceStage(window, reporter, name), tools::ProgrammingError) << name;
    }
}

TEST_F(StageBoard, ReleaseConfigurationFixesTheDeveloperOptions) {
    AnnounceStage(window, reporter, Stage::CheckBeforeCompiling);
    EXPECT_TRUE(window.IsOn(option::kChartsInternal));
    EXPECT_TRUE(Enabled(option::kChartsInternal));
    EXPECT_FALSE(window.IsOn(option::kChartsFile));
    EXPECT_FALSE(Enabled(option::kChartsFile));
    EXPECT_FALSE(window.IsOn(option::kWriteChartData));
    EXPECT_FALSE(Enabled(option::kWriteChartData));
    EXPECT_TRUE(window.IsOn(option::kFieldHog));
    EXPECT_FALSE(window.IsOn(option::kFieldAeg));
    EXPECT_FALSE(Enabled(option::kFieldAeg));
    EXPECT_FALSE(window.IsOn(option::kShowLineBreakdown));
    EXPECT_FALSE(Enabled(option::kShowLineBreakdown));
    EXPECT_FALSE(Visible(option::kCheckBeforeCompiling));
    EXPECT_EQ(window.panel().statusCode, "MP883");
    EXPECT_GE(window.eventsProcessed, 1);
}

TEST_F(StageBoard, CheckBeforeCompilingKeepsTheDesignedValues) {
    window.control(option::kCheckBeforeCompiling).value = setup::kChecked;
    AnnounceStage(window, reporter, Stage::CheckBeforeCompiling);
    EXPECT_TRUE(window.IsOn(option::kChartsFile));
    EXPECT_TRUE(window.IsOn(option::kWriteChartData));
    EXPECT_TRUE(window.IsOn(option::kShowLineBreakdown));
    EXPECT_TRUE(Visible(option::kCheckBeforeCompiling));
    EXPECT_EQ(window.panel().statusCode, "");
}

TEST_F(StageBoard, RunActionsAreDisabledFromPreRunningToLooping) {
    window.panel().issueCounterVisible = true;
    AnnounceStage(window, reporter, Stage::SetupAndReads);
    EXPECT_FALSE(window.panel().issueCounterVisible);
    EXPECT_FALSE(Visible(control::kColumnsNote));
    EXPECT_FALSE(Visible(projects::kProjectFolderNote));

    window.panel().mainRoutineBold = true;
    AnnounceStage(window, reporter, Stage::PreRunning);
    for (const char* action : {control::kRun, control::kNewProject, control::kChartExport}) {
        EXPECT_FALSE(Enabled(action)) << action;
    }
    EXPECT_FALSE(window.panel().mainRoutineBold);

    AnnounceStage(window, reporter, Stage::Looping);
    for (const char* action : {control::kRun, control::kNewProject, control::kChartExport,
                               projects::kProjectChoiceList}) {
        EXPECT_TRUE(Enabled(action)) << action;
    }
    EXPECT_TRUE(Visible(control::kMainWindow));
}

TEST_F(StageBoard, NewProjectStagesDriveTheNewProjectWindow) {
    AnnounceStage(window, reporter, "PROJECT NEW CLICK");
    EXPECT_FALSE(Enabled(control::kNewProject));
    EXPECT_EQ(window.control(control::kNewProjectPrompt).text, "Enter Project directory name:");
    EXPECT_TRUE(Visible(control::kNewProjectNameBox));

    window.control(control::kRun).enabled = false;
    AnnounceStage(window, reporter, "PROJECT BEGINNING", "North Levee");
    EXPECT_EQ(window.control(control::kNewProjectPrompt).text, "New project = North Levee");
    EXPECT_TRUE(window.control(control::kNewProjectPrompt).bold);
    EXPECT_FALSE(Visible(control::kNewProjectNameBox));
    EXPECT_TRUE(Enabled(control::kNewProjectGenerate));
    EXPECT_TRUE(Enabled(control::kRun));
    EXPECT_TRUE(Enabled(control::kNewProject));
    EXPECT_FALSE(Visible(control::kNewProject));
}

}  // namespace
}  // namespace kavo::run
