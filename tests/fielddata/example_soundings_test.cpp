// The example soundings shipped with the ExampleOne project, read as the batch run reads them
// and compared with the values their generator meant to write
// (tests/data/fielddata/example_soundings_expected.csv, from
// scripts/make_example_soundings.py).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fielddata/field_data_file.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/number_text.h"

namespace kavo::fielddata {
namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) {
        fields.push_back(field);
    }
    return fields;
}

// A number of the expected file, read as the program reads numbers: with a point, whatever
// the locale.
double Number(const std::string& text) {
    const std::optional<double> value = tools::ParseNumber(text);
    EXPECT_TRUE(value.has_value()) << "not a number: " << text;
    return value.value_or(0.0);
}

// The value of one count of a channel in atm: the tolerance of a value that was rounded to
// whole counts is half of it.
double OneCount(const ChannelCalibration& channel, double unitFactor) {
    return unitFactor * kCountFactor * *channel.scale;
}

TEST(ExampleSoundings, ReadBackAsTheirGeneratorMeantThem) {
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    reporter.OpenTrace(std::make_unique<std::ostringstream>());
    files::DataArea area{.root = std::string(KAVO_SOURCE_DIR) + "/data/Kavo",
                         .projectName = "ExampleOne"};

    std::istringstream expected(
        testing::ReadFile(testing::TestDataPath("data/fielddata/example_soundings_expected.csv")));
    std::string line;
    std::getline(expected, line);  // column names
    FieldHeader header;
    SoundingReadings readings;
    int soundings = 0;
    int checkedReadings = 0;
    while (std::getline(expected, line)) {
        const std::vector<std::string> f = Fields(line);
        ASSERT_EQ(f.size(), f[0] == "SUMMARY" ? 8u : 7u) << line;
        if (f[0] == "SUMMARY") {
            ReadFieldDataFile(reporter, area, f[1], header, readings);
            ++soundings;
            EXPECT_EQ(header.readingCount, std::stoi(f[2])) << f[1];
            EXPECT_GE(header.readingCount, 300) << f[1];
            EXPECT_LE(header.readingCount, 1502) << f[1];
            EXPECT_EQ(header.endStatus, f[3]) << f[1];
            EXPECT_EQ(header.tip.zeroBefore, static_cast<float>(Number(f[4]))) << f[1];
            EXPECT_EQ(header.tip.zeroAfter, static_cast<float>(Number(f[5]))) << f[1];
            EXPECT_EQ(header.friction.zeroBefore, static_cast<float>(Number(f[6]))) << f[1];
            EXPECT_EQ(header.friction.zeroAfter, static_cast<float>(Number(f[7]))) << f[1];
            continue;
        }
        const auto i = static_cast<std::size_t>(std::stoi(f[2]));
        ASSERT_LT(i, readings.size()) << line;
        EXPECT_NEAR(readings.depth[i], Number(f[3]), 1e-3) << line;
        EXPECT_NEAR(readings.qc[i], Number(f[4]), 0.5 * OneCount(header.tip, 0.95) + 1e-4) << line;
        EXPECT_NEAR(readings.fs[i], Number(f[5]), 0.5 * OneCount(header.friction, 0.95) + 1e-5)
            << line;
        EXPECT_NEAR(readings.u2[i], Number(f[6]), 0.5 * OneCount(header.u2, 0.068046) + 1e-6)
            << line;
        ++checkedReadings;
    }
    EXPECT_EQ(soundings, 5);
    EXPECT_GT(checkedReadings, 80);
}

}  // namespace
}  // namespace kavo::fielddata
