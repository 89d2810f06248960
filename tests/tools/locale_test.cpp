// Number text never follows the locale: under a comma-decimal locale the program reads and
// writes numbers exactly as under "C", and the test executables take the locale from the
// environment as the program does.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>

#include "tools/format_fixed.h"
#include "tools/line_split.h"
#include "tools/number_text.h"

namespace kavo::tools {
namespace {

TEST(TestMain, TakesTheLocaleFromTheEnvironment) {
    const std::string current = std::setlocale(LC_ALL, nullptr);
    const char* fromEnvironment = std::setlocale(LC_ALL, "");
    const std::string expected = fromEnvironment != nullptr ? fromEnvironment : "C";
    std::setlocale(LC_ALL, current.c_str());
    EXPECT_EQ(current, expected) << "the test main did not take the locale of LC_ALL / LANG";
}

// Switches the whole process (C and C++ locales) to the first comma-decimal locale the system
// has, and back afterwards.
class CommaDecimalLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
            try {
                std::locale::global(std::locale(name));
                return;
            } catch (const std::runtime_error&) {
            }
        }
        GTEST_SKIP() << "no comma-decimal locale is installed (CI installs de_DE.UTF-8)";
    }
    void TearDown() override {
        std::locale::global(saved_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }

  private:
    std::locale saved_;
    std::string savedC_ = std::setlocale(LC_ALL, nullptr);
};

TEST_F(CommaDecimalLocale, NumbersAreWrittenWithAPoint) {
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    struct Case {
        std::string written;
        std::string expected;
    };
    const Case cases[] = {
        {SingleText(12.5f), "12.5"},
        {SingleText(-0.25f), "-0.25"},
        {SingleText(1.5e-8f), "1.5E-08"},
        {FormatFixed(12.5f, "###.###", true), " 12.500"},
        {FormatFixed(1234.5f, "#####.#", false), " 1234.5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.written, c.expected);
    }
}

TEST_F(CommaDecimalLocale, NumbersAreReadWithAPointOnly) {
    EXPECT_EQ(ParseNumber("12.5"), std::optional<double>(12.5));
    EXPECT_EQ(ParseNumber("12,5"), std::nullopt);
    EXPECT_EQ(NumberOrNull("0.25"), 0.25f);
    EXPECT_EQ(NumberOrNull("0,25"), -5435.0f);
}

}  // namespace
}  // namespace kavo::tools
