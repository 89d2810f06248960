// Conversion of the depth rows of a field data file and the sounding's reading arrays.
#include "fielddata/depth_readings.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::fielddata {

namespace {

constexpr std::size_t kDepthWidth = 8;

bool Present(std::int16_t column) {
    return column > 0;
}

std::optional<float> CountsAt(std::string_view line, std::int16_t column) {
    return tools::ParseSingle(ChannelCell(line, column));
}

// Every present channel keeps its zero before the test as its zero after.
void ZerosAfterFromZerosBefore(FieldHeader& header) {
    const ChannelColumns& columns = header.columns;
    const std::array<std::pair<std::int16_t, ChannelCalibration*>, 5> channels{{
        {columns.tip, &header.tip},
        {columns.friction, &header.friction},
        {columns.u2, &header.u2},
        {columns.xInclination, &header.xInclination},
        {columns.yInclination, &header.yInclination},
    }};
    for (const auto& [column, channel] : channels) {
        if (Present(column)) {
            channel->zeroAfter = channel->zeroBefore;
        }
    }
}

float Inclination(std::optional<float> counts, const ChannelCalibration& channel) {
    if (!counts || !channel.zeroBefore || !channel.scale) {
        return tools::kNull;
    }
    return static_cast<float>(static_cast<double>(*channel.scale) *
                              (static_cast<double>(*counts) - *channel.zeroBefore));
}

}  // namespace

void SoundingReadings::Add(const DepthReading& reading, bool endMarker, std::string_view where) {
    const std::string limit = std::to_string(kMaxReadings);
    if (endMarker && endMarkerRows >= kMaxReadings) {
        throw tools::DataError("HG8240", std::string(where) + ": more than " + limit +
                                             " end-marker rows (friction -32768); the data end "
                                             "at the first ordinary row after two of them");
    }
    if (!endMarker && size() - endMarkerRows >= kMaxReadings) {
        throw tools::DataError("HG8240", std::string(where) + ": more than " + limit +
                                             " depth readings (end-marker rows not counted); a "
                                             "sounding holds at most " +
                                             limit);
    }
    endMarkerRows += endMarker ? 1 : 0;
    depth.push_back(reading.depth);
    qc.push_back(reading.qc);
    fs.push_back(reading.fs);
    frictionRatio.push_back(reading.frictionRatio);
    u2.push_back(reading.u2);
    xInclination.push_back(reading.xInclination);
    yInclination.push_back(reading.yInclination);
}

float CountsToEngineering(std::optional<float> counts, std::optional<float> zero,
                          std::optional<float> scale, float unitFactor) {
    if (!counts || !zero || !scale) {
        return tools::kNull;
    }
    const double fullScaleUnits =
        (static_cast<double>(*counts) - *zero) * kCountFactor * static_cast<double>(*scale);
    return static_cast<float>(static_cast<double>(unitFactor) * fullScaleUnits);
}

DepthRowResult ParseDepthRow(std::string_view line, bool fileAtEnd, FieldHeader& header,
                             std::int16_t& markerCount) {
    const ChannelColumns& columns = header.columns;
    DepthRowResult result;
    DepthReading& reading = result.reading;

    const std::string_view depthText = line.substr(0, std::min(kDepthWidth, line.size()));
    if (!tools::Trim(depthText).empty()) {
        const std::optional<float> metres = tools::ParseSingle(depthText);
        reading.depth =
            metres ? static_cast<float>(static_cast<double>(*metres) * tools::UnitFactor("ft/m"))
                   : tools::kNull;
        if (Present(columns.tip)) {
            reading.rawTip = CountsAt(line, columns.tip);
            reading.qc = CountsToEngineering(reading.rawTip, header.tip.zeroBefore,
                                             header.tip.scale, tools::UnitFactor("atm/tsf"));
        }
    }

    // After two marker rows, the first row whose friction is not a marker is the closing
    // zero row: it gives each channel's zero after the test and ends the data.
    if (markerCount >= 2 && Present(columns.friction)) {
        const std::optional<float> friction = CountsAt(line, columns.friction);
        header.friction.zeroAfter = friction;
        if (friction != kMarkerCounts) {
            if (Present(columns.tip)) {
                header.tip.zeroAfter = CountsAt(line, columns.tip);
            }
            if (Present(columns.u2)) {
                header.u2.zeroAfter = CountsAt(line, columns.u2);
            }
            if (Present(columns.xInclination)) {
                header.xInclination.zeroAfter = CountsAt(line, columns.xInclination);
            }
            if (Present(columns.yInclination)) {
                header.yInclination.zeroAfter = CountsAt(line, columns.yInclination);
            }
            result.endsData = true;
            return result;
        }
    }

    if (Present(columns.friction)) {
        reading.rawFriction = CountsAt(line, columns.friction);
        if (reading.rawFriction == kMarkerCounts) {
            result.endMarker = true;
            reading.fs = tools::kNull;
            header.endStatus = kEndNormal;
            ++markerCount;
        } else {
            reading.fs = CountsToEngineering(reading.rawFriction, header.friction.zeroBefore,
                                             header.friction.scale, tools::UnitFactor("atm/tsf"));
        }
    }
    if (Present(columns.u2)) {
        reading.rawU2 = CountsAt(line, columns.u2);
        reading.u2 = CountsToEngineering(reading.rawU2, header.u2.zeroBefore, header.u2.scale,
                                         tools::UnitFactor("atm/psi"));
    }
    if (Present(columns.xInclination)) {
        reading.rawX = CountsAt(line, columns.xInclination);
        reading.xInclination = Inclination(reading.rawX, header.xInclination);
    }
    if (Present(columns.yInclination)) {
        reading.rawY = CountsAt(line, columns.yInclination);
        reading.yInclination = Inclination(reading.rawY, header.yInclination);
    }

    if (fileAtEnd) {
        if (markerCount > 0) {
            throw tools::DataError("HG8234", header.soundingName + ", line =" + std::string(line) +
                                                 " --- EOF found - but " + " -32768 were found");
        }
        // Without marker rows the last row of the file ends the data.
        header.endStatus = kEndFugro;
        ZerosAfterFromZerosBefore(header);
        result.endsData = true;
    }
    return result;
}

}  // namespace kavo::fielddata
