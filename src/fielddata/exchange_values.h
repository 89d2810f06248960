// What the readers of the exchange formats (GEF, AGS4, plain CSV) share: units named in the
// files, number cells, text encodings, the depth order and the storing of a reading.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"

namespace kavo::fielddata {

// A unit in which a file gives its readings, and how a reading in it becomes an internal
// value (ft or atm).
struct ReadingUnit {
    // Internal units in one unit of the file, as the unit table gives it (a single).
    double factor = 1.0;
    // The output-column units in which a reading must print the file's own digits: each with
    // the factor such a column divides by (internal units in one of its units) and how many of
    // its units make one unit of the file.
    struct KeptIn {
        float columnFactor = 1.0f;
        double perFileUnit = 1.0;
    };
    std::vector<KeptIn> keptIn = std::vector<KeptIn>(1);  // by default the internal unit itself
};

// The unit of a stress: "MPa", "MN/m2", "N/mm2", "kPa", "kN/m2", also with a description after
// the unit ("MPa (megaPascal)"), case ignored; a reading in it keeps its digits in the MPa and
// kPa columns. nullopt for a unit Kavo does not convert.
std::optional<ReadingUnit> StressUnit(std::string_view unitText);

// The unit of a length: "m" ("m (meter)"), whose readings keep their digits in the m columns,
// or "ft".
std::optional<ReadingUnit> LengthUnit(std::string_view unitText);

// A reading in internal units. Output columns cut surplus digits rather than round them, so a
// single even one unit in the last place below the file's value can print one unit low: from
// the single nearest to value x factor, the reading moves by at most a unit or two in the last
// place to the first single that converts back to at least the file's value (in size) in every
// unit of `keptIn`.
float ToInternal(double value, const ReadingUnit& unit);

// The value of a cell in internal units (ToInternal): nullopt for a text that is not a number;
// the empty cell is missing. A number is kept as written, 5435 included.
std::optional<float> CellValue(std::string_view cell, const ReadingUnit& unit);

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
