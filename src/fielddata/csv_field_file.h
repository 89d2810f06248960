// Reading Kavo's plain CSV field file: one header row of quantity names with their units in
// brackets ("depth [m], qc [MPa], fs [kPa], u2 [kPa]"), then one row of numbers per depth.
#pragma once

#include <string_view>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"
#include "reporting/reporter.h"

namespace kavo::fielddata {

// Reads the open CSV file `fileName` (already opened through the trace) to its end. Throws
// DataError CSV101 (no header row), CSV102 (a header cell that names no quantity, or names one
// twice), CSV103 (no depth, qc or fs column), CSV104 (a row with too few or too many cells),
// CSV105 (a cell that is neither a number nor empty), CSV106 (a unit Kavo cannot convert),
// CSV107 (depths that go up), each naming the file and line.
void ReadCsvFieldFile(reporting::Reporter& reporter, reporting::TracedInput& file,
                      std::string_view fileName, FieldHeader& header, SoundingReadings& readings);

}  // namespace kavo::fielddata
