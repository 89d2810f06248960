// The main window as typed commands, its option changes and its listing window.
#include "ui/shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "projects/project_list.h"
#include "run/stage_board.h"
#include "setup/run_settings.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "ui/console_window.h"
#include "ui/run_options.h"

namespace kavo::ui {
namespace {

namespace c = setup::control;
namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ShellTest : public ::testing::Test {
  protected:
    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FixedClock clock;
    platform::MapEnvironment environment;
    run::Program program{window, clock, environment, platform::ProgramInfo{}};
    std::ostringstream out;

    void SetUp() override {
        setup::SetStartUpValues(window);
        program.configuredRoot = dir.text();
        program.dataArea = files::DataArea{dir.text(), "ExampleOne"};
        dir.Write("Projects/Kavo_ProjectS---List.csv", "{1} Folder\r\nExampleOne\r\n");
        fs::create_directories(dir.path() / "Projects" / "ExampleOne");
        window.control(projects::kProjectChoiceList).items = {
            "ExampleOne", "Gone" + std::string(projects::kNoFolderMark)};
    }
    int Commands(const std::string& script) {
        std::istringstream in(script);
        return RunShellCommands(program, in, out, ShellSetup{});
    }
};

TEST_F(ShellTest, TypedOptionsSetTheWindowsControls) {
    struct Case {
        std::string option, value;
        const char* control;  // the control that must show the change
        int checked;          // its value afterwards, or -1 for a text box
    };
    for (const Case& t :
         {Case{"norm", "linear", c::kNormLinear, 1}, Case{"ic", "robertson", c::kIcRobertson, 1},
          Case{"chart-source", "both", c::kChartsBoth, 1},
          Case{"columns", "internal", c::kColumnsInternal, 1},
          Case{"eq-magnitude", "6.5", c::kEqMagnitude, -1},
          Case{"check-before-compiling", "on", c::kCheckBeforeCompiling, 1},
          Case{"force-data-root", "off", c::kForceDataRoot, 0}}) {
        EXPECT_EQ(SetWindowOption(window, t.option, t.value), std::nullopt) << t.option;
        if (t.checked < 0) {
            EXPECT_EQ(window.control(t.control).text, t.value);
        } else {
            EXPECT_EQ(window.control(t.control).value, t.checked) << t.option;
        }
    }
    EXPECT_FALSE(window.IsOn(c::kNormVaski));  // a choice clears the rest of its group
    EXPECT_FALSE(window.IsOn(c::kChartsFile));

    EXPECT_EQ(SetWindowOption(window, "chart-source", "sideways"),
              "chart-source takes one of internal|file|both");
    EXPECT_EQ(SetWindowOption(window, "colour", "red"), "unknown option colour");
    EXPECT_EQ(SetWindowOption(window, "write-sld-statements", "yes"),
              "write-sld-statements takes on|off");
    EXPECT_TRUE(window.IsOn(c::kChartsBoth));

    window.control(c::kChartsFile).enabled = false;
    window.control(c::kShowLineBreakdown).enabled = false;
    EXPECT_EQ(SetWindowOption(window, "chart-source", "file"),
              "chart-source file is disabled on the window (SLD_data_location_File_8opb)");
    EXPECT_TRUE(SetWindowOption(window, "show-line-breakdown", "on"));
    EXPECT_TRUE(window.IsOn(c::kChartsBoth));
    EXPECT_EQ(SetWindowOption(window, "chart-source", "internal"), std::nullopt);
}

TEST_F(ShellTest, DisabledActionsSaySoAndTheOthersRun) {
    window.control(run::control::kRun).enabled = false;
    window.control(run::control::kChartExport).enabled = false;
    EXPECT_EQ(Commands("run\nexport-charts\nset norm sideways\nchoose exampleONE\n"
                       "choose Gone\nchoose Nowhere\nequation-test\nbogus\n# a remark\n\n"
                       "set JOBS 3\nset jobs 0\nset jobs 2x\n"),
              0);
    const std::string text = out.str();
    EXPECT_TRUE(Has(text, "run: the action is disabled now (Run8cmd)\n")) << text;
    EXPECT_TRUE(Has(text,
                    "export-charts: the action is disabled now "
                    "(SLD_file_GenerateFileForPlotting8cmd)\n"));
    EXPECT_TRUE(Has(text, "set: norm takes one of vaski|vaski-sf|robertson|linear\n"));
    // The number of jobs is the program's, not a control of the window.
    EXPECT_EQ(program.jobs, 3);
    const std::string refused = "set: jobs takes a whole number from 1 to 64\n";
    const std::size_t first = text.find(refused);
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find(refused, first + 1), std::string::npos) << text;
    EXPECT_TRUE(Has(text, "project8lbl: ExampleOne\n"));
    EXPECT_TRUE(Has(text, "project8lbl: Gone  ---> See NOTE 2 \n"));
    EXPECT_TRUE(Has(text, "choose: no project choice \"Nowhere\"\n"));
    EXPECT_TRUE(Has(text, "unknown command \"bogus\"; help lists the commands\n"));
    EXPECT_FALSE(Has(text, "a remark"));
    EXPECT_TRUE(window.listingVisible());
    ASSERT_FALSE(window.listing().empty());
    EXPECT_TRUE(Has(window.listing().back(), "ENDOFLINE"));
    EXPECT_EQ(window.control(projects::kChosenProjectLabel).text,
              "Gone" + std::string(projects::kNoFolderMark));
}

TEST_F(ShellTest, EndUnloadsAndLaterCommandsAreNotRead) {
    EXPECT_EQ(Commands("choose ExampleOne\nEND\nchoose Gone\n"), 0);
    EXPECT_EQ(window.control(projects::kChosenProjectLabel).text, "ExampleOne");
}

TEST_F(ShellTest, NewProjectWithoutANameAsksForIt) {
    EXPECT_EQ(Commands("new-project\n  North Levee \nstatus\n"), 0);
    EXPECT_TRUE(Has(out.str(), "Enter Project directory name:\n")) << out.str();
    EXPECT_TRUE(fs::is_directory(dir.path() / "Projects" / "North Levee" / "Soundings"));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(Has(window.messages[0], "Project name was placed into "));
    EXPECT_EQ(window.control(run::control::kNewProjectPrompt).text, "New project = North Levee");
    EXPECT_TRUE(window.control(run::control::kNewProject).enabled);
    EXPECT_TRUE(
        Has(out.str(), "Software location (for data error tracing): RE823\nIssues counter= 0\n"));
}

TEST_F(ShellTest, ADataErrorEndsTheShellWithItsStatus) {
    EXPECT_EQ(Commands("new-project \"exampleone\"\nnew-project Later\n"), 1);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "PE943");
    EXPECT_FALSE(fs::exists(dir.path() / "Projects" / "Later"));
}

TEST_F(ShellTest, AWindowThatCannotLoadTakesNoCommands) {
    program.configuredRoot = (dir.path() / "missing").string();
    std::istringstream in("new-project Never\n");
    EXPECT_EQ(RunShell(program, in, out, ShellSetup{}), 1);
    EXPECT_FALSE(fs::exists(dir.path() / "Projects" / "Never"));
    EXPECT_FALSE(Has(out.str(), "Select Project Directory"));
}

TEST(ConsoleListing, ShownLinesAreWrittenOnceAndHiddenOnesWait) {
    std::ostringstream out;
    std::ostringstream err;
    ConsoleWindow window(out, err);
    window.AppendListing("one");
    EXPECT_EQ(out.str(), "");
    window.SetListingVisible(true);
    window.AppendListing("two");
    EXPECT_EQ(out.str(), "one\ntwo\n");
    window.ClearListing();
    window.AppendListing("three");
    EXPECT_EQ(out.str(), "one\ntwo\nthree\n");
    window.SetListingVisible(false);
    window.AppendListing("four");
    EXPECT_EQ(out.str(), "one\ntwo\nthree\n");
}

TEST(ShellHelp, ListsEveryActionAndOption) {
    std::string help;
    for (const std::string& line : ShellHelpLines()) {
        help += line + "\n";
    }
    for (const std::string word :
         {"run ", "export-charts ", "new-project ", "first-use ", "equation-test ", "end ",
          "norm vaski|vaski-sf", "force-data-root on|off", "eq-csr-file TEXT", "jobs N"}) {
        EXPECT_TRUE(Has(help, word)) << word;
    }
}

}  // namespace
}  // namespace kavo::ui
