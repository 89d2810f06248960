// Computing a sounding's profile with the run's own per-depth steps.
#include "plots/sounding_profile.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "normalization/column_value.h"
#include "normalization/depth_step.h"
#include "normalization/unit_weight.h"
#include "normalization/unit_weight_profile.h"
#include "tools/format_fixed.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::plots {
namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

double ValueOrGap(double value) {
    return tools::IsMissing(value) ? kGap : value;
}

// The kind of predicted quantity a column ID computes, read from its first token.
bool KindOf(std::string_view id, Quantity& quantity) {
    const std::string upper = tools::UpperCopy(id);
    const std::string property = upper.substr(0, upper.find('_'));
    if (property.starts_with("CRR")) {
        quantity = Quantity::Crr;
    } else if (property == "IC") {
        quantity = Quantity::Ic;
    } else if (property == "SU") {
        quantity = Quantity::Su;
    } else if (property == "N1") {
        quantity = Quantity::N1;
    } else if (property == "VS1") {
        quantity = Quantity::Vs1;
    } else {
        return false;
    }
    return true;
}

std::string PositionText(double latitude, double longitude) {
    if (tools::IsMissing(latitude) || tools::IsMissing(longitude)) {
        return "not known";
    }
    return FixedText(std::fabs(latitude), 5) + (latitude < 0 ? " S, " : " N, ") +
           FixedText(std::fabs(longitude), 5) + (longitude < 0 ? " W" : " E");
}

// The column a page computes for a quantity the run's columns lack: the example column file's.
struct Fallback {
    Quantity quantity;
    const char* id;
};
constexpr Fallback kFallbacks[] = {{Quantity::Ic, "Ic_tln"},
                                   {Quantity::Crr, "CRRe_tln"},
                                   {Quantity::Su, "Su_Nk=15_psf"},
                                   {Quantity::N1, "N1_tln"},
                                   {Quantity::Vs1, "Vs1_tln_fps"}};

std::string UnitOf(const normalization::ColumnSpec& spec) {
    if (!spec.unit.empty()) {
        return spec.unit;
    }
    return spec.outputUnit == tools::kNullText ? "" : tools::TrimCopy(spec.outputUnit);
}

}  // namespace

const ProfileSeries* SoundingProfile::Find(Quantity quantity) const {
    for (const ProfileSeries& s : series) {
        if (s.quantity == quantity) {
            return &s;
        }
    }
    return nullptr;
}

std::vector<const ProfileSeries*> SoundingProfile::FindAll(Quantity quantity) const {
    std::vector<const ProfileSeries*> found;
    for (const ProfileSeries& s : series) {
        if (s.quantity == quantity) {
            found.push_back(&s);
        }
    }
    return found;
}

std::vector<std::string> PredictedColumnIds(const output::ColumnTable& runColumns) {
    std::vector<std::string> ids;
    for (const Fallback& fallback : kFallbacks) {
        bool found = false;
        for (int i = 1; i <= runColumns.count(); ++i) {
            const std::string id = tools::TrimCopy(runColumns.column(i).id);
            Quantity quantity;
            if (KindOf(id, quantity) && quantity == fallback.quantity) {
                ids.push_back(id);
                found = true;
            }
        }
        if (!found) {
            ids.emplace_back(fallback.id);
        }
    }
    return ids;
}

SoundingProfile BuildSoundingProfile(ProfileInputs& inputs, reporting::Reporter& reporter,
                                     SoundingFacts facts) {
    SoundingProfile profile;
    profile.facts = std::move(facts);
    const auto addSeries = [&](Quantity quantity, std::string label, std::string unit) {
        profile.series.push_back({quantity, std::move(label), std::move(unit), {}, {}});
        return profile.series.size() - 1;
    };
    // The measured quantities through the same columns (and range tests) as the output table.
    struct Measured {
        Quantity quantity;
        const char* label;
        const char* unit;
        const char* columnId;
    };
    constexpr Measured kMeasured[] = {
        {Quantity::Qc, "qc", "atm", "Qc_atm"},        {Quantity::Fs, "fs", "atm", "fs_atm"},
        {Quantity::FrictionRatio, "FR", "%", "Fr_%"}, {Quantity::U2, "u2", "atm", "U2_atm"},
        {Quantity::Ves, "VES", "atm", "VES_atm"},     {Quantity::NormalisedQ, "Q", "", "Qc1"},
    };
    std::vector<normalization::ColumnSpec> specs;
    std::vector<std::size_t> columnSeries;
    for (const Measured& measured : kMeasured) {
        specs.push_back(normalization::ParseColumnId(measured.columnId));
        columnSeries.push_back(addSeries(measured.quantity, measured.label, measured.unit));
        profile.series.back().mask = specs.back().mask;
    }
    for (const std::string& id : PredictedColumnIds(inputs.runColumns)) {
        specs.push_back(normalization::ParseColumnId(id));
        Quantity quantity = Quantity::Crr;
        KindOf(id, quantity);
        columnSeries.push_back(addSeries(quantity, id, UnitOf(specs.back())));
        profile.series.back().mask = specs.back().mask;
    }
    const std::size_t qc = columnSeries.front();
    const std::size_t qt = addSeries(Quantity::Qt, "qt", "atm");
    const std::size_t u0 = addSeries(Quantity::Hydrostatic, "u0", "atm");
    const std::size_t c = addSeries(Quantity::ExponentC, "c", "");
    const std::size_t uwt = addSeries(Quantity::UnitWeight, "Unit weight", "pcf");

    normalization::NormalisationContext context{inputs.charts, inputs.mode, inputs.unitWeight};
    normalization::ReadSoundingProfile(context, inputs.unitWeightProfile, inputs.dataArea,
                                       reporter);
    // The run's own per-depth computation; the page's columns are computed from each point as
    // the run computes its table's columns from it.
    const std::vector<normalization::ComputedDepthPoint> points =
        normalization::ComputeSoundingPoints(context, {}, inputs.readings);
    const double waterTable = profile.facts.waterTableFt;
    const double psfPerAtm = tools::UnitFactor("psf/atm");
    for (const normalization::ComputedDepthPoint& computed : points) {
        const normalization::DepthPoint& point = computed.point;
        profile.depthFt.push_back(point.depth);
        const auto put = [&](std::size_t series, double value) {
            profile.series[series].values.push_back(ValueOrGap(value));
        };
        for (std::size_t i = 0; i < specs.size(); ++i) {
            put(columnSeries[i], normalization::ComputeColumnValue(context, specs[i], point).value);
        }
        // qt where the table has qc: a reading the qc column refuses is no qt either.
        put(qt, std::isnan(profile.series[qc].values.back()) ? kGap : point.qt);
        put(u0, std::isnan(waterTable) || point.depth < waterTable
                    ? kGap
                    : (point.depth - waterTable) * normalization::kWaterUnitWeight / psfPerAtm);
        put(c, point.exponentC);
        put(uwt, point.unitWeight);
    }
    return profile;
}

std::string ShownValue(const ProfileSeries& series, std::size_t index) {
    const double value = series.values.at(index);
    if (std::isnan(value)) {
        return "";
    }
    if (!series.mask.empty() && series.mask != tools::kNullText) {
        return tools::TrimCopy(tools::FormatFixed(static_cast<float>(value), series.mask, false));
    }
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 5);
    return result.ec == std::errc{} ? std::string(text, result.ptr) : "-";
}

std::string ShownDepth(const SoundingProfile& profile, std::size_t index) {
    static const std::string kDepthMask = normalization::ParseColumnId("Depth_ft").mask;
    return tools::TrimCopy(
        tools::FormatFixed(static_cast<float>(profile.depthFt.at(index)), kDepthMask, false));
}

std::string FixedText(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(text, result.ptr) : "-";
}

SoundingFacts FactsOf(std::string_view project, const projects::SoundingRecord& record,
                      const fielddata::FieldHeader& header, std::string_view normalisation) {
    SoundingFacts facts;
    facts.project = std::string(project);
    facts.sounding = record.soundingName;
    facts.date = header.dateText;
    facts.probe =
        record.probeAndSerialNum == tools::kNullText ? header.probeId : record.probeAndSerialNum;
    facts.position = PositionText(header.latitude, header.longitude);
    facts.latitude = ValueOrGap(header.latitude);
    facts.longitude = ValueOrGap(header.longitude);
    facts.waterTableFt = ValueOrGap(record.watertableDepthFeet);
    facts.unitWeightMethod = record.uwtMethod;
    facts.normalisation = std::string(normalisation);
    return facts;
}

}  // namespace kavo::plots
