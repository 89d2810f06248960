// The kavo command's split-line action, run as a separate program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace {

struct CommandResult {
    std::string out;
    int status = -1;
};

// Runs the built kavo with the arguments (already quoted for the shell); stderr is dropped.
CommandResult RunKavo(const std::string& arguments) {
    const kavo::testing::TempDir dataRoot;
    const std::string command = std::string("'") + std::getenv("KAVO_BIN") + "' --data-root '" +
                                dataRoot.text() + "' " + arguments + " 2>/dev/null";
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class SplitLineCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* bin = std::getenv("KAVO_BIN");
        if (bin == nullptr || *bin == '\0') {
            GTEST_SKIP() << "KAVO_BIN is not set";
        }
    }
};

TEST_F(SplitLineCommand, ListsTheFieldsOfTheSelfTestLine) {
    CommandResult result = RunKavo(
        "split-line --blanks --commas --key-value "
        "' 1a, =2bc, \"3abcd,, =,4abcde,,5abcdef=\", ,6abc,, 7a 8'");
    const std::string expected =
        "LINE-----> 1a, =2bc, \"3abcd,, =,4abcde,,5abcdef=\", ,6abc,, 7a 8<-----\n"
        " \n"
        "#  item\n"
        "1) 1a\n"
        "2) =\n"
        "3) 2bc\n"
        "4) 3abcd\n"
        "5) \n"
        "6) =\n"
        "7) 4abcde\n"
        "8) \n"
        "9) 5abcdef\n"
        "10) =\n"
        "11) \n"
        "12) 6abc\n"
        "13) \n"
        "14) 7a\n"
        "15) 8\n";
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, expected);
}

TEST_F(SplitLineCommand, ListsTheFieldsWithoutOptions) {
    CommandResult result = RunKavo("split-line 'a,,\"b c\",'");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "LINE----->a,,\"b c\",<-----\n \n#  item\n1) a\n2) \n3) b c\n");
}

TEST_F(SplitLineCommand, EndsWithStatusOneForAnOddNumberOfQuotes) {
    CommandResult result = RunKavo("split-line 'a,\"b,c'");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out.find("1) "), std::string::npos) << result.out;
}

}  // namespace
