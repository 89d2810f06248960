// Reading the soundings database: its header row and one row per sounding.
#include "projects/soundings_database.h"

#include <array>
#include <map>

#include "files/data_names.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"

namespace kavo::projects {
namespace {

using R = SoundingRecord;

const std::array<SoundingColumn, 63> kColumns = {{
    {1, "SOUNDING_NAME", "CPT Name & File Name", "", &R::soundingName},
    {2, "CONE_ANET", "Cone Anet", "SED231", &R::coneAnet},
    {13, "PROBE_AND_SERIAL_NUM", "probe equipment device number", "", &R::probeAndSerialNum},
    {14, "PROBE_MEASUREMENTS_DASH_LIST", "probe measurements  e.g.  qc-fs-u2-LIF-Vs-R", "",
     &R::probeMeasurementsDashList},
    {25, "SOUNDING_ATL_NAME", "Alternate sounding name, e.g. survey name", "", &R::soundingAltName},
    {26, "EXPORTING_SOUNDING_NAME_ADDON", "Export add-on code for sounding exporting", "",
     &R::exportingSoundingNameAddon},
    {27, "EXPORTING_CPT_NAME", "Exporting CPT name (ie addon+sounding)", "", &R::exportingCptName},
    {38, "DATE_VASKIFORMAT", "Date of field work (yymmdd-hh:mm)", "", &R::dateVaskiFormat},
    {43, "CLIENT_FOR_CPT_WORK", "Client for sounding effort", "", &R::clientForCptWork},
    {51, "CPT_AGENCY_PERFORMING_SOUNDING", "Agency Performing CPT soundings", "",
     &R::cptAgencyPerformingSounding},
    {52, "CPT_TRUCK_OPERATOR", "CPT Truck Operator", "", &R::cptTruckOperator},
    {61, "DATA_OWNERSHIP", "Data ownership", "", &R::dataOwnership},
    {62, "DATA_FILE_KEEPER", "Keeper of Data files", "", &R::dataFileKeeper},
    {63, "LAND_OWNER", "Owner of Land", "", &R::landOwner},
    {71, "ZERO_QC_SHIFT_PRETEST_atClean_TO_POSTTEST_atDirty_aTM",
     "Qc Zero Shift PreTestClean to PostTestDirty (atm)", "SWQ123", &R::zeroQcShiftCleanToDirtyAtm},
    {72, "ZERO_FS_SHIFT_PRETEST_atClean_TO_POSTTEST_atDirty_aTM",
     "fs Zero Shift PreTestClean to PostTestDirty (atm)", "SWQ999", &R::zeroFsShiftCleanToDirtyAtm},
    {73, "ZERO_QC_SHIFT_FROM_PREVIOUS_SOUNDING_PRETEST_TO_THIS_PRETEST_atClean_ATM",
     "Qc Shift from previous test clean to this test clean (atm)", "SWQ175",
     &R::zeroQcShiftFromPreviousAtm},
    {74, "ZERO_FS_SHIFT_FROM_PREVIOUS_SOUNDING_PRETEST_TO_THIS_PRETEST_atClean_ATM",
     "fs Shift from previous test clean to this test clean (atm)", "SWQ766",
     &R::zeroFsShiftFromPreviousAtm},
    {76, "MEASURED_LOWEST_QC", "Measured lowest Qc in this sounding", "MLQ111",
     &R::measuredLowestQc},
    {77, "MEASURED_LOWEST_FS", "Measured lowest fs in this sounding", "MLF111",
     &R::measuredLowestFs},
    {78, "", "placeholder", "", std::monostate{}},
    {79, "", "placeholder", "", std::monostate{}},
    {90, "AQI_CPTZEROshift_%", "AQI for CPT based on zero shift (%)", "SAA990",
     &R::aqiCptZeroShiftPercent},
    {91, "AQI_CPT_EVALUATION_EFFORT_%", "AQI during CPT Evaluation Effort", "SAA993",
     &R::aqiCptEvaluationEffortPercent},
    {92, "AQI_CPT_FIELD_TESTING_EFFORT", "AQI for CPT Field Observations", "ASS233",
     &R::aqiCptFieldTestingEffort},
    {93, "AQI_FOR_LEVEL_REFERENCE_OF_NEARBY_ITEM",
     "AQI in terms of nearby soil slope or building influence", "ASS419",
     &R::aqiForLevelReferenceOfNearbyItem},
    {94, "AQI_BORING", "AQI for nearby Borings", "ASS409", &R::aqiBoring},
    {104, "LAT_BEST_DEGF", "Lat (Deg fraction)", "LL121", &R::latBestDegf},
    {105, "LONG_BEST_DEGF", "Long (Deg fraction)", "LL199", &R::longBestDegf},
    {106, "LATLOG_SOURCE", "Lat Long data source", "", &R::latLongSource},
    {107, "LATLONG_DILUTION", "GPS Horz Dilation", "SSE034", &R::latLongDilution},
    {120, "STATE_EAST", "STATE Plane EAST", "SSFR222", &R::stateEast},
    {121, "STATE_NORTH", "STATE Plane North", "SSFR224", &R::stateNorth},
    {140, "WATERTABLE_DEPTH_FEET", "Water Table depth during field work  (feet)", "SSFR222",
     &R::watertableDepthFeet},
    {141, "WATERTABLE_ELEVATION_FEET", "Water Table Elevation (feet)", "WT334",
     &R::watertableElevationFeet},
    {160, "GROUND_ELEVATION_FEET", "Elevation of Ground (feet)", "GE232", &R::groundElevationFeet},
    {161, "HOLE_BOTTOM_ELEVATION_FEET", "Hole Bottom Elevation (feet)", "HBE201",
     &R::holeBottomElevationFeet},
    {162, "DEPTH_ADDON_FEET", "Depth add-on (feet) i.e. starting at botttom of hole", "DAO345",
     &R::depthAddonFeet},
    {173, "OVERWATER_WATER_ELEVATION_FEET", "Over water elevation of water (feet)", "OWE111",
     &R::overwaterWaterElevationFeet},
    {174, "OVERWATER_WATER_HEIGHT_FEET", "Over water depth of water  (feet)", "OWH111",
     &R::overwaterWaterHeightFeet},
    {180, "UWT_METHOD", "Total Unit Weight lookup method", "", &R::uwtMethod},
    {181, "UWT_ABOVE_WT_PCF", "Total Unit Weight ABOVE TW (PCF)", "UWA111", &R::uwtAboveWtPcf},
    {182, "UWT_BELOW_WT_PCF", "Total Unit Weight Below TW (PCF)", "UWB111", &R::uwtBelowWtPcf},
    {183, "UWT_FILE_NAME", "Total Unit - File Name", "", &R::uwtFileName},
    {190, "COMMENTS_REASON_FOR_TESTING", "Reasons in for testing in words", "",
     &R::commentsReasonForTesting},
    {191, "COMMENTS_REASON_FOR_TESTING_CODE", "REASON FOR TESTING Code, CODE", "",
     &R::commentsReasonForTestingCode},
    {192, "COMMENTS_FROM_FIELD_WORDS", "Comments from field in words", "",
     &R::commentsFromFieldWords},
    {193, "CONTRACT_NUMBERCODE", "Contract Number code", "", &R::contractNumberCode},
    {210, "PLOTTING_WORDS_ON_MAPS", "Plotting code on map", "", &R::plottingWordsOnMaps},
    {212, "SITE_DESCRIPTION_WORDS", "Location description in word", "", &R::siteDescriptionWords},
    {214, "SITE_COUNTRY_ZIP_STATE_CITY",
     "Location address in order of country zipcode state city street number", "",
     &R::siteCountryZipStateCity},
    {216, "SITE_ADDRESS_CONVENTIONAL", "Location using conventional address format", "",
     &R::siteAddressConventional},
    {220, "SITE_NAME", "Site name", "", &R::siteName},
    {222, "SITE_ZONE_NAME", "Zone name", "", &R::siteZoneName},
    {223, "SITE_ZONE_SUB_NAME", "Zone sub-name", "", &R::siteZoneSubName},
    {240, "STATION_FEET", "Station (feet)", "STF111", &R::stationFeet},
    {241, "STATION_OFFSET_FEET", "Station offset (feet)", "SOF111", &R::stationOffsetFeet},
    {245, "STATION_ZONE", "Station Zone", "", &R::stationZone},
    {280, "NEARBY_MAJOR_INFLUENCES_WORDS", "Nearby Major Stress Influencing item", "",
     &R::nearbyMajorInfluencesWords},
    {281, "NEARBY_MAJOR_INFLUENCES_DISTANCE_FEET",
     "Distance (feet) to Nearby Major Stress Influencing item", "NM443",
     &R::nearbyMajorInfluencesDistanceFeet},
    {285, "NEW_FILL_WORDS", "Recent fill -  description in words (and soil type/consistency)", "",
     &R::newFillWords},
    {287, "NEW_FILL_THICKNESS_FEET", "Recent fill - thickness (feet)", "NF112",
     &R::newFillThicknessFeet},
    {289, "NEW_FILL_AGE_MONTHS_AGO", "Recent fill - age at time of sounding (months)", "NF334",
     &R::newFillAgeMonthsAgo},
}};

tools::DataError NotANumber(const SoundingColumn& column, std::string_view value) {
    return tools::DataError(std::string(column.errorCode),
                            std::string(column.description) + " IS NOT =" + std::string(value));
}

void Progress(reporting::Reporter& reporter, std::string text, std::string code) {
    reporter.ReportProgress({"", std::move(text), "", "", "", "", "", std::move(code)});
}

}  // namespace

std::span<const SoundingColumn> SoundingColumns() {
    return kColumns;
}

const SoundingColumn* FindSoundingColumn(std::string_view idOrNumber) {
    const std::string id = tools::UpperCopy(tools::Trim(idOrNumber));
    for (const SoundingColumn& column : kColumns) {
        if (id == std::to_string(column.number) ||
            (!column.id.empty() && id == tools::UpperCopy(column.id))) {
            return &column;
        }
    }
    return nullptr;
}

void AssignSoundingColumn(SoundingRecord& record, std::string_view idOrNumber,
                          std::string_view value) {
    const std::string id = tools::UpperCopy(tools::Trim(idOrNumber));
    if (id.empty()) {
        return;
    }
    const SoundingColumn* column = FindSoundingColumn(id);
    if (column == nullptr) {
        if (tools::ParseNumber(id)) {
            return;  // a column number without a column is accepted
        }
        throw tools::DataError(
            "CCN824", "searching soundingSfile list, Can't find ID=" + std::string(idOrNumber));
    }
    const bool numeric = tools::ParseNumber(value).has_value();
    if (auto text = std::get_if<std::string SoundingRecord::*>(&column->field)) {
        record.** text = std::string(value);
    } else if (auto number = std::get_if<float SoundingRecord::*>(&column->field)) {
        if (numeric) {
            record.** number = tools::NumberOrNull(value);
        } else if (tools::Trim(value).empty()) {
            record.** number = tools::kNull;
        } else {
            throw NotANumber(*column, value);
        }
    } else if (auto precise = std::get_if<double SoundingRecord::*>(&column->field)) {
        if (!numeric) {
            throw NotANumber(*column, value);
        }
        // The value passes through single precision, as every number read.
        record.** precise = tools::NumberOrNull(value);
    }
}

void ResetSoundingRecord(reporting::Reporter& reporter, SoundingRecord& record) {
    Progress(reporter, "NULLing soundingSfile Line data ", "SN441");
    record = SoundingRecord{};
}

std::string OpenSoundingsDatabase(reporting::Reporter& reporter, const files::DataArea& area,
                                  reporting::TracedInput& file, SoundingsHeader& header,
                                  SoundingRecord& record) {
    reporter.ReportProgress({"", "Reading SoundingS database", "", "Reading SoundingS file", "",
                             "opening and reading header", "", "So123"});
    const std::string purpose = kSoundingsPurpose;
    Progress(reporter, "NULLing soundingSfile Header data", "4502");
    header = SoundingsHeader{};
    ResetSoundingRecord(reporter, record);

    const std::string pattern = files::PathFor(area, files::PathKey::SoundingsDatabaseFiles);
    const int count = files::CountFiles(pattern);
    if (count == 0) {
        throw tools::DataError("DX392", purpose + ", needs a SoundingS---*.csv file ");
    }
    if (count > 1) {
        throw tools::DataError("DX322", purpose + ", only one SoundingS---*.csv file allowed");
    }
    const std::string name = platform::ListMatching(pattern, platform::EntryKind::File).front();
    const std::string path = files::PathFor(area, files::PathKey::Project) + name;
    // Every file of the project is found beside the database: it must lie in the data area.
    files::CheckInsideDataArea(area, path, "soundings database");
    Progress(reporter, "SoundingS file= " + name, "So443");
    if (!reporter.TraceOpenForReading(file, path, "Openning SoundingS file")) {
        throw tools::DataError(
            "MG332", "problem opening; " + path + " {is is open?} (" + file.WhyNotOpened() + ")");
    }
    return path;
}

void ReadSoundingsHeader(reporting::Reporter& reporter, reporting::TracedInput& file,
                         SoundingsHeader& header) {
    Progress(reporter, "reading CPT soundings Header ", "RE823");
    std::string line;
    reporter.TraceLineInput(file, line, file.path(), "hog header");
    header.cells = tools::SplitLine(line, tools::SplitOptions{}, kMaxSoundingFields);
    header.count = static_cast<std::int16_t>(header.cells.size());
    for (std::size_t k = 0; k < header.cells.size(); ++k) {
        const tools::ColumnIdResult cell = tools::ColumnIdOf(header.cells[k]);
        if (cell.id == "ENDOFLIST") {
            header.cells[k].clear();
            break;  // the cells after the end of the list stay as read
        }
        if (cell.bad) {
            throw tools::DataError("DX834", std::string(kSoundingsPurpose) + ", header column " +
                                                std::to_string(k + 1) +
                                                " has a `{` without its `}`: " + header.cells[k]);
        }
        header.cells[k] = cell.id;
    }
}

int CountSoundingRows(const std::string& path, const SoundingsHeader& header) {
    const std::string purpose = kSoundingsPurpose;
    platform::TextInput file;
    if (!file.Open(path)) {
        throw tools::DataError("MG332", "problem opening; " + path + " {is is open?} (" +
                                            platform::ReasonNotReadable(path, file.errorNumber()) +
                                            ")");
    }
    std::string line;
    if (!file.ReadLine(line)) {
        throw tools::DataError("DX838", purpose + ", the soundings database is empty: " + path);
    }
    std::size_t nameField = header.cells.size();
    for (std::size_t k = 0; k < header.cells.size(); ++k) {
        const SoundingColumn* column =
            FindSoundingColumn(tools::UpperCopy(tools::Trim(header.cells[k])));
        if (column != nullptr && column->number == 1) {
            nameField = k;
            break;
        }
    }
    if (nameField == header.cells.size()) {
        throw tools::DataError("DX837", purpose +
                                            ", the header row names no {SOUNDING_NAME} column; "
                                            "was the header cut off? " +
                                            path);
    }

    tools::SplitOptions blanksSeparate;
    blanksSeparate.blanksSeparate = true;
    // The file's line number of each sounding name met, by the name in upper case.
    std::map<std::string, int> rowOfName;
    int rows = 0;
    while (file.ReadLine(line)) {
        ++rows;
        const int lineNumber = rows + 1;
        const std::vector<std::string> fields =
            tools::SplitLine(line, blanksSeparate, kSoundingRowCapacity);
        if (fields.size() <= nameField) {
            continue;  // the row reader reports a row without a name
        }
        SoundingRecord record;
        AssignSoundingColumn(record, header.cells[nameField], fields[nameField]);
        const std::string key = tools::UpperCopy(tools::Trim(record.soundingName));
        if (key.empty()) {
            continue;
        }
        const auto [earlier, first] = rowOfName.emplace(key, lineNumber);
        if (!first) {
            throw tools::DataError("DX839", purpose + ", sounding " + record.soundingName +
                                                " is listed twice: lines " +
                                                std::to_string(earlier->second) + " and " +
                                                std::to_string(lineNumber) + " of " + path +
                                                "; each sounding has one row");
        }
    }
    if (rows == 0) {
        throw tools::DataError("DX838",
                               purpose + ", no sounding rows after the header row of " + path);
    }
    return rows;
}

bool ReadSoundingRow(reporting::Reporter& reporter, reporting::TracedInput& file,
                     const SoundingsHeader& header, SoundingRecord& record) {
    Progress(reporter, "Reading ONE line (next sounding) from the SoundingS*.cvs file ", "RL123");
    if (file.AtEnd()) {
        return false;
    }
    std::string line;
    reporter.TraceLineInput(file, line, file.path(), "hog reading oneline");
    tools::SplitOptions blanksSeparate;
    blanksSeparate.blanksSeparate = true;
    const std::vector<std::string> fields =
        tools::SplitLine(line, blanksSeparate, kSoundingRowCapacity);
    if (fields.empty()) {
        throw tools::DataError("RL124", std::string(kSoundingsPurpose) +
                                            ", blank line not allowed among the sounding rows");
    }
    if (fields.size() > kMaxSoundingFields) {
        throw tools::DataError("RL189", std::string(kSoundingsPurpose) + ", a sounding row has " +
                                            std::to_string(fields.size()) + " fields, at most " +
                                            std::to_string(kMaxSoundingFields) + " are allowed");
    }
    // Every row starts from the null marker: a sounding never inherits another's values.
    record = SoundingRecord{};
    for (std::size_t k = 0; k < fields.size() && k < header.cells.size(); ++k) {
        AssignSoundingColumn(record, header.cells[k], fields[k]);
    }
    // The sounding's name and its unit-weight file name become file names in the project.
    const std::string where =
        platform::ToRealPath(file.path()).string() + " line " + std::to_string(file.LinesRead());
    files::CheckDataName(record.soundingName, "sounding name", where);
    const std::string_view uwtFile = tools::Trim(record.uwtFileName);
    if (!uwtFile.empty() && uwtFile != tools::kNullText) {
        files::CheckDataName(uwtFile, "unit-weight file name", where);
    }
    return true;
}

}  // namespace kavo::projects
