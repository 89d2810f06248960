// Formatting one sounding's line of the zero-load data file.
#include "zeroload/zero_load_line.h"

#include "tools/format_fixed.h"

namespace kavo::zeroload {
namespace {

std::string Fitted(std::string_view text, std::size_t width) {
    std::string fitted(text.substr(0, width));
    fitted.resize(width, ' ');
    return fitted;
}

std::string Number(std::string_view prefix, float value, std::string_view mask) {
    return std::string(prefix) + tools::FormatFixed(value, mask, true);
}

}  // namespace

std::string FormatZeroLoadRow(const ZeroLoadRow& row) {
    std::string line = Fitted(row.device, 12) + " ";
    line += Fitted(row.sounding, 15);
    line += Fitted(row.datetime, 15) + "    ";
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

}  // namespace kavo::zeroload
