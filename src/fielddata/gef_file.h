// Reading a GEF 1.x CPT report: the header lines up to #EOH and the data rows, into the
// same header and readings a Hogentogler file gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"
#include "reporting/reporter.h"

namespace kavo::fielddata {

// One header line "#KEY= v1, v2, ...": the key upper-cased, the values trimmed. `found` is
// false for a line that is not a header line.
struct GefHeaderLine {
    std::string key;
    std::vector<std::string> values;
    bool found = false;
};
GefHeaderLine ParseGefHeaderLine(std::string_view line);

// Reads the open GEF file `fileName` (already opened through the trace) to its end. Throws
// DataError GEF101 (no #EOH), GEF102 (a #COLUMNINFO or #COLUMNVOID without its numbers),
// GEF103 (no depth column), GEF104 (a row with too few cells), GEF105 (a cell that is neither
// a number nor the column's void), GEF106 (a unit Kavo cannot convert), GEF107 (depths that
// go up), each naming the file and line.
void ReadGefFile(reporting::Reporter& reporter, reporting::TracedInput& file,
                 std::string_view fileName, FieldHeader& header, SoundingReadings& readings);

}  // namespace kavo::fielddata
