// The progress panel with its remembered fields, and the report of the first data error.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "reporting/reporter.h"
#include "support/recording_window.h"

namespace kavo::reporting {
namespace {

using platform::ProgressField;

// A window that notes the order of the hooks the reporter calls.
class OrderWindow : public testing::RecordingWindow {
  public:
    void ProcessEvents() override { calls.push_back("events"); }
    void PanelChanged() override { calls.push_back("panel"); }
    std::vector<std::string> calls;
};

std::string Field(const platform::Window& window, ProgressField which) {
    return window.panel().fields[static_cast<std::size_t>(which)];
}

class ProgressTest : public ::testing::Test {
  protected:
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    Reporter reporter{window, numbers};
};

TEST_F(ProgressTest, GivesTheWindowTimeFirstAndTellsItAfterwards) {
    OrderWindow ordered;
    Reporter own(ordered, numbers);
    own.ReportProgress({"Main", "", "", "", "", "", "", "GL130"});
    EXPECT_EQ(ordered.calls, (std::vector<std::string>{"events", "panel"}));
}

TEST_F(ProgressTest, ShowsAndRemembersEveryFieldInItsPlace) {
    reporter.ReportProgress({"main", "ops", "S1", "in.csv", "out.txt", "proc", "12.5", "QC382"});
    const RememberedFields& r = reporter.remembered();
    EXPECT_EQ(r.mainRoutine, "main");
    EXPECT_EQ(r.operations, "ops");
    EXPECT_EQ(r.sounding, "S1");
    EXPECT_EQ(r.inputFile, "in.csv");
    EXPECT_EQ(r.outputFile, "out.txt");
    EXPECT_EQ(r.process, "proc");
    EXPECT_EQ(r.value, "12.5");
    EXPECT_EQ(Field(window, ProgressField::MainRoutine), "main");
    EXPECT_EQ(Field(window, ProgressField::Operations), "ops");
    EXPECT_EQ(Field(window, ProgressField::Sounding), "S1");
    EXPECT_EQ(Field(window, ProgressField::InputFile), "in.csv");
    EXPECT_EQ(Field(window, ProgressField::OutputFile), "out.txt");
    EXPECT_EQ(Field(window, ProgressField::Process), "proc");
    EXPECT_EQ(Field(window, ProgressField::Value), "12.5");
    EXPECT_EQ(window.panel().statusCode, "QC382");
}

TEST_F(ProgressTest, EmptyAndTwoDotsKeepAFieldWhileABlankClearsIt) {
    reporter.ReportProgress({"main", "ops", "S1", "in", "out", "proc", "1", "A1"});
    reporter.ReportProgress({"", "..", " ", "..", "", " ", "2", ""});
    const RememberedFields& r = reporter.remembered();
    EXPECT_EQ(r.mainRoutine, "main");
    EXPECT_EQ(r.operations, "ops");
    EXPECT_EQ(r.sounding, " ");
    EXPECT_EQ(r.inputFile, "in");
    EXPECT_EQ(r.outputFile, "out");
    EXPECT_EQ(r.process, " ");
    EXPECT_EQ(r.value, "2");
    EXPECT_EQ(Field(window, ProgressField::Operations), "ops");
    EXPECT_EQ(Field(window, ProgressField::Sounding), " ");
    EXPECT_EQ(Field(window, ProgressField::Value), "2");
    EXPECT_EQ(window.panel().statusCode, "A1");
}

TEST_F(ProgressTest, MainRoutineIsBoldWhenItsTextSaysDoneInAnyCase) {
    struct Case {
        const char* mainRoutine;
        bool bold;
    };
    for (const Case& c :
         {Case{"           Done", true}, Case{"ALL DONE", true}, Case{"undone work", true},
          Case{"Running", false}, Case{"D O N E", false}}) {
        reporter.ReportProgress({c.mainRoutine, "", "", "", "", "", "", ""});
        EXPECT_EQ(window.panel().mainRoutineBold, c.bold) << c.mainRoutine;
    }
}

TEST_F(ProgressTest, AnAllEmptyReportUnboldsButKeepsTheText) {
    reporter.ReportProgress({"Done", "", "", "", "", "", "", "X1"});
    ASSERT_TRUE(window.panel().mainRoutineBold);
    reporter.ReportProgress({"", "", "", "", "", "", "", ""});
    EXPECT_FALSE(window.panel().mainRoutineBold);
    EXPECT_EQ(Field(window, ProgressField::MainRoutine), "Done");
    EXPECT_EQ(window.panel().statusCode, "X1");
}

// Runs of progress reports and window events, made of the texts that decide how reports
// combine (kept, cleared, replaced; a main routine, bold or not; codes cleared and brought
// back), leave the same panel and remembered fields through a journal as reported in turn.
TEST_F(ProgressTest, AJournalLeavesThePanelAndFieldsAsReportingInTurn) {
    const std::string texts[] = {"", "..", " ", "a", "b"};
    const std::string mainRoutines[] = {"", "", "", "..", "Main", "main DONE"};
    const std::string codes[] = {"", "", " ", "A1", "B2"};
    std::mt19937 random(1208);
    const auto pick = [&random](const auto& from) { return from[random() % std::size(from)]; };
    for (int round = 0; round < 300; ++round) {
        testing::RecordingWindow directWindow;
        Reporter direct(directWindow, numbers);
        testing::RecordingWindow targetWindow;
        Reporter target(targetWindow, numbers);
        testing::RecordingWindow recorderWindow;
        Reporter recorder(recorderWindow, numbers);
        Journal journal;
        recorder.RecordInto(target, journal);
        // The title a window starts with stays until a code is cleared.
        const std::string titles[] = {std::string(platform::kStatusTitle), "", "Run"};
        directWindow.panel().statusTitle = targetWindow.panel().statusTitle = pick(titles);
        for (int step = 0; step < 12; ++step) {
            if (random() % 4 == 0) {
                direct.ProcessEvents();
                recorder.ProcessEvents();
                continue;
            }
            const ProgressReport report{pick(mainRoutines), pick(texts), pick(texts), pick(texts),
                                        pick(texts),        pick(texts), pick(texts), pick(codes)};
            direct.ReportProgress(report);
            recorder.ReportProgress(report);
        }
        journal.Apply();
        const platform::ProgressPanel& expected = directWindow.panel();
        const platform::ProgressPanel& applied = targetWindow.panel();
        ASSERT_EQ(applied.fields, expected.fields) << "round " << round;
        ASSERT_EQ(applied.statusCode, expected.statusCode) << "round " << round;
        ASSERT_EQ(applied.statusTitle, expected.statusTitle) << "round " << round;
        ASSERT_EQ(applied.mainRoutineBold, expected.mainRoutineBold) << "round " << round;
        const RememberedFields& want = direct.remembered();
        const RememberedFields& got = target.remembered();
        ASSERT_EQ(
            std::vector<std::string>({got.mainRoutine, got.operations, got.sounding, got.inputFile,
                                      got.outputFile, got.process, got.value}),
            std::vector<std::string>({want.mainRoutine, want.operations, want.sounding,
                                      want.inputFile, want.outputFile, want.process, want.value}))
            << "round " << round;
    }
}

TEST_F(ProgressTest, BlankCodeBlanksTheTitleUntilTheNextCode) {
    reporter.ReportProgress({"", "", "", "", "", "", "", "GL130"});
    EXPECT_EQ(window.panel().statusTitle, platform::kStatusTitle);
    reporter.ReportProgress({"", "", "", "", "", "", "", " "});
    EXPECT_EQ(window.panel().statusCode, "");
    EXPECT_EQ(window.panel().statusTitle, "");
    reporter.ReportProgress({"", "", "", "", "", "", "", ""});
    EXPECT_EQ(window.panel().statusTitle, "");
    reporter.ReportProgress({"", "", "", "", "", "", "", "HOG514"});
    EXPECT_EQ(window.panel().statusCode, "HOG514");
    EXPECT_EQ(window.panel().statusTitle, "Software location (for data error tracing):");
}

class ErrorReportTest : public ProgressTest {
  protected:
    // Opens the log on a string stream and returns the stream, which the reporter owns.
    std::ostringstream& OpenLog() {
        auto sink = std::make_unique<std::ostringstream>();
        std::ostringstream& log = *sink;
        reporter.OpenTasksLog(std::move(sink), "Co", "1.0.0", "1/2/2026", "3:04:05 PM");
        log.str("");
        return log;
    }
};

TEST_F(ErrorReportTest, WritesTheTenLineBlockWithoutIndentation) {
    std::ostringstream& log = OpenLog();
    reporter.ReportProgress({"MAIN -3- LOOPING", "Q1o", "CPT-07", "a.CPT", "a_Q1o.txt",
                             "depth loop", "23.45", "QC382"});
    EXPECT_TRUE(reporter.ReportDataError("bad qc value", "QC382"));
    EXPECT_EQ(log.str(),
              "Error--------------------------start\r\n"
              "Error description =bad qc value\r\n"
              "Error main = MAIN -3- LOOPING\r\n"
              "Error operations = Q1o\r\n"
              "processing\r\n"
              "Error sounding  = CPT-07\r\n"
              "input\r\n"
              "output\r\n"
              "Error depth = 23.45\r\n"
              "Error---------------------------------end\r\n");
    EXPECT_TRUE(reporter.errorReported());
}

TEST_F(ErrorReportTest, FillsTheWindowFromTheFieldsAndTheLastSixLines) {
    reporter.ReportProgress({"main", "ops", "S1", "in", "out", "proc", "7", "Z9"});
    for (int i = 1; i <= 8; ++i) {
        std::string n = std::to_string(i);
        reporter.RememberLine("line" + n, "file" + n, "what" + n);
    }
    reporter.ReportDataError("broken", "SF931");
    ASSERT_EQ(window.errorWindows.size(), 1u);
    const platform::ErrorWindowContent& shown = window.errorWindows.front();
    EXPECT_EQ(shown.code, "SF931");
    EXPECT_EQ(shown.description, "broken");
    EXPECT_EQ(shown.mainRoutine, "main");
    EXPECT_EQ(shown.operations, "ops");
    EXPECT_EQ(shown.process, "proc");
    EXPECT_EQ(shown.sounding, "S1");
    EXPECT_EQ(shown.inputFile, "in");
    EXPECT_EQ(shown.outputFile, "out");
    EXPECT_EQ(shown.value, "7");
    ASSERT_EQ(shown.lastLines.size(), 6u);
    EXPECT_EQ(shown.lastLines[0].line, "line8");
    EXPECT_EQ(shown.lastLines[0].fileName, "file8");
    EXPECT_EQ(shown.lastLines[0].description, "what8");
    EXPECT_EQ(shown.lastLines[5].line, "line3");
}

TEST_F(ErrorReportTest, OnlyTheFirstErrorIsReported) {
    std::ostringstream& log = OpenLog();
    EXPECT_TRUE(reporter.ReportDataError("first", "A1"));
    std::string afterFirst = log.str();
    EXPECT_FALSE(reporter.ReportDataError("second", "B2"));
    EXPECT_EQ(log.str(), afterFirst);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows.front().code, "A1");

    reporter.ClearErrorReported();
    EXPECT_TRUE(reporter.ReportDataError("third", "C3"));
    EXPECT_EQ(window.errorWindows.size(), 2u);
}

TEST_F(ErrorReportTest, WithoutALogTheWindowIsStillShownFromEmptyFields) {
    EXPECT_TRUE(reporter.ReportDataError("no log yet", "RS004"));
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows.front().description, "no log yet");
    EXPECT_EQ(window.errorWindows.front().mainRoutine, "");
    EXPECT_TRUE(window.errorWindows.front().lastLines.empty());
}

}  // namespace
}  // namespace kavo::reporting
