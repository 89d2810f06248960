// The header of a Hogentogler CPT field data file: identification, firm, date, GPS position,
// which column carries which channel, and each channel's calibration.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tools/null_marker.h"

namespace kavo::fielddata {

// The calibration of one measuring channel, from header rows 18 to 20, and its zero reading
// after the test (from the end of the depth data). A zero reading is a reading: it is
// missing only when its cell holds no number (see tools::ParseSingle).
struct ChannelCalibration {
    std::optional<float> scale = std::nullopt;       // full-scale value / divisions; none if absent
    std::optional<float> zeroBefore = std::nullopt;  // counts, before the test
    std::optional<float> zeroAfter = std::nullopt;   // counts, after the test
    std::string units{tools::kNullText};
};

// The 20-character column (1 to 5) of each channel in rows 17 to 20 and in the depth rows;
// kAbsentColumn when the file has no such channel.
inline constexpr std::int16_t kAbsentColumn = -9;
struct ChannelColumns {
    std::int16_t tip = kAbsentColumn;
    std::int16_t friction = kAbsentColumn;
    std::int16_t u2 = kAbsentColumn;
    std::int16_t xInclination = kAbsentColumn;
    std::int16_t yInclination = kAbsentColumn;
    std::int16_t conductivity = kAbsentColumn;
};

inline constexpr std::string_view kEndNormal = "NORMAL";
inline constexpr std::string_view kEndFugro = "FUGRO";

// The header facts of the field data file being read. A fresh value is the reset state.
struct FieldHeader {
    std::string soundingName = "Null";
    std::string firm = "NULL";
    std::string operatorName = "NULL";
    std::string probeId = "NULL";
    std::string description = "NULL";
    std::string projectTruck = "NULL";
    std::string soundingNameInFile = "NULL";
    std::string dateText = "NULL";
    std::string fieldDate = "NULL";
    std::string probeDescription = "NULL";
    std::string row10Text = "NULL";
    std::string row11Text = "NULL";
    std::string gpsText = "NULL";
    double latitude = tools::kNull;   // degrees, south negative
    double longitude = tools::kNull;  // degrees, west negative
    float horizontalDilution = tools::kNull;

    ChannelColumns columns;
    ChannelCalibration tip;
    ChannelCalibration friction;
    ChannelCalibration u2;
    ChannelCalibration xInclination;
    ChannelCalibration yInclination;

    std::int16_t readingCount = static_cast<std::int16_t>(tools::kNull);
    std::string endStatus;  // "NORMAL" or "FUGRO" once the depth data are read
};

// Checks that the header rows whose content is read by position are the rows they claim to
// be: rows 17 to 20 and 23 carry their labels in characters 1 to 19 ("Depth (m)",
// "Divisions", "Zero", "Full scale", "Depth(m)"; case and blanks aside, further text allowed)
// and rows 21 and 22 leave them blank. `rows` holds rows 1 to 23. Throws DataError "HRL730"
// naming the file, the row, the label expected and the label found.
void CheckHeaderRowLabels(std::span<const std::string> rows, std::string_view fileName);

// The firm of row 2, upper-cased, with the known firms written out in full.
std::string NormaliseFirm(std::string_view row2);

// The channel columns named in row 17 (one name per 20-character column). Throws DataError
// "HRC728" for a name that matches no channel.
ChannelColumns FindChannelColumns(std::string_view row17);

// One channel's calibration from rows 18 (divisions), 19 (zero reading) and 20 (full-scale
// value and units) at the channel's column. `where` names the file and line for messages.
// Throws DataError when a row ends before the column, when the full-scale value is not a
// number, or when the divisions are 0 or missing.
void ReadChannelCalibration(std::string_view dividerRow, std::string_view zeroRow,
                            std::string_view maxRow, int column, std::string_view where,
                            ChannelCalibration& channel);

// The date and time of row 8 as "yyyymmdd~hhmmss" followed by "-local" for the
// month/day/year form (12-hour clock converted); "yyyymmdd~000000" for 10-JUL-2017.
// Throws DataError when the month name leaves no room for the day before it or the year
// after it.
std::string ParseFieldDate(std::string_view text, std::string_view where);

// The position of an NMEA GGA sentence. A sentence without a fix (empty position fields)
// gives no position: latitude and longitude stay missing.
struct GgaPosition {
    double latitude = tools::kNull;
    double longitude = tools::kNull;
    float dilution = tools::kNull;
};
GgaPosition ParseGga(std::string_view text, std::string_view where);

// The 20 characters of a header or depth row at channel column k (positions 20k to
// 20k + 19, counted from 1), as far as the row holds them.
std::string_view ChannelCell(std::string_view row, int column);

}  // namespace kavo::fielddata
