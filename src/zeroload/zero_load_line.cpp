// Formatting one sounding's line of the zero-load data file.
#include "zeroload/zero_load_line.h"

#include <vector>

#include "tools/csv_text.h"
#include "tools/format_fixed.h"

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

}  // namespace

std::string FormatZeroLoadRow(const ZeroLoadRow& row) {
    std::string line = Fitted(row.device, 12) + " ";
    line += Fitted(row.sounding, 15);
    line += Fitted(row.datetime, 15) + "    ";
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

}  // namespace kavo::zeroload
