// The exponent c iteration, the agreement of its two runs, and the steps after it.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "normalization/stress_normalisation.h"
#include "normalization_fixture.h"
#include "synthetic_charts.h"
#include "tools/number_text.h"

namespace kavo::normalization {
namespace {

constexpr float kNull = -5435.0f;

class StressNormalisationTest : public EngineFixture {
  protected:
    StressNormalisationTest() { sounding.method = "KAVO"; }
    // The eight required charts, the cQc chart given by the caller.
    void UseExponentChart(std::int16_t slot) {
        charts.required.cQc = slot;
        const std::int16_t other = testcharts::AddConstantChart(charts, "UWT1", "KAVO", 115.0f);
        charts.required.UWT1 = other;
        charts.required.S1 = testcharts::AddConstantChart(charts, "S1", "KAVO", 0.3f);
    }
    void Load(float depth, float qc, float fs, float ves) {
        point.depth = depth;
        point.qc = qc;
        point.qt = qc;
        point.fs = fs;
        point.ves = ves;
    }
    float Iterate(float start) { return IterateExponentC(charts, point, start, point.ves).c; }
};

TEST_F(StressNormalisationTest, NoFrictionOrNoConeGivesMissingValuesWithoutError) {
    UseExponentChart(testcharts::AddConstantChart(charts, "cQc", "tln", 0.5f));
    struct Case {
        float qt;
        float fs;
        float ves;
    };
    // qt = 0 with VES = 0: the missing outputs win over the VES error.
    for (const Case& c : {Case{100, 0, 1}, Case{0, 1, 0}, Case{-5435, 1, 1}, Case{100, -0.1f, 0}}) {
        Load(5.0f, c.qt, c.fs, c.ves);
        point.frictionRatio = 1.0f;
        EXPECT_EQ(Iterate(1.5f), kNull);
        EXPECT_EQ(point.qc1, kNull);
        EXPECT_EQ(point.frictionRatio, kNull);
        EXPECT_EQ(point.fs1, kNull);
        EXPECT_EQ(point.exponentC, kNull);
    }
    EXPECT_EQ(IssueCount(), 0);
}

TEST_F(StressNormalisationTest, NoStressIsAnError) {
    UseExponentChart(testcharts::AddConstantChart(charts, "cQc", "tln", 0.5f));
    for (float ves : {0.0f, -1.0f, std::nanf("")}) {
        Load(5.0f, 100.0f, 1.0f, ves);
        std::string description;
        EXPECT_EQ(DataErrorCode([&] { Iterate(1.5f); }, &description), "VES932");
        EXPECT_EQ(description, "VES <= 0 in Normalization");
    }
}

// A reading at the ground surface (a first reading at depth 0) has no stress to normalise by:
// its normalised values are missing and the log says so, and the run goes on.
TEST_F(StressNormalisationTest, ZeroStressAtTheSurfaceIsAnIssueNotAnError) {
    UseExponentChart(testcharts::AddConstantChart(charts, "cQc", "tln", 0.5f));
    ResetVerticalStress(point);
    const DepthPointResult result = ComputePoint(0.0f, 100.0f, 1.0f);
    EXPECT_EQ(point.ves, 0.0f);
    EXPECT_EQ(point.qc1, kNull);
    EXPECT_EQ(point.fs1, kNull);
    EXPECT_EQ(point.exponentC, kNull);
    EXPECT_EQ(point.frictionRatio, kNull);
    EXPECT_EQ(result.fromHigh.tries, 0);
    EXPECT_EQ(IssueCount(), 1);
    EXPECT_NE(LogText().find("effective stress is zero at depth 0 ft (a reading at the ground "
                             "surface): normalised values left missing"),
              std::string::npos)
        << LogText();
}

// With c = 0.5 everywhere the damped steps from 0.2 are 0.2, 0.35, 0.425, 0.4625, 0.48125,
// 0.490625, 0.4953125 (the last within 0.008 of 0.5), so Q = qt / VES^0.4953125 and c = 0.5.
// From 1.5: 1.5, 1.0, 0.75, 0.625, 0.5625, 0.53125, 0.515625, 0.5078125.
TEST_F(StressNormalisationTest, ConstantChartConvergesFromBothStarts) {
    UseExponentChart(testcharts::AddConstantChart(charts, "cQc", "tln", 0.5f));
    Load(20.0f, 100.0f, 2.0f, 4.0f);
    EXPECT_FLOAT_EQ(Iterate(1.5f), 0.5f);
    EXPECT_NEAR(point.qc1, 100.0 / std::pow(4.0, 0.5078125), 1e-4);
    EXPECT_FLOAT_EQ(Iterate(0.2f), 0.5f);
    EXPECT_NEAR(point.qc1, 100.0 / std::pow(4.0, 0.4953125), 1e-4);  // 50.325
    EXPECT_FLOAT_EQ(point.frictionRatio, 2.0f);                      // 100 x 2 / 100
    EXPECT_NEAR(point.fs1, 0.02 * 100.0 / std::pow(4.0, 0.4953125), 1e-5);

    ResetVerticalStress(point);
    point.vesAccumulatedPsf = 4.0f / 0.00047254067612811923f;
    point.previousDepth = 20.0f;
    ComputePoint(20.0f, 100.0f, 2.0f);
    EXPECT_EQ(IssueCount(), 0);  // delta = 0
    EXPECT_FLOAT_EQ(point.exponentC, 0.5f);
    EXPECT_FLOAT_EQ(point.unitWeight, 115.0f);  // recomputed with the final Q and FR
    EXPECT_FLOAT_EQ(point.strengthRatio, 0.3f);
}

TEST_F(StressNormalisationTest, UnitStressLeavesQEqualToQt) {
    UseExponentChart(testcharts::AddRatioChart(charts, "cQc", "tln", testcharts::ExponentLines()));
    Load(3.0f, 37.5f, 0.4f, 1.0f);
    Iterate(0.2f);
    EXPECT_EQ(point.qc1, 37.5f);
}

TEST_F(StressNormalisationTest, QAtTheUpperClampIsMissingButFs1UsesIt) {
    UseExponentChart(testcharts::AddConstantChart(charts, "cQc", "tln", 0.5f));
    Load(1.0f, 900.0f, 9.0f, 0.25f);  // 900 / 0.25^0.495 = 1790: clamped to 1000
    Iterate(0.2f);
    EXPECT_EQ(point.qc1, kNull);
    EXPECT_FLOAT_EQ(point.fs1, 1.0f / 100.0f * 1000.0f);
}

// The friction ratio is clamped to 0.1..10 % for the chart, and a clamped or boundary value
// is then reported missing (only 0.1 < FR < 10 is kept), while Fs1 uses the clamped FR.
// VES = 1 atm gives Q = qt = 100 for any c, so Fs1 = FR_clamped / 100 x 100 = FR_clamped.
TEST_F(StressNormalisationTest, FrictionRatioAtOrBeyondItsClampsIsMissing) {
    UseExponentChart(testcharts::AddConstantChart(charts, "cQc", "tln", 0.5f));
    struct Case {
        float fs;             // atm, with qt = 100 atm: FR = fs %
        float frictionRatio;  // kept FR
        float fs1;
    };
    for (const Case& c : {Case{0.05f, kNull, 0.1f},  // FR 0.05 -> 0.1: on the bound, missing
                          Case{0.1f, kNull, 0.1f},   // 0.1 x 100 / 100 = 0.1 exactly
                          Case{0.2f, 0.2f, 0.2f},    // inside
                          Case{9.9f, 9.9f, 9.9f},    // inside
                          Case{10.0f, kNull, 10.0f}, Case{12.0f, kNull, 10.0f}}) {
        Load(5.0f, 100.0f, c.fs, 1.0f);
        Iterate(0.2f);
        EXPECT_EQ(point.qc1, 100.0f) << c.fs;
        EXPECT_FLOAT_EQ(point.frictionRatio, c.frictionRatio) << c.fs;
        EXPECT_FLOAT_EQ(point.fs1, c.fs1) << c.fs;
    }
}

// A chart whose c jumps from 0.01 (Q below 9.9 FR) to 1.5 (Q above 10.1 FR) has no fixed point
// the damped steps can reach: with qt = 100, FR = 1 and VES = 10 the steps swing about c = 1.
TEST_F(StressNormalisationTest, NoClosureAfter250TriesIsAnIssue) {
    UseExponentChart(testcharts::AddRatioChart(
        charts, "cQc", "tln", {{0.1, 0.01f}, {9.9, 0.01f}, {10.1, 1.5f}, {5000.0, 1.5f}}));
    Load(12.5f, 100.0f, 1.0f, 10.0f);
    point.frictionRatio = 0.75f;
    const ExponentRun run = IterateExponentC(charts, point, 0.2f, point.ves);
    EXPECT_EQ(run.c, kNull);
    EXPECT_FALSE(run.closed);
    EXPECT_EQ(run.tries, kMaxTries);
    EXPECT_GE(run.deltaC, 0.008f);
    EXPECT_EQ(point.qc1, kNull);
    EXPECT_EQ(point.exponentC, kNull);
    EXPECT_EQ(point.fs1, kNull);
    EXPECT_EQ(point.frictionRatio, 0.75f);  // left as it was

    // Through the per-depth step both runs fail: two issues, then the spread is 0.
    ResetVerticalStress(point);
    point.vesAccumulatedPsf = 10.0f / 0.00047254067612811923f;
    point.previousDepth = 12.5f;
    const DepthPointResult result = ComputePoint(12.5f, 100.0f, 1.0f);
    EXPECT_FALSE(result.fromHigh.closed);
    EXPECT_EQ(IssueCount(), 2);
    EXPECT_NE(LogText().find("  poor c calculation closure because at max# of tries ---"
                             "  DeltaC_criteria = 0.008  DeltaC_chart = "),
              std::string::npos);
}

// A chart with c = 1.4 below Q = 9.9 FR and c = 0.1 above Q = 10.1 FR has two fixed points:
// from 1.5 the steps settle at 1.4 (Q = 100 / 10^1.4 = 4), from 0.2 at 0.1 (Q = 79).
TEST_F(StressNormalisationTest, TwoStartsThatDisagreeAreAnIssueAtLevelSix) {
    UseExponentChart(testcharts::AddRatioChart(
        charts, "cQc", "tln", {{0.1, 1.4f}, {9.9, 1.4f}, {10.1, 0.1f}, {5000.0, 0.1f}}));
    ResetVerticalStress(point);
    point.vesAccumulatedPsf = 10.0f / 0.00047254067612811923f;
    point.previousDepth = 12.5f;
    const DepthPointResult result = ComputePoint(12.5f, 100.0f, 1.0f);
    EXPECT_TRUE(result.fromHigh.closed && result.fromLow.closed);
    EXPECT_NEAR(result.fromHigh.c, 1.4, 1e-6);
    EXPECT_NEAR(point.exponentC, 0.1, 1e-6);  // the second run's values stay
    EXPECT_EQ(IssueCount(), 1);
    const std::string log = LogText();
    const std::string indent(21, ' ');
    const std::size_t at = log.find(indent + "At depth=12.5 ft,  c(low)=");
    ASSERT_NE(at, std::string::npos) << log;
    // The line's three numbers, read with a point whatever the locale.
    const std::string fromLine = log.substr(at + indent.size());
    ASSERT_EQ(fromLine.rfind("At depth=12.5 ft,  c(low)=", 0), 0u) << log;
    const auto numberBetween = [&](const std::string& label, const std::string& end) {
        const std::size_t start = fromLine.find(label);
        if (start == std::string::npos) {
            return -1.0;
        }
        const std::size_t from = start + label.size();
        const std::size_t to = fromLine.find(end, from);
        return tools::ParseNumber(fromLine.substr(from, to - from)).value_or(-1.0);
    };
    const double low = numberBetween("c(low)=", " & ");
    const double high = numberBetween("c(high)=", ", Calculatd c is unstable i.e. delta=");
    const double delta = numberBetween("delta=", "which is >0.03");
    EXPECT_NEAR(low, 0.1, 1e-6);
    EXPECT_NEAR(high, 1.4, 1e-6);
    EXPECT_NEAR(delta, 1.3, 1e-6);
    EXPECT_NE(log.find("which is >0.03\r\n"), std::string::npos);
}

// The exponent chart's lines Qc1 = FR (0.9) and Qc1 = 100 FR (0.6): at FR = 2, Q = 50 both
// directions read 0.9 - 0.3 x log10(50 / 2) / 2 = 0.690309, so the difference is a zero,
// which the formatter centres in the mask.
TEST_F(StressNormalisationTest, ChartDirectionLineShowsBothDirections) {
    UseExponentChart(testcharts::AddRatioChart(charts, "cQc", "tln", testcharts::ExponentLines()));
    point.frictionRatio = 2.0f;
    point.qc1 = 50.0f;
    EXPECT_EQ(ChartDirectionLine(point, ChartDirectionValues(charts, point)),
              " 2.0000,   50.000,      0.6903,      0.690,   0   , %   Delta/xyc   cQc ");
    point.qc1 = kNull;
    EXPECT_EQ(ChartDirectionLine(point, ChartDirectionValues(charts, point)),
              " 2.0000,  _______,  __________,  _________,  _____, %   Delta/xyc   cQc ");
}

}  // namespace
}  // namespace kavo::normalization
