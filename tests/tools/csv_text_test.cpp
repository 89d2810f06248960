// The fields, numbers and lines of the CSV tables, read back as a CSV reader reads them.
#include "tools/csv_text.h"

#include <gtest/gtest.h>

#include "support/csv_reader.h"

namespace kavo::tools {
namespace {

TEST(CsvText, QuotesOnlyFieldsThatNeedIt) {
    struct Case {
        const char* text;
        const char* field;
    };
    const Case cases[] = {
        {"KV-01", "KV-01"},
        {"", ""},
        {"Su_Nk=15_psf", "Su_Nk=15_psf"},
        {"levee, reach 3", "\"levee, reach 3\""},
        {"the \"north\" bank", "\"the \"\"north\"\" bank\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\nend", "\"line\nend\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CsvField(c.text), c.field) << c.text;
    }
}

TEST(CsvText, NumbersAreTheTablesTextUnpaddedAndMissingIsEmpty) {
    struct Case {
        float value;
        const char* mask;
        const char* text;
    };
    const Case cases[] = {
        {1.5f, "  ###.###", "1.500"}, {-12.5f, "###.###", "-12.500"},
        {2.999f, "#.#", "2.9"},                                          // cut as the table cuts it
        {0.0f, "###.###", "0"},                                          // the table's zero
        {4232.44f, "######", "4232"},                                    // no decimals
        {-5435.0f, "  ##.####", ""},                                     // the missing value
        {-5435.0f, "######", ""},     {1234.5f, "###.###", "1234.500"},  // wider than the mask
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CsvNumber(c.value, c.mask), c.text) << c.value << " " << c.mask;
    }
}

TEST(CsvText, ALineReadsBackAsItsFields) {
    const std::vector<std::string> fields = {"HT-15T-0412", "",       "a, b",
                                             "say \"hi\"",  "x\r\ny", "3.25"};
    const testing::CsvRecords records = testing::ReadCsv(CsvLine(fields) + "\r\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records.front(), fields);
    // The program reads its own lines back the same way.
    EXPECT_EQ(CsvFields(CsvLine(fields)), fields);
    EXPECT_EQ(CsvFields(CsvLine(fields) + "\r"), fields);
    EXPECT_EQ(CsvFields(","), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(CsvLine({}), "");
    EXPECT_EQ(CsvLine({"", ""}), ",");
}

}  // namespace
}  // namespace kavo::tools
