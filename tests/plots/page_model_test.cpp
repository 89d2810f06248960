// The pages' drawing models: axes, directions, points per line, gaps, zones, contours, the
// zero readings per device and the plan, checked value by value without drawing.
#include "plots/page_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "charts/sld_chart.h"

namespace kavo::plots {
namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// A short profile: five depths, the first two without sleeve friction, as near the surface
// of a real sounding.
SoundingProfile ShortProfile() {
    SoundingProfile profile;
    profile.facts.project = "Levee";
    profile.facts.sounding = "KV-09";
    profile.facts.waterTableFt = 2.5;
    profile.facts.latitude = kGap;
    profile.facts.longitude = kGap;
    profile.depthFt = {0.2, 1.0, 2.0, 3.0, 4.4};
    const auto add = [&](Quantity q, const char* label, const char* unit,
                         std::vector<double> values) {
        profile.series.push_back({q, label, unit, std::move(values), {}});
    };
    add(Quantity::Qc, "qc", "atm", {-1.5, 20, 35, 60, 80});
    add(Quantity::Qt, "qt", "atm", {-1.5, 20, 35, 60, 80});
    add(Quantity::Fs, "fs", "atm", {kGap, kGap, 0.4, 0.5, 0.9});
    add(Quantity::FrictionRatio, "FR", "%", {kGap, kGap, 1.1, 0.8, 14.0});
    add(Quantity::U2, "u2", "atm", {0, 0, 0.01, 0.2, 0.5});
    add(Quantity::Hydrostatic, "u0", "atm", {kGap, kGap, kGap, 0.0147, 0.0559});
    add(Quantity::NormalisedQ, "Q", "", {kGap, 150, 90, 5000, 40});
    add(Quantity::Ic, "Ic_tln", "", {kGap, kGap, 1.9, 2.1, 3.2});
    add(Quantity::ExponentC, "c", "", {kGap, 0.5, 0.55, 0.6, 1.0});
    add(Quantity::UnitWeight, "Unit weight", "pcf", {115, 115, 115, 125, 125});
    add(Quantity::Ves, "VES", "atm", {0.01, 0.05, 0.1, 0.12, 0.15});
    add(Quantity::Crr, "CRRe_tln", "", {kGap, 0.2, 0.3, 0.25, 0.1});
    add(Quantity::Crr, "CRRe_UCB06", "", {kGap, 0.21, 0.31, 0.26, 0.11});
    add(Quantity::Su, "Su_Nk=15_psf", "psf", {kGap, kGap, 2400, 1800, 900});
    return profile;
}

const TrackModel& TrackTitled(const SoundingPageModel& page, const std::string& title) {
    for (const TrackModel& track : page.tracks) {
        if (track.title == title) {
            return track;
        }
    }
    ADD_FAILURE() << "no track " << title;
    return page.tracks.front();
}

TEST(NiceRange, WidensToRoundNumbers) {
    struct Case {
        double low, high;
        AxisScale scale;
        double min, max;
    } cases[] = {
        {0, 105, AxisScale::Linear, 0, 120},    {0, 243.5, AxisScale::Linear, 0, 250},
        {-1.5, 80, AxisScale::Linear, -10, 80}, {0.12, 0.87, AxisScale::Linear, 0.1, 0.9},
        {3, 3, AxisScale::Linear, 3, 3.3},      {0.2, 850, AxisScale::Log, 0.1, 1000},
        {10, 10, AxisScale::Log, 10, 100},
    };
    for (const Case& c : cases) {
        double min = 0;
        double max = 0;
        NiceRange(c.low, c.high, c.scale, min, max);
        EXPECT_NEAR(min, c.min, 1e-9) << c.low << ".." << c.high;
        EXPECT_NEAR(max, c.max, 1e-9) << c.low << ".." << c.high;
    }
}

TEST(TickStep, CutsASpanIntoAtMostSoManyRoundSteps) {
    struct Case {
        double span;
        int intervals;
        double step;
    } cases[] = {{400, 4, 100}, {30000, 3, 10000}, {1.2, 4, 0.5}, {3, 4, 1}, {0.06, 4, 0.02}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(TickStep(c.span, c.intervals), c.step) << c.span;
    }
}

TEST(SoundingPage, DepthPointsDownInFeetWithMetresOpposite) {
    const SoundingPageModel page = BuildSoundingPage(ShortProfile());
    EXPECT_TRUE(page.depthFt.reversed);
    EXPECT_EQ(page.depthFt.min, 0);
    EXPECT_GE(page.depthFt.max, 4.4);
    EXPECT_LT(page.depthFt.max, 6);
    EXPECT_TRUE(page.depthMetres.reversed);
    EXPECT_DOUBLE_EQ(page.depthMetres.max, page.depthFt.max * 0.3048);
    EXPECT_EQ(page.waterTableFt, 2.5);
}

TEST(SoundingPage, EveryLineHasAPointPerDepthAndMissingValuesStayGaps) {
    const SoundingProfile profile = ShortProfile();
    const SoundingPageModel page = BuildSoundingPage(profile);
    for (const TrackModel& track : page.tracks) {
        for (const LineModel& line : track.lines) {
            EXPECT_EQ(line.x.size(), profile.depthFt.size()) << line.name;
            EXPECT_EQ(line.y, profile.depthFt) << line.name;
            for (double x : line.x) {
                // Never the null marker, never a made-up zero in place of a missing value.
                EXPECT_FALSE(std::fabs(x) == 5435) << line.name;
            }
        }
    }
    const LineModel& fs = TrackTitled(page, "Sleeve friction").lines.front();
    EXPECT_TRUE(std::isnan(fs.x[0]));
    EXPECT_TRUE(std::isnan(fs.x[1]));
    EXPECT_EQ(fs.x[2], 0.4);
}

TEST(SoundingPage, TracksAndTheirAxes) {
    const SoundingPageModel page = BuildSoundingPage(ShortProfile());
    std::vector<std::string> titles;
    for (const TrackModel& track : page.tracks) {
        titles.push_back(track.title);
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Cone resistance", "Sleeve friction", "Friction ratio",
                                        "Pore pressure", "Soil type", "Exponent", "Unit weight",
                                        "Effective stress", "Liquefaction", "Strength"}));
    struct Case {
        const char* title;
        double min, max;
        std::size_t lines;
    } cases[] = {
        {"Cone resistance", -10, 80, 2},  // a negative reading keeps its place on the axis
        {"Friction ratio", 0, 10, 1},     // 14 % near the surface does not squash the track
        {"Pore pressure", 0, 0.5, 2},    {"Soil type", 1, 4, 1},
        {"Exponent", 0, 1.2, 1},         {"Unit weight", 112, 128, 1},  // off the frame
        {"Liquefaction", 0, 0.35, 2},    {"Strength", 0, 2500, 1},
    };
    for (const Case& c : cases) {
        const TrackModel& track = TrackTitled(page, c.title);
        EXPECT_NEAR(track.value.min, c.min, 1e-9) << c.title;
        EXPECT_NEAR(track.value.max, c.max, 1e-9) << c.title;
        EXPECT_EQ(track.lines.size(), c.lines) << c.title;
        EXPECT_FALSE(track.value.reversed) << c.title;
    }
    EXPECT_EQ(TrackTitled(page, "Pore pressure").lines[0].style, LineStyle::Solid);
    EXPECT_EQ(TrackTitled(page, "Pore pressure").lines[1].style, LineStyle::Dashed);
    EXPECT_EQ(TrackTitled(page, "Cone resistance").lines[1].style, LineStyle::Dashed);
    EXPECT_EQ(TrackTitled(page, "Strength").value.label, "Su (psf)");
}

TEST(SoundingPage, LogConeResistanceTurnsReadingsAtOrBelowZeroIntoGaps) {
    SoundingPageOptions options;
    options.logConeResistance = true;
    const SoundingPageModel page = BuildSoundingPage(ShortProfile(), options);
    const TrackModel& cone = page.tracks.front();
    EXPECT_EQ(cone.value.scale, AxisScale::Log);
    EXPECT_EQ(cone.value.min, 10);
    EXPECT_EQ(cone.value.max, 100);
    EXPECT_TRUE(std::isnan(cone.lines[0].x[0]));
    EXPECT_EQ(cone.lines[0].x[1], 20);
}

TEST(SoundingPage, SoilTypeZonesCoverTheIcAxisInOrder) {
    const std::vector<ZoneBand> zones = SoilBehaviourZones();
    ASSERT_EQ(zones.size(), 6u);
    EXPECT_EQ(zones.front().from, 1.0);
    EXPECT_EQ(zones.back().to, 4.0);
    for (std::size_t i = 1; i < zones.size(); ++i) {
        EXPECT_EQ(zones[i].from, zones[i - 1].to) << zones[i].name;
    }
    EXPECT_EQ(zones[2].name, "5 Sand mixtures");
    EXPECT_DOUBLE_EQ(zones[2].from, 2.05);
    EXPECT_DOUBLE_EQ(zones[2].to, 2.60);
    const SoundingPageModel page = BuildSoundingPage(ShortProfile());
    EXPECT_EQ(TrackTitled(page, "Soil type").zones.size(), 6u);
    EXPECT_TRUE(TrackTitled(page, "Cone resistance").zones.empty());
}

TEST(SoundingPage, TitleBlockNamesWhatIsNotKnown) {
    const SoundingPageModel page = BuildSoundingPage(ShortProfile());
    EXPECT_EQ(page.title, "Sounding KV-09 - Levee");
    ASSERT_EQ(page.titleBlock.size(), 8u);
    EXPECT_EQ(page.titleBlock[2].label, "Date");
    EXPECT_EQ(page.titleBlock[2].value, "-");
    EXPECT_EQ(page.titleBlock[5].value, "2.5 ft");
}

charts::SldChart SmallChart() {
    charts::SldChart chart;
    chart.Row1_z_IDfull_8str = "Ic_tln";
    chart.Header_General_Description_8str = "Soil behaviour type index Ic";
    chart.Header_AuthorShort_4Row2_8str = "tln";
    chart.Header_DateShort_8str = "2024";
    chart.Header_Version_8str = "v1";
    chart.Header_Fr_UseLog_8bol = true;
    chart.Header_Qc1_UseLog_8bol = true;
    chart.Xmin_8sng = 0.1f;
    chart.Xmax_8sng = 10;
    chart.Ymin_8sng = 1;
    chart.Ymax_8sng = 1000;
    for (float value : {2.05f, 2.6f, 2.95f}) {
        charts::ContourLine& line = charts::AddContourLine(chart, value, "test");
        for (float fr : {0.1f, 1.0f, 10.0f}) {
            charts::AddChartPoint(line, fr, 100.0f / value / fr, "test");
        }
    }
    return chart;
}

TEST(ChartPage, ContoursOnTheChartsOwnAxesWithTheirValues) {
    const ChartPageModel page = BuildChartPage(SmallChart(), ShortProfile());
    ASSERT_EQ(page.contours.size(), 3u);
    EXPECT_EQ(page.contours[1].label, "2.6");
    EXPECT_EQ(page.contours[1].frictionRatio.size(), 3u);
    // Neighbouring labels at different places along their lines (three quarters, half, a
    // quarter of the way along, in decades: the lines are straight on the log-log page).
    EXPECT_NEAR(page.contours[0].labelX, std::sqrt(10.0), 1e-6);
    EXPECT_NEAR(page.contours[0].labelY, 100 / 2.05 / std::sqrt(10.0), 1e-3);
    EXPECT_NEAR(page.contours[1].labelX, 1.0, 1e-6);
    EXPECT_NEAR(page.contours[2].labelX, 1 / std::sqrt(10.0), 1e-6);
    EXPECT_EQ(page.x.scale, AxisScale::Log);
    EXPECT_EQ(page.y.scale, AxisScale::Log);
    EXPECT_FLOAT_EQ(static_cast<float>(page.x.min), 0.1f);
    EXPECT_EQ(page.y.max, 1000);
    EXPECT_EQ(page.title, "Ic_tln - Soil behaviour type index Ic");
    EXPECT_EQ(page.corner, "Chart by tln, 2024, version v1");
}

TEST(ChartPage, PointsOutsideTheFrameSitOnItsEdgeAndAreCounted) {
    const ChartPageModel page = BuildChartPage(SmallChart(), ShortProfile());
    // Depths 2.0, 3.0 and 4.4 have both FR and Q; 3.0 has Q 5000 above the frame and 4.4 has
    // FR 14 % beyond it.
    ASSERT_EQ(page.points.size(), 3u);
    EXPECT_FALSE(page.points[0].outside);
    EXPECT_EQ(page.points[0].q, 90);
    EXPECT_TRUE(page.points[1].outside);
    EXPECT_EQ(page.points[1].q, 1000);
    EXPECT_TRUE(page.points[2].outside);
    EXPECT_EQ(page.points[2].frictionRatio, 10);
    EXPECT_EQ(page.outsideCount, 2);
    EXPECT_LE(page.depthMin, 2.0);
    EXPECT_GE(page.depthMax, 4.4);
}

TEST(ChartPage, ALabelSitsOnThePartOfItsLineInsideTheFrameAwayFromTheEdge) {
    charts::SldChart chart = SmallChart();
    // A line that leaves the frame through its bottom: only its first decade is inside, and
    // its last point inside is on the frame's edge, where the frame would cut its label.
    charts::ContourLine& line = charts::AddContourLine(chart, 4.1f, "test");
    for (const auto& [fr, q] : {std::pair{0.1f, 10.0f}, {1.0f, 1.0f}, {10.0f, 0.1f}}) {
        charts::AddChartPoint(line, fr, q, "test");
    }
    const ChartPageModel page = BuildChartPage(chart, ShortProfile());
    ASSERT_EQ(page.contours.size(), 4u);
    // The fourth label goes three quarters of the way along the inside decade.
    EXPECT_NEAR(page.contours[3].labelX, std::pow(10.0, -0.25), 1e-6);
    EXPECT_NEAR(page.contours[3].labelY, std::pow(10.0, 0.25), 1e-5);
}

TEST(ChartPage, AChartWithoutAFrameUsesTheExtentOfItsLines) {
    charts::SldChart chart = SmallChart();
    chart.Xmin_8sng = tools::kNull;
    chart.Header_Fr_UseLog_8bol = false;
    const ChartPageModel page = BuildChartPage(chart, ShortProfile());
    EXPECT_EQ(page.x.scale, AxisScale::Linear);
    EXPECT_EQ(page.x.min, 0);
    EXPECT_EQ(page.x.max, 10);
}

TEST(ZeroDriftPage, SoundingsGroupedByDeviceInDateOrder) {
    const ZeroDriftPageModel page =
        BuildZeroDriftPage("Levee", {{"KV-05", "HT-2", "HT-2 20170815", 5.1, 4.9, 0.04, 0.05},
                                     {"KV-01", "HT-1", "HT-1 20170710", 1.8, 1.8, 0.03, 0.03},
                                     {"KV-04", "HT-2", "HT-2 20170814", 3.3, 3.3, kGap, 0.01},
                                     {"KV-02", "HT-1", "HT-1 20170711", -0.5, 5.2, 0.02, 0.02}});
    ASSERT_EQ(page.devices.size(), 2u);
    EXPECT_EQ(page.devices[0].device, "HT-1");
    EXPECT_EQ(page.devices[0].soundings, (std::vector<std::string>{"KV-01", "KV-02"}));
    EXPECT_EQ(page.devices[1].soundings, (std::vector<std::string>{"KV-04", "KV-05"}));
    EXPECT_EQ(page.devices[1].tipAfter, (std::vector<double>{3.3, 4.9}));
    EXPECT_TRUE(std::isnan(page.devices[1].sleeveBefore[0]));
    EXPECT_EQ(page.tip.min, -1);
    EXPECT_EQ(page.tip.max, 6);
    EXPECT_EQ(page.sleeve.min, 0);
}

TEST(PlanPage, PositionsInFeetAroundTheirCentreOnEqualAxes) {
    SoundingFacts a;
    a.sounding = "A";
    a.latitude = 38.0;
    a.longitude = -121.0;
    SoundingFacts b = a;
    b.sounding = "B";
    b.latitude = 38.001;  // about 364 ft north of A
    SoundingFacts c = a;
    c.sounding = "C";
    c.latitude = kGap;
    const PlanPageModel page = BuildPlanPage("Levee", {a, b, c});
    ASSERT_EQ(page.points.size(), 2u);
    EXPECT_NEAR(page.points[1].northFt - page.points[0].northFt, 364.0, 1.0);
    EXPECT_NEAR(page.points[0].eastFt, 0.0, 1e-6);
    EXPECT_EQ(page.unknown, std::vector<std::string>{"C"});
    EXPECT_EQ(page.east.min, page.north.min);
    EXPECT_EQ(page.east.max, page.north.max);
    EXPECT_GT(page.north.max, 182.0);
}

}  // namespace
}  // namespace kavo::plots
