// Reading a sounding's field data file from the project's soundings folder into the
// FieldHeader and the SoundingReadings: the Hogentogler file's 23 header rows and depth rows
// here, the exchange formats by their readers.
#pragma once

#include <string>
#include <string_view>

#include "fielddata/depth_readings.h"
#include "fielddata/field_file_finder.h"
#include "fielddata/field_header.h"
#include "files/paths.h"
#include "reporting/reporter.h"

namespace kavo::fielddata {

inline constexpr int kHeaderRowCount = 23;

// An open field data file and the number of the last line read from it.
struct FieldFile {
    reporting::TracedInput input;
    std::string soundingName;
    std::string fileName;  // the file's name on disk, such as "KV-01.CPT"
    int lineNumber = 0;

    // "KV-01.CPT line 18", for messages.
    std::string Where() const;
};

// Opens the file found for the sounding through the input-lines trace. Throws DataError
// "HF405" when it cannot be opened.
void OpenFieldDataFile(reporting::Reporter& reporter, const FieldFileChoice& choice,
                       std::string_view soundingName, FieldFile& file);

// Reads the 23 header rows. Throws DataError "H4334" when row 1 lacks "HOGENTOGLER",
// "HF407" when the file ends within the header, and the errors of the row parsers.
void ReadFieldHeader(reporting::Reporter& reporter, FieldFile& file, FieldHeader& header);

// Reads the depth rows after the header into `readings` (which should be empty), sets the
// header's readingCount, endStatus and each channel's zeroAfter.
void ReadDepthData(reporting::Reporter& reporter, FieldFile& file, FieldHeader& header,
                   SoundingReadings& readings);

// The whole field data file of one sounding: resets the header and the readings, finds the
// file (FindFieldFile), opens it, reads it by its format, and closes it.
void ReadFieldDataFile(reporting::Reporter& reporter, const files::DataArea& area,
                       std::string_view soundingName, FieldHeader& header,
                       SoundingReadings& readings);

}  // namespace kavo::fielddata
