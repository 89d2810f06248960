// The pages as plain data: axes with their ranges and directions, the lines and points on them,
// the shaded zones and the labels. Built from the profiles and charts without any drawing, so
// what a page shows can be checked value by value; the renderer only draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "charts/sld_chart.h"
#include "plots/sounding_profile.h"

namespace kavo::plots {

using Rgb = std::uint32_t;  // 0xRRGGBB

enum class AxisScale { Linear, Log };

struct AxisModel {
    std::string label;  // with its unit: "qc, qt (atm)"
    double min = 0;
    double max = 1;
    AxisScale scale = AxisScale::Linear;
    bool reversed = false;  // true: the values grow downwards (or to the left)
    double tickStep = 0;    // between labelled ticks of a linear axis; 0: the renderer chooses
};

enum class LineStyle { Solid, Dashed, Points };

// A line of (x, y) points; a NaN in either breaks the line there.
struct LineModel {
    std::string name;
    std::vector<double> x;
    std::vector<double> y;
    Rgb colour = 0x000000;
    LineStyle style = LineStyle::Solid;
};

// A shaded stripe between two values of a track's value axis, with its name.
struct ZoneBand {
    double from = 0;
    double to = 0;
    std::string name;
    Rgb colour = 0xffffff;
};

// One track of a sounding page: values across, the shared depth axis down.
struct TrackModel {
    std::string title;
    AxisModel value;
    std::vector<LineModel> lines;
    std::vector<ZoneBand> zones;
};

struct TitleField {
    std::string label;
    std::string value;
};

struct SoundingPageModel {
    std::string title;
    std::vector<TitleField> titleBlock;
    AxisModel depthFt;        // left, pointing down
    AxisModel depthMetres;    // right, the same depths in metres
    double waterTableFt = 0;  // NaN when not known: no line
    std::vector<TrackModel> tracks;
};

struct SoundingPageOptions {
    bool logConeResistance = false;  // qc and qt on a log axis
};

SoundingPageModel BuildSoundingPage(const SoundingProfile& profile,
                                    const SoundingPageOptions& options = {});

// The soil behaviour type zones on the Ic axis (zone number and name, Ic from and to).
std::vector<ZoneBand> SoilBehaviourZones();

// A contour line of a chart, with the place of its label.
struct ContourModel {
    double value = 0;
    std::string label;
    std::vector<double> frictionRatio;  // %
    std::vector<double> q;
    double labelX = 0;
    double labelY = 0;
};

struct ChartPoint {
    double frictionRatio = 0;
    double q = 0;
    double depthFt = 0;
    bool outside = false;  // beyond the chart frame: drawn on the frame's edge, marked
};

struct ChartPageModel {
    std::string title;   // the chart's identifier and what it gives
    std::string corner;  // author and date
    std::string sounding;
    AxisModel x;  // FR (%)
    AxisModel y;  // Q
    std::vector<ContourModel> contours;
    std::vector<ChartPoint> points;
    double depthMin = 0;  // the colour scale of the points
    double depthMax = 1;
    int outsideCount = 0;
};

ChartPageModel BuildChartPage(const charts::SldChart& chart, const SoundingProfile& profile);

// The zero readings before and after each sounding of one device, in date order.
struct DeviceZeroes {
    std::string device;
    std::vector<std::string> soundings;
    std::vector<double> tipBefore, tipAfter;        // atm
    std::vector<double> sleeveBefore, sleeveAfter;  // atm
};

struct ZeroReadingsInput {
    std::string sounding;
    std::string device;
    std::string sortKey;  // device and date, as the zero-load summary sorts
    double tipBefore = 0, tipAfter = 0, sleeveBefore = 0, sleeveAfter = 0;  // atm, NaN missing
};

struct ZeroDriftPageModel {
    std::string title;
    std::vector<DeviceZeroes> devices;
    AxisModel tip;     // atm
    AxisModel sleeve;  // atm
};

ZeroDriftPageModel BuildZeroDriftPage(std::string_view project,
                                      std::vector<ZeroReadingsInput> soundings);

struct PlanPoint {
    std::string sounding;
    double eastFt = 0;
    double northFt = 0;
};

// The sounding positions in feet east and north of their centre, on axes of equal scale.
struct PlanPageModel {
    std::string title;
    std::string origin;  // the centre's latitude and longitude
    AxisModel east;
    AxisModel north;
    std::vector<PlanPoint> points;
    std::vector<std::string> unknown;  // soundings without a position
};

PlanPageModel BuildPlanPage(std::string_view project, const std::vector<SoundingFacts>& soundings);

// The round step (1, 2 or 5 times a power of ten) that cuts `span` into at most `intervals`.
double TickStep(double span, int intervals);

// A range from `low` to `high` widened to round numbers (steps of 1, 2 or 5 times a power of
// ten); on a log scale, to whole decades.
void NiceRange(double low, double high, AxisScale scale, double& min, double& max);

}  // namespace kavo::plots
