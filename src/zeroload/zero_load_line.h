// The lines of the zero-load data file (fixed width: its two heading lines and one line per
// sounding) and of its CSV twin.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/null_marker.h"

namespace kavo::zeroload {

inline constexpr std::string_view kZeroLoadNamesLine =
    "device       sounding       Date               Qc_zClean Qc_zDirty Qc_d_C2D Qc_d_C2C "
    "QcLowest S_QcL  S_QcL+ZE S_QcLow% fs_zClean fs_zDirty fs_d_C2D fs_d_C2C fsLowest "
    "S_fsLowest S_fsLow_% ";
inline constexpr std::string_view kZeroLoadUnitsLine =
    "------------ -------------  ---------------    --atm---  --atm---  --atm--  --atm--  "
    "--atm--  --psf- --psf--- ---%---- --atm---  --atm---  --atm--  --atm--  --psf--  "
    "--psf----  --%---- .";

// One sounding's line as written: zero readings and shifts in atm, strengths in psf.
struct ZeroLoadRow {
    std::string device;
    std::string sounding;
    std::string datetime;
    float qcClean = tools::kNull;
    float qcDirty = tools::kNull;
    float qcCleanToDirty = tools::kNull;
    float qcCleanToClean = tools::kNull;
    float qcLowest = tools::kNull;
    float strengthAtQcLowest = tools::kNull;         // S_QcL
    float strengthAtQcLowestShifted = tools::kNull;  // S_QcL+ZE
    float strengthChangePercent = tools::kNull;      // S_QcLow%
    float fsClean = tools::kNull;
    float fsDirty = tools::kNull;
    float fsCleanToDirty = tools::kNull;
    float fsCleanToClean = tools::kNull;
    float fsLowest = tools::kNull;
    float strengthAtFsLowest = tools::kNull;         // S_fsLowest
    float strengthAtFsLowestPercent = tools::kNull;  // S_fsLow_%
};

// The widths of the three texts that open a sounding's line.
inline constexpr std::size_t kDeviceWidth = 12;
inline constexpr std::size_t kSoundingWidth = 15;
inline constexpr std::size_t kDatetimeWidth = 15;

// The line of one sounding: the texts padded or cut to their widths, every number through
// its mask with a missing value shown as underscores.
std::string FormatZeroLoadRow(const ZeroLoadRow& row);

// A written line cut back into its cells, one per name of kZeroLoadNamesLine: the texts
// trimmed, the numbers as written, a missing number as "".
std::vector<std::string> SplitZeroLoadRow(std::string_view line);

// The column names and units of the file's two heading lines ("" where a column has none).
std::vector<std::string> ZeroLoadColumnNames();
std::vector<std::string> ZeroLoadColumnUnits();

// The zero-load CSV: its heading row (the names of the fixed-width heading with their units)
// and the row of one sounding (the texts as they are, the numbers as the line prints them
// unpadded, an empty cell for a missing value).
std::string ZeroLoadCsvHeading();
std::string ZeroLoadCsvRow(const ZeroLoadRow& row);

}  // namespace kavo::zeroload
