// Building the pages' drawing models from profiles, charts and zero readings.
#include "plots/page_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

#include "tools/null_marker.h"

namespace kavo::plots {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMetresPerFoot = 0.3048;

// One colour per line of a track, in the order the lines are added.
constexpr Rgb kLineColours[] = {0x1f4e9c, 0xc0392b, 0x1e8449, 0x7d3c98, 0xd68910, 0x17a589};

// Soil behaviour type zones by Ic (Robertson 1990 zones 2 to 7, boundaries of Robertson &
// Wride 1998); the outer edges are the Ic axis ends.
struct ZoneDefinition {
    double from;
    double to;
    const char* name;
    Rgb colour;
};
constexpr ZoneDefinition kZones[] = {
    {1.00, 1.31, "7 Gravelly sand", 0xf6e3b4}, {1.31, 2.05, "6 Sands", 0xf9efc8},
    {2.05, 2.60, "5 Sand mixtures", 0xe3efc9}, {2.60, 2.95, "4 Silt mixtures", 0xcfe6d8},
    {2.95, 3.60, "3 Clays", 0xcddcef},         {3.60, 4.00, "2 Organic soils", 0xd9cde6},
};

bool Finite(double value) {
    return std::isfinite(value);
}

// The finite extremes of several value lists; false when none is finite.
bool Extremes(const std::vector<const std::vector<double>*>& lists, double& low, double& high,
              bool positiveOnly) {
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const std::vector<double>* list : lists) {
        for (double v : *list) {
            if (Finite(v) && (!positiveOnly || v > 0)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    return low <= high;
}

// A range is cut into at most this many steps; a narrow track labels at most this many.
constexpr int kRangeIntervals = 10;
constexpr int kTrackIntervals = 5;

std::string UnitSuffix(const std::string& unit) {
    return unit.empty() ? "" : " (" + unit + ")";
}

// The value axis of a track from its lines: from zero (or the data's low when it is below zero,
// or when `fromData` is set) to a round number above the data, limited to [floor, ceiling].
AxisModel ValueAxis(std::string label, const std::vector<LineModel>& lines, AxisScale scale,
                    bool fromData, double fallbackMax) {
    AxisModel axis;
    axis.label = std::move(label);
    axis.scale = scale;
    std::vector<const std::vector<double>*> lists;
    for (const LineModel& line : lines) {
        lists.push_back(&line.x);
    }
    double low = 0;
    double high = 0;
    if (!Extremes(lists, low, high, scale == AxisScale::Log)) {
        low = scale == AxisScale::Log ? 1 : 0;
        high = fallbackMax;
    }
    if (scale == AxisScale::Linear && !fromData) {
        low = std::min(low, 0.0);
    }
    if (scale == AxisScale::Linear && fromData) {
        // A margin keeps a line that runs at its extremes off the frame.
        const double margin = std::max((high - low) * 0.1, std::fabs(high) * 0.02);
        low -= margin;
        high += margin;
    }
    NiceRange(low, high, scale, axis.min, axis.max);
    return axis;
}

// A narrow track labels a few round values only, so neighbouring labels never meet.
void SetTrackTicks(AxisModel& axis) {
    if (axis.scale == AxisScale::Linear) {
        // Long numbers (thousands) take more room: fewer of them.
        const bool longNumbers = std::max(std::fabs(axis.min), std::fabs(axis.max)) >= 1000;
        axis.tickStep = TickStep(axis.max - axis.min, longNumbers ? 3 : kTrackIntervals);
    }
}

TrackModel Track(std::string title, std::vector<const ProfileSeries*> series,
                 const std::vector<double>& depth, std::string axisLabel,
                 AxisScale scale = AxisScale::Linear, bool fromData = false,
                 double fallbackMax = 1) {
    TrackModel track;
    track.title = std::move(title);
    std::size_t colour = 0;
    for (const ProfileSeries* s : series) {
        if (s == nullptr) {
            continue;
        }
        LineModel line;
        line.name = s->label;
        line.x = s->values;
        line.y = depth;
        if (scale == AxisScale::Log) {
            // A log axis has no place for zero or less: those are gaps too.
            for (double& v : line.x) {
                v = v > 0 ? v : kNaN;
            }
        }
        line.colour = kLineColours[colour++ % std::size(kLineColours)];
        track.lines.push_back(std::move(line));
    }
    track.value = ValueAxis(std::move(axisLabel), track.lines, scale, fromData, fallbackMax);
    return track;
}

void DashLineOf(TrackModel& track, const ProfileSeries* series) {
    for (LineModel& line : track.lines) {
        if (series != nullptr && line.name == series->label) {
            line.style = LineStyle::Dashed;
        }
    }
}

std::string UnitOfFirst(const std::vector<const ProfileSeries*>& series) {
    return series.empty() ? "" : UnitSuffix(series.front()->unit);
}

std::string OrDash(const std::string& text) {
    return text.empty() || text == tools::kNullText || text == "NULL" ? "-" : text;
}

std::string FeetText(double value) {
    return Finite(value) ? FixedText(value, 1) + " ft" : "not known";
}

// The chart's author and date as far as its file gives them.
std::string CornerText(const charts::SldChart& chart) {
    const auto known = [](const std::string& text) {
        return !text.empty() && text != tools::kNullText;
    };
    const std::string author = known(chart.Header_AuthorFull_8str) ? chart.Header_AuthorFull_8str
                               : known(chart.Header_AuthorShort_4Row2_8str)
                                   ? chart.Header_AuthorShort_4Row2_8str
                                   : "author not given";
    std::string date = "date not given";
    for (const std::string* text : {&chart.Header_VersionDate_8str, &chart.Header_DateShort_8str,
                                    &chart.Header_VersionYear_8str}) {
        if (known(*text)) {
            date = *text;
            break;
        }
    }
    std::string corner = "Chart by " + author + ", " + date;
    if (known(chart.Header_Version_8str)) {
        corner += ", version " + chart.Header_Version_8str;
    }
    return corner;
}

// A value's place across an axis, 0 at its minimum and 1 at its maximum, in decades on a log
// axis (as the page draws it); and back.
double AcrossAxis(double value, const AxisModel& axis) {
    if (axis.scale == AxisScale::Log) {
        return value > 0 ? std::log10(value / axis.min) / std::log10(axis.max / axis.min) : kNaN;
    }
    return (value - axis.min) / (axis.max - axis.min);
}

double FromAcross(double share, const AxisModel& axis) {
    if (axis.scale == AxisScale::Log) {
        return axis.min * std::pow(axis.max / axis.min, share);
    }
    return axis.min + share * (axis.max - axis.min);
}

// The part of the segment a-b (page shares) inside the frame, as the fractions t0..t1 of it;
// false when none of it is inside.
bool ClipToFrame(double ax, double ay, double bx, double by, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double d[2] = {bx - ax, by - ay};
    const double start[2] = {ax, ay};
    for (int axis = 0; axis < 2; ++axis) {
        for (const double edge : {0.0, 1.0}) {
            const double toward = edge == 0.0 ? -d[axis] : d[axis];
            const double room = edge == 0.0 ? start[axis] : 1.0 - start[axis];
            if (toward == 0) {
                if (room < 0) {
                    return false;
                }
                continue;
            }
            const double t = room / toward;
            if (toward < 0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
        }
    }
    return t0 < t1;
}

// The label at `share` of the length of the line's part inside the frame, measured on the
// page: never on the frame's edge where the frame would cut it. A line wholly outside keeps
// its label at its middle point (the frame clips it).
void PlaceLabel(ContourModel& contour, const AxisModel& x, const AxisModel& y, double share) {
    struct Piece {
        double ax, ay, bx, by, length;
    };
    std::vector<Piece> inside;
    double total = 0;
    for (std::size_t p = 1; p < contour.q.size(); ++p) {
        const double ax = AcrossAxis(contour.frictionRatio[p - 1], x);
        const double ay = AcrossAxis(contour.q[p - 1], y);
        const double bx = AcrossAxis(contour.frictionRatio[p], x);
        const double by = AcrossAxis(contour.q[p], y);
        double t0 = 0;
        double t1 = 0;
        if (!Finite(ax) || !Finite(ay) || !Finite(bx) || !Finite(by) ||
            !ClipToFrame(ax, ay, bx, by, t0, t1)) {
            continue;
        }
        const Piece piece{ax + t0 * (bx - ax), ay + t0 * (by - ay), ax + t1 * (bx - ax),
                          ay + t1 * (by - ay),
                          std::hypot((t1 - t0) * (bx - ax), (t1 - t0) * (by - ay))};
        inside.push_back(piece);
        total += piece.length;
    }
    if (inside.empty() || total == 0) {
        const std::size_t middle = contour.q.size() / 2;
        if (middle < contour.q.size()) {
            contour.labelX = contour.frictionRatio[middle];
            contour.labelY = contour.q[middle];
        }
        return;
    }
    double left = share * total;
    for (const Piece& piece : inside) {
        if (left <= piece.length || &piece == &inside.back()) {
            const double t = piece.length == 0 ? 0 : std::min(left / piece.length, 1.0);
            contour.labelX = FromAcross(piece.ax + t * (piece.bx - piece.ax), x);
            contour.labelY = FromAcross(piece.ay + t * (piece.by - piece.ay), y);
            return;
        }
        left -= piece.length;
    }
}

}  // namespace

double TickStep(double span, int intervals) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(span / intervals)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (span / (factor * magnitude) <= intervals + 1e-9) {
            return factor * magnitude;
        }
    }
    return 10.0 * magnitude;
}

void NiceRange(double low, double high, AxisScale scale, double& min, double& max) {
    if (scale == AxisScale::Log) {
        min = std::pow(10.0, std::floor(std::log10(low)));
        max = std::pow(10.0, std::ceil(std::log10(high)));
        if (max <= min) {
            max = min * 10;
        }
        return;
    }
    if (high <= low) {
        high = low + (low == 0 ? 1 : std::fabs(low) * 0.1);
    }
    const double step = TickStep(high - low, kRangeIntervals);
    min = std::floor(low / step) * step;
    max = std::ceil(high / step) * step;
}

std::vector<ZoneBand> SoilBehaviourZones() {
    std::vector<ZoneBand> zones;
    for (const ZoneDefinition& zone : kZones) {
        zones.push_back({zone.from, zone.to, zone.name, zone.colour});
    }
    return zones;
}

SoundingPageModel BuildSoundingPage(const SoundingProfile& profile,
                                    const SoundingPageOptions& options) {
    const SoundingFacts& facts = profile.facts;
    const std::vector<double>& depth = profile.depthFt;
    SoundingPageModel page;
    page.title = "Sounding " + facts.sounding + " - " + facts.project;
    page.titleBlock = {{"Project", OrDash(facts.project)},
                       {"Sounding", OrDash(facts.sounding)},
                       {"Date", OrDash(facts.date)},
                       {"Probe", OrDash(facts.probe)},
                       {"Position", OrDash(facts.position)},
                       {"Water table", FeetText(facts.waterTableFt)},
                       {"Unit weight method", OrDash(facts.unitWeightMethod)},
                       {"Normalisation", OrDash(facts.normalisation)}};

    double deepest = 0;
    for (double d : depth) {
        if (Finite(d)) {
            deepest = std::max(deepest, d);
        }
    }
    page.depthFt = {"Depth (ft)", 0, 1, AxisScale::Linear, true};
    NiceRange(0, deepest > 0 ? deepest : 1, AxisScale::Linear, page.depthFt.min, page.depthFt.max);
    page.depthMetres = {"Depth (m)", page.depthFt.min * kMetresPerFoot,
                        page.depthFt.max * kMetresPerFoot, AxisScale::Linear, true};
    page.waterTableFt = facts.waterTableFt;

    const auto one = [&](Quantity q) {
        std::vector<const ProfileSeries*> found;
        if (const ProfileSeries* s = profile.Find(q)) {
            found.push_back(s);
        }
        return found;
    };
    const AxisScale coneScale = options.logConeResistance ? AxisScale::Log : AxisScale::Linear;
    page.tracks.push_back(Track("Cone resistance",
                                {profile.Find(Quantity::Qc), profile.Find(Quantity::Qt)}, depth,
                                "qc, qt (atm)", coneScale, false, 100));
    page.tracks.push_back(Track("Sleeve friction", one(Quantity::Fs), depth, "fs (atm)"));
    TrackModel friction = Track("Friction ratio", one(Quantity::FrictionRatio), depth, "FR (%)");
    // Friction ratios beyond 10 % are near-surface noise; the axis stops there.
    friction.value.max = std::min(friction.value.max, 10.0);
    page.tracks.push_back(std::move(friction));
    TrackModel pore =
        Track("Pore pressure", {profile.Find(Quantity::U2), profile.Find(Quantity::Hydrostatic)},
              depth, "u2, u0 (atm)");
    // Derived lines are dashed beside the measured ones: qt over qc (equal where no
    // pore-pressure correction applies, which a solid line would hide), and the still-water
    // line as a reference.
    DashLineOf(page.tracks.front(), profile.Find(Quantity::Qt));
    DashLineOf(pore, profile.Find(Quantity::Hydrostatic));
    page.tracks.push_back(std::move(pore));
    TrackModel ic = Track("Soil type", one(Quantity::Ic), depth, "Ic");
    ic.value.min = 1;
    ic.value.max = 4;
    ic.value.tickStep = 1;
    ic.zones = SoilBehaviourZones();
    page.tracks.push_back(std::move(ic));
    TrackModel exponent = Track("Exponent", one(Quantity::ExponentC), depth, "c");
    // c ends at 1 in clays: the axis goes beyond, so that line stays off the frame.
    exponent.value.min = 0;
    exponent.value.max = std::max(exponent.value.max, 1.2);
    page.tracks.push_back(std::move(exponent));
    page.tracks.push_back(Track("Unit weight", one(Quantity::UnitWeight), depth, "γt (pcf)",
                                AxisScale::Linear, true, 150));
    page.tracks.push_back(Track("Effective stress", one(Quantity::Ves), depth, "VES (atm)"));
    const std::vector<const ProfileSeries*> crr = profile.FindAll(Quantity::Crr);
    if (!crr.empty()) {
        TrackModel track = Track("Liquefaction", crr, depth, "CRR");
        track.value.max = std::min(track.value.max, 1.0);
        page.tracks.push_back(std::move(track));
    }
    struct Predicted {
        Quantity quantity;
        const char* title;
        const char* symbol;
    };
    for (const Predicted& p :
         {Predicted{Quantity::Su, "Strength", "Su"}, Predicted{Quantity::N1, "Blow count", "N1"},
          Predicted{Quantity::Vs1, "Shear wave", "Vs1"}}) {
        const std::vector<const ProfileSeries*> series = profile.FindAll(p.quantity);
        if (!series.empty()) {
            page.tracks.push_back(Track(p.title, series, depth, p.symbol + UnitOfFirst(series)));
        }
    }
    for (TrackModel& track : page.tracks) {
        if (track.zones.empty()) {
            SetTrackTicks(track.value);
        }
    }
    return page;
}

ChartPageModel BuildChartPage(const charts::SldChart& chart, const SoundingProfile& profile) {
    ChartPageModel page;
    page.sounding = profile.facts.sounding;
    const std::string id = chart.Row1_z_IDfull_8str;
    const std::string description = chart.Header_General_Description_8str;
    page.title = id + (description == tools::kNullText ? "" : " - " + description);
    page.corner = CornerText(chart);
    page.x.label = "Friction ratio FR (%)";
    page.y.label = "Normalised cone resistance Q";
    page.x.scale = chart.Header_Fr_UseLog_8bol ? AxisScale::Log : AxisScale::Linear;
    page.y.scale = chart.Header_Qc1_UseLog_8bol ? AxisScale::Log : AxisScale::Linear;

    std::vector<double> allX;
    std::vector<double> allY;
    for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
        const charts::ContourLine& line = chart.Line(l);
        ContourModel contour;
        contour.value = line.LineValue_8sng;
        char label[32];
        // The shortest text that reads back as the single: 2.6, not 2.5999999.
        const auto written = std::to_chars(label, label + sizeof label, line.LineValue_8sng);
        contour.label = std::string(label, written.ptr);
        for (std::int16_t p = 1; p <= line.ptsNUMof; ++p) {
            const charts::ChartPoint& point = chart.Point(l, p);
            contour.frictionRatio.push_back(point.FR_percent_8sng);
            contour.q.push_back(point.Qc1_atm_8sng);
        }
        allX.insert(allX.end(), contour.frictionRatio.begin(), contour.frictionRatio.end());
        allY.insert(allY.end(), contour.q.begin(), contour.q.end());
        page.contours.push_back(std::move(contour));
    }

    // The chart's own frame; where the chart gives none, the extent of its lines.
    const auto frame = [](float low, float high, const std::vector<double>& values,
                          AxisModel& axis) {
        if (!tools::IsMissing(low) && !tools::IsMissing(high) && high > low &&
            (axis.scale == AxisScale::Linear || low > 0)) {
            axis.min = low;
            axis.max = high;
            return;
        }
        double a = 0;
        double b = 0;
        if (!Extremes({&values}, a, b, axis.scale == AxisScale::Log)) {
            a = axis.scale == AxisScale::Log ? 0.1 : 0;
            b = 10;
        }
        NiceRange(a, b, axis.scale, axis.min, axis.max);
    };
    frame(chart.Xmin_8sng, chart.Xmax_8sng, allX, page.x);
    frame(chart.Ymin_8sng, chart.Ymax_8sng, allY, page.y);
    // Each label sits on its line inside the frame, neighbours at different places along
    // their lines, so that close lines do not stack their labels.
    constexpr double kLabelPlaces[] = {0.75, 0.5, 0.25};
    for (std::size_t l = 0; l < page.contours.size(); ++l) {
        PlaceLabel(page.contours[l], page.x, page.y, kLabelPlaces[l % std::size(kLabelPlaces)]);
    }

    const ProfileSeries* fr = profile.Find(Quantity::FrictionRatio);
    const ProfileSeries* q = profile.Find(Quantity::NormalisedQ);
    double shallow = std::numeric_limits<double>::infinity();
    double deep = -shallow;
    for (std::size_t i = 0; fr != nullptr && q != nullptr && i < profile.depthFt.size(); ++i) {
        const double x = fr->values[i];
        const double y = q->values[i];
        if (!Finite(x) || !Finite(y)) {
            continue;
        }
        ChartPoint point{x, y, profile.depthFt[i], false};
        const auto clampInto = [&point](double& v, const AxisModel& axis) {
            if (v < axis.min || v > axis.max) {
                v = std::clamp(v, axis.min, axis.max);
                point.outside = true;
            }
        };
        clampInto(point.frictionRatio, page.x);
        clampInto(point.q, page.y);
        page.outsideCount += point.outside ? 1 : 0;
        shallow = std::min(shallow, point.depthFt);
        deep = std::max(deep, point.depthFt);
        page.points.push_back(point);
    }
    if (shallow <= deep) {
        NiceRange(shallow, deep, AxisScale::Linear, page.depthMin, page.depthMax);
        page.depthMin = std::max(page.depthMin, 0.0);
    }
    return page;
}

ZeroDriftPageModel BuildZeroDriftPage(std::string_view project,
                                      std::vector<ZeroReadingsInput> soundings) {
    ZeroDriftPageModel page;
    page.title = "Zero readings before and after each sounding - " + std::string(project);
    std::stable_sort(soundings.begin(), soundings.end(),
                     [](const ZeroReadingsInput& a, const ZeroReadingsInput& b) {
                         return a.sortKey < b.sortKey;
                     });
    std::map<std::string, std::size_t> deviceIndex;
    for (const ZeroReadingsInput& s : soundings) {
        auto [it, added] = deviceIndex.try_emplace(s.device, page.devices.size());
        if (added) {
            page.devices.push_back({s.device, {}, {}, {}, {}, {}});
        }
        DeviceZeroes& device = page.devices[it->second];
        device.soundings.push_back(s.sounding);
        device.tipBefore.push_back(s.tipBefore);
        device.tipAfter.push_back(s.tipAfter);
        device.sleeveBefore.push_back(s.sleeveBefore);
        device.sleeveAfter.push_back(s.sleeveAfter);
    }
    const auto axis = [&](std::string label, auto member1, auto member2) {
        AxisModel model;
        model.label = std::move(label);
        std::vector<const std::vector<double>*> lists;
        for (const DeviceZeroes& device : page.devices) {
            lists.push_back(&(device.*member1));
            lists.push_back(&(device.*member2));
        }
        double low = 0;
        double high = 0;
        if (!Extremes(lists, low, high, false)) {
            low = -1;
            high = 1;
        }
        // Zero readings drift around zero: the axis always shows zero.
        NiceRange(std::min(low, 0.0), std::max(high, 0.0), AxisScale::Linear, model.min, model.max);
        return model;
    };
    page.tip = axis("Tip zero reading (atm)", &DeviceZeroes::tipBefore, &DeviceZeroes::tipAfter);
    page.sleeve =
        axis("Sleeve zero reading (atm)", &DeviceZeroes::sleeveBefore, &DeviceZeroes::sleeveAfter);
    return page;
}

PlanPageModel BuildPlanPage(std::string_view project, const std::vector<SoundingFacts>& soundings) {
    PlanPageModel page;
    page.title = "Plan of sounding positions - " + std::string(project);
    double latitudeSum = 0;
    double longitudeSum = 0;
    int known = 0;
    for (const SoundingFacts& s : soundings) {
        if (Finite(s.latitude) && Finite(s.longitude)) {
            latitudeSum += s.latitude;
            longitudeSum += s.longitude;
            ++known;
        } else {
            page.unknown.push_back(s.sounding);
        }
    }
    page.east.label = "East (ft)";
    page.north.label = "North (ft)";
    if (known == 0) {
        page.origin = "No sounding has a known position";
        page.east.min = page.north.min = -100;
        page.east.max = page.north.max = 100;
        return page;
    }
    const double latitude0 = latitudeSum / known;
    const double longitude0 = longitudeSum / known;
    page.origin =
        "Origin " + FixedText(latitude0, 5) + ", " + FixedText(longitude0, 5) + " (mean position)";
    // Local flat-earth offsets: a site spans far less than the distances where this errs.
    const double feetPerDegreeNorth = 364000.0;
    const double feetPerDegreeEast =
        feetPerDegreeNorth * std::cos(latitude0 * std::numbers::pi / 180.0);
    double extent = 50;  // ft: a single sounding still gets a readable plan
    for (const SoundingFacts& s : soundings) {
        if (Finite(s.latitude) && Finite(s.longitude)) {
            PlanPoint point{s.sounding, (s.longitude - longitude0) * feetPerDegreeEast,
                            (s.latitude - latitude0) * feetPerDegreeNorth};
            extent = std::max({extent, std::fabs(point.eastFt), std::fabs(point.northFt)});
            page.points.push_back(point);
        }
    }
    // Equal ranges on both axes keep the plan's shape (the renderer draws it square).
    double min = 0;
    double max = 0;
    NiceRange(-extent * 1.15, extent * 1.15, AxisScale::Linear, min, max);
    const double half = std::max(-min, max);
    page.east.min = page.north.min = -half;
    page.east.max = page.north.max = half;
    return page;
}

}  // namespace kavo::plots
