// The lines of the zero-load data file (fixed width: its two heading lines and one line per
// sounding) and of its CSV twin.
#pragma once

#include <string>
#include <string_view>

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

// The line of one sounding: the texts padded or cut to their widths, every number through
// its mask with a missing value shown as underscores.
std::string FormatZeroLoadRow(const ZeroLoadRow& row);

// The zero-load CSV: its heading row (the names of the fixed-width heading with their units)
// and the row of one sounding (the texts as they are, the numbers as the line prints them
// unpadded, an empty cell for a missing value).
std::string ZeroLoadCsvHeading();
std::string ZeroLoadCsvRow(const ZeroLoadRow& row);

}  // namespace kavo::zeroload
