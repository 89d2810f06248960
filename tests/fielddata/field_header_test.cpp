// The header row parsers: firm, channel columns, calibrations, the date and the GPS position.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fielddata/field_header.h"
#include "support/data_error.h"
#include "tools/errors.h"

namespace kavo::fielddata {
namespace {

using testing::DataErrorOf;

// A header row: the first 19 characters belong to the depth, then one 20-character cell per
// channel column.
std::string Cells(const std::vector<std::string>& cells) {
    std::string row = "Label";
    row.resize(19, ' ');
    for (const std::string& cell : cells) {
        std::string padded = cell;
        padded.resize(20, ' ');
        row += padded;
    }
    return row;
}

TEST(NormaliseFirm, KnownFirmsAreWrittenOutOthersUpperCased) {
    const struct {
        std::string row;
        std::string firm;
    } cases[] = {
        {"terracon consultants", "Terracon Company"},
        {"ABC drilling", "ABC DRILLING"},
        {"Corps of Engineers, Vicksburg", "USACE Vicksburg District"},
        {"savannah district", "USACE Savannaha District"},
        // A replacement is mixed case, so no later test matches it: the first firm wins.
        {"Vicksburg for Terracon", "USACE Vicksburg District"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormaliseFirm(c.row), c.firm) << c.row;
    }
}

TEST(FindChannelColumns, NamesInTheirColumnsGiveTheColumnNumbers) {
    ChannelColumns three = FindChannelColumns(Cells({"Tip", "Friction", "U2"}));
    EXPECT_EQ(three.tip, 1);
    EXPECT_EQ(three.friction, 2);
    EXPECT_EQ(three.u2, 3);
    EXPECT_EQ(three.xInclination, kAbsentColumn);
    EXPECT_EQ(three.yInclination, kAbsentColumn);
    EXPECT_EQ(three.conductivity, kAbsentColumn);

    ChannelColumns five =
        FindChannelColumns(Cells({"u2", "  Y Incl", "tip", "Conductivity", "x incl."}));
    EXPECT_EQ(five.u2, 1);
    EXPECT_EQ(five.yInclination, 2);
    EXPECT_EQ(five.tip, 3);
    EXPECT_EQ(five.conductivity, 4);
    EXPECT_EQ(five.xInclination, 5);
    EXPECT_EQ(five.friction, kAbsentColumn);
}

TEST(FindChannelColumns, ANameOnlyCountsInItsOwnColumn) {
    // "TIP" written across the border of columns 1 and 2 is two fragments, neither a channel.
    std::string row(37, ' ');
    row += "TIP";
    const tools::DataError error = DataErrorOf([&] { FindChannelColumns(row); });
    EXPECT_EQ(error.code(), "HRC728");
    EXPECT_EQ(error.description(), "device not found of TI");
}

TEST(FindChannelColumns, AnUnknownNameIsAnError) {
    const tools::DataError error = DataErrorOf([] {
        FindChannelColumns(Cells({"Tip", "Friction", "Pressure"}));
    });
    EXPECT_EQ(error.code(), "HRC728");
    EXPECT_EQ(error.description(), "device not found of PRESSURE");
}

TEST(ReadChannelCalibration, FullScaleOverDivisionsWithTheUnits) {
    ChannelCalibration tip;
    ReadChannelCalibration(Cells({"5000", "1000"}), Cells({"100", "-20"}),
                           Cells({"500 TSF", "  10   TSF  "}), 1, "T", tip);
    EXPECT_FLOAT_EQ(*tip.scale, 0.1f);
    EXPECT_FLOAT_EQ(*tip.zeroBefore, 100.0f);
    EXPECT_EQ(tip.units, "TSF");
    EXPECT_EQ(tip.zeroAfter, std::nullopt);

    ChannelCalibration friction;
    ReadChannelCalibration(Cells({"5000", "1000"}), Cells({"100", "-20"}),
                           Cells({"500 TSF", "  10   TSF  "}), 2, "T", friction);
    EXPECT_FLOAT_EQ(*friction.scale, 0.01f);
    EXPECT_FLOAT_EQ(*friction.zeroBefore, -20.0f);
    EXPECT_EQ(friction.units, "TSF");

    // A full-scale value without units, and a blank zero reading.
    ChannelCalibration bare;
    ReadChannelCalibration(Cells({"4"}), Cells({""}), Cells({"2"}), 1, "T", bare);
    EXPECT_FLOAT_EQ(*bare.scale, 0.5f);
    EXPECT_EQ(bare.zeroBefore, std::nullopt);
    EXPECT_EQ(bare.units, "");
}

TEST(ReadChannelCalibration, TheFullScaleValueIsReadAsASingleBeforeTheDivision) {
    // 0.3 read as a single is 0.300000011920928955; / 5000 = 6.0000002384e-05, whose nearest
    // single is 6.000000212225132e-05. Dividing the unrounded 0.3 gives the single below it
    // (5.999999848427251e-05), which is one unit in the last place too low.
    const struct {
        std::string max, divisions;
        float scale;
    } cases[] = {
        {"0.3 TSF", "5000", 6.000000212225132e-05f},
        // 33.3 as a single is 33.299999237060547; / 7 = 4.757142748 -> 4.757142543792725
        {"33.3 TSF", "7", 4.757142543792725f},
    };
    for (const auto& c : cases) {
        ChannelCalibration channel;
        ReadChannelCalibration(Cells({c.divisions}), Cells({"0"}), Cells({c.max}), 1, "T", channel);
        EXPECT_EQ(channel.scale, c.scale) << c.max << " / " << c.divisions;
    }
}

TEST(ReadChannelCalibration, CellsThatGiveNoScaleAreErrors) {
    const struct {
        std::string divisions, zero, max, code, descriptionPart;
    } cases[] = {
        {"5000", "100", "TSF 500", "HRC741", "the full-scale value «TSF 500» of channel column 1"},
        {"5000", "100", "", "HRC741", "the full-scale value «»"},
        {"5000", "100", "5OO TSF", "HRC741", "«5OO TSF» of channel column 1 does not start"},
        // beyond the range of a single: no number, not an overflowing conversion
        {"5000", "100", "1E+39 TSF", "HRC741", "«1E+39 TSF» of channel column 1"},
        {"0", "100", "500 TSF", "HRC742", "the divisions «0» of channel column 1 give no scale"},
        {"", "100", "500 TSF", "HRC742", "the divisions «» of channel column 1"},
        {"many", "100", "500 TSF", "HRC742", "the divisions «many»"},
        {"-5435", "100", "500 TSF", "HRC742",
         "«-5435» of channel column 1 give no scale (not a "
         "positive number)"},
    };
    for (const auto& c : cases) {
        ChannelCalibration channel;
        const tools::DataError error = DataErrorOf([&] {
            ReadChannelCalibration(Cells({c.divisions}), Cells({c.zero}), Cells({c.max}), 1,
                                   "S-1.CPT line 18-20", channel);
        });
        EXPECT_EQ(error.code(), c.code) << c.max << " / " << c.divisions;
        EXPECT_NE(error.description().find("S-1.CPT line 18-20: "), std::string::npos);
        EXPECT_NE(error.description().find(c.descriptionPart), std::string::npos)
            << error.description();
    }
}

TEST(ReadChannelCalibration, ARowEndingBeforeTheColumnIsTooShort) {
    const std::string full = Cells({"1", "2", "3"});
    const std::string shortRow = Cells({"1"});  // 39 characters: column 2 starts at 40
    const struct {
        std::string divisions, zero, max, rowName;
    } cases[] = {
        {shortRow, full, full, "row 18 (divisions) ends at character 39"},
        {full, shortRow, full, "row 19 (zero readings) ends at character 39"},
        {full, full, shortRow, "row 20 (full-scale values) ends at character 39"},
    };
    for (const auto& c : cases) {
        ChannelCalibration channel;
        const tools::DataError error = DataErrorOf([&] {
            ReadChannelCalibration(c.divisions, c.zero, c.max, 2, "S-1.CPT line 18-20", channel);
        });
        EXPECT_EQ(error.code(), "HRS735");
        EXPECT_EQ(error.description(), "S-1.CPT line 18-20: " + c.rowName +
                                           ", before channel column 2 (characters 40 to 59)");
    }
    // A row that reaches into the column holds it: the missing end counts as blanks.
    ChannelCalibration channel;
    ReadChannelCalibration(Cells({"1", "0.5"}), full, full.substr(0, 40), 2, "S", channel);
    EXPECT_FLOAT_EQ(*channel.scale, 4.0f);
}

TEST(ParseFieldDate, BothFormsAndTheTwelveHourClock) {
    const struct {
        std::string text, date;
    } cases[] = {
        {"7/10/2017 3:05:09 PM", "20170710~150509-local"},
        {"  7/10/2017 3:05:09 pm ", "20170710~150509-local"},
        {"12/31/2016 12:30:00 PM", "20161231~123000-local"},
        {"1/2/2018 12:30:00 AM", "20180102~003000-local"},
        {"1/2/2018 1:07:05 AM", "20180102~010705-local"},
        {"07/10/2017 15:05:09", "20170710~150509-local"},
        // A date without a time keeps its date.
        {"7/10/2017", "20170710~-----local"},
        {"2017-07-10 15:05:09", "----~150509-local"},
        {"", "----~-----local"},
        {"10-JUL-2017", "20170710~000000"},
        {"10-jul-2017 14:22", "20170710~000000"},
        {"Mon 03-DEC-2018", "20181203~000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseFieldDate(c.text, "S"), c.date) << c.text;
    }
}

TEST(ParseFieldDate, DatesAndHoursThatCannotBeReadAreErrors) {
    const struct {
        std::string text, code, descriptionPart;
    } cases[] = {
        {"JUL-10-2017", "HDT811", "the month name in the date «JUL-10-2017» comes too early"},
        {"1-JUL-2017", "HDT811", "«1-JUL-2017» comes too early"},
        {"10-JUL-17", "HRS735", "the date «10-JUL-17» is too short to hold a four-digit year"},
        // An hour far beyond any integer once came out as a negative hour.
        {"7/10/2017 7203000800003:05:09 PM", "HDT812",
         "the hour «7203000800003» of the time «7203000800003:05:09 PM» is not a whole number "
         "from 0 to 12"},
        {"7/10/2017 13:05:09 PM", "HDT812", "the hour «13»"},
        {"7/10/2017 -1:05:09 AM", "HDT812", "the hour «-1»"},
        {"7/10/2017 3.5:05:09 AM", "HDT812", "the hour «3.5»"},
        {"7/10/2017 ab:05:09 AM", "HDT812", "the hour «AB»"},
    };
    for (const auto& c : cases) {
        const tools::DataError error =
            DataErrorOf([&] { ParseFieldDate(c.text, "S-1.CPT line 8"); });
        EXPECT_EQ(error.code(), c.code) << c.text;
        EXPECT_EQ(error.description().rfind("S-1.CPT line 8: ", 0), 0u);
        EXPECT_NE(error.description().find(c.descriptionPart), std::string::npos)
            << error.description();
    }
}

TEST(ParseGga, PublishedSentencesGiveTheirPositions) {
    // Positions kept in double: a single would lose about 0.4 m of latitude.
    const struct {
        std::string sentence;
        double latitude, longitude;
        float dilution;
    } cases[] = {
        {"$GPGGA,184353.07,3723.2475,N,12158.3416,W,1,04,2.6,100.00,M,-33.9,M,,0000*6D",
         37.387458333, -121.972360000, 2.6f},
        // pynmea2 test_pynmea.py
        {"$GPGGA,184353.07,1929.045,S,02410.506,E,1,04,2.6,100.00,M,-33.9,M,,0000*6D",
         -19.484083333, 24.1751, 2.6f},
        // the textbook example of the format
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", 48.1173, 11.516666667,
         0.9f},
        {"GPS: $GPGGA,123519,0007.5,S,00030.0,W,1,08,,545.4,M,46.9,M,,*47", -0.125, -0.5,
         tools::kNull},
    };
    for (const auto& c : cases) {
        const GgaPosition position = ParseGga(c.sentence, "S");
        EXPECT_NEAR(position.latitude, c.latitude, 1e-9) << c.sentence;
        EXPECT_NEAR(position.longitude, c.longitude, 1e-9) << c.sentence;
        EXPECT_FLOAT_EQ(position.dilution, c.dilution) << c.sentence;
    }
}

TEST(ParseGga, ASentenceWithoutAFixGivesNoPosition) {
    // pynmea2 test_missing_latlon: no position, which is not 0, 0.
    const GgaPosition position = ParseGga("$GPGGA,201716.684,,,,,0,00,,,M,0.0,M,,0000*5F", "S");
    EXPECT_EQ(position.latitude, tools::kNull);
    EXPECT_EQ(position.longitude, tools::kNull);
    EXPECT_EQ(position.dilution, tools::kNull);
}

TEST(ParseGga, BadSentencesAreErrors) {
    const struct {
        std::string sentence, code, description;
    } cases[] = {
        {"   ", "GPS323", "GPS GAA convertion -- bad or no info"},
        {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", "GPS323",
         "GPS GAA convertion -- bad or no info"},
        {"$GPGGA,123519,4807.038,X,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", "GPS334",
         "GPS GAA -- no N or S"},
        {"$GPGGA,123519,4807.038,N,01131.000,,1,08,0.9,545.4,M,46.9,M,,*47", "GPS341",
         "S-1.CPT line 12: the GGA sentence «$GPGGA,123519,4807.038,N,01131.000,,1,08,0.9,"
         "545.4,M,46.9,M,,*47» has no E or W after the longitude"},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08", "GPS345",
         "S-1.CPT line 12: the GGA sentence «$GPGGA,123519,4807.038,N,01131.000,E,1,08» has 7 "
         "commas; a GGA sentence has at least nine"},
        {"$GPGGA,123519,48o7.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", "GPS347",
         "S-1.CPT line 12: the GGA position field «48o7.038» is not degrees and minutes, in "
         "«$GPGGA,123519,48o7.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47»"},
        {"$GPGGA,123519,4807.038,N,01171.000,E,1,08,0.9,545.4,M,46.9,M,,*47", "GPS347",
         "S-1.CPT line 12: the GGA position field «01171.000» is not degrees and minutes, in "
         "«$GPGGA,123519,4807.038,N,01171.000,E,1,08,0.9,545.4,M,46.9,M,,*47»"},
    };
    for (const auto& c : cases) {
        const tools::DataError error =
            DataErrorOf([&] { ParseGga(c.sentence, "S-1.CPT line 12"); });
        EXPECT_EQ(error.code(), c.code) << c.sentence;
        EXPECT_EQ(error.description(), c.description);
    }
}

}  // namespace
}  // namespace kavo::fielddata
