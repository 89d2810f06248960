// The unit weight by method, the profile file, and the vertical effective stress down a
// sounding.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "normalization/column_id.h"
#include "normalization/normalisation_context.h"
#include "normalization/unit_weight.h"
#include "normalization/unit_weight_profile.h"
#include "normalization_fixture.h"
#include "synthetic_charts.h"
#include "tools/errors.h"

namespace kavo::normalization {
namespace {

constexpr float kNull = -5435.0f;
constexpr float kAtmPerPsf = 0.00047254067612811923f;

const std::string kHeader = "depth, UWT\r\nFILETYPE=SLDLv5\r\nsite profile\r\nEOH\r\n";

class UnitWeightTest : public EngineFixture {
  protected:
    UnitWeightTest() {
        sounding.method = "WT";
        sounding.waterTableDepth = 10.0f;
        sounding.unitWeightAbove = 120.0f;
        sounding.unitWeightBelow = 125.0f;
        ResetVerticalStress(point);
    }
    // The stress step of a depth point, with the profile read as before a first point.
    void AdvanceTo(float depth) {
        point.depth = depth;
        NormalisationContext context = Context();
        ReadSoundingProfile(context, profile, dataArea, reporter);
        AdvanceVerticalStress(context, point, PointUnitWeight(context, point).value);
    }
    float ProfileAt(float depth) {
        point.depth = depth;
        ReadUnitWeightProfile(profile, sounding.profileFileName, dataArea, reporter);
        NormalisationContext context = Context();
        return UnitWeightAtDepth(context, point, ParseColumnId("UWT_FILE_pcf"));
    }
    // Each complete reading of a profile file logs one task line.
    int Readings() const {
        int count = 0;
        const std::string log = LogText();
        for (std::size_t at = log.find("Done with UWT file"); at != std::string::npos;
             at = log.find("Done with UWT file", at + 1)) {
            ++count;
        }
        return count;
    }
};

TEST_F(UnitWeightTest, FirstPointTakesTheIntervalFromTheSurface) {
    AdvanceTo(5.0f);
    EXPECT_EQ(point.unitWeight, 120.0f);
    EXPECT_EQ(point.vesAccumulatedPsf, 600.0f);
    EXPECT_EQ(point.ves, 600.0f * kAtmPerPsf);
    EXPECT_EQ(point.previousDepth, 5.0f);
}

// 0-5 ft and 5-10 ft at 120 pcf (10 ft is at the water table, so still total weight), then
// 10-12 ft buoyant at 125 - 62.4 = 62.6 pcf: 600 + 600 + 125.2 = 1325.2 psf.
TEST_F(UnitWeightTest, BuoyantWeightBelowTheWaterTableForTheWholeInterval) {
    AdvanceTo(5.0f);
    AdvanceTo(10.0f);
    EXPECT_EQ(point.vesAccumulatedPsf, 1200.0f);
    AdvanceTo(12.0f);
    EXPECT_EQ(point.unitWeight, 125.0f);
    EXPECT_NEAR(point.vesAccumulatedPsf, 1325.2f, 0.001f);
}

TEST_F(UnitWeightTest, ASecondCallAtTheSameDepthKeepsTheStress) {
    AdvanceTo(5.0f);
    sounding.unitWeightAbove = 130.0f;  // the unit weight is computed afresh
    AdvanceTo(5.0f);
    EXPECT_EQ(point.unitWeight, 130.0f);
    EXPECT_EQ(point.vesAccumulatedPsf, 600.0f);
}

// The issue of the refused weight is logged before the error it leads to.
TEST_F(UnitWeightTest, AMissingOrImplausibleUnitWeightStopsTheStress) {
    sounding.unitWeightAbove = 160.0f;  // above 154 pcf: out of range, so missing
    std::string description;
    EXPECT_EQ(DataErrorCode([&] { ComputePoint(5.0f, 50.0f, 0.5f); }, &description), "VES002");
    EXPECT_EQ(description, "negative calculated VES");
    EXPECT_NE(LogText().find("out of range --- UWT1 of 160 outside of the range ( 63"),
              std::string::npos);
    EXPECT_EQ(IssueCount(), 1);
}

TEST_F(UnitWeightTest, ChartMethodsWithoutAValueUse100Point5435) {
    testcharts::AddConstantChart(charts, "UWT1", "tln", 118.0f);
    charts.required.UWT1 = charts.count;
    NormalisationContext context = Context();
    point.depth = 3.0f;
    point.frictionRatio = 1.0f;
    point.qc1 = kNull;  // the first call of a depth point: Q is not known yet
    for (const char* method : {"KAVO", "vaski", "User", "tln"}) {
        const ColumnSpec column = ParseColumnId(std::string("UWT_") + method + "_pcf");
        EXPECT_EQ(UnitWeightAtDepth(context, point, column), 100.5435f) << method;
    }
    point.qc1 = 50.0f;
    EXPECT_FLOAT_EQ(UnitWeightAtDepth(context, point, ParseColumnId("UWT_KAVO_pcf")), 118.0f);
    EXPECT_FLOAT_EQ(UnitWeightAtDepth(context, point, ParseColumnId("UWT_tln_pcf")), 118.0f);

    sounding.method = "KAVO";
    point.qc1 = kNull;
    AdvanceTo(2.0f);
    EXPECT_FLOAT_EQ(point.vesAccumulatedPsf, 2.0f * 100.5435f);
}

// The method is resolved at a sounding's first point; each sounding's context takes its own.
TEST_F(UnitWeightTest, EachSoundingsContextTakesItsOwnMethod) {
    testcharts::AddConstantChart(charts, "UWT1", "KAVO", 118.0f);
    charts.required.UWT1 = charts.count;
    point.depth = 5.0f;
    NormalisationContext first = Context();
    EXPECT_EQ(PointUnitWeight(first, point).value, 120.0f);  // WT
    sounding.method = "KAVO";
    point.frictionRatio = 1.0f;
    point.qc1 = 40.0f;
    NormalisationContext second = Context();
    EXPECT_FLOAT_EQ(PointUnitWeight(second, point).value, 118.0f);
    sounding.method = "SLD_TLN";
    NormalisationContext third = Context();
    EXPECT_EQ(DataErrorCode([&] { PointUnitWeight(third, point); }), "EZ441");
}

TEST_F(UnitWeightTest, MethodCheckRefusesMethodsItDoesNotKnow) {
    for (const char* accepted : {"SLD_TLN", "kavo", " SLD ", "WT", "File"}) {
        EXPECT_TRUE(PassesUnitWeightMethodCheck(accepted)) << accepted;
    }
    for (const char* refused : {"VASKI", "USER", "tln", ""}) {
        EXPECT_FALSE(PassesUnitWeightMethodCheck(refused)) << refused;
    }
    // A refused method that gives a unit weight stops the depth point after its normalisation.
    UseConstantRequiredCharts(0.5f);
    sounding.method = "VASKI";
    std::string description;
    EXPECT_EQ(DataErrorCode([&] { ComputePoint(5.0f, 50.0f, 0.5f); }, &description), "UTGM724");
    EXPECT_EQ(description, "Norm CPT --- bad Unit weight total method");
    // A sounding that names no method at all is told so, not sent to the chart finder.
    for (const char* none : {"", "  ", "-5435"}) {
        sounding.method = none;
        EXPECT_EQ(DataErrorCode([&] { AdvanceTo(1.0f); }), "UTGM723") << none;
    }
    // The column ID of SLD_TLN has three underscores: the stress step stops at its parse.
    sounding.method = "SLD_TLN";
    EXPECT_EQ(DataErrorCode([&] { AdvanceTo(1.0f); }), "EZ441");
}

TEST(LinearInterpolate, StraightLineAndVerticalSegment) {
    EXPECT_EQ(LinearInterpolate(0.0f, 5.0f, 20.0f, 110.0f, 120.0f), 112.5f);
    EXPECT_EQ(LinearInterpolate(10.0f, 12.0f, 10.0f, 7.0f, 9.0f), 7.0f);
    EXPECT_EQ(LinearInterpolate(2.0f, 0.0f, 4.0f, 1.0f, 3.0f), -1.0f);  // extrapolates
}

// Only the differences and the slope are singles; (x - x1) x slope + y1 is rounded once.
// Profile (0, 110), (30, 120) at 12.7 ft: slope = single(10 / 30) = 0.333333343; x = single
// 12.6999998; 12.6999998 x 0.333333343 + 110 = 114.233333396, whose nearest single is
// 114.23333 (114.2333298; the next single up, 114.2333374, is farther). Rounding the product
// first gives 114.233337.
// (0, 105), (30, 122.5) at 7.1 ft: slope 0.583333313, exact 109.14166647 -> 109.14167.
// (2.5, 105), (20, 118) at 19.3 ft: slope single(13 / 17.5) = 0.742857158,
// 16.8000002 x 0.742857158 + 105 = 117.479999691 -> 117.480003.
TEST(LinearInterpolate, RoundsOnlyTheDifferencesAndTheSlope) {
    struct Case {
        float x1, x, x2, y1, y2;
        float y;
    };
    for (const Case& c : {Case{0.0f, 12.7f, 30.0f, 110.0f, 120.0f, 114.23333f},
                          Case{0.0f, 7.1f, 30.0f, 105.0f, 122.5f, 109.14167f},
                          Case{2.5f, 19.3f, 20.0f, 105.0f, 118.0f, 117.480003f}}) {
        EXPECT_EQ(LinearInterpolate(c.x1, c.x, c.x2, c.y1, c.y2), c.y) << c.x;
    }
}

TEST_F(UnitWeightTest, ProfileIsInterpolatedWithinItsDepthRange) {
    WriteProjectFile("site.uwt", kHeader + "0,110\r\n20,120\r\n");
    sounding.profileFileName = "site.uwt";
    EXPECT_EQ(ProfileAt(5.0f), 112.5f);
    EXPECT_EQ(ProfileAt(20.0f), 120.0f);
    EXPECT_EQ(profile.count, 2);
    std::string description;
    EXPECT_EQ(DataErrorCode([&] { ProfileAt(25.0f); }, &description), "GP342");
    EXPECT_EQ(description, "CPT depth below is UWT file depth range - make UWT file depth deeper");
    EXPECT_NE(LogText().find("Done with UWT file"), std::string::npos);
}

TEST_F(UnitWeightTest, DepthAboveTheFirstProfileDepthIsAnError) {
    WriteProjectFile("deep.uwt", kHeader + "2,110\r\n20,120\r\n");
    sounding.profileFileName = "deep.uwt";
    EXPECT_EQ(DataErrorCode([&] { ProfileAt(1.0f); }), "GP342");
}

TEST_F(UnitWeightTest, SameFileForTwoSoundingsIsReadOnce) {
    const std::string name = "shared.uwt";
    WriteProjectFile(name, kHeader + "0,110\r\n20,120\r\n");
    sounding.profileFileName = name;
    EXPECT_EQ(ProfileAt(5.0f), 112.5f);
    EXPECT_EQ(Readings(), 1);
    // The next sounding names the same file; it is no longer on disk, so only the kept
    // profile can answer.
    std::filesystem::remove(dir.path() / "Projects/ExampleOne" / name);
    SoundingUnitWeightInputs next = sounding;
    sounding = next;
    EXPECT_EQ(ProfileAt(10.0f), 115.0f);
    EXPECT_EQ(Readings(), 1);
    // A sounding naming another file reads that one.
    WriteProjectFile("other.uwt", kHeader + "0,100\r\n10,110\r\n");
    sounding.profileFileName = "other.uwt";
    EXPECT_EQ(ProfileAt(5.0f), 105.0f);
    EXPECT_EQ(Readings(), 2);
}

TEST_F(UnitWeightTest, ProfileFileFaultsAreDataErrors) {
    struct Case {
        const char* name;
        std::string content;  // empty: the file is not written
        const char* code;
    };
    std::string manyPairs = kHeader;
    for (int i = 0; i < 31; ++i) {
        manyPairs += std::to_string(i) + ",110\r\n";
    }
    const Case cases[] = {
        {"short.uwt", "depth, UWT\r\nFILETYPE=SLDLv5\r\ncomment\r\n", "WI323"},
        {"swapped.uwt", kHeader + "0,110\r\n15,20\r\n30,120\r\n", "DX739"},
        {"many.uwt", manyPairs, "UWT330"},
        {"cut.uwt", kHeader + "0,110\r\n20", "UWT331"},
        {"gap.uwt", kHeader + "0,110\r\n\r\n20,120\r\n", "UWT332"},
        {"absent.uwt", "", "UWT302"},
        {"", "", "UWT301"},
        {"-5435", "", "UWT301"},
    };
    for (const Case& c : cases) {
        if (!c.content.empty()) {
            WriteProjectFile(c.name, c.content);
        }
        sounding.profileFileName = c.name;
        profile = UnitWeightProfile{};
        EXPECT_EQ(DataErrorCode([&] { ProfileAt(5.0f); }), c.code) << c.name;
    }
}

TEST_F(UnitWeightTest, ProfileEdgesThatAreAccepted) {
    // A density written first on the last row is not checked; blank lines after the last pair
    // are no pair; thirty pairs fit.
    WriteProjectFile("last.uwt", kHeader + "0,110\r\n40,15\r\n");
    sounding.profileFileName = "last.uwt";
    EXPECT_NO_THROW(ProfileAt(1.0f));
    EXPECT_EQ(profile.count, 2);

    WriteProjectFile("blank.uwt", kHeader + "0,110\r\n20,120\r\n\r\n\r\n");
    sounding.profileFileName = "blank.uwt";
    EXPECT_EQ(ProfileAt(10.0f), 115.0f);
    EXPECT_EQ(profile.count, 2);

    std::string thirty = kHeader;
    for (int i = 0; i < 30; ++i) {
        thirty += std::to_string(i) + ",110\r\n";
    }
    WriteProjectFile("thirty.uwt", thirty);
    sounding.profileFileName = "thirty.uwt";
    EXPECT_EQ(ProfileAt(28.5f), 110.0f);
    EXPECT_EQ(profile.count, 30);

    WriteProjectFile("one.uwt", kHeader + "0,110\r\n");
    sounding.profileFileName = "one.uwt";
    EXPECT_EQ(ProfileAt(0.0f), kNull);  // one pair makes no interval
}

// Without a profile (no sounding has named one) the FILE method cannot give a weight.
TEST_F(UnitWeightTest, FileMethodWithoutAProfileIsRefused) {
    point.depth = 5.0f;
    NormalisationContext context = Context();
    EXPECT_EQ(
        DataErrorCode([&] { UnitWeightAtDepth(context, point, ParseColumnId("UWT_FILE_pcf")); }),
        "UWT301");
}

TEST_F(UnitWeightTest, FileMethodAdvancesTheStressFromTheProfile) {
    WriteProjectFile("site.uwt", kHeader + "0,110\r\n20,120\r\n");
    sounding.method = "file";
    sounding.profileFileName = "site.uwt";
    sounding.waterTableDepth = 100.0f;
    AdvanceTo(5.0f);  // 5 ft x 112.5 pcf
    EXPECT_EQ(point.vesAccumulatedPsf, 562.5f);
    AdvanceTo(10.0f);  // + 5 ft x 115 pcf
    EXPECT_EQ(point.vesAccumulatedPsf, 1137.5f);
}

}  // namespace
}  // namespace kavo::normalization
