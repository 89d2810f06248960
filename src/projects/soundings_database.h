// The soundings database of a project: its column table, the record of the sounding being
// processed, and the reader of the header and of one sounding row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "files/paths.h"
#include "reporting/reporter.h"
#include "tools/null_marker.h"

namespace kavo::projects {

inline constexpr const char* kSoundingsPurpose = "Reading SouningS file";
inline constexpr std::size_t kMaxSoundingFields = 89;
// A row is split into at most this many fields before the 89-field rule is checked.
inline constexpr std::size_t kSoundingRowCapacity = 105;
inline constexpr int kMaxColumnNumber = 400;

// One value per column of the database; text "-5435" and number -5435 mean no value.
struct SoundingRecord {
    std::string soundingName{tools::kNullText};
    float coneAnet = tools::kNull;
    std::string probeAndSerialNum{tools::kNullText};
    std::string probeMeasurementsDashList{tools::kNullText};
    std::string soundingAltName{tools::kNullText};
    std::string exportingSoundingNameAddon{tools::kNullText};
    std::string exportingCptName{tools::kNullText};
    std::string dateVaskiFormat{tools::kNullText};
    std::string clientForCptWork{tools::kNullText};
    std::string cptAgencyPerformingSounding{tools::kNullText};
    std::string cptTruckOperator{tools::kNullText};
    std::string dataOwnership{tools::kNullText};
    std::string dataFileKeeper{tools::kNullText};
    std::string landOwner{tools::kNullText};
    float zeroQcShiftCleanToDirtyAtm = tools::kNull;
    float zeroFsShiftCleanToDirtyAtm = tools::kNull;
    float zeroQcShiftFromPreviousAtm = tools::kNull;
    float zeroFsShiftFromPreviousAtm = tools::kNull;
    float measuredLowestQc = tools::kNull;
    float measuredLowestFs = tools::kNull;
    float aqiCptZeroShiftPercent = tools::kNull;
    float aqiCptEvaluationEffortPercent = tools::kNull;
    float aqiCptFieldTestingEffort = tools::kNull;
    float aqiForLevelReferenceOfNearbyItem = tools::kNull;
    float aqiBoring = tools::kNull;
    double latBestDegf = tools::kNull;
    double longBestDegf = tools::kNull;
    std::string latLongSource{tools::kNullText};
    float latLongDilution = tools::kNull;
    double stateEast = tools::kNull;
    double stateNorth = tools::kNull;
    float watertableDepthFeet = tools::kNull;
    float watertableElevationFeet = tools::kNull;
    float groundElevationFeet = tools::kNull;
    float holeBottomElevationFeet = tools::kNull;
    float depthAddonFeet = tools::kNull;
    float overwaterWaterElevationFeet = tools::kNull;
    float overwaterWaterHeightFeet = tools::kNull;
    std::string uwtMethod{tools::kNullText};
    float uwtAboveWtPcf = tools::kNull;
    float uwtBelowWtPcf = tools::kNull;
    std::string uwtFileName{tools::kNullText};
    std::string commentsReasonForTesting{tools::kNullText};
    std::string commentsReasonForTestingCode{tools::kNullText};
    std::string commentsFromFieldWords{tools::kNullText};
    std::string contractNumberCode{tools::kNullText};
    std::string plottingWordsOnMaps{tools::kNullText};
    std::string siteDescriptionWords{tools::kNullText};
    std::string siteCountryZipStateCity{tools::kNullText};
    std::string siteAddressConventional{tools::kNullText};
    std::string siteName{tools::kNullText};
    std::string siteZoneName{tools::kNullText};
    std::string siteZoneSubName{tools::kNullText};
    float stationFeet = tools::kNull;
    float stationOffsetFeet = tools::kNull;
    std::string stationZone{tools::kNullText};
    std::string nearbyMajorInfluencesWords{tools::kNullText};
    float nearbyMajorInfluencesDistanceFeet = tools::kNull;
    std::string newFillWords{tools::kNullText};
    float newFillThicknessFeet = tools::kNull;
    float newFillAgeMonthsAgo = tools::kNull;

    bool operator==(const SoundingRecord&) const = default;
};

// Where a column's value goes: a text, a single ("number") or a double ("precise") field of
// the record, or nowhere (the placeholders 78 and 79).
using SoundingField = std::variant<std::monostate, std::string SoundingRecord::*,
                                   float SoundingRecord::*, double SoundingRecord::*>;

struct SoundingColumn {
    int number;
    std::string_view id;           // empty for the placeholders
    std::string_view description;  // also the subject of the error messages
    std::string_view errorCode;    // reported for a value that is not a number
    SoundingField field;
};

// The column table, in the order of the column numbers.
std::span<const SoundingColumn> SoundingColumns();

// The column named by an ID (case ignored) or a number; nullptr when none is.
const SoundingColumn* FindSoundingColumn(std::string_view idOrNumber);

// The header row: the column ID (or number) of each field of a sounding row.
struct SoundingsHeader {
    std::vector<std::string> cells;
    std::int16_t count = 0;
};

// Stores `value` in the column named by `idOrNumber` (an ID, case ignored, or a column
// number). Numbers without a column, the placeholders and the empty ID store nothing.
// Throws the column's DataError for a value that is not a number, CCN824 for an unknown ID.
void AssignSoundingColumn(SoundingRecord& record, std::string_view idOrNumber,
                          std::string_view value);

// Sets every column to the null marker.
void ResetSoundingRecord(reporting::Reporter& reporter, SoundingRecord& record);

// Finds the project's one soundings database, opens it through the trace, and resets the
// header and the record. Returns the file's full path. Throws DX392 (none), DX322 (several),
// MG332 (cannot be opened).
std::string OpenSoundingsDatabase(reporting::Reporter& reporter, const files::DataArea& area,
                                  reporting::TracedInput& file, SoundingsHeader& header,
                                  SoundingRecord& record);

// Reads the header row into the header's cells.
void ReadSoundingsHeader(reporting::Reporter& reporter, reporting::TracedInput& file,
                         SoundingsHeader& header);

// Counts the sounding rows after the header row (every line, a blank one too, as the row
// reader takes them) without tracing them, so a run knows its soundings before the first
// one. Checks that the header names the SOUNDING_NAME column, that there is at least one row
// and that no sounding is listed twice (names compared without regard to case, as the field
// files are found). Throws DX838 (no header or no rows), DX837 (no name column), DX839 (a
// sounding listed twice, naming both rows), MG332 (the file cannot be read).
int CountSoundingRows(const std::string& path, const SoundingsHeader& header);

// Reads the next sounding row into a fresh record; returns false when no row was left.
// Throws RL189 for a row with more than 89 fields and RL124 for a blank row.
bool ReadSoundingRow(reporting::Reporter& reporter, reporting::TracedInput& file,
                     const SoundingsHeader& header, SoundingRecord& record);

}  // namespace kavo::projects
