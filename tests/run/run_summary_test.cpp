// The run summary and the truncation of decimals.
#include "run/run_summary.h"

#include <gtest/gtest.h>

#include "tools/errors.h"

namespace kavo::run {
namespace {

TEST(TruncateDecimals, CutsTowardMinusInfinity) {
    struct Case {
        float value;
        int digits;
        float expected;
    };
    for (const Case& c : {Case{12.9f, 0, 12.0f}, Case{61.0f / 60.0f, 1, 1.0f},
                          Case{119.0f / 60.0f, 1, 1.9f}, Case{0.7f, 1, 0.7f},
                          Case{-1.25f, 1, -1.3f}, Case{-0.5f, 0, -1.0f}, Case{2.456f, 2, 2.45f}}) {
        EXPECT_EQ(TruncateDecimals(c.value, c.digits), c.expected) << c.value << " " << c.digits;
    }
}

TEST(RunSummary, SpeedTextShowsSecondsOrMinutesAndWholeFeetPerSecond) {
    struct Case {
        float feet, seconds;
        std::string text;
    };
    const Case cases[] = {
        {345.6f, 12.4f, "345 total feet in 12 secs     @ 27 ft/sec"},
        {289.0f, 10.0f, "289 total feet in 10 secs     @ 28 ft/sec"},
        {600.0f, 60.0f, "600 total feet in 60 secs     @ 10 ft/sec"},
        {610.0f, 61.0f, "610 total feet in 1 mins     @ 10 ft/sec"},
        {119.0f, 119.0f, "119 total feet in 1.9 mins     @ 1 ft/sec"},
        {25.4f, 0.0f, "25 total feet in 0 secs     @ 0 ft/sec"},
        {0.0f, 3.0f, "0 total feet in 3 secs     @ 0 ft/sec"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpeedText(c.feet, c.seconds), c.text);
    }
}

TEST(RunSummary, ElapsedTimeIsCountedAcrossMidnight) {
    EXPECT_EQ(ElapsedSeconds(100.0, 112.5), 12.5f);
    EXPECT_EQ(ElapsedSeconds(86390.0, 10.0), 20.0f);
    EXPECT_EQ(ElapsedSeconds(500.0, 500.0), 0.0f);
}

TEST(RunSummary, PanelFieldsOfTheSummary) {
    const reporting::ProgressReport summary =
        RunSummary(345.6f, 3, 12.4f, "C:\\Kavo\\Projects\\P1\\SOUNDINGS\\", "Zero.txt");
    EXPECT_EQ(summary.mainRoutine, "           Done");
    EXPECT_EQ(summary.operations, "345 total feet in 12 secs     @ 27 ft/sec");
    EXPECT_EQ(summary.sounding, "3 total Soundings");
    EXPECT_EQ(summary.outputFile, "Q1o files are in     C:\\Kavo\\Projects\\P1\\SOUNDINGS\\");
    EXPECT_EQ(summary.process, "Zero load data File      Zero.txt");
    EXPECT_EQ(summary.inputFile, " ");
    EXPECT_EQ(summary.value, " ");
    EXPECT_EQ(summary.statusCode, " ");
}

TEST(RunSummary, TimeLeftFromTheMeanTimeOfTheSoundingsDone) {
    struct Case {
        int done;
        int total;
        double elapsed;
        double left;
    };
    for (const Case& c :
         {Case{0, 200, 5.0, -1.0}, Case{1, 200, 2.0, 398.0}, Case{50, 200, 100.0, 300.0},
          Case{200, 200, 400.0, 0.0}, Case{3, 2, 9.0, 0.0}}) {
        EXPECT_DOUBLE_EQ(SecondsLeft(c.done, c.total, c.elapsed), c.left)
            << c.done << " of " << c.total;
    }
}

}  // namespace
}  // namespace kavo::run
