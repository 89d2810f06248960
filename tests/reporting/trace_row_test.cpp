// Rows of the input-lines trace read back for display, also those whose line holds quotes
// and commas.
#include "reporting/trace_row.h"

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

struct RowCase {
    std::string text;
    std::string line, description, fileName, fileNumber;
};

TEST(ParseTraceRow, CutsTheFourFieldsFromTheEnd) {
    const RowCase cases[] = {
        {"\"KV-01,KAVO-CONE-01,8\",\"hog reading oneline\",\"/d/x.csv\",3\r",
         "KV-01,KAVO-CONE-01,8", "hog reading oneline", "/d/x.csv", "3"},
        {"\"ExampleOne,\"Example One\",\"EX-1\",1/2/2026\",\"each project\",\"/d/P.csv\",12",
         "ExampleOne,\"Example One\",\"EX-1\",1/2/2026", "each project", "/d/P.csv", "12"},
        {"\"\",\"blank line\",\"f.CPT\",1", "", "blank line", "f.CPT", "1"},
        {"\"a\",\"\",\"\",0", "a", "", "", "0"},
    };
    for (const RowCase& c : cases) {
        const auto row = ParseTraceRow(c.text);
        ASSERT_TRUE(row.has_value()) << c.text;
        EXPECT_EQ(row->line, c.line) << c.text;
        EXPECT_EQ(row->description, c.description) << c.text;
        EXPECT_EQ(row->fileName, c.fileName) << c.text;
        EXPECT_EQ(row->fileNumber, c.fileNumber) << c.text;
    }
}

TEST(ParseTraceRow, RefusesTextsThatAreNoRow) {
    for (const char* text : {"", "plain text", "\"only\",1", "\"a\",\"b\",3", "a\",\"b\",\"c\",1",
                             "\"a\",\"b\",\"c\""}) {
        EXPECT_FALSE(ParseTraceRow(text).has_value()) << text;
    }
}

TEST(ParseTraceRow, ReadsBackWhatTheTraceWrote) {
    testing::TempDir dir;
    const std::string input =
        dir.Write("in.csv", "x,\"quoted, with comma\",\"\",y\r\n\r\nlast\r\n").string();
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    Reporter reporter(window, numbers);
    auto sink = std::make_unique<std::ostringstream>();
    std::ostringstream* trace = sink.get();
    reporter.OpenTrace(std::move(sink));
    TracedInput file;
    ASSERT_TRUE(reporter.TraceOpenForReading(file, input, "reading"));
    std::string line;
    std::vector<std::string> read;
    while (reporter.TraceLineInput(file, line, "in.csv", "each row")) {
        read.push_back(line);
    }

    std::istringstream written(trace->str());
    std::string row;
    std::getline(written, row);  // the heading row
    for (const std::string& expected : read) {
        ASSERT_TRUE(std::getline(written, row));
        const auto parsed = ParseTraceRow(row);
        ASSERT_TRUE(parsed.has_value()) << row;
        EXPECT_EQ(parsed->line, expected);
        EXPECT_EQ(parsed->description, "each row");
        EXPECT_EQ(parsed->fileName, "in.csv");
        EXPECT_EQ(parsed->fileNumber, std::to_string(file.number()));
    }
    EXPECT_EQ(read.size(), 3u);
}

}  // namespace
}  // namespace kavo::reporting
