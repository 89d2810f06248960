// The chart lookup: logarithms and powers with the null marker, segment hits, the frame,
// the strict enclosure between lines and the three lookup modes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "charts/chart_lookup.h"
#include "charts/sld_chart.h"
#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "tools/errors.h"

namespace kavo::charts {
namespace {

using tools::kNull;
using Points = std::vector<std::pair<float, float>>;

// A framed chart (FR 0.1..10 %, Qc1 1..1000) with the given lines, read in `mode`.
std::unique_ptr<ChartTable> TableWith(const std::vector<std::pair<float, Points>>& lines,
                                      LookupMode mode = LookupMode::XYC, bool framed = true) {
    auto table = std::make_unique<ChartTable>();
    SldChart& chart = AddChart(*table, "SLD-Kavo-cQc_tln.csv");
    chart.lookupMode = mode;
    chart.Row1_z_IDnormalized_8str = "cQc";
    chart.Row1_z_Author_8str = "tln";
    if (framed) {
        chart.Xmin_8sng = 0.1f;
        chart.Xmax_8sng = 10.0f;
        chart.Ymin_8sng = 1.0f;
        chart.Ymax_8sng = 1000.0f;
    }
    for (const auto& [value, points] : lines) {
        ContourLine& line = AddContourLine(chart, value, "test");
        for (const auto& [fr, qc1] : points) {
            AddChartPoint(line, fr, qc1, "test");
        }
    }
    return table;
}

// Three level lines: Qc1 10 (value 1), 100 (value 2) and 1000 (value 3).
std::unique_ptr<ChartTable> LevelLines() {
    return TableWith({{1.0f, {{0.1f, 10.0f}, {10.0f, 10.0f}}},
                      {2.0f, {{0.1f, 100.0f}, {10.0f, 100.0f}}},
                      {3.0f, {{0.1f, 1000.0f}, {10.0f, 1000.0f}}}});
}

float LookupC(const ChartTable& table, float x, float y, bool* inChart = nullptr) {
    float c = 123.0f;
    const bool inside = LookupChart(x, y, c, table, 1);
    if (inChart != nullptr) {
        *inChart = inside;
    }
    return c;
}

TEST(Log10OrNull, NullForZeroAndNegative) {
    EXPECT_FLOAT_EQ(Log10OrNull(100.0f), 2.0f);
    EXPECT_FLOAT_EQ(Log10OrNull(0.1f), -1.0f);
    EXPECT_EQ(Log10OrNull(0.0f), kNull);
    EXPECT_EQ(Log10OrNull(-3.0f), kNull);
}

TEST(Pow10OrNull, NullBeyondFiveAndForTheNullMarker) {
    EXPECT_FLOAT_EQ(Pow10OrNull(5.0f), 100000.0f);
    EXPECT_FLOAT_EQ(Pow10OrNull(-5.0f), 0.00001f);
    EXPECT_FLOAT_EQ(Pow10OrNull(0.5f), std::sqrt(10.0f));
    EXPECT_EQ(Pow10OrNull(5.0001f), kNull);
    EXPECT_EQ(Pow10OrNull(-5.0001f), kNull);
    EXPECT_EQ(Pow10OrNull(kNull), kNull);
}

TEST(InterpolateOnAxes, LinearLogAndFlatSegments) {
    EXPECT_FLOAT_EQ(InterpolateOnAxes(3.0f, 2.0f, 4.0f, 10.0f, 20.0f, false, false), 15.0f);
    EXPECT_FLOAT_EQ(InterpolateOnAxes(6.0f, 2.0f, 4.0f, 10.0f, 20.0f, false, false), 30.0f);
    // Log-log: half way between 1 and 100 on x is 10, half way between 1 and 1000 is 31.6.
    EXPECT_NEAR(InterpolateOnAxes(10.0f, 1.0f, 100.0f, 1.0f, 1000.0f, true, true), 31.6228f, 1e-3f);
    // Equal x values: the segment is given a tiny extent instead of a division by zero.
    const float steep = InterpolateOnAxes(2.0f, 2.0f, 2.0f, 10.0f, 20.0f, false, false);
    EXPECT_FLOAT_EQ(steep, 10.0f);
}

struct HitCase {
    float p, a, b;
    int i, n;
    bool hit, beyond;
};

TEST(SegmentHit, RisingFallingAndBeyondTheEnds) {
    const HitCase cases[] = {
        {2.0f, 1.0f, 3.0f, 3, 4, true, false},   // rising, inside
        {1.0f, 1.0f, 3.0f, 2, 4, false, false},  // equal to the first point: missed
        {3.0f, 1.0f, 3.0f, 4, 4, true, false},   // equal to the last point: hit
        {0.5f, 1.0f, 3.0f, 2, 4, true, true},    // before the first point
        {0.5f, 1.0f, 3.0f, 3, 4, false, false},  // before, but not the first segment
        {4.0f, 1.0f, 3.0f, 4, 4, true, true},    // past the last point
        {4.0f, 1.0f, 3.0f, 3, 4, false, false},  // past, but not the last segment
        {2.0f, 3.0f, 1.0f, 3, 4, true, false},   // falling, inside
        {1.0f, 3.0f, 1.0f, 3, 4, true, false},   // falling, on the lower end
        {3.0f, 3.0f, 1.0f, 3, 4, false, false},  // falling, on the upper end
        {5.0f, 3.0f, 1.0f, 2, 4, true, true},    // falling, before the first point
        {0.5f, 3.0f, 1.0f, 4, 4, true, true},    // falling, past the last point
        {2.0f, 2.0f, 2.0f, 3, 4, false, false},  // flat segment: never inside
    };
    for (const HitCase& c : cases) {
        const SegmentHitResult result = SegmentHit(c.p, c.a, c.b, c.i, c.n);
        EXPECT_EQ(result.hit, c.hit) << c.p << " on " << c.a << ".." << c.b << " i=" << c.i;
        EXPECT_EQ(result.beyond, c.beyond) << c.p << " on " << c.a << ".." << c.b;
    }
}

TEST(LookupChart, InterpolatesLinearInValueAndLogInQc1) {
    const auto table = LevelLines();
    EXPECT_NEAR(LookupC(*table, 1.0f, 31.6228f), 1.5f, 1e-5f);
    EXPECT_NEAR(LookupC(*table, 1.0f, 200.0f), 2.30103f, 1e-5f);
}

TEST(LookupChart, PointOnALineIsNotEnclosedByItsPair) {
    const auto table = LevelLines();
    bool inChart = false;
    EXPECT_EQ(LookupC(*table, 1.0f, 100.0f, &inChart), kNull);
    EXPECT_TRUE(inChart);
}

TEST(LookupChart, FrameLimitsAreInsideAndBeyondIsOutside) {
    const auto table = LevelLines();
    bool inChart = false;
    EXPECT_NEAR(LookupC(*table, 10.0f, 999.0f, &inChart), 2.99957f, 1e-4f);
    EXPECT_TRUE(inChart);
    EXPECT_NEAR(LookupC(*table, 0.1f, 1.5f, &inChart), kNull, 0.0f);  // below the lowest line
    EXPECT_TRUE(inChart);

    const std::pair<float, float> outside[] = {
        {10.0001f, 50.0f}, {0.0999f, 50.0f}, {1.0f, 1000.1f}, {1.0f, 0.999f}};
    for (const auto& [x, y] : outside) {
        float xx = x;
        float yy = y;
        float c = 7.0f;
        EXPECT_FALSE(LookupChart(xx, yy, c, *table, 1)) << x << "," << y;
        EXPECT_EQ(c, kNull);
        EXPECT_EQ(xx, x);  // the known quantities stay as they were
        EXPECT_EQ(yy, y);
    }
}

TEST(LookupChart, ChartWithoutFrameIsAlwaysOutside) {
    const auto table = TableWith(
        {{1.0f, {{0.1f, 10.0f}, {10.0f, 10.0f}}}, {2.0f, {{0.1f, 100.0f}, {10.0f, 100.0f}}}},
        LookupMode::XYC, false);
    bool inChart = true;
    EXPECT_EQ(LookupC(*table, 1.0f, 30.0f, &inChart), kNull);
    EXPECT_FALSE(inChart);
}

TEST(LookupChart, OneLineNeverEncloses) {
    const auto table = TableWith({{1.0f, {{0.1f, 10.0f}, {10.0f, 10.0f}}}});
    EXPECT_EQ(LookupC(*table, 1.0f, 5.0f), kNull);
    EXPECT_EQ(LookupC(*table, 1.0f, 50.0f), kNull);
}

TEST(LookupChart, ProbeOnTheFirstPointMissesAndOnTheLastPointHits) {
    // Lines over FR 1..4 only.
    const auto table = TableWith({{1.0f, {{1.0f, 10.0f}, {2.0f, 10.0f}, {4.0f, 10.0f}}},
                                  {2.0f, {{1.0f, 100.0f}, {2.0f, 100.0f}, {4.0f, 100.0f}}}});
    EXPECT_EQ(LookupC(*table, 1.0f, 31.6228f), kNull);
    EXPECT_NEAR(LookupC(*table, 4.0f, 31.6228f), 1.5f, 1e-5f);
    // Before the first point the first segment is extended, so FR 0.5 is answered.
    EXPECT_NEAR(LookupC(*table, 0.5f, 31.6228f), 1.5f, 1e-5f);
}

TEST(LookupChart, BeyondTheLastPointTheLastSegmentIsExtendedInLogLog) {
    // Rising lines Qc1 = 10 * FR and 100 * FR, drawn only up to FR 1.
    const auto table =
        TableWith({{1.0f, {{0.1f, 1.0f}, {1.0f, 10.0f}}}, {2.0f, {{0.1f, 10.0f}, {1.0f, 100.0f}}}});
    // At FR 10 the lines stand at 100 and 1000; 316 is half way in log.
    EXPECT_NEAR(LookupC(*table, 10.0f, 316.228f), 1.5f, 1e-4f);
}

TEST(LookupChart, FoldedLinesGiveTheFirstEnclosingPair) {
    // Values 1, 3, 2: the point between the first two lines is read between them, even
    // though the line of value 2 lies nearer.
    const auto table = TableWith({{1.0f, {{0.1f, 10.0f}, {10.0f, 10.0f}}},
                                  {3.0f, {{0.1f, 1000.0f}, {10.0f, 1000.0f}}},
                                  {2.0f, {{0.1f, 100.0f}, {10.0f, 100.0f}}}});
    EXPECT_NEAR(LookupC(*table, 1.0f, 100.0f), 2.0f, 1e-5f);
    EXPECT_NEAR(LookupC(*table, 1.0f, 31.6228f), 1.5f, 1e-5f);
}

TEST(LookupChart, ModesYxcAndYcxScanAlongQc1) {
    // Vertical lines FR 1 (value 10) and FR 10 (value 20).
    const auto table = TableWith(
        {{10.0f, {{1.0f, 1.0f}, {1.0f, 1000.0f}}}, {20.0f, {{10.0f, 1.0f}, {10.0f, 1000.0f}}}},
        LookupMode::YXC);
    EXPECT_NEAR(LookupC(*table, 3.16228f, 50.0f), 15.0f, 1e-4f);

    float x = 2.0f;
    float y = 50.0f;
    float c = 15.0f;
    EXPECT_TRUE(LookupChart(x, y, c, *table, 1, LookupMode::YCX));
    EXPECT_NEAR(x, 3.16228f, 1e-4f);
    EXPECT_EQ(c, 15.0f);
    EXPECT_EQ(y, 50.0f);
}

TEST(LookupChart, ModesOfTheFrameRuleOnly) {
    const auto table = LevelLines();
    float x = 20.0f;
    float y = 50.0f;
    float c = 1.0f;
    EXPECT_FALSE(LookupChart(x, y, c, *table, 1, LookupMode::XCY));
    EXPECT_EQ(y, kNull);
    x = 1.0f;
    y = 50.0f;
    EXPECT_THROW(LookupChart(x, y, c, *table, 1, LookupMode::CXY), tools::ProgrammingError);
    EXPECT_THROW(LookupChart(x, y, c, *table, 2), tools::ProgrammingError);
    EXPECT_THROW(ParseLookupMode("XXY"), tools::ProgrammingError);
    EXPECT_EQ(ParseLookupMode(" ycx"), LookupMode::YCX);
    EXPECT_EQ(ParseLookupMode(""), LookupMode::ChartDefault);
}

// A column's chart reading through the depth point's context: found by the column's base
// name and method, kept for a second reading at the same point.
TEST(ColumnChartValue, FindsTheChartOfTheColumnOrFails) {
    const auto table = LevelLines();
    const normalization::SoundingUnitWeightInputs sounding;
    const normalization::NormalisationContext context{
        *table, normalization::NormalisationMode::Vaski, sounding};
    const normalization::ColumnSpec column = normalization::ParseColumnId("cQc_tln");
    normalization::DepthPoint point;
    point.frictionRatio = 1.0f;
    point.qc1 = 31.6228f;
    EXPECT_NEAR(normalization::ColumnChartValue(context, column, point), 1.5f, 1e-5f);
    EXPECT_NEAR(normalization::ColumnChartValue(context, column, point), 1.5f, 1e-5f);

    point.frictionRatio = 20.0f;  // outside the frame
    EXPECT_EQ(normalization::ColumnChartValue(context, column, point), kNull);

    try {
        normalization::ColumnChartValue(context, normalization::ParseColumnId("cQc_TLN"), point);
        FAIL() << "the method is compared with its case";
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "GZS101");
        EXPECT_EQ(error.description(),
                  "SLD method could not be found, for; ID normalized (e.g. CRRe)= cQc  and "
                  "Author/method (e.g. tln84)= TLN");
    }
}

}  // namespace
}  // namespace kavo::charts
