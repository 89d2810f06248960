// Formatting one sounding's line of the zero-load data file.
#include "zeroload/zero_load_line.h"

#include <sstream>

#include "tools/format_fixed.h"
#include "tools/number_text.h"

namespace kavo::zeroload {
namespace {

std::string Fitted(std::string_view text, std::size_t width) {
    std::string fitted(text.substr(0, width));
    fitted.resize(width, ' ');
    return fitted;
}

std::vector<std::string> Words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string Number(std::string_view prefix, float value, std::string_view mask) {
    return std::string(prefix) + tools::FormatFixed(value, mask, true);
}

}  // namespace

std::string FormatZeroLoadRow(const ZeroLoadRow& row) {
    std::string line = Fitted(row.device, kDeviceWidth) + " ";
    line += Fitted(row.sounding, kSoundingWidth);
    line += Fitted(row.datetime, kDatetimeWidth) + "    ";
    line += Number("   ", row.qcClean, "###.###");
    line += Number("   ", row.qcDirty, "###.###");
    line += Number("  ", row.qcCleanToDirty, "###.###");
    line += Number("  ", row.qcCleanToClean, "###.###");
    line += Number(" ", row.qcLowest, "###.####");
    line += Number("   ", row.strengthAtQcLowest, "####");
    line += Number("    ", row.strengthAtQcLowestShifted, "#####");
    line += Number("     ", row.strengthChangePercent, "####");
    line += Number("  ", row.fsClean, "###.####");
    line += Number("  ", row.fsDirty, "###.####");
    line += Number("  ", row.fsCleanToDirty, "##.####");
    line += Number("  ", row.fsCleanToClean, "##.####");
    line += Number("   ", row.fsLowest, "##.###");
    line += Number("      ", row.strengthAtFsLowest, "#####");
    line += Number("   /", row.strengthAtFsLowestPercent, "####.#");
    return line;
}

std::vector<std::string> SplitZeroLoadRow(std::string_view line) {
    const auto text = [line](std::size_t start, std::size_t width) {
        return start < line.size() ? tools::TrimCopy(line.substr(start, width)) : std::string();
    };
    std::vector<std::string> cells = {text(0, kDeviceWidth), text(kDeviceWidth + 1, kSoundingWidth),
                                      text(kDeviceWidth + 1 + kSoundingWidth, kDatetimeWidth)};
    const std::size_t numbersStart = kDeviceWidth + 1 + kSoundingWidth + kDatetimeWidth;
    if (numbersStart < line.size()) {
        for (std::string& word : Words(line.substr(numbersStart))) {
            if (word == "/") {
                continue;  // the mark before the last column
            }
            cells.push_back(word.find_first_not_of('_') == std::string::npos ? "" : word);
        }
    }
    cells.resize(ZeroLoadColumnNames().size());
    return cells;
}

std::vector<std::string> ZeroLoadColumnNames() {
    return Words(kZeroLoadNamesLine);
}

std::vector<std::string> ZeroLoadColumnUnits() {
    std::vector<std::string> units = Words(kZeroLoadUnitsLine);
    units.resize(ZeroLoadColumnNames().size());  // the closing "." is no column
    for (std::string& unit : units) {
        std::erase(unit, '-');
    }
    return units;
}

}  // namespace kavo::zeroload
