// The unit-weight profile file: reading it once per file name, and interpolating in it.
#include "normalization/unit_weight_profile.h"

#include <string>

#include "files/data_names.h"
#include "normalization/normalisation_context.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::normalization {
namespace {

constexpr float kLowestPlausibleUnitWeight = 63.0f;  // pcf; lower values are depths

// The four header lines, each recorded under its own label.
constexpr std::array<std::string_view, 4> kHeaderLabels = {
    "UWT   depth, UWT ", "UWT  FILETYPE=SLDLv5", "UWT comment", "UWT   EOH"};

bool NamesNoFile(std::string_view fileName) {
    const std::string_view trimmed = tools::Trim(fileName);
    return trimmed.empty() || trimmed == tools::kNullText;
}

}  // namespace

tools::DataError NoProfileFileError() {
    return tools::DataError("UWT301",
                            "the unit weight method FILE needs a UWT file name for the sounding, "
                            "and none is given");
}

bool UsesProfileFile(std::string_view method) {
    return tools::EqualsInCapitals(method, "FILE");
}

void ReadSoundingProfile(NormalisationContext& context, UnitWeightProfile& profile,
                         const files::DataArea& dataArea, reporting::Reporter& reporter) {
    if (context.profile != nullptr || !UsesProfileFile(context.sounding.method)) {
        return;
    }
    ReadUnitWeightProfile(profile, context.sounding.profileFileName, dataArea, reporter);
    context.profile = &profile;
}

float LinearInterpolate(float x1, float x, float x2, float y1, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    if (dx == 0.0f) {
        return y1;
    }
    const float slope = dy / dx;
    return static_cast<float>((static_cast<double>(x) - x1) * slope + y1);
}

void ReadTracedNumber(reporting::Reporter& reporter, reporting::TracedInput& file, float& value,
                      bool& atEnd, std::string_view fileName, std::string_view label) {
    if (file.AtEnd()) {
        atEnd = true;
        value = tools::kNull;
        return;
    }
    reporter.TraceNumberInput(file, value, atEnd, fileName, label);
}

void ReadUnitWeightProfile(UnitWeightProfile& profile, std::string_view fileName,
                           const files::DataArea& dataArea, reporting::Reporter& reporter) {
    if (profile.read && profile.fileName == fileName) {
        return;
    }
    if (NamesNoFile(fileName)) {
        throw NoProfileFileError();
    }
    profile = UnitWeightProfile{};
    profile.read = true;
    profile.fileName = std::string(fileName);
    reporting::ProgressReport reading;
    reading.inputFile = "UWT file = " + profile.fileName;
    reading.process = "reading UWT file";
    reading.statusCode = "TR332";
    reporter.ReportProgress(reading);

    files::CheckDataName(profile.fileName, "unit-weight file name", "UWT file");
    const std::string path = files::PathFor(dataArea, files::PathKey::Project) + profile.fileName;
    files::CheckInsideDataArea(dataArea, path, "unit-weight file");
    reporting::TracedInput file;
    if (!reporter.TraceOpenForReading(file, path, "UWT file")) {
        throw tools::DataError(
            "UWT302", "UWT file could not be opened: " + path + " (" + file.WhyNotOpened() + ")");
    }

    std::string line;
    for (const std::string_view label : kHeaderLabels) {
        if (!reporter.TraceLineInput(file, line, fileName, label)) {
            throw tools::DataError("WI323", "EOH not at 4th line of UTW file=" + profile.fileName);
        }
    }

    for (std::size_t i = 0;; ++i) {
        if (file.AtEnd()) {
            break;  // no pair after the last complete one
        }
        float depth = tools::kNull;
        bool atEnd = false;
        reporter.TraceNumberInput(file, depth, atEnd, fileName, "UWT depth");
        if (depth == tools::kNull) {
            // Blank lines may close the file; anything else there is not a depth.
            while (!atEnd && depth == tools::kNull) {
                reporter.TraceNumberInput(file, depth, atEnd, fileName, "UWT depth");
            }
            if (depth == tools::kNull) {
                break;
            }
            throw tools::DataError("UWT332",
                                   "a depth of UTW file=" + profile.fileName + " is not a number");
        }
        if (i == kProfileCapacity) {
            throw tools::DataError("UWT330",
                                   "more than " + std::to_string(kProfileCapacity) +
                                       " depth, unit weight pairs in UTW file=" + profile.fileName);
        }
        if (file.AtEnd()) {
            throw tools::DataError("UWT331", "the last depth of UTW file=" + profile.fileName +
                                                 " has no unit weight after it");
        }
        float unitWeight = tools::kNull;
        ReadTracedNumber(reporter, file, unitWeight, atEnd, fileName, "UWT pcf");
        profile.depth[i] = depth;
        profile.unitWeight[i] = unitWeight;
        profile.count = static_cast<std::int16_t>(i + 1);
        if (atEnd) {
            break;
        }
        if (unitWeight < kLowestPlausibleUnitWeight) {
            throw tools::DataError("DX739",
                                   "bad ORDERING of data in UTW file e.g. depth, density ");
        }
    }
    reporting::ProgressReport done;
    done.process = "done with UWT input file";
    done.statusCode = "TR399";
    reporter.ReportProgress(done);
    reporter.LogIssueWithContext("Done with UWT file", reporting::LogKind::Task);
}

float ProfileUnitWeightAt(const UnitWeightProfile& profile, float depth) {
    for (std::size_t j = 1; j < static_cast<std::size_t>(profile.count); ++j) {
        if (profile.depth[j - 1] <= depth && depth <= profile.depth[j]) {
            return LinearInterpolate(profile.depth[j - 1], depth, profile.depth[j],
                                     profile.unitWeight[j - 1], profile.unitWeight[j]);
        }
    }
    if (profile.count < 2) {
        return tools::kNull;
    }
    throw tools::DataError("GP342",
                           "CPT depth below is UWT file depth range - make UWT file depth deeper");
}

}  // namespace kavo::normalization
