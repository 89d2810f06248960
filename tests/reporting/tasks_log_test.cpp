// The tasks-and-issues log: its opening lines, indentation, context lines and issue counter.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/file_system.h"
#include "reporting/reporter.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::reporting {
namespace {

class TasksLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto sink = std::make_unique<std::ostringstream>();
        log = sink.get();
        reporter.OpenTasksLog(std::move(sink), "Kavo Project", "1.2.3", "12/8/2026", "2:48:25 AM");
    }
    // What was written since the last call.
    std::string Written() {
        std::string text = log->str();
        log->str("");
        return text;
    }

    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    Reporter reporter{window, numbers};
    std::ostringstream* log = nullptr;
};

TEST_F(TasksLogTest, StartsWithExactlyTheVersionAndStartLines) {
    EXPECT_EQ(Written(),
              "Kavo Software, vender=Kavo Project     version=1.2.3\r\n"
              "   Start of Kavo software --- Starting at date/time=12/8/2026 2:48:25 AM\r\n");
    EXPECT_TRUE(reporter.tasksLogOpen());
    EXPECT_EQ(reporter.issueCount(), 0);
    EXPECT_FALSE(window.panel().issueCounterVisible);
}

TEST_F(TasksLogTest, IndentsThreeBlanksPerLevelPlusThree) {
    Written();
    struct Case {
        int level;
        std::size_t blanks;
    };
    for (const Case& c : {Case{-1, 0}, Case{0, 3}, Case{2, 9}, Case{6, 21}}) {
        reporter.LogLine(c.level, "text", LogKind::Task);
        EXPECT_EQ(Written(), std::string(c.blanks, ' ') + "text\r\n") << "level " << c.level;
    }
}

TEST_F(TasksLogTest, OnlyIssuesAreCountedAndShown) {
    Written();
    reporter.LogLine(2, "a task", LogKind::Task);
    EXPECT_EQ(reporter.issueCount(), 0);
    EXPECT_FALSE(window.panel().issueCounterVisible);
    EXPECT_EQ(Written(), std::string(9, ' ') + "a task\r\n");

    int changesBefore = window.panelChanges;
    reporter.LogLine(6, "At depth=12.3", LogKind::Issue);
    EXPECT_EQ(reporter.issueCount(), 1);
    EXPECT_TRUE(window.panel().issueCounterVisible);
    EXPECT_EQ(window.panel().issueCount, "1");
    EXPECT_GT(window.panelChanges, changesBefore);

    reporter.LogIssueWithContext("out of range", LogKind::Issue);
    EXPECT_EQ(reporter.issueCount(), 2);
    EXPECT_EQ(window.panel().issueCount, "2");
}

TEST_F(TasksLogTest, CounterShowsTheTrueCountOfALargeBatch) {
    // A 200-sounding batch logs about 94,000 issues: far past what 16 bits hold.
    constexpr int kIssues = 40000;
    for (int i = 0; i < kIssues; ++i) {
        reporter.LogIssueWithContext("out of range", LogKind::Issue);
    }
    EXPECT_EQ(reporter.issueCount(), kIssues);
    EXPECT_EQ(window.panel().issueCount, "40000");
}

TEST_F(TasksLogTest, ContextLineBeforeAnyReportHasEmptyValues) {
    Written();
    reporter.LogIssueWithContext("Done with UWT file", LogKind::Task);
    EXPECT_EQ(Written(), std::string(25, ' ') + "CPT=  G=  S=  D=   Done with UWT file\r\n");
}

TEST_F(TasksLogTest, ContextLineCarriesTheRememberedFields) {
    reporter.ReportProgress({"MAIN -3- LOOPING", "Q1o", "CPT-07", "", "", "", "12.35", "QC1"});
    Written();
    reporter.LogIssueWithContext("out of range --- Su", LogKind::Issue);
    EXPECT_EQ(Written(), std::string(23, ' ') +
                             "  CPT=CPT-07  G=MAIN -3- LOOPING  S=Q1o  D=12.35   out of range "
                             "--- Su\r\n");
}

TEST_F(TasksLogTest, ReopeningHidesTheCounterAndStartsItAtZero) {
    reporter.LogLine(0, "x", LogKind::Issue);
    ASSERT_TRUE(window.panel().issueCounterVisible);
    reporter.OpenTasksLog(std::make_unique<std::ostringstream>(), "C", "V", "D", "T");
    EXPECT_FALSE(window.panel().issueCounterVisible);
    EXPECT_EQ(reporter.issueCount(), 0);
}

TEST_F(TasksLogTest, LinesWrittenWhenTheLogIsClosedGoNowhere) {
    reporter.CloseTasksLog();
    EXPECT_FALSE(reporter.tasksLogOpen());
    reporter.LogLine(0, "lost", LogKind::Issue);
    EXPECT_EQ(reporter.issueCount(), 1);
}

// The log is buffered: a sounding's lines reach the disk when it ends (FlushLog), and the
// lines before an error with its report.
TEST(TasksLogFile, LinesAreOnDiskAfterAFlushAndWithAnErrorReport) {
    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    Reporter reporter(window, numbers);
    auto path = dir.path() / kTasksLogName;
    reporter.OpenTasksLog(std::make_unique<std::ofstream>(path, std::ios::binary), "C", "V", "D",
                          "T");
    reporter.LogLine(2, "SLD file reading: a.csv", LogKind::Task);
    reporter.FlushLog();
    const std::string opening =
        "Kavo Software, vender=C     version=V\r\n"
        "   Start of Kavo software --- Starting at date/time=D T\r\n"
        "         SLD file reading: a.csv\r\n";
    EXPECT_EQ(testing::ReadFile(path), opening);

    reporter.LogLine(0, "an issue before the error", LogKind::Issue);
    ASSERT_TRUE(reporter.ReportDataError("bad row", "QC335"));
    const std::string log = testing::ReadFile(path);
    EXPECT_TRUE(log.starts_with(opening + "   an issue before the error\r\n"
                                          "Error--------------------------start\r\n"))
        << log;
    EXPECT_TRUE(log.ends_with("Error---------------------------------end\r\n")) << log;
}

}  // namespace
}  // namespace kavo::reporting
