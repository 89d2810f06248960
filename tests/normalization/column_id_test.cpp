// Column IDs: the grammar, the property table's names, units, masks, factors and ranges,
// and the errors for IDs that cannot be read.
#include <gtest/gtest.h>

#include <string>

#include "normalization/column_id.h"
#include "tools/errors.h"

namespace kavo::normalization {
namespace {

struct ParsedCase {
    std::string id;
    std::string property, method, unit, key, baseName, outputUnit, normalised, mask;
    float factor, minimum, maximum;
};

class ParsesColumnId : public ::testing::TestWithParam<ParsedCase> {};

TEST_P(ParsesColumnId, FillsEveryPart) {
    const ParsedCase& c = GetParam();
    const ColumnSpec spec = ParseColumnId(c.id);
    EXPECT_EQ(spec.id, c.id);
    EXPECT_EQ(spec.property, c.property);
    EXPECT_EQ(spec.method, c.method);
    EXPECT_EQ(spec.unit, c.unit);
    EXPECT_EQ(spec.key, c.key);
    EXPECT_EQ(spec.baseName, c.baseName);
    EXPECT_EQ(spec.outputUnit, c.outputUnit);
    EXPECT_EQ(spec.normalised, c.normalised);
    EXPECT_EQ(spec.mask, c.mask);
    EXPECT_EQ(spec.factor, c.factor);
    EXPECT_EQ(spec.minimum, c.minimum);
    EXPECT_EQ(spec.maximum, c.maximum);
    EXPECT_EQ(spec.reserved, "-5435");
    EXPECT_TRUE(spec.known);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParsesColumnId,
    ::testing::Values(ParsedCase{"Depth_ft", "Depth", "Basic", "ft", "basic", "DEPTH", "FT",
                                 "FALSE", "###.##", 1.0f, 0.0f, 500.0f},
                      // A metre column: 32.8084 ft / 3.2808399 = 10 m; its range is in metres.
                      ParsedCase{"Depth_m", "Depth", "Basic", "m", "basic", "DEPTH", "FT", "FALSE",
                                 "###.###", 3.2808399200439453f, 0.0f, 150.0f},
                      ParsedCase{"cQc_tln", "cQc", "tln", "", "cQc_tln", "cQc", "", "TRUE",
                                 "##.###", 1.0f, 0.01f, 1.5f},
                      ParsedCase{"Vs1_tln_fps", "Vs1", "tln", "fps", "Vs1_tln", "Vs1", "FPS",
                                 "TRUE", "#####", 1.0f, 0.0f, 5000.0f},
                      ParsedCase{"Vs1_tln_mps", "Vs1", "tln", "mps", "Vs1_tln", "Vs1", "FPS",
                                 "TRUE", "####", 3.2808399200439453f, 0.0f, 1524.0f},
                      ParsedCase{"Qc_atm", "Qc", "", "atm", "basic", "Qc1", "ATM", "FALSE",
                                 "###.###", 1.0f, 0.0f, 999.0f},
                      // TSF is the unit of a stress column, not a method.
                      ParsedCase{"Qc_tsf", "Qc", "", "tsf", "basic", "Qc1", "ATM", "FALSE",
                                 "###.###", 0.949999988079071f, 0.0f, 999.0f},
                      ParsedCase{"fs_tsf", "fs", "Basic", "tsf", "fs", "Fs1", "ATM", "FALSE",
                                 "##.###", 0.949999988079071f, 0.0f, 9.0f},
                      ParsedCase{"Qt_x_MPa", "Qt", "x", "MPa", "basic", "Qc1", "ATM", "FALSE",
                                 "##.####", 9.869230270385742f, 0.0f, 99.0f},
                      ParsedCase{"U2_kpa", "U2", "Basic", "kpa", "basic", "U2", "ATM", "FALSE",
                                 "####.#", static_cast<float>(9.86923 / 1000), 0.0000001f, 3000.0f},
                      ParsedCase{"VES_hwft", "VES", "Math", "hwft", "basic", "VES", "ATM", "FALSE",
                                 "###.#", static_cast<float>(62.4 / 2116.22), 0.0000001f, 400.0f},
                      ParsedCase{"UWT_tln_w1", "UWT", "tln", "w1", "UWT_tln", "UWT1", "PCF", "TRUE",
                                 "#.###", 62.400001525878906f, 1.01f, 1.4f},
                      ParsedCase{"Su_tln_atm", "Su", "tln", "atm", "Su_tln", "S1", "PSF", "TRUE",
                                 "##.###", 2116.219970703125f, 0.0f, 30.0f},
                      // No unit: the internal unit, factor 1.
                      ParsedCase{"Su_tln", "Su", "tln", "", "Su_tln", "S1", "PSF", "TRUE", "######",
                                 1.0f, 0.0f, 40000.0f},
                      ParsedCase{"Qc", "Qc", "", "", "basic", "Qc1", "ATM", "FALSE", "###.###",
                                 1.0f, 0.0f, 999.0f},
                      ParsedCase{"CRRe_tln84", "CRRe", "tln84", "", "CRRe_tln84", "CRRe", "",
                                 "TRUE", "##.###", 1.0f, 0.0f, 0.99f},
                      ParsedCase{"CSR_x", "CSR", "x", "", "CSR_x", "CSRe", "", "TRUE", "##.###",
                                 1.0f, 0.0f, 0.99f},
                      ParsedCase{"InclX_deg", "InclX", "deg", "", "InclX_deg", "INCLX", "Deg",
                                 "FALSE", "##.###", 1.0f, -45.0f, 45.0f},
                      ParsedCase{"RF_%", "RF", "", "%", "basic", "FR", "%", "FALSE", "#.###", 1.0f,
                                 0.01f, 10.0f},
                      ParsedCase{"p200s_tln", "p200s", "tln", "", "p200s_tln", "p200s1", "%",
                                 "TRUE", "###.#", 1.0f, 0.0f, 101.0f},
                      ParsedCase{"N1_tln_bpf", "N1", "tln", "bpf", "N1_tln", "N1", "BPF", "TRUE",
                                 "###.#", 1.0f, 0.0f, 200.0f},
                      ParsedCase{"OCR_x", "OCR", "x", "", "OCR_x", "OCR1", "", "TRUE", "##.###",
                                 1.0f, 1.0f, 50.0f}));

TEST(ParseColumnId, MetreDepthWritesTenMetresForTheirFeet) {
    const ColumnSpec spec = ParseColumnId("Depth_M");
    EXPECT_NEAR(32.8084f / spec.factor, 10.0f, 1e-5f);
}

TEST(ParseColumnId, EveryParseStartsFromItsOwnRange) {
    // A velocity column parsed after a depth column keeps nothing of the depth's range.
    ParseColumnId("Depth_m");
    const ColumnSpec velocity = ParseColumnId("Vs_x");
    EXPECT_EQ(velocity.minimum, 0.0f);
    EXPECT_EQ(velocity.maximum, 5000.0f);
    const ColumnSpec c = ParseColumnId("cQc_x");
    EXPECT_EQ(c.minimum, 0.01f);
    EXPECT_EQ(c.maximum, 1.5f);
}

TEST(ParseColumnId, AUnitInTheMethodPlaceBecomesTheUnit) {
    // A unit in the method's place becomes the unit.
    const ColumnSpec spec = ParseColumnId("Qc_atm_kpa");
    EXPECT_EQ(spec.unit, "atm");
    EXPECT_EQ(spec.method, "");
    EXPECT_EQ(spec.factor, 1.0f);
}

TEST(ParseColumnId, UnknownPropertyCanBeLeftToTheCaller) {
    const ColumnSpec spec = ParseColumnId("Zeta_tln", UnknownProperty::LeaveKnownFalse);
    EXPECT_FALSE(spec.known);
    EXPECT_EQ(spec.property, "Zeta");
    EXPECT_EQ(spec.method, "tln");
    EXPECT_EQ(spec.key, "Zeta_tln");
    EXPECT_EQ(spec.baseName, "-5435");
    EXPECT_EQ(spec.factor, -5435.0f);
}

TEST(ParseColumnId, SuesHasNoBaseName) {
    const ColumnSpec spec = ParseColumnId("SuES_x_psf");
    EXPECT_EQ(spec.baseName, "-5435");
    EXPECT_EQ(spec.mask, "######");
}

struct ErrorCase {
    std::string id;
    std::string code;
    std::string description;
};

class RejectsColumnId : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RejectsColumnId, WithCodeAndText) {
    const ErrorCase& c = GetParam();
    try {
        ParseColumnId(c.id);
        FAIL() << "no error for " << c.id;
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), c.code);
        EXPECT_EQ(error.description(), c.description);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RejectsColumnId,
    ::testing::Values(
        ErrorCase{"Qc_tln_xyz", "EZ441",
                  "zzz in xxx_yyy_zzz is not an engineering unit ---> Qc_tln_xyz"},
        ErrorCase{"a_b_c_atm", "EZ441", "There can not be uuu_xxx_yyy_zzz in a_b_c_atm"},
        ErrorCase{"ATM_tln", "EZ349", "units found at start of ATM_tln"},
        ErrorCase{"tsf_x", "EZ349", "units found at start of tsf_x"},
        ErrorCase{"Qc_", "EZ312", "there needs to be a method in Qc_"},
        ErrorCase{"Zeta_tln", "EZ360",
                  "the property Zeta is not known, in column ID ---> Zeta_tln"},
        ErrorCase{"Depth_feet", "EZ361",
                  "a depth column is written in FT or M, not FEET ---> "
                  "Depth_feet"},
        ErrorCase{"Qc_x_psf", "EZ363",
                  "the unit PSF is not one of ATM, TSF, MPA, KPA for this property ---> Qc_x_psf"},
        ErrorCase{"UWT_tln_kpa", "EZ363",
                  "the unit KPA is not one of PCF, W1 for this property ---> UWT_tln_kpa"},
        ErrorCase{"Vs1_x_vcw1", "EZ362",
                  "a velocity column is written in FPS, FT/SEC, MPS or M/SEC, not VCW1 ---> "
                  "Vs1_x_vcw1"}));

TEST(IsColumnUnit, TakesTsfBesideTheEngineeringUnits) {
    EXPECT_TRUE(IsColumnUnit("tsf"));
    EXPECT_TRUE(IsColumnUnit("%"));
    EXPECT_TRUE(IsColumnUnit("ft"));
    EXPECT_FALSE(IsColumnUnit(" ft"));
    EXPECT_FALSE(IsColumnUnit("tln"));
    EXPECT_FALSE(IsColumnUnit(""));
}

}  // namespace
}  // namespace kavo::normalization
