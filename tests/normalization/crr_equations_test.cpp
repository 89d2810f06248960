// The liquefaction resistance equation sets against published values.
#include <gtest/gtest.h>

#include <cmath>

#include "normalization/crr_equations.h"

namespace kavo::normalization {
namespace {

constexpr float kNull = -5435.0f;

// Boulanger & Idriss (2014): CRR = exp(cs/113 + (cs/1000)^2 - (cs/140)^3 + (cs/137)^4 - 2.8).
// With FR = 0.1 % and Q of 75 or more, Ic stays below 1.75, so the fines content is 0.01 and
// the clean-sand increment is exp(-64)-small: qc1Ncs equals Q. Expected values are the
// published equation evaluated at qc1Ncs, given to four figures (tolerance half a unit of the
// last figure, plus single-precision noise).
TEST(CrrByUcd14, CleanSandFollowsThePublishedCurve) {
    struct Case {
        float q;
        double crr;
    };
    for (const Case& c : {Case{75, 0.1114}, Case{100, 0.1373}, Case{125, 0.1832}, Case{150, 0.2885},
                          Case{175, 0.5996}}) {
        const Ucd14Steps steps = Ucd14StepsFor(c.q, 0.1f);
        EXPECT_LT(steps.ic, 1.75f) << c.q;
        EXPECT_FLOAT_EQ(steps.finesContent, 0.01f);
        EXPECT_FLOAT_EQ(steps.qc1ncs, c.q);
        EXPECT_NEAR(CrrByUcd14(c.q, 0.1f), c.crr, 0.00006) << c.q;
    }
}

// liquepy test vectors: qc1N 9.73 with FC 64.21 gives dqc1N 52.37 (+-2 %) and qc1Ncs 62.1,
// whose CRR is 0.101 (+-1.1 %). FC 64.21 = 80 Ic - 137 needs Ic = 2.5151; with Q = 9.73,
// (3.47 - log10 9.73)^2 = 6.15978, so (log10 FR + 1.22)^2 = 0.16593 and FR = 10^-0.81265
// = 0.15389 %.
TEST(CrrByUcd14, SiltySandReproducesThePublishedSteps) {
    const Ucd14Steps steps = Ucd14StepsFor(9.73f, 0.15389f);
    EXPECT_NEAR(steps.ic, 2.5151, 0.0002);
    EXPECT_NEAR(steps.finesContent, 64.21, 0.02);
    EXPECT_NEAR(steps.deltaQc1n, 52.37, 52.37 * 0.02);
    EXPECT_NEAR(steps.qc1ncs, 62.1, 62.1 * 0.02);
    EXPECT_NEAR(steps.crr, 0.101, 0.101 * 0.011);
}

// Robertson & Wride (1998): Q = 1, F = 1 % gives Ic = sqrt(3.47^2 + 1.22^2) = 3.678, above
// 2.9, where this equation set takes the fines content as 99.99 (the published relation would
// give 80 x 3.678 - 137 = 157, limited to 100). Likewise Ic = 2.93, which the published
// relation maps to FC 97.4, is taken as 99.99 here.
TEST(CrrByUcd14, ClayLikeSoilsTakeTheFixedFinesContent) {
    const Ucd14Steps unit = Ucd14StepsFor(1.0f, 1.0f);
    EXPECT_NEAR(unit.ic, 3.678, 0.0005);
    EXPECT_FLOAT_EQ(unit.finesContent, 99.99f);

    // Ic = 2.93 with Q = 10: (3.47 - 1)^2 = 6.1009, (log10 F + 1.22)^2 = 2.4840 - 6.1009 < 0
    // is impossible, so use Q = 5: (3.47 - 0.69897)^2 = 7.67861, 2.93^2 = 8.5849,
    // log10 F = 0.95186 - 1.22 = -0.26814, F = 0.53939 %.
    const Ucd14Steps edge = Ucd14StepsFor(5.0f, 0.53939f);
    EXPECT_NEAR(edge.ic, 2.93, 0.0002);
    EXPECT_FLOAT_EQ(edge.finesContent, 99.99f);
    EXPECT_NEAR(80.0 * edge.ic - 137.0, 97.4, 0.02);
}

TEST(CrrByUcd14, LimitsTheResistance) {
    // qc1Ncs 211 gives 3.72 by the published polynomial; this set caps it at 0.9.
    EXPECT_FLOAT_EQ(CrrByUcd14(211.0f, 0.1f), 0.9f);
    // A very loose clean sand gives less than 0.01: exp(2/113 - 2.8) = 0.0622 is above it, so
    // only the cap is reachable with Q >= 1; the floor guards the formula's own minimum.
    EXPECT_GE(CrrByUcd14(1.0f, 0.1f), 0.01f);
    // Q = 100, FR = 0.5: Ic = sqrt(1.47^2 + 0.91897^2) = 1.7336 < 1.75, so FC = 0.01.
    EXPECT_FLOAT_EQ(Ucd14StepsFor(100.0f, 0.5f).finesContent, 0.01f);
}

TEST(CrrEquations, MissingInputsGiveMissingResults) {
    EXPECT_EQ(CrrByUcd14(kNull, 1.0f), kNull);
    EXPECT_EQ(CrrByUcd14(50.0f, kNull), kNull);
    EXPECT_EQ(CrrByUcb06(kNull, 1.0f), kNull);
    EXPECT_EQ(CrrByUcb06(50.0f, kNull), kNull);
    EXPECT_EQ(CrrByUcb06(5435.0f, 1.0f), kNull);
}

// The UCB06 set evaluated by hand, each term to seven figures, for Q = 100 and FR = 1 %:
// q = 10; q^1.045 = 11.09175; 0.11 FR q = 1.1; 0.001 FR = 0.001; (1 + 0.85) = 1.85;
// 0.848 ln 7.5 = 1.708663; 0.002 ln 100 = 0.009210340; 1.632 x 0.1 = 0.1632.
// Sum = 11.09175 + 1.1 + 0.001 + 1.85 - 1.708663 - 0.00921034 - 20.923 + 0.1632 = -8.434923;
// / 7.177 = -1.175271; exp = 0.30874.
// For Q = 50, FR = 2 %: q = 5, q^1.045 = 5.375559; 1.1; 0.002; 2.7; the same constants:
// sum = -13.30011; / 7.177 = -1.853158; exp = 0.15674.
TEST(CrrByUcb06, MatchesAHandEvaluation) {
    EXPECT_NEAR(CrrByUcb06(100.0f, 1.0f), 0.30874, 0.00005);
    EXPECT_NEAR(CrrByUcb06(50.0f, 2.0f), 0.15674, 0.00005);
    // More friction, same Q: more resistance.
    EXPECT_GT(CrrByUcb06(50.0f, 3.0f), CrrByUcb06(50.0f, 2.0f));
}

// Only the terms are singles; their sum, the division by 7.177 and the exponential are not
// rounded until the result. Q = 14.05, FR = 1.5 %: q = 1.405 (single 1.40499997); the
// single terms are 1.42666411, 0.231824994, 0.00150000001, 2.2750001, -1.70863771,
// -0.00921034068, -20.9230003, 0.163200006; their exact sum is -18.5426591814;
// / 7.177 = -2.58362256; exp = 0.07550000 -> single 0.075500004. Summing in singles and
// dividing by the single 7.177 gives 0.0754999965 instead, which prints as 0.075.
// Q = 1.545, FR = 5.5 %: sum -16.5616292916 gives 0.0994999856 (not 0.0995000005).
// Q = 12.149, FR = 3.6 %: sum -16.7073590248 gives 0.0975000039 (not 0.097499989).
TEST(CrrByUcb06, RoundsOnlyTheTerms) {
    struct Case {
        float q;
        float frictionRatio;
        float crr;
    };
    for (const Case& c : {Case{14.05f, 1.5f, 0.075500004f}, Case{1.545f, 5.5f, 0.0994999856f},
                          Case{12.149f, 3.6f, 0.0975000039f}}) {
        EXPECT_EQ(CrrByUcb06(c.q, c.frictionRatio), c.crr) << c.q << " " << c.frictionRatio;
    }
}

}  // namespace
}  // namespace kavo::normalization
