// The kavo command's split-line action, run as a separate program.
#include <gtest/gtest.h>

#include <string>

#include "support/kavo_command.h"
#include "support/temp_dir.h"

namespace {

using kavo::testing::KavoResult;

class SplitLineCommand : public kavo::testing::KavoCommandTest {
  protected:
    // Runs the built kavo on an empty data area with the arguments (already quoted for the shell).
    KavoResult RunKavo(const std::string& arguments) {
        return kavo::testing::RunKavo(dataRoot.path(), arguments);
    }

    kavo::testing::TempDir dataRoot;
};

TEST_F(SplitLineCommand, ListsTheFieldsOfTheSelfTestLine) {
    KavoResult result = RunKavo(
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
    KavoResult result = RunKavo("split-line 'a,,\"b c\",'");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "LINE----->a,,\"b c\",<-----\n \n#  item\n1) a\n2) \n3) b c\n");
}

TEST_F(SplitLineCommand, EndsWithStatusOneForAnOddNumberOfQuotes) {
    KavoResult result = RunKavo("split-line 'a,\"b,c'");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out.find("1) "), std::string::npos) << result.out;
}

}  // namespace
