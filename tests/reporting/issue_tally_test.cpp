// The issue summary: issues counted by sounding and by kind, and the table an engineer reads.
#include "reporting/issue_tally.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "reporting/reporter.h"
#include "support/recording_window.h"

namespace kavo::reporting {
namespace {

IssueClass Range(const std::string& property, bool missing) {
    return {IssueKind::OutOfRange, property, missing};
}

TEST(IssueTally, TableCountsBySoundingAndByKind) {
    IssueTally tally;
    tally.Add("", Range("QC1", true));
    tally.Add("KV-01", Range("IC", true));
    tally.Add("KV-01", Range("IC", false));
    tally.Add("KV-01", Range("CRRE", false));
    tally.Add("KV-02", {IssueKind::PoorClosure, "", false});
    tally.Add("KV-01", {IssueKind::UnstableExponent, "", false});
    tally.Add("KV-02", {});
    EXPECT_EQ(tally.total(), 7);
    const std::vector<std::string> expected = {
        "Issue summary: 7 issues",
        "(out of range: missing = a missing input, outside = a real value beyond it)",
        "Issues by sounding     issues  missing  outside  closure  unstable  other",
        "  (outside soundings)       1        1        0        0         0      0",
        "  KV-01                     4        1        2        0         1      0",
        "  KV-02                     2        0        0        1         0      1",
        "  all soundings             7        2        2        1         1      1",
        "Issues by kind                issues  missing  outside",
        "  out of range: CRRE               1        0        1",
        "  out of range: IC                 2        1        1",
        "  out of range: QC1                1        1        0",
        "  poor closure of exponent c       1",
        "  unstable exponent c              1",
        "  other                            1",
    };
    EXPECT_EQ(tally.SummaryLines(), expected);
}

TEST(IssueTally, NoIssuesSaySo) {
    EXPECT_EQ(IssueTally{}.SummaryLines(), std::vector<std::string>{"Issue summary: no issues"});
}

// Every issue the counter counts is in the tally, under the sounding its context line names,
// whichever writer logged it; other kinds of line are not counted.
TEST(IssueTally, ReporterTalliesEveryCountedIssue) {
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    Reporter reporter(window, numbers);
    reporter.OpenTasksLog(std::make_unique<std::ostringstream>(), "C", "V", "D", "T");
    reporter.LogLine(6, "not standard", LogKind::Issue);
    reporter.ReportProgress({"", "", "KV-07", "", "", "", "", ""});
    reporter.LogIssueWithContext("out of range", Range("SU1", true));
    reporter.LogIssue(6, "At depth=3", {IssueKind::UnstableExponent, "", false});
    reporter.LogIssueWithContext("Done with UWT file", LogKind::Task);
    EXPECT_EQ(reporter.issueCount(), 3);
    EXPECT_EQ(reporter.issues().total(), 3);
    const std::vector<std::string> lines = reporter.issues().SummaryLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3].substr(0, 21), "  (outside soundings)");
    EXPECT_EQ(lines[4].substr(0, 7), "  KV-07");

    // A new log starts a new count.
    reporter.OpenTasksLog(std::make_unique<std::ostringstream>(), "C", "V", "D", "T");
    EXPECT_EQ(reporter.issues().total(), 0);
}

}  // namespace
}  // namespace kavo::reporting
