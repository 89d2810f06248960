// The trace of every input line and the history of the last ten lines.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "platform/file_system.h"
#include "reporting/reporter.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::reporting {
namespace {

const std::string kHeaderRow =
    "\"*** Line input ***\",\"*** what ***\",\"*** File ***\",\"*** file # ***\"\r\n";

class TraceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto sink = std::make_unique<std::ostringstream>();
        trace = sink.get();
        reporter.OpenTrace(std::move(sink));
    }
    std::string Input(const std::string& name, const std::string& bytes) {
        return dir.Write(name, bytes).string();
    }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    Reporter reporter{window, numbers};
    std::ostringstream* trace = nullptr;
};

TEST_F(TraceTest, OpensWithTheHeaderRowAndTheStartEntry) {
    EXPECT_EQ(trace->str(), kHeaderRow);
    ASSERT_EQ(reporter.history().size(), 1u);
    EXPECT_EQ(reporter.history()[0].line, "----START SETUP----");
    EXPECT_EQ(reporter.history()[0].fileName, "");
    EXPECT_EQ(reporter.history()[0].description, "");
}

TEST_F(TraceTest, ReopeningClearsTheHistoryAndStartsANewFile) {
    reporter.RememberLine("a", "f", "d");
    auto second = std::make_unique<std::ostringstream>();
    std::ostringstream* secondTrace = second.get();
    reporter.OpenTrace(std::move(second));
    EXPECT_EQ(secondTrace->str(), kHeaderRow);
    ASSERT_EQ(reporter.history().size(), 1u);
    EXPECT_EQ(reporter.history()[0].line, "----START SETUP----");
}

TEST_F(TraceTest, KeepsTheTenMostRecentLinesNewestFirst) {
    for (int i = 1; i <= 11; ++i) {
        std::string n = std::to_string(i);
        reporter.RememberLine("line" + n, "file" + n, "what" + n);
    }
    const auto& history = reporter.history();
    ASSERT_EQ(history.size(), kHistorySize);
    EXPECT_EQ(history[0].line, "line11");
    EXPECT_EQ(history[9].line, "line2");
    EXPECT_EQ(history[9].fileName, "file2");
    EXPECT_EQ(history[9].description, "what2");
    for (const HistoryEntry& entry : history) {
        EXPECT_NE(entry.line, "line1");
        EXPECT_NE(entry.line, "----START SETUP----");
    }
}

TEST_F(TraceTest, OpeningRecordsTheFileButWritesNoRow) {
    std::string path = Input("data.csv", "x\r\n");
    TracedInput file;
    ASSERT_TRUE(reporter.TraceOpenForReading(file, path, "soundings database"));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.number(), 1);
    EXPECT_EQ(file.path(), path);
    EXPECT_EQ(reporter.history()[0].line, "----OPEN File----");
    EXPECT_EQ(reporter.history()[0].fileName, path);
    EXPECT_EQ(reporter.history()[0].description, "soundings database");
    EXPECT_EQ(trace->str(), kHeaderRow);
}

TEST_F(TraceTest, AFileThatCannotBeOpenedHoldsNoNumber) {
    TracedInput file;
    EXPECT_FALSE(reporter.TraceOpenForReading(file, (dir.path() / "missing.csv").string(), "x"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.number(), 0);
    EXPECT_EQ(reporter.history()[0].line, "----OPEN File----");
    EXPECT_EQ(numbers.Allocate(), 1);
}

TEST_F(TraceTest, WritesEachLineAsOneQuotedRowUnchanged) {
    std::string path = Input("a.csv", "plain\r\nhas, commas and \"quotes\"\n\n");
    TracedInput other;
    TracedInput file;
    ASSERT_TRUE(reporter.TraceOpenForReading(other, path, "first"));
    ASSERT_TRUE(reporter.TraceOpenForReading(file, path, "second"));
    ASSERT_EQ(file.number(), 2);
    std::string line;
    ASSERT_TRUE(reporter.TraceLineInput(file, line, "a.csv", "header"));
    EXPECT_EQ(line, "plain");
    ASSERT_TRUE(reporter.TraceLineInput(file, line, "a.csv", "row"));
    EXPECT_EQ(line, "has, commas and \"quotes\"");
    ASSERT_TRUE(reporter.TraceLineInput(file, line, "a.csv", "blank row"));
    EXPECT_EQ(line, "");
    EXPECT_EQ(trace->str(), kHeaderRow +
                                "\"plain\",\"header\",\"a.csv\",2\r\n"
                                "\"has, commas and \"quotes\"\",\"row\",\"a.csv\",2\r\n"
                                "\"\",\"blank row\",\"a.csv\",2\r\n");
    EXPECT_EQ(reporter.history()[1].line, "has, commas and \"quotes\"");
    EXPECT_EQ(reporter.history()[1].fileName, "a.csv");
    EXPECT_EQ(reporter.history()[1].description, "row");
}

TEST_F(TraceTest, ReadingPastTheEndChangesNothing) {
    std::string path = Input("one.csv", "only line");
    TracedInput file;
    ASSERT_TRUE(reporter.TraceOpenForReading(file, path, "x"));
    std::string line;
    ASSERT_TRUE(reporter.TraceLineInput(file, line, "one.csv", "x"));
    EXPECT_EQ(line, "only line");
    EXPECT_TRUE(file.AtEnd());
    std::string traceBefore = trace->str();
    auto historyBefore = reporter.history();

    line = "stale";
    EXPECT_FALSE(reporter.TraceLineInput(file, line, "one.csv", "x"));
    EXPECT_EQ(line, "");
    EXPECT_EQ(trace->str(), traceBefore);
    ASSERT_EQ(reporter.history().size(), historyBefore.size());
    EXPECT_EQ(reporter.history()[0].line, historyBefore[0].line);
}

TEST_F(TraceTest, ClosingAFileFreesItsNumber) {
    std::string path = Input("n.csv", "1\r\n");
    TracedInput first;
    TracedInput second;
    ASSERT_TRUE(reporter.TraceOpenForReading(first, path, "x"));
    ASSERT_TRUE(reporter.TraceOpenForReading(second, path, "x"));
    EXPECT_EQ(second.number(), 2);
    first.Close();
    EXPECT_EQ(first.number(), 0);
    EXPECT_FALSE(first.IsOpen());
    {
        TracedInput third;
        ASSERT_TRUE(reporter.TraceOpenForReading(third, path, "x"));
        EXPECT_EQ(third.number(), 1);
    }
    EXPECT_EQ(numbers.Allocate(), 1);
}

TEST_F(TraceTest, ReadsNumbersAndRecordsTheirTextWithoutARow) {
    std::string path = Input("n.csv", "1.5, abc\r\n-2.25E1\r\n1e39,7");
    TracedInput file;
    ASSERT_TRUE(reporter.TraceOpenForReading(file, path, "x"));
    struct Expected {
        float value;
        bool atEnd;
        const char* remembered;
    };
    for (const Expected& e : {Expected{1.5f, false, "1.5"}, Expected{-5435.0f, false, "-5435"},
                              Expected{-22.5f, false, "-22.5"}, Expected{-5435.0f, false, "-5435"},
                              Expected{7.0f, true, "7"}}) {
        float value = 0;
        bool atEnd = false;
        ASSERT_TRUE(reporter.TraceNumberInput(file, value, atEnd, "n.csv", "number"));
        EXPECT_EQ(value, e.value);
        EXPECT_EQ(atEnd, e.atEnd);
        EXPECT_EQ(reporter.history()[0].line, e.remembered);
        EXPECT_EQ(reporter.history()[0].fileName, "n.csv");
    }
    float value = 0;
    bool atEnd = false;
    EXPECT_FALSE(reporter.TraceNumberInput(file, value, atEnd, "n.csv", "number"));
    EXPECT_EQ(value, -5435.0f);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(trace->str(), kHeaderRow);
}

// Reads the lines of two files, the first in runs around the second, and a number.
void ReadSomeInput(Reporter& reader, const std::string& first, const std::string& second) {
    TracedInput a;
    TracedInput b;
    std::string line;
    reader.TraceOpenForReading(a, first, "first");
    reader.TraceOpenForReading(b, second, "second");
    for (int i = 0; i < 13; ++i) {
        reader.TraceLineInput(a, line, "a.csv", i == 0 ? "header" : "row");
    }
    reader.TraceLineInput(b, line, "b.csv", "row");
    reader.TraceLineInput(b, line, "b.csv", "row");
    reader.TraceLineInput(a, line, "a.csv", "row");
    float value = 0;
    bool atEnd = false;
    reader.TraceNumberInput(b, value, atEnd, "b.csv", "number");
    // A last run longer than the history.
    for (int i = 0; i < 12; ++i) {
        reader.TraceLineInput(a, line, "a.csv", "row");
    }
}

TEST_F(TraceTest, AJournalLeavesTheSameTraceAndHistoryAsReadingInTurn) {
    std::string first;
    for (int i = 1; i <= 30; ++i) {
        first += "a" + std::to_string(i) + "\r\n";
    }
    const std::string a = Input("a.csv", first);
    const std::string b = Input("b.csv", "b1\r\nb2\r\n7,8\r\n");
    ReadSomeInput(reporter, a, b);

    testing::RecordingWindow targetWindow;
    platform::FileNumbers targetNumbers;
    Reporter target{targetWindow, targetNumbers};
    auto sink = std::make_unique<std::ostringstream>();
    std::ostringstream* targetTrace = sink.get();
    target.OpenTrace(std::move(sink));
    testing::RecordingWindow recorderWindow;
    platform::FileNumbers recorderNumbers;
    Reporter recorder{recorderWindow, recorderNumbers};
    Journal journal;
    recorder.RecordInto(target, journal);
    ReadSomeInput(recorder, a, b);
    journal.Apply();

    EXPECT_EQ(targetTrace->str(), trace->str());
    ASSERT_EQ(target.history().size(), reporter.history().size());
    for (std::size_t i = 0; i < reporter.history().size(); ++i) {
        EXPECT_EQ(target.history()[i].line, reporter.history()[i].line) << i;
        EXPECT_EQ(target.history()[i].fileName, reporter.history()[i].fileName) << i;
        EXPECT_EQ(target.history()[i].description, reporter.history()[i].description) << i;
    }
}

}  // namespace
}  // namespace kavo::reporting
