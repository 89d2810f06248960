// The lowest-Qc depth setting, the sort of the zero-load entries and the file's opening.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/file_system.h"
#include "support/temp_dir.h"
#include "tools/errors.h"
#include "zeroload/zero_load_file.h"
#include "zeroload/zero_load_sort.h"

namespace kavo::zeroload {
namespace {

struct DepthCase {
    const char* text;
    const char* code;  // "" when accepted
    float depth;
};

class LowestQcDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(LowestQcDepthTest, AcceptsOnlyDepthsBetweenHalfAFootAndTenFeet) {
    const DepthCase& c = GetParam();
    if (std::string(c.code).empty()) {
        EXPECT_FLOAT_EQ(CheckLowestQcDepth(c.text), c.depth);
        return;
    }
    try {
        CheckLowestQcDepth(c.text);
        FAIL() << "accepted " << c.text;
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), c.code);
        EXPECT_EQ(error.description().substr(error.description().size() - strlen(c.text)), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LowestQcDepthTest,
    ::testing::Values(DepthCase{"0.5", "LFE551", 0}, DepthCase{"10", "LFE178", 0},
                      DepthCase{"12.5", "LFE178", 0}, DepthCase{"0.51", "", 0.51f},
                      DepthCase{"9.99", "", 9.99f}, DepthCase{" 2 ", "", 2.0f},
                      DepthCase{"-1", "LFE551", 0}, DepthCase{"abc", "LFE543", 0},
                      DepthCase{"", "LFE543", 0}));

TEST(LowestQcDepth, MessagesQuoteTheSettingText) {
    try {
        CheckLowestQcDepth("abc");
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.description(),
                  "setting depth to look for lowest Qc is not a number, i.e. abc");
    }
    try {
        CheckLowestQcDepth("0.5");
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.description(),
                  "setting depth to look for lowest Qc is TOO Shallow , i.e. 0.5");
    }
}

TEST(BubbleSortIndex, OrdersPositionsSoTheKeysAscend) {
    EXPECT_EQ(BubbleSortIndex({"c", "a", "b"}), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(BubbleSortIndex({}), std::vector<int>{});
    EXPECT_EQ(BubbleSortIndex({"only"}), std::vector<int>{1});
    // Equal keys keep their order; the comparison is ordinal, capitals before small letters.
    EXPECT_EQ(BubbleSortIndex({"b", "a", "b", "B"}), (std::vector<int>{4, 2, 1, 3}));
}

TEST(BubbleSortIndex, SortsAThousandKeysAndRefusesMore) {
    std::vector<std::string> keys;
    for (int i = 1000; i >= 1; --i) {
        keys.push_back("Device=x...CPT=" + std::to_string(10000 + i));
    }
    std::vector<int> order = BubbleSortIndex(keys);
    ASSERT_EQ(order.size(), 1000u);
    EXPECT_EQ(order.front(), 1000);
    EXPECT_EQ(order.back(), 1);
    keys.push_back("one too many");
    try {
        BubbleSortIndex(keys);
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "BS283");
    }
}

TEST(ZeroLoadFile, IsNamedAfterTheProjectAndAppearsOnlyWhenCommitted) {
    testing::TempDir dir;
    files::DataArea area{dir.text(), "P1"};
    std::filesystem::create_directories(dir.path() / "Projects" / "p1");
    const auto existing =
        dir.path() / "Projects" / "p1" / "Kavo---Output---Zero_Load_Data---P1.txt";
    dir.Write("Projects/p1/Kavo---Output---Zero_Load_Data---P1.txt", "earlier run\r\n");
    {
        ZeroLoadFile file;
        OpenZeroLoadFile(file, area, "2");
        EXPECT_FLOAT_EQ(file.lowestQcDepth, 2.0f);
        EXPECT_NE(file.name.find("Kavo---Output---Zero_Load_Data---P1.txt"), std::string::npos);
        file.output.WriteLine("half");
        // The run ends before the file is complete: the earlier file stays.
    }
    EXPECT_EQ(testing::ReadFile(existing), "earlier run\r\n");
}

TEST(ZeroLoadFile, ABadSettingOpensNothing) {
    testing::TempDir dir;
    files::DataArea area{dir.text(), "P1"};
    ZeroLoadFile file;
    EXPECT_THROW(OpenZeroLoadFile(file, area, "10"), tools::DataError);
    EXPECT_FALSE(file.output.IsOpen());
}

TEST(ZeroLoadFile, AMissingProjectFolderIsADataError) {
    testing::TempDir dir;
    files::DataArea area{dir.text(), "NoSuchProject"};
    ZeroLoadFile file;
    try {
        OpenZeroLoadFile(file, area, "2");
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "ZF101");
    }
}

}  // namespace
}  // namespace kavo::zeroload
