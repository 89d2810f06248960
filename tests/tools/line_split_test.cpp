// Splitting input lines into fields, key=value pairs and column IDs.
#include "tools/line_split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tools/errors.h"

namespace kavo::tools {
namespace {

using Fields = std::vector<std::string>;

constexpr SplitOptions kNone{};
constexpr SplitOptions kBlanks{.blanksSeparate = true};
constexpr SplitOptions kCommas{.resplitCommas = true};
constexpr SplitOptions kKeyValue{.splitKeyValue = true};
constexpr SplitOptions kAll{.splitKeyValue = true, .blanksSeparate = true, .resplitCommas = true};

struct SplitCase {
    std::string what;
    std::string line;
    SplitOptions options;
    Fields fields;
};

TEST(SplitLine, CutsLinesByTheSystemsRules) {
    const SplitCase cases[] = {
        {"adjacent commas give an empty field", "a,,b", kNone, {"a", "", "b"}},
        {"one trailing empty field is dropped", "a,b,", kNone, {"a", "b"}},
        {"a second trailing empty field stays", "a,b,,", kNone, {"a", "b", ""}},
        {"a lone comma keeps one empty field", ",", kNone, {""}},
        {"fields are trimmed", " x ", kNone, {"x"}},
        {"blanks inside a field stay without blank splitting", "a b , c", kNone, {"a b", "c"}},
        {"tabs are not trimmed", "\ta\t,b", kNone, {"\ta\t", "b"}},
        {"a blank before a comma separates", "a , b", kBlanks, {"a", "", "b"}},
        {"blanks separate values", "7a 8", kBlanks, {"7a", "8"}},
        {"several blanks give one break", "a    b", kBlanks, {"a", "b"}},
        {"leading blanks give nothing", "   a", kBlanks, {"a"}},
        {"a trailing blank gives no field", "a ", kBlanks, {"a"}},
        {"a quoted field alone", "\"abc\"", kNone, {"abc"}},
        {"quoted text is trimmed", "\" a b \",c", kNone, {"a b", "c"}},
        {"a blank inside quotes never separates", "\"a b\" c", kBlanks, {"a b", "c"}},
        {"a comma inside quotes stays", "\"a,b\",c", kNone, {"a,b", "c"}},
        {"text after a closing quote is dropped", "\"x\" y,z", kNone, {"x", "z"}},
        {"blanks end a closing quote's field", "\"x\" y,z", kBlanks, {"x", "y", "z"}},
        {"text before an opening quote is dropped", "ab\"cd\",e", kNone, {"cd", "e"}},
        {"a doubled quote ends the field", "\"a\"\"b\"", kNone, {"a", "\"b\""}},
        {"an empty quoted field", "\"\",x", kNone, {"", "x"}},
        {"commas are cut again, also inside quotes", "\"a,,b\",c", kCommas, {"a", "", "b", "c"}},
        {"a leading comma is cut again", "\", a\"", kCommas, {"", "a"}},
        {"equals signs are cut out", "a=b=c", kKeyValue, {"a", "=", "b", "=", "c"}},
        {"a leading equals sign", "=x", kKeyValue, {"=", "x"}},
        {"a closing equals sign", "x =", kKeyValue, {"x", "="}},
        {"a lone equals sign stays", "=", kKeyValue, {"="}},
        {"the self-test line without options",
         SelfTestLine(),
         kNone,
         {"1a", "=2bc", "3abcd,, =,4abcde,,5abcdef=", "", "6abc", "", "7a 8"}},
        {"the self-test line with all options",
         SelfTestLine(),
         kAll,
         {"1a", "=", "2bc", "3abcd", "", "=", "4abcde", "", "5abcdef", "=", "", "6abc", "", "7a",
          "8"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLine(c.line, c.options, 40), c.fields) << c.what << ": " << c.line;
    }
}

TEST(SplitLine, GivesNoFieldsForABlankLine) {
    EXPECT_TRUE(SplitLine("", kAll, 5).empty());
    EXPECT_TRUE(SplitLine("    ", kAll, 5).empty());
}

TEST(SplitLine, ResplittingStopsNinetyNineFieldsBeyondTheStartingCount) {
    // One quoted field of 151 values; the line's closing quote adds an empty second field,
    // so the comma pass handles fields 1 to 101 and leaves the rest in field 102.
    std::string values;
    for (int i = 0; i < 150; ++i) {
        values += "x,";
    }
    values += "x";
    Fields fields = SplitLine("\"" + values + "\"", kCommas, 200);
    ASSERT_EQ(fields.size(), 102u);
    for (std::size_t i = 0; i < 101; ++i) {
        ASSERT_EQ(fields[i], "x") << i;
    }
    std::string rest = values.substr(2 * 101);
    EXPECT_EQ(fields[101], rest);
    EXPECT_EQ(std::count(rest.begin(), rest.end(), ','), 49);
}

TEST(SplitLine, RejectsAnOddNumberOfQuotes) {
    try {
        SplitLine("a,\"b,c", kNone, 10);
        FAIL() << "no error for an odd number of quotes";
    } catch (const DataError& error) {
        EXPECT_EQ(error.code(), "ER932");
        EXPECT_EQ(error.description(), "for line=`a,\"b,c`, the quotos don't equal");
    }
}

TEST(SplitLine, RejectsALineWithMoreFieldsThanTheCallerHolds) {
    const struct {
        std::string line;
        SplitOptions options;
        std::size_t capacity;
    } tooMany[] = {
        {"a,b,c,d", kNone, 3},
        {"\"a,b,c\"", kCommas, 2},
        {"a=b", kKeyValue, 2},
        {"x", kNone, 0},
    };
    for (const auto& c : tooMany) {
        try {
            SplitLine(c.line, c.options, c.capacity);
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const DataError& error) {
            EXPECT_EQ(error.code(), "ER933");
            EXPECT_NE(error.description().find("`" + c.line + "`"), std::string::npos)
                << error.description();
        }
    }
}

TEST(SplitLine, AcceptsALineThatFillsTheCapacityExactly) {
    EXPECT_EQ(SplitLine("a,b,c", kNone, 3).size(), 3u);
    // The trailing empty field is dropped before the fields are counted.
    EXPECT_EQ(SplitLine("a,b,c,", kNone, 3).size(), 3u);
}

TEST(SplitLine, HandsTheResultToTheBreakdown) {
    std::vector<std::string> seenLines;
    Fields seenFields;
    auto sink = [&](std::string_view line, const Fields& fields) {
        seenLines.emplace_back(line);
        seenFields = fields;
    };
    SplitLine("p, q", kNone, 5, sink);
    SplitLine("   ", kNone, 5, sink);
    ASSERT_EQ(seenLines.size(), 1u);
    EXPECT_EQ(seenLines[0], "p, q");
    EXPECT_EQ(seenFields, (Fields{"p", "q"}));
}

TEST(SplitKeyValue, CutsAtTheFirstEqualsSign) {
    const struct {
        std::string line;
        KeyValue expected;
    } cases[] = {
        {" last_project = P2 ", {"last_project", "P2", true}},
        {"\"SLD_CHARTID\"=,\"CQC\",", {"SLD_CHARTID", "CQC", true}},
        {"EOH", {"", "", false}},
        {"a=b=c", {"a", "b=c", true}},
        {"=", {"", "", true}},
        {"key=\",\"", {"key", "", true}},
        {",\"x\", y=1", {"x\", y", "1", true}},
    };
    for (const auto& c : cases) {
        KeyValue got = SplitKeyValue(c.line);
        EXPECT_EQ(got.key, c.expected.key) << c.line;
        EXPECT_EQ(got.value, c.expected.value) << c.line;
        EXPECT_EQ(got.found, c.expected.found) << c.line;
    }
}

TEST(ColumnIdOf, TakesTheUpperCasedTextBetweenTheBraces) {
    const struct {
        std::string cell;
        std::string id;
        bool bad;
    } cases[] = {
        {" {sounding_name} Name of sounding", "SOUNDING_NAME", false},
        {"{ qc_tln_atm }", "QC_TLN_ATM", false},
        {"Depth {ft} in feet {m}", "FT", false},
        {"}x{y}", "Y", false},
        {"{}", "", false},
        {"", "ENDOFLIST", true},
        {"Name of sounding", "ENDOFLIST", true},
    };
    for (const auto& c : cases) {
        ColumnIdResult got = ColumnIdOf(c.cell);
        EXPECT_EQ(got.id, c.id) << c.cell;
        EXPECT_EQ(got.bad, c.bad) << c.cell;
    }
}

TEST(ColumnIdOf, MarksAnUnclosedBraceAsBad) {
    EXPECT_TRUE(ColumnIdOf("{qc_tln_atm cone resistance").bad);
    EXPECT_TRUE(ColumnIdOf("} {qc").bad);
}

TEST(NumberOrNull, GivesTheNumberOrTheNullMarker) {
    const struct {
        std::string text;
        float value;
    } cases[] = {
        {"", -5435.0f},     {"   ", -5435.0f},   {"abc", -5435.0f},     {" 12.5 ", 12.5f},
        {"-3", -3.0f},      {"+0.5", 0.5f},      {".5", 0.5f},          {"0.1", 0.1f},
        {"1e39", -5435.0f}, {"-1e39", -5435.0f}, {"-3.4e38", -3.4e38f}, {"1e-50", 0.0f},
        {"12,5", -5435.0f}, {"-5435", -5435.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberOrNull(c.text), c.value) << "'" << c.text << "'";
    }
}

TEST(ParseSingle, OnlyAFieldWithoutANumberIsMissing) {
    const struct {
        std::string text;
        std::optional<float> value;
    } cases[] = {
        {"", std::nullopt}, {" x1 ", std::nullopt}, {"1e39", std::nullopt}, {"12,5", std::nullopt},
        {"5435", 5435.0f},  {" -5435 ", -5435.0f},  {"-32768", -32768.0f},  {"0", 0.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSingle(c.text), c.value) << "'" << c.text << "'";
    }
}

TEST(LineBreakdown, ListsTheLineAndEveryField) {
    Fields fields{"a", "", "b"};
    std::vector<std::string> expected{
        "LINE----->a,,b<-----", " ", "#  item", "1) a", "2) ", "3) b"};
    EXPECT_EQ(LineBreakdown("a,,b", fields), expected);
}

TEST(LineBreakdown, SaysSoWhenThereAreNoFields) {
    std::vector<std::string> expected{"LINE----->   <-----", " ", "#  item", "it's blank...."};
    EXPECT_EQ(LineBreakdown("   ", {}), expected);
}

TEST(LineSplitSelfTest, ListsTheFifteenFieldsOfTheSelfTestLine) {
    std::vector<std::string> expected{
        "LINE-----> 1a, =2bc, \"3abcd,, =,4abcde,,5abcdef=\", ,6abc,, 7a 8<-----",
        " ",
        "#  item",
        "1) 1a",
        "2) =",
        "3) 2bc",
        "4) 3abcd",
        "5) ",
        "6) =",
        "7) 4abcde",
        "8) ",
        "9) 5abcdef",
        "10) =",
        "11) ",
        "12) 6abc",
        "13) ",
        "14) 7a",
        "15) 8",
    };
    EXPECT_EQ(LineSplitSelfTest(), expected);
}

}  // namespace
}  // namespace kavo::tools
