// What the readers of the exchange formats (GEF, AGS4, plain CSV) share: units named in the
// files, number cells, text encodings, the depth order and the storing of a reading.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"

namespace kavo::fielddata {

// The factor that turns a stress in the named unit into atm: "MPa", "MN/m2", "N/mm2", "kPa",
// "kN/m2", also with a description after the unit ("MPa (megaPascal)"), case ignored.
// nullopt for a unit Kavo does not convert.
std::optional<double> AtmPerStressUnit(std::string_view unitText);

// The factor that turns a length in the named unit ("m", "m (meter)", "ft") into feet.
std::optional<double> FeetPerLengthUnit(std::string_view unitText);

// The value of a cell: nullopt for a text that is not a number; the empty cell is missing.
// A number is kept as written, 5435 included.
std::optional<float> CellValue(std::string_view cell);

// A value times a factor, computed in double; missing stays missing.
float Scaled(float value, double factor);

// Text of a file in ISO-8859-1 or UTF-8 as UTF-8: a text that is not valid UTF-8 is taken
// as ISO-8859-1.
std::string AsUtf8(std::string_view text);

// Which qt rule a file allows: its qt column, else its net area ratio with its u2 column,
// else qc.
QtRule ChooseQtRule(bool hasQtColumn, bool hasU2Column, float netAreaRatio);

// One row of an exchange file in internal units (ft, atm); missing where the file has none.
struct ExchangeRow {
    float depth = tools::kNull;
    float qc = tools::kNull;
    float fs = tools::kNull;
    float u2 = tools::kNull;
    float qt = tools::kNull;  // as the file gives it
    float xInclination = tools::kNull;
    float yInclination = tools::kNull;
};

// What is wrong with a depth that lies above `previousDepth`, the depth of the last row with
// a depth (missing before the first); nullopt for a depth in order, which becomes the
// previous depth.
std::optional<std::string> DepthOrderFault(float depth, float& previousDepth);

// Stores a row as the sounding's next reading, its qt by the header's rule.
void AddExchangeRow(const ExchangeRow& row, const FieldHeader& header, std::string_view where,
                    SoundingReadings& readings);

}  // namespace kavo::fielddata
