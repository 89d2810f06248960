// The depth readings of a field data file: one fixed-width row per depth, converted from raw
// counts to feet and atmospheres, and the seven reading arrays of the sounding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fielddata/field_header.h"
#include "tools/null_marker.h"

namespace kavo::fielddata {

// Counts times this factor times a channel's scale give the channel's full-scale unit.
inline constexpr double kCountFactor = 0.01044;
// The friction value of the marker rows that announce the closing zero row.
inline constexpr float kMarkerCounts = -32768.0f;
inline constexpr std::size_t kMaxReadings = 8000;

// The depth reading being processed. A fresh value is the reset state.
struct DepthReading {
    float depth = tools::kNull;  // ft
    float qc = tools::kNull;     // atm
    float fs = tools::kNull;     // atm; missing in marker rows
    float u2 = tools::kNull;     // atm
    float xInclination = tools::kNull;
    float yInclination = tools::kNull;
    // The counts of the row; none where the channel is absent or its cell holds no number.
    std::optional<float> rawTip = std::nullopt;
    std::optional<float> rawFriction = std::nullopt;
    std::optional<float> rawU2 = std::nullopt;
    std::optional<float> rawX = std::nullopt;
    std::optional<float> rawY = std::nullopt;
    // Filled by the normalisation once the row is stored; missing when the row is read.
    float frictionRatio = tools::kNull;
};

// The readings of the sounding being processed, at most kMaxReadings; element 0 is the
// first reading of the file.
struct SoundingReadings {
    std::vector<float> depth;
    std::vector<float> qc;
    std::vector<float> fs;
    std::vector<float> frictionRatio;
    std::vector<float> u2;
    std::vector<float> xInclination;
    std::vector<float> yInclination;

    std::size_t endMarkerRows = 0;  // stored rows whose friction is the marker value

    std::size_t size() const { return depth.size(); }
    // Appends a reading. End-marker rows are stored like readings but counted apart, so a
    // sounding holds kMaxReadings depth readings besides its end markers. Throws DataError
    // "HG8240", naming `where`, when there would be more than kMaxReadings of either.
    void Add(const DepthReading& reading, bool endMarker, std::string_view where);
};

// The engineering value of a channel's counts: unitFactor × (counts − zero) × kCountFactor ×
// scale; -5435 when any of them is missing.
float CountsToEngineering(std::optional<float> counts, std::optional<float> zero,
                          std::optional<float> scale, float unitFactor);

// What one depth row did to the reading state of the file.
struct DepthRowResult {
    DepthReading reading;
    bool endsData = false;   // the row ends the data and is not a reading
    bool endMarker = false;  // the row's friction is the marker value
};

// Converts one depth row. `markerCount` is the number of marker rows met so far in the file;
// `fileAtEnd` tells whether the row was the file's last. Sets the header's endStatus and,
// at the end of the data, each channel's zeroAfter. Throws DataError "HG8234" when the file
// ends after marker rows without the closing zero row.
DepthRowResult ParseDepthRow(std::string_view line, bool fileAtEnd, FieldHeader& header,
                             std::int16_t& markerCount);

}  // namespace kavo::fielddata
