// The zero-load data file of a run: the depth setting it looks below, and the file itself,
// opened before the soundings and written, sorted, after the last one.
#pragma once

#include <string>
#include <string_view>

#include "files/paths.h"
#include "platform/text_file.h"

namespace kavo::zeroload {

inline constexpr std::string_view kZeroLoadFilePrefix = "Kavo---Output---Zero_Load_Data---";

// The depth (ft) below which the lowest readings are looked for, from its setting text:
// a number above 0.5 and below 10. Throws LFE543 (not a number), LFE178 (too deep) or
// LFE551 (too shallow).
float CheckLowestQcDepth(std::string_view settingText);

// The zero-load file of the current project: the project folder,
// "Kavo---Output---Zero_Load_Data---", the project name and ".txt".
std::string ZeroLoadFileName(const files::DataArea& area);

// Its CSV twin: the same name ending in ".csv".
std::string ZeroLoadCsvFileName(const files::DataArea& area);

// The run's zero-load file while the soundings are processed. It is written beside its
// final place and put there only when complete, so a run that stops early leaves the
// previous run's file as it was.
struct ZeroLoadFile {
    std::string name;
    float lowestQcDepth = 0;  // ft
    platform::TextOutput output;
    std::string csvName;  // empty when no CSV twin is written
    platform::TextOutput csvOutput;
};

// Checks the depth setting, stores it, and opens the file (and its CSV twin when
// `writeCsv`). Throws the depth setting's errors, and ZF101 (ZF103 for the CSV) when a file
// cannot be opened.
void OpenZeroLoadFile(ZeroLoadFile& file, const files::DataArea& area,
                      std::string_view depthSettingText, bool writeCsv = true);

}  // namespace kavo::zeroload
