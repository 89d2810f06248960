// Opening the zero-load data file and checking its depth setting.
#include "zeroload/zero_load_file.h"

#include <cstring>

#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/null_marker.h"

namespace kavo::zeroload {

float CheckLowestQcDepth(std::string_view settingText) {
    const float depth = tools::NumberOrNull(settingText);
    const std::string text(settingText);
    if (depth == tools::kNull) {
        throw tools::DataError("LFE543",
                               "setting depth to look for lowest Qc is not a number, i.e. " + text);
    }
    if (depth >= 10.0f) {
        throw tools::DataError("LFE178",
                               "setting depth to look for lowest Qc is TOO deep , i.e. " + text);
    }
    if (depth <= 0.5f) {
        throw tools::DataError("LFE551",
                               "setting depth to look for lowest Qc is TOO Shallow , i.e. " + text);
    }
    return depth;
}

std::string ZeroLoadFileName(const files::DataArea& area) {
    return files::PathFor(area, files::PathKey::Project) + std::string(kZeroLoadFilePrefix) +
           area.projectName + ".txt";
}

std::string ZeroLoadCsvFileName(const files::DataArea& area) {
    return files::PathFor(area, files::PathKey::Project) + std::string(kZeroLoadFilePrefix) +
           area.projectName + ".csv";
}

void OpenZeroLoadFile(ZeroLoadFile& file, const files::DataArea& area,
                      std::string_view depthSettingText, bool writeCsv) {
    file.lowestQcDepth = CheckLowestQcDepth(depthSettingText);
    file.name = ZeroLoadFileName(area);
    if (!file.output.Open(file.name, platform::TextOutput::Mode::ReplaceWhenComplete)) {
        throw tools::DataError("ZF101", "the zero load data file cannot be opened: " + file.name +
                                            " (" + std::strerror(file.output.errorNumber()) + ")");
    }
    file.csvName.clear();
    if (writeCsv) {
        file.csvName = ZeroLoadCsvFileName(area);
        if (!file.csvOutput.Open(file.csvName, platform::TextOutput::Mode::ReplaceWhenComplete)) {
            throw tools::DataError(
                "ZF103", "the zero load CSV file cannot be opened: " + file.csvName + " (" +
                             std::strerror(file.csvOutput.errorNumber()) + ")");
        }
    }
}

}  // namespace kavo::zeroload
