// The parts of a field data file header that are read from the text of single rows.
#include "fielddata/field_header.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"

namespace kavo::fielddata {

namespace {

constexpr std::size_t kCellWidth = 20;
constexpr int kChannelColumnCount = 5;
constexpr std::array<std::string_view, 12> kMonths{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string Located(std::string_view where, std::string_view text) {
    return std::string(where) + ": " + std::string(text);
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Pads a number text with leading zeros to two characters ("5" -> "05", "" -> "00").
std::string TwoDigits(std::string_view text) {
    std::string result = tools::TrimCopy(text);
    while (result.size() < 2) {
        result.insert(result.begin(), '0');
    }
    return result;
}

std::size_t CountOf(std::string_view text, char c) {
    std::size_t count = 0;
    for (char each : text) {
        count += each == c ? 1 : 0;
    }
    return count;
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

// "ddmm.mmmm" or "dddmm.mmmm": the two digits before the decimal point start the minutes.
double DegreesOf(std::string_view field, std::string_view where, std::string_view sentence) {
    const std::string_view text = tools::Trim(field);
    std::size_t point = text.find('.');
    if (point == std::string_view::npos) {
        point = text.size();
    }
    std::optional<double> degrees;
    std::optional<double> minutes;
    if (point >= 2) {
        const std::string_view degreesText = text.substr(0, point - 2);
        degrees = degreesText.empty() ? 0.0 : tools::ParseNumber(degreesText);
        minutes = tools::ParseNumber(text.substr(point - 2));
    }
    if (!degrees || !minutes || *degrees < 0 || *minutes < 0 || *minutes >= 60) {
        throw tools::DataError(
            "GPS347",
            Located(where, "the GGA position field «" + std::string(field) +
                               "» is not degrees and minutes, in «" + std::string(sentence) + "»"));
    }
    return *degrees + *minutes / 60.0;
}

struct HeaderRowLabel {
    int row;
    std::string_view label;  // as written; empty for a row whose label characters are blank
};
constexpr std::array<HeaderRowLabel, 7> kHeaderRowLabels{{
    {17, "Depth (m)"},
    {18, "Divisions"},
    {19, "Zero"},
    {20, "Full scale"},
    {21, ""},
    {22, ""},
    {23, "Depth(m)"},
}};

// A label as it is compared: upper case, without blanks.
std::string LabelKey(std::string_view text) {
    std::string key;
    for (char c : tools::UpperCopy(text)) {
        if (c != ' ') {
            key += c;
        }
    }
    return key;
}

}  // namespace

void CheckHeaderRowLabels(std::span<const std::string> rows, std::string_view fileName) {
    for (const HeaderRowLabel& expected : kHeaderRowLabels) {
        const std::size_t index = static_cast<std::size_t>(expected.row - 1);
        if (index >= rows.size()) {
            continue;
        }
        const std::string_view found =
            tools::Trim(std::string_view(rows[index]).substr(0, kCellWidth - 1));
        const std::string foundKey = LabelKey(found);
        const std::string expectedKey = LabelKey(expected.label);
        const bool matches =
            expectedKey.empty() ? foundKey.empty() : foundKey.rfind(expectedKey, 0) == 0;
        if (matches) {
            continue;
        }
        const std::string wanted =
            expected.label.empty()
                ? std::string("leave characters 1 to 19 blank")
                : "be labelled «" + std::string(expected.label) + "» in characters 1 to 19";
        const std::string got = found.empty() ? std::string("they are blank")
                                              : "they read «" + std::string(found) + "»";
        throw tools::DataError(
            "HRL730", Located(std::string(fileName) + " line " + std::to_string(expected.row),
                              "header row " + std::to_string(expected.row) + " should " + wanted +
                                  ", but " + got + "; a header row may be missing or repeated"));
    }
}

std::string_view ChannelCell(std::string_view row, int column) {
    const std::size_t start = kCellWidth * static_cast<std::size_t>(column) - 1;
    if (column < 1 || start >= row.size()) {
        return {};
    }
    return row.substr(start, kCellWidth);
}

std::string NormaliseFirm(std::string_view row2) {
    std::string firm = tools::UpperCopy(row2);
    // The replacements are mixed case, so a later test never matches an earlier result.
    if (Contains(firm, "VICKS")) {
        firm = "USACE Vicksburg District";
    }
    if (Contains(firm, "SAVAN")) {
        firm = "USACE Savannaha District";
    }
    if (Contains(firm, "TERRACON")) {
        firm = "Terracon Company";
    }
    return firm;
}

ChannelColumns FindChannelColumns(std::string_view row17) {
    ChannelColumns columns;
    for (int k = 1; k <= kChannelColumnCount; ++k) {
        const std::string name = tools::UpperCopy(tools::Trim(ChannelCell(row17, k)));
        if (name.empty()) {
            continue;
        }
        const auto column = static_cast<std::int16_t>(k);
        bool known = false;
        const std::array<std::pair<std::string_view, std::int16_t*>, 6> channels{{
            {"TIP", &columns.tip},
            {"FRICTION", &columns.friction},
            {"U2", &columns.u2},
            {"X INCL", &columns.xInclination},
            {"Y INCL", &columns.yInclination},
            {"CONDUCTIVITY", &columns.conductivity},
        }};
        for (const auto& [word, target] : channels) {
            if (Contains(name, word)) {
                *target = column;
                known = true;
            }
        }
        if (!known) {
            throw tools::DataError("HRC728", "device not found of " + name);
        }
    }
    return columns;
}

void ReadChannelCalibration(std::string_view dividerRow, std::string_view zeroRow,
                            std::string_view maxRow, int column, std::string_view where,
                            ChannelCalibration& channel) {
    const std::size_t firstPosition = kCellWidth * static_cast<std::size_t>(column);
    const std::array<std::pair<std::string_view, std::string_view>, 3> rows{{
        {dividerRow, "row 18 (divisions)"},
        {zeroRow, "row 19 (zero readings)"},
        {maxRow, "row 20 (full-scale values)"},
    }};
    for (const auto& [row, name] : rows) {
        if (row.size() < firstPosition) {
            throw tools::DataError(
                "HRS735",
                Located(where, std::string(name) + " ends at character " +
                                   std::to_string(row.size()) + ", before channel column " +
                                   std::to_string(column) + " (characters " +
                                   std::to_string(firstPosition) + " to " +
                                   std::to_string(firstPosition + kCellWidth - 1) + ")"));
        }
    }

    const std::optional<float> divisions = tools::ParseSingle(ChannelCell(dividerRow, column));
    const std::string_view maxText = tools::Trim(ChannelCell(maxRow, column));
    const std::size_t blank = maxText.find(' ');
    const std::string_view numberText =
        blank == std::string_view::npos ? maxText : maxText.substr(0, blank);
    // A single like every number of the header (beyond single range it is no number).
    const std::optional<float> fullScale = tools::ParseSingle(numberText);
    if (!fullScale) {
        throw tools::DataError("HRC741",
                               Located(where, "the full-scale value «" + std::string(maxText) +
                                                  "» of channel column " + std::to_string(column) +
                                                  " does not start with a number"));
    }
    // A count of divisions is positive; -5435 is a number here too, and no count.
    if (!divisions || *divisions <= 0.0f) {
        throw tools::DataError(
            "HRC742",
            Located(where, "the divisions «" + tools::TrimCopy(ChannelCell(dividerRow, column)) +
                               "» of channel column " + std::to_string(column) +
                               " give no scale (not a positive number)"));
    }
    channel.zeroBefore = tools::ParseSingle(ChannelCell(zeroRow, column));
    channel.units =
        blank == std::string_view::npos ? std::string() : tools::TrimCopy(maxText.substr(blank));
    channel.scale = static_cast<float>(static_cast<double>(*fullScale) / *divisions);
}

std::string ParseFieldDate(std::string_view text, std::string_view where) {
    const std::string s = tools::UpperCopy(tools::Trim(text));
    std::string month;
    std::size_t monthIndex = std::string::npos;
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        const std::size_t found = s.find(kMonths[m]);
        if (found != std::string::npos) {
            month = TwoDigits(std::to_string(m + 1));
            monthIndex = found;
        }
    }

    if (monthIndex != std::string::npos) {
        // dd-MON-yyyy: the day is the two characters before the separator, the year the
        // four after it.
        if (monthIndex < 3) {
            throw tools::DataError("HDT811",
                                   Located(where, "the month name in the date «" + s +
                                                      "» comes too early to leave two characters "
                                                      "and a separator for the day before it"));
        }
        if (s.size() < monthIndex + 8) {
            throw tools::DataError("HRS735",
                                   Located(where, "the date «" + s +
                                                      "» is too short to hold a four-digit year "
                                                      "after the month name"));
        }
        return s.substr(monthIndex + 4, 4) + month + s.substr(monthIndex - 3, 2) + "~000000";
    }

    const std::size_t blank = s.find(' ');
    // A text without a blank is a date without a time.
    const std::string datePart = blank == std::string::npos ? s : s.substr(0, blank);
    const std::string timePart = blank == std::string::npos ? "--" : s.substr(blank + 1);

    std::string year;
    std::string monthText = "--";
    std::string day = "--";
    if (CountOf(datePart, '/') == 2) {
        const std::size_t first = datePart.find('/');
        const std::size_t second = datePart.find('/', first + 1);
        monthText = TwoDigits(datePart.substr(0, first));
        day = TwoDigits(datePart.substr(first + 1, second - first - 1));
        year = tools::TrimCopy(datePart.substr(second + 1));
    }

    std::string hours = "--";
    std::string minutes = "--";
    std::string seconds;
    if (CountOf(timePart, ':') == 2) {
        const std::size_t first = timePart.find(':');
        const std::size_t second = timePart.find(':', first + 1);
        hours = TwoDigits(timePart.substr(0, first));
        minutes = TwoDigits(timePart.substr(first + 1, second - first - 1));
        seconds = TwoDigits(timePart.substr(second + 1, 2));
        const bool pm = Contains(timePart, "PM");
        const bool am = Contains(timePart, "AM");
        if (pm || am) {
            constexpr int kLastHour = 12;
            const std::optional<int> hour = tools::ParseWholeNumber(hours, 0, kLastHour);
            if (!hour) {
                throw tools::DataError(
                    "HDT812", Located(where, "the hour «" + tools::TrimCopy(hours) +
                                                 "» of the time «" + timePart +
                                                 "» is not a whole number from 0 to 12, as a "
                                                 "12-hour clock with AM or PM needs"));
            }
            int h = *hour;
            if (pm && h != kLastHour) {
                h += kLastHour;
            } else if (am && h == kLastHour) {
                h = 0;
            }
            hours = TwoDigits(std::to_string(h));
        }
    }
    return year + monthText + day + "~" + hours + minutes + seconds + "-local";
}

GgaPosition ParseGga(std::string_view text, std::string_view where) {
    const std::string_view trimmed = tools::Trim(text);
    const std::size_t gga = trimmed.find("GGA");
    if (trimmed.empty() || gga == std::string_view::npos) {
        throw tools::DataError("GPS323", "GPS GAA convertion -- bad or no info");
    }
    const std::string_view sentence = trimmed.substr(gga);
    const std::vector<std::string_view> fields = SplitAtCommas(sentence);
    if (fields.size() < 10) {
        throw tools::DataError(
            "GPS345", Located(where, "the GGA sentence «" + std::string(trimmed) + "» has " +
                                         std::to_string(fields.size() - 1) +
                                         " commas; a GGA sentence has at least nine"));
    }

    GgaPosition position;
    position.dilution = tools::NumberOrNull(fields[8]);
    const std::string northSouth = tools::UpperCopy(tools::Trim(fields[3]));
    const std::string eastWest = tools::UpperCopy(tools::Trim(fields[5]));
    const bool noFix = tools::Trim(fields[2]).empty() && northSouth.empty() &&
                       tools::Trim(fields[4]).empty() && eastWest.empty();
    if (noFix) {
        return position;  // no position known, which is not 0, 0
    }
    if (northSouth != "N" && northSouth != "S") {
        throw tools::DataError("GPS334", "GPS GAA -- no N or S");
    }
    if (eastWest != "E" && eastWest != "W") {
        throw tools::DataError("GPS341",
                               Located(where, "the GGA sentence «" + std::string(trimmed) +
                                                  "» has no E or W after the longitude"));
    }
    const double latitude = DegreesOf(fields[2], where, trimmed);
    const double longitude = DegreesOf(fields[4], where, trimmed);
    position.latitude = northSouth == "S" ? -latitude : latitude;
    position.longitude = eastWest == "W" ? -longitude : longitude;
    return position;
}

}  // namespace kavo::fielddata
