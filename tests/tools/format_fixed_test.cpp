// Fixed-width formatting of output numbers through "#" masks.
#include "tools/format_fixed.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace kavo::tools {
namespace {

struct FormatCase {
    float value;
    std::string mask;
    std::string text;
};

void ExpectAll(const FormatCase* begin, const FormatCase* end, bool nullAsUnderscores) {
    for (const FormatCase* c = begin; c != end; ++c) {
        EXPECT_EQ(FormatFixed(c->value, c->mask, nullAsUnderscores), c->text)
            << c->value << " with '" << c->mask << "'";
    }
}

TEST(FormatFixed, AlignsTheIntegerPartAndShowsTheMasksDecimals) {
    const FormatCase cases[] = {
        {1.5f, "###.###", "  1.500"},
        {-1.5f, "###.#", " -1.5"},
        {-12.5f, "###.###", "-12.500"},
        {-0.25f, "##.##", "-0.25"},
        {0.5f, "#.###", "0.500"},
        {3.0f, "###", "  3"},
        {42.0f, "   ###", "    42"},
        {1.5f, " ####.###", "    1.500"},
        {1.5f, "          ##.#####", "           1.50000"},
        {7.0f, "##.", " 7."},
        {2.5f, "##.#,  ", " 2.5,  "},
        {12.25f, "####.###,", "  12.250,"},
        {-3.0f, "#####", "   -3"},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, CutsSurplusDecimalsWithoutRounding) {
    const FormatCase cases[] = {
        {1.23456f, "###.###", "  1.234"},
        {2.999f, "#.#", "2.9"},
        {0.0001f, "#.##", "0.00"},
        {0.5f, "###", "  0"},
        {99.99f, "##", "99"},
        {-0.0009f, "##.##", "-0.00"},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, RoundsToSevenSignificantDigitsFirst) {
    const FormatCase cases[] = {
        {1234.5678f, "####.####", "1234.5680"},
        {0.1f, "#.##########", "0.1000000000"},
        {123456789.0f, "#########", "123456800"},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, WidensTheFieldForAWiderIntegerPart) {
    const FormatCase cases[] = {
        {1234.5f, "###.###", "1234.500"},
        {-100.0f, "##", "-100"},
        {1e11f, "###.#", "100000000000.0"},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, PutsZeroAtHalfTheMaskLengthRoundedToEven) {
    const FormatCase cases[] = {
        {0.0f, "###.###", "   0   "},      // 3.5 -> 4
        {0.0f, "#####", " 0   "},          // 2.5 -> 2
        {0.0f, "###", " 0 "},              // 1.5 -> 2
        {0.0f, "#########", "   0     "},  // 4.5 -> 4
        {0.0f, "######", "  0   "},
        {0.0f, "####.###,", "   0     "},
        {0.0f, "##", "0 "},
        {0.0f, "#", "0"},
        {-0.0f, "###.###", "   0   "},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, WritesTheMissingValueAsUnderscoresWhenAsked) {
    EXPECT_EQ(FormatFixed(-5435.0f, "###.###", true), "_______");
    EXPECT_EQ(FormatFixed(-5435.0f, "  #####.##,", true), "___________");
    EXPECT_EQ(FormatFixed(12.5f, "###.###", true), " 12.500");
    // Only the exact marker becomes a gap; a value that reads as -5435 is placed as text.
    EXPECT_EQ(FormatFixed(-5435.0003f, "###.###", true), "  -5435");
}

TEST(FormatFixed, PlacesTheMissingValueByTheShapeOfTheMask) {
    const FormatCase cases[] = {
        {-5435.0f, "#####", "-5435"},
        {-5435.0f, "###", "-5435"},
        {-5435.0f, "   ###", " -5435"},
        {-5435.0f, "###.#", "-5435"},
        {-5435.0f, "##.#,", "-5435,"},
        {-5435.0f, "   ##.#,", "  -5435,"},
        {-5435.0f, "###.###", "  -5435"},
        {-5435.0f, "##.####", "  -5435"},
        {-5435.0f, "######", " -5435"},
        {-5435.0f, "####.###,", "   -5435,"},
        {-5435.0f, " ####.###", "    -5435"},
        {-5435.0f, "          ##.#####", "             -5435"},
        {-5435.0f, "###.#####,", "    -5435,"},
        {-5435.0f, "######.###", "-5435     "},
        {-5435.0f, "#####.####", "-5435     "},
        {-5435.0f, "#####.###", "-5435    "},  // cut to the mask length
        {-5435.0f, "#######.###", " -5435     "},
        {-5435.0f, "########.###", "  -5435     "},
        {-5435.0f, "##########.###", "    -5435 "},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, FitsTinyValuesAsZerosOfTheMasksWidth) {
    const FormatCase cases[] = {
        {1e-13f, "###.###", "  0.000"},
        {-1e-13f, "###.###", " -0.000"},
        {1e-20f, "###.###", "  0.000"},
        {-1e-30f, "##.#", " 0.0"},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
}

TEST(FormatFixed, WritesHugeValuesAsUnpaddedPlainDigits) {
    const FormatCase cases[] = {
        {1.234568e15f, "###.###", "1234568000000000."},
        {-2e11f, "###.###,", "-200000000000."},
    };
    ExpectAll(std::begin(cases), std::end(cases), false);
    EXPECT_EQ(FormatFixed(std::numeric_limits<float>::infinity(), "###", false), "Inf");
    EXPECT_EQ(FormatFixed(std::numeric_limits<float>::quiet_NaN(), "###", false), "NaN");
}

}  // namespace
}  // namespace kavo::tools
