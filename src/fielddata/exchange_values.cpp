// Units, number cells, encodings and readings shared by the exchange-format readers.
#include "fielddata/exchange_values.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "tools/errors.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::fielddata {

namespace {

// The unit itself: the text before a description in brackets, trimmed and upper-cased.
std::string UnitName(std::string_view unitText) {
    const std::size_t bracket = unitText.find('(');
    std::string name = tools::UpperCopy(tools::Trim(unitText.substr(0, bracket)));
    if (name.ends_with("²")) {
        name.replace(name.size() - std::string_view("²").size(), std::string::npos, "2");
    }
    return name;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view each : names) {
        if (name == each) {
            return true;
        }
    }
    return false;
}

// The length of the UTF-8 sequence that starts with `lead`; 0 when it starts none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

std::optional<ReadingUnit> StressUnit(std::string_view unitText) {
    const std::string name = UnitName(unitText);
    const float perMpa = tools::UnitFactor("ATM/MPA");
    const float perKpa = tools::UnitFactor("ATM/KPA");
    if (IsOneOf(name, {"MPA", "MN/M2", "N/MM2"})) {
        return ReadingUnit{perMpa, {{perMpa, 1.0}, {perKpa, 1000.0}}};
    }
    if (IsOneOf(name, {"KPA", "KN/M2"})) {
        return ReadingUnit{perKpa, {{perKpa, 1.0}, {perMpa, 0.001}}};
    }
    return std::nullopt;
}

std::optional<ReadingUnit> LengthUnit(std::string_view unitText) {
    const std::string name = UnitName(unitText);
    if (IsOneOf(name, {"M", "METER", "METRE", "METERS", "METRES"})) {
        const float perMetre = tools::UnitFactor("FT/M");
        return ReadingUnit{perMetre, {{perMetre, 1.0}}};
    }
    if (IsOneOf(name, {"FT", "FEET"})) {
        return ReadingUnit{};
    }
    return std::nullopt;
}

float ToInternal(double value, const ReadingUnit& unit) {
    const double size = std::fabs(value);
    const float nearest = static_cast<float>(size * unit.factor);
    const auto keepsItsDigits = [&unit, size](float internal) {
        for (const ReadingUnit::KeptIn& kept : unit.keptIn) {
            if (internal / kept.columnFactor < static_cast<float>(size * kept.perFileUnit)) {
                return false;
            }
        }
        return true;
    };
    constexpr int kSteps = 3;  // from one below the nearest single to two above it
    float internal = std::nextafter(nearest, 0.0f);
    for (int step = 0; step < kSteps && !keepsItsDigits(internal); ++step) {
        internal = std::nextafter(internal, std::numeric_limits<float>::infinity());
    }
    if (!keepsItsDigits(internal)) {
        internal = nearest;  // beyond the singles' range
    }
    return std::copysign(internal, static_cast<float>(value));
}

std::optional<float> CellValue(std::string_view cell, const ReadingUnit& unit) {
    const std::string_view text = tools::Trim(cell);
    if (text.empty()) {
        return tools::kNull;
    }
    const std::optional<double> value = tools::ParseNumber(text);
    if (!value) {
        return std::nullopt;
    }
    return ToInternal(*value, unit);
}

std::string AsUtf8(std::string_view text) {
    if (IsUtf8(text)) {
        return std::string(text);
    }
    std::string utf8;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

QtRule ChooseQtRule(bool hasQtColumn, bool hasU2Column, float netAreaRatio) {
    if (hasQtColumn) {
        return QtRule::FromFile;
    }
    if (hasU2Column && netAreaRatio != tools::kNull) {
        return QtRule::AreaRatio;
    }
    return QtRule::EqualsQc;
}

std::optional<std::string> DepthOrderFault(float depth, float& previousDepth) {
    if (depth == tools::kNull) {
        return std::nullopt;
    }
    if (previousDepth != tools::kNull && depth < previousDepth) {
        return "the depth " + tools::SingleText(depth) +
               " ft lies above the depth of the row before it (" +
               tools::SingleText(previousDepth) + " ft); depths must go down";
    }
    previousDepth = depth;
    return std::nullopt;
}

void AddExchangeRow(const ExchangeRow& row, const FieldHeader& header, std::string_view where,
                    SoundingReadings& readings) {
    DepthReading reading;
    reading.depth = row.depth;
    reading.qc = row.qc;
    reading.fs = row.fs;
    reading.u2 = row.u2;
    reading.xInclination = row.xInclination;
    reading.yInclination = row.yInclination;
    reading.qt =
        CorrectedConeResistance(header.qtRule, row.qc, row.u2, row.qt, header.netAreaRatio);
    readings.Add(reading, false, where);
}

}  // namespace kavo::fielddata
