// The console window and the run options of the kavo command.
#include "ui/console_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "setup/run_settings.h"
#include "support/recording_window.h"
#include "tools/errors.h"
#include "ui/run_options.h"

namespace kavo::ui {
namespace {

namespace c = setup::control;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

void Show(platform::Window& window, const std::string& mainRoutine, const std::string& code) {
    window.panel().fields[0] = mainRoutine;
    window.panel().statusCode = code;
    window.PanelChanged();
}

TEST(ConsoleWindow, PlainLinesFollowTheMainRoutine) {
    std::ostringstream out, err;
    ConsoleWindow window(out, err, ConsoleWindow::Mode::PlainLines);
    Show(window, "Starting Kavo", "MM912");
    Show(window, "Starting Kavo", "MP883");
    Show(window, "           Done", " ");
    EXPECT_EQ(out.str(), "[MM912] Starting Kavo\n           Done\n");
    EXPECT_EQ(err.str(), "");
}

TEST(ConsoleWindow, LivePanelIsRedrawnAtMostTenTimesASecond) {
    std::ostringstream out, err;
    ConsoleWindow window(out, err, ConsoleWindow::Mode::LivePanel, 40);
    for (int i = 0; i < 2000; ++i) {
        Show(window, "Sounding " + std::to_string(i), "GLS11");
    }
    window.Finish();
    const std::size_t redraws = Count(out.str(), "Main Routine:");
    EXPECT_GE(redraws, 2u);
    EXPECT_LT(redraws, 200u);
    // The last state is on screen, and long lines are wrapped to the terminal's width.
    EXPECT_NE(out.str().rfind("Main Routine: Sounding 1999"), std::string::npos);
    EXPECT_NE(out.str().find("Software location (for data error \n\x1b[2K    tracing): GLS11"),
              std::string::npos)
        << out.str();
}

// The sounding loop as the run drives it: the loop's size first, then each sounding with its
// place and times as its name is shown.
void ShowSounding(platform::Window& window, int k, int n, const std::string& name, double elapsed,
                  double left) {
    window.panel().loop = {k, name, n, 0, elapsed, left};
    window.panel().fields[0] = "Data processing --- Sounding sequence= " + std::to_string(k);
    window.panel().fields[2] = name + ".CPT";
    window.PanelChanged();
}

TEST(ConsoleWindow, PlainLinesShowOneLinePerSounding) {
    std::ostringstream out, err;
    ConsoleWindow window(out, err, ConsoleWindow::Mode::PlainLines);
    Show(window, "Testing each Q1o Column specification", "GL311");
    window.panel().loop.soundings = 2;
    Show(window, "Sounding data processing --- Sounding Sequence = 1", "GLS11");
    ShowSounding(window, 1, 2, "KV-01", 0, -1);
    Show(window, "Q1o writing", "QC382");
    Show(window, "Sounding data processing --- Sounding Sequence = 2", "GLS11");
    ShowSounding(window, 2, 2, "KV-02", 65, 65);
    window.panel().loop = {};
    Show(window, "Data processing --- Sounding sequence= 2", "ZF112");
    Show(window, "           Done", " ");
    EXPECT_EQ(out.str(),
              "[GL311] Testing each Q1o Column specification\n"
              "Sounding 1 of 2: KV-01   0:00 elapsed, time left after the first sounding\n"
              "Sounding 2 of 2: KV-02   1:05 elapsed, about 1:05 left\n"
              "           Done\n");
}

TEST(ConsoleWindow, LivePanelLeadsWithTheLoopAndHonoursNoColor) {
    for (const bool color : {true, false}) {
        std::ostringstream out, err;
        ConsoleWindow window(out, err, ConsoleWindow::Mode::LivePanel, 80, color);
        window.panel().mainRoutineBold = true;
        ShowSounding(window, 3, 200, "KV-03", 12, 3960);
        window.Finish();
        const std::string screen = out.str();
        EXPECT_NE(screen.find("Sounding 3 of 200: KV-03   0:12 elapsed, about 1:06:00 left\n"
                              "\x1b[2K"),
                  std::string::npos)
            << screen;
        EXPECT_EQ(screen.find("\x1b[1m") != std::string::npos, color);
    }
}

TEST(ConsoleWindow, TheSummaryLinesFollowThePanelOnce) {
    std::ostringstream out, err;
    ConsoleWindow window(out, err, ConsoleWindow::Mode::LivePanel, 80);
    Show(window, "           Done", " ");
    window.panel().summaryLines = {"Issue summary: no issues"};
    window.Finish();
    window.Finish();
    EXPECT_EQ(Count(out.str(), "Issue summary: no issues\n"), 1u);
    EXPECT_NE(SummaryText(window.panel()).find("\nIssue summary: no issues\n"), std::string::npos);
}

TEST(ConsoleWindow, LongLinesBreakAfterASeparatorNeverInsideAName) {
    struct Case {
        std::string line;
        std::size_t width;
        std::vector<std::string> pieces;
    };
    const std::vector<Case> cases = {
        {"Output File: short", 40, {"Output File: short"}},
        {"Output File: /home/user/Kavo/Projects/ExampleOne/Soundings/KV-01_Q1o.txt",
         40,
         {"Output File: /home/user/Kavo/Projects/", "    ExampleOne/Soundings/KV-01_Q1o.txt"}},
        {"Process: Zero load data File      /a/b",
         20,
         {"Process: Zero load ", "    data File      /", "    a/b"}},
        // A name longer than the width is cut, but not inside a character.
        {"x/\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
         13,
         {"x/", "    \xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", "    \xc3\xa9\xc3\xa9\xc3\xa9"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapLine(c.line, c.width), c.pieces) << c.line;
    }
}

TEST(ConsoleWindow, ClockTextShowsMinutesAndHours) {
    const std::pair<double, const char*> cases[] = {
        {0, "0:00"}, {7.4, "0:07"}, {65, "1:05"}, {765, "12:45"}, {3723, "1:02:03"}, {-3, "0:00"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(ClockText(seconds), text) << seconds;
    }
}

TEST(ConsoleWindow, ErrorWindowIsAFramedBlockOnStderr) {
    std::ostringstream out, err;
    ConsoleWindow window(out, err);
    platform::ErrorWindowContent content;
    content.code = "YV803";
    content.description = "bad setup File ---> second line must be= Row2_Kavo_Setup_v4";
    content.lastLines = {{"setup.txt", "", "reading sestup file"}};
    window.ShowErrorWindow(content);
    const std::string block = err.str();
    EXPECT_EQ(block.rfind(std::string(78, '=') + "\n", 0), 0u);
    EXPECT_NE(block.find("Kavo software  Error Code: YV803\n"), std::string::npos);
    EXPECT_NE(block.find("Last input Line:\n   file name: setup.txt\n"), std::string::npos);
    EXPECT_EQ(out.str(), "");
}

TEST(ConsoleWindow, SummaryTextListsTheSummaryFields) {
    std::ostringstream out, err;
    ConsoleWindow window(out, err);
    window.panel().fields = {"           Done",
                             "9 total feet in 1 secs     @ 9 ft/sec",
                             "2 total Soundings",
                             " ",
                             "Q1o files are in     X",
                             "Zero",
                             " "};
    EXPECT_EQ(SummaryText(window.panel()),
              "           Done\n2 total Soundings\n9 total feet in 1 secs     @ 9 ft/sec\n"
              "Q1o files are in     X\nZero\n");
}

TEST(RunOptions, EachOptionSetsItsControls) {
    testing::RecordingWindow window;
    setup::SetStartUpValues(window);
    RunOptions options;
    options.norm = "robertson";
    options.ic = "robertson";
    options.chartSource = "both";
    options.fieldType = "aeg";
    options.columns = "internal";
    options.lowestQcDepth = "3";
    options.eqMagnitude = "6.5";
    options.eqCsrFile = "csr.csv";
    options.checkBeforeCompiling = true;
    options.noForceDataRoot = true;
    ApplyRunOptions(window, options);

    setup::RunSettings settings;
    std::string selected;
    setup::ReadRunSettings(window, settings, selected);
    EXPECT_EQ(settings.coneNormalization, setup::NormalisationMode::Robertson);
    EXPECT_EQ(settings.icMethod, "Robertson");
    EXPECT_EQ(settings.chartDataLocation, "-5434");
    EXPECT_EQ(settings.fieldFileType, "AEG");
    EXPECT_EQ(settings.columnsSource, setup::ColumnsSource::BuiltIn);
    EXPECT_EQ(settings.lowestQcDepth, 3.0f);
    EXPECT_EQ(settings.earthquakeMagnitude, 6.5f);
    EXPECT_EQ(settings.earthquakeCsrFile, "csr.csv");
    EXPECT_TRUE(window.IsOn(c::kCheckBeforeCompiling));
    EXPECT_FALSE(window.IsOn(c::kForceDataRoot));
    EXPECT_FALSE(window.IsOn(c::kNormVaski));
}

TEST(RunOptions, OptionsNotGivenKeepTheStartUpValues) {
    testing::RecordingWindow window;
    setup::SetStartUpValues(window);
    ApplyRunOptions(window, RunOptions{});
    EXPECT_TRUE(window.IsOn(c::kNormVaski));
    EXPECT_TRUE(window.IsOn(c::kChartsFile));
    EXPECT_TRUE(window.IsOn(c::kForceDataRoot));
    EXPECT_EQ(window.control(c::kEqMagnitude).text, "7.5");

    RunOptions linear;
    linear.norm = "linear";
    ApplyRunOptions(window, linear);
    EXPECT_TRUE(window.IsOn(c::kNormLinear));
    EXPECT_FALSE(window.IsOn(c::kNormVaski));

    RunOptions unknown;
    unknown.columns = "both";
    EXPECT_THROW(ApplyRunOptions(window, unknown), tools::ProgrammingError);
}

TEST(RunOptions, ReleaseConfigurationRefusesWhatItWouldOverride) {
    RunOptions options;
    EXPECT_FALSE(ReleaseConflict(options));
    options.chartSource = "internal";
    options.fieldType = "hog";
    EXPECT_FALSE(ReleaseConflict(options));
    options.chartSource = "file";
    EXPECT_EQ(ReleaseConflict(options),
              "--chart-source file is fixed by the release configuration; add "
              "--check-before-compiling");
    options.chartSource.reset();
    options.showLineBreakdown = true;
    EXPECT_TRUE(ReleaseConflict(options));
    options.checkBeforeCompiling = true;
    EXPECT_FALSE(ReleaseConflict(options));
}

}  // namespace
}  // namespace kavo::ui
