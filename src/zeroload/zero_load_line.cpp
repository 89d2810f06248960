// Formatting one sounding's line of the zero-load data file.
#include "zeroload/zero_load_line.h"

#include <sstream>
#include <vector>

#include "tools/csv_text.h"
#include "tools/format_fixed.h"
#include "tools/number_text.h"

namespace kavo::zeroload {
namespace {

// The numbers of a line in file order: the blanks before each, its mask, and its heading in
// the CSV (the name of the fixed-width heading with its unit).
struct NumberField {
    std::string_view gap;
    std::string_view mask;
    std::string_view csvHeading;
    float ZeroLoadRow::*value;
};

constexpr NumberField kNumberFields[] = {
    {"   ", "###.###", "Qc_zClean_atm", &ZeroLoadRow::qcClean},
    {"   ", "###.###", "Qc_zDirty_atm", &ZeroLoadRow::qcDirty},
    {"  ", "###.###", "Qc_d_C2D_atm", &ZeroLoadRow::qcCleanToDirty},
    {"  ", "###.###", "Qc_d_C2C_atm", &ZeroLoadRow::qcCleanToClean},
    {" ", "###.####", "QcLowest_atm", &ZeroLoadRow::qcLowest},
    {"   ", "####", "S_QcL_psf", &ZeroLoadRow::strengthAtQcLowest},
    {"    ", "#####", "S_QcL+ZE_psf", &ZeroLoadRow::strengthAtQcLowestShifted},
    {"     ", "####", "S_QcLow_%", &ZeroLoadRow::strengthChangePercent},
    {"  ", "###.####", "fs_zClean_atm", &ZeroLoadRow::fsClean},
    {"  ", "###.####", "fs_zDirty_atm", &ZeroLoadRow::fsDirty},
    {"  ", "##.####", "fs_d_C2D_atm", &ZeroLoadRow::fsCleanToDirty},
    {"  ", "##.####", "fs_d_C2C_atm", &ZeroLoadRow::fsCleanToClean},
    {"   ", "##.###", "fsLowest_atm", &ZeroLoadRow::fsLowest},
    {"      ", "#####", "S_fsLowest_psf", &ZeroLoadRow::strengthAtFsLowest},
    {"   /", "####.#", "S_fsLow_%", &ZeroLoadRow::strengthAtFsLowestPercent},
};

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

}  // namespace

std::string FormatZeroLoadRow(const ZeroLoadRow& row) {
    std::string line = Fitted(row.device, kDeviceWidth) + " ";
    line += Fitted(row.sounding, kSoundingWidth);
    line += Fitted(row.datetime, kDatetimeWidth) + "    ";
    for (const NumberField& field : kNumberFields) {
        line += field.gap;
        line += tools::FormatFixed(row.*field.value, field.mask, true);
    }
    return line;
}

std::string ZeroLoadCsvHeading() {
    std::vector<std::string> headings = {"device", "sounding", "Date"};
    for (const NumberField& field : kNumberFields) {
        headings.emplace_back(field.csvHeading);
    }
    return tools::CsvLine(headings);
}

std::string ZeroLoadCsvRow(const ZeroLoadRow& row) {
    std::vector<std::string> cells = {row.device, row.sounding, row.datetime};
    for (const NumberField& field : kNumberFields) {
        cells.push_back(tools::CsvNumber(row.*field.value, field.mask));
    }
    return tools::CsvLine(cells);
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
