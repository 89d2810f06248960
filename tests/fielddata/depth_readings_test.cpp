// Depth rows: the conversions of counts to feet and atmospheres, the two endings of the data
// and the cap on the reading arrays.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fielddata/depth_readings.h"
#include "tools/errors.h"

namespace kavo::fielddata {
namespace {

// A depth row as the equipment writes it: the depth in the first eight characters, then one
// right-aligned 20-character cell per channel column from character 20; padded as read.
std::string Row(const std::string& depth, const std::vector<std::string>& counts) {
    std::string row = depth;
    row.resize(19, ' ');
    for (const std::string& c : counts) {
        row += std::string(20 - c.size(), ' ') + c;
    }
    return row + std::string(100, ' ');
}

// Tip zero 100 and scale 0.1 (500 TSF over 5000 divisions), friction zero 200 and scale
// 0.01, u2 zero 50 and scale 1 (1000 PSI over 1000), X inclination zero 10 and scale 0.2.
FieldHeader Calibrated() {
    FieldHeader header;
    header.soundingName = "S-1";
    header.columns = {.tip = 1, .friction = 2, .u2 = 3, .xInclination = 4};
    header.tip = {.scale = 0.1f, .zeroBefore = 100.0f};
    header.friction = {.scale = 0.01f, .zeroBefore = 200.0f};
    header.u2 = {.scale = 1.0f, .zeroBefore = 50.0f};
    header.xInclination = {.scale = 0.2f, .zeroBefore = 10.0f};
    return header;
}

TEST(ParseDepthRow, ConvertsCountsWithTheChannelCalibrations) {
    FieldHeader header = Calibrated();
    std::int16_t markers = 0;
    const DepthRowResult row =
        ParseDepthRow(Row("  1.524 ", {"1100", "1200", "1050", "15"}), false, header, markers);
    EXPECT_FALSE(row.endsData);
    // 1.524 m × 3.2808399 ft/m
    EXPECT_NEAR(row.reading.depth, 5.0000, 5e-5);
    // 0.95 atm/tsf × (1100 − 100) × 0.01044 × 0.1
    EXPECT_NEAR(row.reading.qc, 0.9918, 1e-6);
    // 0.95 × (1200 − 200) × 0.01044 × 0.01
    EXPECT_NEAR(row.reading.fs, 0.09918, 1e-7);
    // 0.068046 atm/psi × (1050 − 50) × 0.01044 × 1
    EXPECT_NEAR(row.reading.u2, 0.7104, 1e-5);
    // 0.2 × (15 − 10), without the count factor
    EXPECT_FLOAT_EQ(row.reading.xInclination, 1.0f);
    EXPECT_EQ(row.reading.yInclination, tools::kNull);  // no such channel
    EXPECT_EQ(row.reading.rawTip, 1100.0f);
    EXPECT_EQ(row.reading.rawFriction, 1200.0f);
    EXPECT_EQ(row.reading.frictionRatio, tools::kNull);
    EXPECT_EQ(markers, 0);
    EXPECT_EQ(header.endStatus, "");
}

TEST(ParseDepthRow, MissingTextGivesMissingValuesNotFormulaResults) {
    FieldHeader header = Calibrated();
    std::int16_t markers = 0;
    // No depth: depth and qc stay missing; blank or bad counts give missing values.
    const DepthRowResult row =
        ParseDepthRow(Row("        ", {"1100", "", "x1", "15"}), false, header, markers);
    EXPECT_EQ(row.reading.depth, tools::kNull);
    EXPECT_EQ(row.reading.qc, tools::kNull);
    EXPECT_EQ(row.reading.fs, tools::kNull);
    EXPECT_EQ(row.reading.u2, tools::kNull);
    EXPECT_FLOAT_EQ(row.reading.xInclination, 1.0f);

    // A channel without a zero reading gives no values either.
    header.tip.zeroBefore = std::nullopt;
    const DepthRowResult noZero =
        ParseDepthRow(Row("   2.000", {"1100", "1200", "1050", "15"}), false, header, markers);
    EXPECT_EQ(noZero.reading.qc, tools::kNull);
    EXPECT_NEAR(noZero.reading.fs, 0.09918, 1e-7);
}

// The null marker's value is a possible count: a cell holding it is a reading, not a gap.
TEST(ParseDepthRow, CountsDepthsAndZerosOf5435AreReadings) {
    FieldHeader header = Calibrated();
    header.u2.zeroBefore = -5435.0f;
    std::int16_t markers = 0;
    const DepthRowResult row =
        ParseDepthRow(Row("5435.000", {"5435", "-5435", "5435", "5435"}), false, header, markers);
    EXPECT_NEAR(row.reading.depth, 5435.0 * 3.2808399, 1e-2);
    // 0.95 × (5435 − 100) × 0.01044 × 0.1
    EXPECT_NEAR(row.reading.qc, 5.291253, 1e-5);
    // 0.95 × (−5435 − 200) × 0.01044 × 0.01
    EXPECT_NEAR(row.reading.fs, -0.5588793, 1e-6);
    // 0.068046 × (5435 + 5435) × 0.01044 × 1
    EXPECT_NEAR(row.reading.u2, 7.72215, 1e-3);
    // 0.2 × (5435 − 10)
    EXPECT_FLOAT_EQ(row.reading.xInclination, 1085.0f);
    EXPECT_EQ(row.reading.rawU2, 5435.0f);
}

TEST(CountsToEngineering, NegativeAndZeroReadingsConvertAsTheyStand) {
    EXPECT_FLOAT_EQ(CountsToEngineering(100.0f, 100.0f, 0.1f, 0.95f), 0.0f);
    EXPECT_NEAR(CountsToEngineering(50.0f, 100.0f, 0.1f, 0.95f), -0.04959, 1e-7);
    EXPECT_EQ(CountsToEngineering(std::nullopt, 100.0f, 0.1f, 0.95f), tools::kNull);
    EXPECT_EQ(CountsToEngineering(1.0f, 100.0f, std::nullopt, 0.95f), tools::kNull);
}

// Feeds rows in order as a file would; the last one is the file's last row.
struct Fed {
    std::vector<DepthReading> readings;
    FieldHeader header = Calibrated();
};
Fed Feed(const std::vector<std::string>& rows) {
    Fed fed;
    std::int16_t markers = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DepthRowResult row =
            ParseDepthRow(rows[i], i + 1 == rows.size(), fed.header, markers);
        if (row.endsData) {
            return fed;
        }
        fed.readings.push_back(row.reading);
    }
    ADD_FAILURE() << "the data did not end";
    return fed;
}

TEST(ParseDepthRow, MarkerRowsThenTheClosingZeroRowEndNormal) {
    const Fed fed = Feed({
        Row("   1.524", {"1100", "1200", "1050", "15"}),
        Row("   1.550", {"2000", "-32768", "1500", "10"}),
        Row("        ", {"2000", "-32768", "1500", "10"}),
        Row("        ", {"104", "197", "55", "11"}),
        Row("   9.999", {"9", "9", "9", "9"}),  // never read: the data ended before it
    });
    ASSERT_EQ(fed.readings.size(), 3u);
    EXPECT_EQ(fed.header.endStatus, "NORMAL");
    EXPECT_EQ(fed.readings[1].fs, tools::kNull);
    EXPECT_NEAR(fed.readings[1].qc, 0.95 * 1900 * 0.01044 * 0.1, 1e-6);
    EXPECT_EQ(fed.readings[2].depth, tools::kNull);
    EXPECT_EQ(fed.header.tip.zeroAfter, 104.0f);
    EXPECT_EQ(fed.header.friction.zeroAfter, 197.0f);
    EXPECT_EQ(fed.header.u2.zeroAfter, 55.0f);
    EXPECT_EQ(fed.header.xInclination.zeroAfter, 11.0f);
    EXPECT_EQ(fed.header.yInclination.zeroAfter, std::nullopt);  // absent channel
}

TEST(ParseDepthRow, OneMarkerRowThenAnOrdinaryRowIsAReading) {
    const Fed fed = Feed({
        Row("   1.524", {"1100", "-32768", "1050", "15"}),
        Row("   1.550", {"1200", "1300", "1060", "15"}),
        Row("   1.600", {"2000", "-32768", "1500", "10"}),
        Row("   1.650", {"2000", "-32768", "1500", "10"}),
        Row("   1.700", {"2000", "-32768", "1500", "10"}),
        Row("        ", {"99", "201", "49", "10"}),
    });
    // Three markers in a row: the third is still a reading; the zero row ends the data.
    ASSERT_EQ(fed.readings.size(), 5u);
    EXPECT_NEAR(fed.readings[1].fs, 0.95 * 1100 * 0.01044 * 0.01, 1e-7);
    EXPECT_EQ(fed.header.endStatus, "NORMAL");
    EXPECT_EQ(fed.header.tip.zeroAfter, 99.0f);
    EXPECT_EQ(fed.header.friction.zeroAfter, 201.0f);
}

TEST(ParseDepthRow, WithoutMarkersTheLastRowEndsTheDataFugro) {
    const Fed fed = Feed({
        Row("   1.524", {"1100", "1200", "1050", "15"}),
        Row("   1.550", {"1200", "1300", "1060", "15"}),
        Row("   1.600", {"1300", "1400", "1070", "15"}),
    });
    ASSERT_EQ(fed.readings.size(), 2u);
    EXPECT_EQ(fed.header.endStatus, "FUGRO");
    EXPECT_EQ(fed.header.tip.zeroAfter, 100.0f);
    EXPECT_EQ(fed.header.friction.zeroAfter, 200.0f);
    EXPECT_EQ(fed.header.u2.zeroAfter, 50.0f);
    EXPECT_EQ(fed.header.xInclination.zeroAfter, 10.0f);
    EXPECT_EQ(fed.header.yInclination.zeroAfter, std::nullopt);
}

TEST(ParseDepthRow, TheFileEndingAfterMarkerRowsIsAnError) {
    for (int markersAtEnd : {1, 2, 3}) {
        std::vector<std::string> rows{Row("   1.524", {"1100", "1200", "1050", "15"})};
        for (int m = 0; m < markersAtEnd; ++m) {
            rows.push_back(Row("   1.600", {"2000", "-32768", "1500", "10"}));
        }
        FieldHeader header = Calibrated();
        std::int16_t markers = 0;
        try {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                ParseDepthRow(rows[i], i + 1 == rows.size(), header, markers);
            }
            ADD_FAILURE() << "no error after " << markersAtEnd << " marker rows";
        } catch (const tools::DataError& error) {
            EXPECT_EQ(error.code(), "HG8234");
            EXPECT_EQ(error.description(),
                      "S-1, line =" + rows.back() + " --- EOF found - but  -32768 were found");
        }
    }
}

TEST(SoundingReadings, HoldsEightThousandReadingsBesidesTheirEndMarkers) {
    SoundingReadings readings;
    DepthReading reading;
    for (std::size_t i = 0; i < kMaxReadings; ++i) {
        reading.depth = static_cast<float>(i);
        readings.Add(reading, false, "S-1.CPT line 9");
    }
    ASSERT_EQ(readings.size(), kMaxReadings);
    EXPECT_EQ(readings.depth.back(), 7999.0f);
    EXPECT_EQ(readings.yInclination.size(), kMaxReadings);
    // A sounding of 8000 readings still has room for the rows that end it.
    readings.Add(reading, true, "S-1.CPT line 8024");
    readings.Add(reading, true, "S-1.CPT line 8025");
    EXPECT_EQ(readings.size(), kMaxReadings + 2);
    EXPECT_EQ(readings.endMarkerRows, 2u);
    try {
        readings.Add(reading, false, "S-1.CPT line 8026");
        ADD_FAILURE() << "reading 8001 was taken";
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "HG8240");
        EXPECT_EQ(error.description(),
                  "S-1.CPT line 8026: more than 8000 depth readings (end-marker rows not "
                  "counted); a sounding holds at most 8000");
    }
    EXPECT_EQ(readings.size(), kMaxReadings + 2);
}

}  // namespace
}  // namespace kavo::fielddata
