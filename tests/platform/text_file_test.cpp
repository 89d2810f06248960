// Text files: reading CR LF and LF lines and comma-separated items, writing CR LF, and
// replacing a file only when the new one is complete.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace kavo::platform {
namespace {

std::vector<std::string> AllLines(const std::string& path) {
    TextInput input;
    EXPECT_TRUE(input.Open(path));
    std::vector<std::string> lines;
    std::string line;
    while (input.ReadLine(line)) {
        lines.push_back(line);
    }
    EXPECT_TRUE(input.AtEnd());
    EXPECT_EQ(line, "");
    return lines;
}

// A file cut short shows in its last line: no line end follows it.
TEST(TextInput, TellsWhetherTheLastLineHadALineEnd) {
    testing::TempDir dir;
    const struct {
        const char* bytes;
        int lines;
        bool ended;
    } cases[] = {
        {"a\r\nb\r\n", 2, true},
        {"a\nb", 2, false},
        {"a\r\nb\r", 2, false},
        {"", 0, true},
    };
    for (const auto& c : cases) {
        TextInput input;
        ASSERT_TRUE(input.Open(dir.Write("f.txt", c.bytes).string()));
        std::string line;
        while (input.ReadLine(line)) {
        }
        EXPECT_EQ(input.LinesRead(), c.lines) << c.bytes;
        EXPECT_EQ(input.LastLineEnded(), c.ended) << c.bytes;
    }
}

TEST(TextInput, ReadsCrLfAndLfLinesAndALastLineWithoutEnd) {
    testing::TempDir dir;
    struct Case {
        const char* bytes;
        std::vector<std::string> lines;
    };
    for (const Case& c : {
             Case{"a\r\nb\r\n", {"a", "b"}},
             Case{"a\nb\n", {"a", "b"}},
             Case{"a\r\nb\nlast", {"a", "b", "last"}},
             Case{"\r\n\r\nx", {"", "", "x"}},
             Case{"", {}},
         }) {
        auto path = dir.Write("f.txt", c.bytes).string();
        EXPECT_EQ(AllLines(path), c.lines) << c.bytes;
    }
}

TEST(TextInput, OpensWithoutRegardToCaseAndRefusesFolders) {
    testing::TempDir dir;
    dir.Write("Sub/File.TXT", "x");
    TextInput input;
    EXPECT_TRUE(input.Open(dir.text() + "\\sub\\file.txt"));
    EXPECT_FALSE(input.Open(dir.text() + "\\sub"));
    EXPECT_FALSE(input.IsOpen());
    EXPECT_TRUE(input.AtEnd());
    EXPECT_FALSE(input.Open(dir.text() + "\\sub\\none.txt"));
}

TEST(TextInput, ReadsCommaAndLineSeparatedItems) {
    testing::TempDir dir;
    auto path = dir.Write("items.csv", " 1.5 ,\"a, b\" , x\r\n\r\nlast").string();
    TextInput input;
    ASSERT_TRUE(input.Open(path));
    std::vector<std::string> items;
    std::string item;
    while (input.ReadItem(item)) {
        items.push_back(item);
    }
    EXPECT_EQ(items, (std::vector<std::string>{"1.5", "a, b", "x", "", "last"}));
}

TEST(TextOutput, EndsEveryLineWithCrLfAndAppends) {
    testing::TempDir dir;
    std::string path = (dir.path() / "out.txt").string();
    {
        TextOutput out;
        ASSERT_TRUE(out.Open(path, TextOutput::Mode::Replace));
        out.Write("a,");
        out.WriteLine("b");
        out.WriteLine("");
        EXPECT_TRUE(out.Commit());
    }
    EXPECT_EQ(testing::ReadFile(path), "a,b\r\n\r\n");
    {
        TextOutput out;
        ASSERT_TRUE(out.Open(path, TextOutput::Mode::Append));
        out.WriteLine("c");
    }
    EXPECT_EQ(testing::ReadFile(path), "a,b\r\n\r\nc\r\n");
    {
        TextOutput out;
        ASSERT_TRUE(out.Open(path, TextOutput::Mode::Replace));
        out.WriteLine("new");
    }
    EXPECT_EQ(testing::ReadFile(path), "new\r\n");
}

TEST(TextOutput, ReplacesWhenCompleteOnlyOnCommit) {
    testing::TempDir dir;
    auto path = dir.Write("Table_Q1o.txt", "old\r\n");
    {
        TextOutput out;
        ASSERT_TRUE(out.Open(path.string(), TextOutput::Mode::ReplaceWhenComplete));
        out.WriteLine("half a table");
        EXPECT_EQ(testing::ReadFile(path), "old\r\n");
    }
    EXPECT_EQ(testing::ReadFile(path), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    {
        TextOutput out;
        ASSERT_TRUE(
            out.Open(dir.text() + "\\TABLE_q1o.TXT", TextOutput::Mode::ReplaceWhenComplete));
        out.WriteLine("whole table");
        EXPECT_TRUE(out.Commit());
    }
    EXPECT_EQ(testing::ReadFile(path), "whole table\r\n");
}

// A full disk or a folder in the file's place gives the system's reason, never "Success".
TEST(TextOutput, KeepsTheReasonOfAFailedWriteOrReplacement) {
    TextOutput full;
    ASSERT_TRUE(full.Open("/dev/full", TextOutput::Mode::Replace));
    full.WriteLine(std::string(1 << 16, 'x'));
    EXPECT_FALSE(full.Commit());
    EXPECT_EQ(full.errorNumber(), ENOSPC);

    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "table.txt");
    TextOutput blocked;
    ASSERT_TRUE(blocked.Open(dir.text() + "/table.txt", TextOutput::Mode::ReplaceWhenComplete));
    blocked.WriteLine("whole table");
    EXPECT_FALSE(blocked.Commit());
    EXPECT_EQ(blocked.errorNumber(), EISDIR);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "table.txt.kavo-partial"));
}

TEST(TextOutput, ReportsAFolderThatCannotBeWritten) {
    testing::TempDir dir;
    TextOutput out;
    EXPECT_FALSE(out.Open(dir.text() + "/missing/out.txt", TextOutput::Mode::Replace));
    EXPECT_NE(out.errorNumber(), 0);
    EXPECT_FALSE(out.Commit());
}

}  // namespace
}  // namespace kavo::platform
