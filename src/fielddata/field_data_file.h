// Reading a sounding's Hogentogler field data file from the project's soundings folder: its
// 23 header rows into the FieldHeader and its depth rows into the SoundingReadings.
#pragma once

#include <string>
#include <string_view>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"
#include "files/paths.h"
#include "reporting/reporter.h"

namespace kavo::fielddata {

inline constexpr int kHeaderRowCount = 23;

// An open field data file and the number of the last line read from it.
struct FieldFile {
    reporting::TracedInput input;
    std::string soundingName;
    std::string fileName;  // the sounding name followed by ".CPT"
    int lineNumber = 0;

    // "KV-01.CPT line 18", for messages.
    std::string Where() const;
};

// Opens PathFor("SOUNDINGS") + soundingName + ".CPT" through the input-lines trace. Throws
// DataError "HF404" when the file does not exist and "HF405" when it cannot be opened.
void OpenFieldDataFile(reporting::Reporter& reporter, const files::DataArea& area,
                       std::string_view soundingName, FieldFile& file);

// Reads the 23 header rows. Throws DataError "H4334" when row 1 lacks "HOGENTOGLER",
// "HF407" when the file ends within the header, and the errors of the row parsers.
void ReadFieldHeader(reporting::Reporter& reporter, FieldFile& file, FieldHeader& header);

// Reads the depth rows after the header into `readings` (which should be empty), sets the
// header's readingCount, endStatus and each channel's zeroAfter.
void ReadDepthData(reporting::Reporter& reporter, FieldFile& file, FieldHeader& header,
                   SoundingReadings& readings);

// The whole field data file of one sounding: resets the header and the readings, opens the
// file, reads the header and the depth rows, and closes it.
void ReadFieldDataFile(reporting::Reporter& reporter, const files::DataArea& area,
                       std::string_view soundingName, FieldHeader& header,
                       SoundingReadings& readings);

}  // namespace kavo::fielddata
