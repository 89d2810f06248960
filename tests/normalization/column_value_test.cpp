// The value of each kind of output column at a depth point, its range and its unit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "normalization/crr_equations.h"
#include "normalization_fixture.h"
#include "synthetic_charts.h"

namespace kavo::normalization {
namespace {

constexpr float kNull = -5435.0f;

class ColumnValueTest : public EngineFixture {
  protected:
    ColumnValueTest() {
        using testcharts::AddConstantChart;
        UseConstantRequiredCharts(0.55f);
        AddConstantChart(charts, "cQc", "tln", 0.45f);
        AddConstantChart(charts, "CRRe", "ucd14", 0.33f);

        point.depth = 32.8084f;
        point.qc = 95.0f;
        point.qt = 95.0f;
        point.fs = 0.95f;
        point.u2 = 0.5f;
        point.frictionRatio = 1.0f;
        point.qc1 = 34.0f;
        point.fs1 = 0.34f;
        point.exponentC = 0.5f;
        point.ves = 2.0f;
        point.inclinationX = 1.5f;
        point.inclinationY = -2.0f;
    }
    // The column's value; a refused value is logged as the table writer logs it.
    float Value(const std::string& id) {
        NormalisationContext context = Context();
        const ColumnSpec column = ParseColumnId(id);
        const ColumnOutcome outcome = ComputeColumnValue(context, column, point);
        PointNotes notes;
        NoteOutOfRange(notes, column, outcome);
        WritePointNotes(reporter, notes);
        return outcome.value;
    }
    std::string ErrorOf(const std::string& id, std::string* description = nullptr) {
        return DataErrorCode([&] { Value(id); }, description);
    }
};

TEST_F(ColumnValueTest, MeasuredAndBasicColumns) {
    struct Case {
        const char* id;
        double expected;
    };
    const Case cases[] = {
        {"Depth_ft", 32.8084},
        {"Depth_M", 10.0},                   // 32.8084 ft / 3.2808399 ft per m
        {"Qc_atm", 95.0},                    // qc
        {"Qt_atm", 95.0},                    // qt
        {"Qc_tsf", 100.0},                   // 95 atm / 0.95 atm per tsf
        {"Qc_MPa", 9.62598},                 // 95 atm x 0.101325 MPa per atm
        {"Qc1_atm", 95.0 / std::sqrt(2.0)},  // qt / VES^c with c = 0.5
        {"Fs_atm", 0.95},
        {"Fs_tsf", 1.0},
        {"Fs1_atm", 0.34},
        {"Fr_%", 1.0},
        {"U2_atm", 0.5},
        {"VES_atm", 2.0},
        {"VES", 2.0},  // no unit: the internal unit
        {"InclX_deg", 1.5},
        {"InclY", -2.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Value(c.id), c.expected, 2e-5 * std::fabs(c.expected) + 1e-6) << c.id;
    }
    EXPECT_EQ(IssueCount(), 0) << LogText();
}

// Each range is written in the column's unit: 300 ft is 91.44 m, within 0..150 m; 100 atm is
// 10.13 MPa, within 0..99 MPa; 80 pcf is 1.28 times water, within 1.01..1.4. Tested on the
// internal value each of these would be blanked.
TEST_F(ColumnValueTest, RangeIsTestedInTheColumnsUnit) {
    point.depth = 300.0f;
    EXPECT_NEAR(Value("Depth_M"), 91.44, 1e-3);
    point.qc = 100.0f;
    EXPECT_NEAR(Value("Qc_MPa"), 10.1325, 1e-4);
    sounding.method = "WT";
    sounding.waterTableDepth = 500.0f;
    sounding.unitWeightAbove = 80.0f;
    EXPECT_NEAR(Value("UWT_WT_W1"), 80.0 / 62.4, 1e-5);
    EXPECT_EQ(IssueCount(), 0);
    // 120 pcf is 1.92 times water: outside.
    sounding.unitWeightAbove = 120.0f;
    EXPECT_EQ(Value("UWT_WT_W1"), kNull);
    EXPECT_EQ(IssueCount(), 1);
}

TEST_F(ColumnValueTest, OutOfRangeValueIsMissingWithAnIssue) {
    point.qc = 1200.0f;
    EXPECT_EQ(Value("Qc_atm"), kNull);
    EXPECT_EQ(IssueCount(), 1);
    EXPECT_NE(LogText().find("out of range --- QC1 of 1200 outside of the range ( 0\r\n"),
              std::string::npos)
        << LogText();
    // A missing value fails the range too, and is reported with the marker.
    point.u2 = kNull;
    EXPECT_EQ(Value("U2_atm"), kNull);
    EXPECT_NE(LogText().find("out of range --- U2 of -5435 outside of the range ( 1E-07"),
              std::string::npos)
        << LogText();
}

TEST_F(ColumnValueTest, NormalisedConeResistanceNeedsAnExponent) {
    point.exponentC = kNull;
    EXPECT_EQ(Value("Qc1_atm"), kNull);
    point.exponentC = -0.1f;
    EXPECT_EQ(Value("Qc1_atm"), kNull);
    point.exponentC = 1.0f;
    point.ves = 200.0f;  // 95 / 200 is below 1: raised to 1
    EXPECT_EQ(Value("Qc1_atm"), 1.0f);
}

TEST_F(ColumnValueTest, ExponentColumnFollowsTheNormalisationMode) {
    struct Case {
        NormalisationMode mode;
        float expected;
    };
    for (const Case& c : {Case{NormalisationMode::Robertson, 1.0f},
                          Case{NormalisationMode::VaskiStressFocus, 0.222222f},
                          Case{NormalisationMode::Vaski, 0.55f},          // the required cQc chart
                          Case{NormalisationMode::NoneChosen, 0.45f}}) {  // the tln chart
        mode = c.mode;
        EXPECT_FLOAT_EQ(Value("cQc_tln"), c.expected);
        EXPECT_FLOAT_EQ(Value("cQc_RKP"), 0.6f);
    }
}

// Su = (qt - total vertical stress) / Nk in atm; SU1 = Su / VES, SU = Su in psf at the unit
// table's 2116.22 psf per atm.
TEST_F(ColumnValueTest, StrengthByConeFactor) {
    point.qt = 36.0f;
    struct Case {
        const char* what;
        float waterTableDepth;  // ft; the point lies at 32.8084 ft with VES 2 atm
        double su1;
        double suPsf;
    };
    // Below the water table: 20 ft of water head is 1248 psf = 0.589731 atm on top of VES.
    const double suBelow = (36.0 - 2.0 - 20.0 * 62.4 / 2116.22) / 17.0;
    const Case cases[] = {
        {"above the water table", 50.0f, 1.0, 4232.44},  // (36 - 2) / 17 = 2 atm
        {"at the water table", 32.8084f, 1.0, 4232.44},
        {"below the water table", 12.8084f, suBelow / 2.0, suBelow * 2116.22},
    };
    for (const Case& c : cases) {
        sounding.waterTableDepth = c.waterTableDepth;
        EXPECT_NEAR(Value("SU1_NK=17"), c.su1, 2e-6 * c.su1) << c.what;
        EXPECT_NEAR(Value("Su_NK=17_psf"), c.suPsf, 2e-6 * c.suPsf) << c.what;
        EXPECT_NEAR(Value("Su_Nk=17_psf"), c.suPsf, 2e-6 * c.suPsf) << c.what;
        EXPECT_NEAR(Value("Su_NK=17_atm"), c.suPsf / 2116.22, 2e-6 * c.suPsf) << c.what;
        EXPECT_EQ(Value("S1_NK=17"), kNull) << c.what;  // no value for S1 by cone factor
    }
    EXPECT_EQ(IssueCount(), 3) << LogText();  // the three S1 columns
}

TEST_F(ColumnValueTest, StrengthByConeFactorIsMissingWithoutItsInputs) {
    point.qt = 36.0f;
    sounding.waterTableDepth = kNull;
    EXPECT_EQ(Value("Su_NK=17_psf"), kNull);
    sounding.waterTableDepth = 50.0f;
    point.qt = kNull;
    EXPECT_EQ(Value("Su_NK=17_psf"), kNull);
    point.qt = 36.0f;
    point.ves = kNull;
    EXPECT_EQ(Value("SU1_NK=17"), kNull);
    EXPECT_EQ(Value("Su_NK=17_psf"), kNull);
}

TEST_F(ColumnValueTest, StrengthByConeFactorChecksTheFactor) {
    sounding.waterTableDepth = 50.0f;
    // The factor is checked with the value, not with the ID: its error comes where the
    // column's first value is computed.
    for (const char* id : {"SU1_NK=25", "SU1_NK=", "SU1_NK17"}) {
        EXPECT_NO_THROW(ParseColumnId(id)) << id;
    }
    std::string description;
    EXPECT_EQ(ErrorOf("SU1_NK=25", &description), "NK019");
    EXPECT_EQ(description, "NK must be reasonable, not 25");
    EXPECT_EQ(ErrorOf("SU1_NK=9.5"), "NK019");
    EXPECT_EQ(ErrorOf("SU1_NK="), "NK019");
    EXPECT_EQ(ErrorOf("SU1_NK17", &description), "NK123");
    EXPECT_EQ(description, "SU Nk method must have the form of Nk=17");
    EXPECT_EQ(ErrorOf("SU1_NK=21"), "");
    // Limits of the strength ratio: (95 - 100) / 10 is negative, below 0.05.
    point.ves = 100.0f;
    EXPECT_EQ(Value("SU1_NK=10"), kNull);
}

// The chart gives the ratio to VES; SU is that ratio times VES in psf (2116.22 per atm).
TEST_F(ColumnValueTest, StrengthByChart) {
    EXPECT_FLOAT_EQ(Value("S1_tln"), 0.28f);
    EXPECT_FLOAT_EQ(Value("SU1_tln"), 0.28f);
    EXPECT_NEAR(Value("SU_tln_psf"), 0.28 * 2.0 * 2116.22, 2e-3);
    EXPECT_NEAR(Value("SU_tln_atm"), 0.28 * 2.0, 1e-6);
    EXPECT_EQ(Value("S_tln_psf"), kNull);
}

TEST_F(ColumnValueTest, LiquefactionResistanceByEquationOrChart) {
    EXPECT_FLOAT_EQ(Value("CRRe_UCD14"), CrrByUcd14(34.0f, 1.0f));
    EXPECT_FLOAT_EQ(Value("CRRe_UCB06"), CrrByUcb06(34.0f, 1.0f));
    EXPECT_FLOAT_EQ(Value("CRRe_KAVO"), 0.25f);
    EXPECT_FLOAT_EQ(Value("CRRe_ucd14"), 0.33f);  // other capitals: the chart finder
    std::string description;
    EXPECT_EQ(ErrorOf("CRRe_ucb06", &description), "GZS101");
    EXPECT_EQ(ErrorOf("CRR_UCD14", &description), "QM457");
    EXPECT_NE(description.find("CRR_UCD14"), std::string::npos);
    point.qc1 = kNull;
    EXPECT_EQ(Value("CRRe_UCD14"), kNull);
}

TEST_F(ColumnValueTest, SoilIndexBlowCountVelocityAndFines) {
    EXPECT_FLOAT_EQ(Value("Ic_VASKI"), 2.4f);  // the required Ic chart
    // Ic by its equation at Q 34, FR 1 %: ((3.47 - 1.531479)^2 + 1.22^2)^0.5.
    EXPECT_NEAR(Value("Ic_RKP"), 2.290472, 1e-5);
    EXPECT_FLOAT_EQ(Value("Ic_tln"), 2.4f);
    EXPECT_FLOAT_EQ(Value("N1_KAVO"), 22.0f);
    EXPECT_FLOAT_EQ(Value("N1_VASKI"), 22.0f);
    EXPECT_FLOAT_EQ(Value("N1_QT/N"), 34.0f / 4.5f);
    // Q / 10^(1.1268 - 0.2817 x 2.290472) = 34 / 3.030948
    EXPECT_NEAR(Value("N1_RKP"), 11.21773, 1e-4);
    EXPECT_EQ(IssueCount(), 0);
    EXPECT_EQ(ErrorOf("N_KAVO"), "QM457");
    EXPECT_FLOAT_EQ(Value("Vs1_tln_fps"), 600.0f);
    EXPECT_NEAR(Value("Vs1_tln_mps"), 600.0 * 0.3048, 1e-3);
    point.ves = 16.0f;
    EXPECT_FLOAT_EQ(Value("Vs_tln_fps"), 1200.0f);  // 600 x 16^0.25
    point.ves = kNull;
    EXPECT_EQ(Value("Vs_tln_fps"), kNull);
    EXPECT_FLOAT_EQ(Value("p200s1_tln"), 35.0f);
}

TEST_F(ColumnValueTest, PropertiesWithoutAComputationAreDataErrors) {
    for (const char* id : {"SuFV1_tln", "Sue1_tln", "CRL_tln", "CSR_tln", "Cc1e1_tln", "OCR_tln",
                           "E50p1_tln", "Sufv_tln_psf"}) {
        std::string description;
        EXPECT_EQ(ErrorOf(id, &description), "QM457") << id;
        EXPECT_NE(description.find(id), std::string::npos) << description;
    }
    std::string description;
    EXPECT_EQ(ErrorOf("SUES_tln_psf", &description), "QM456");
    EXPECT_EQ(description, "ID=-5435 is bad");
}

}  // namespace
}  // namespace kavo::normalization
