// Reading one CPT test of an AGS4 file: LOCA gives the position and ground level, SCPG the
// test (cone, net area ratio, date) and SCPT its readings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"
#include "reporting/reporter.h"

namespace kavo::fielddata {

// A CPT test of an AGS4 file: its location (LOCA_ID) and test (SCPG_TESN).
struct AgsTestId {
    std::string location;
    std::string test;

    // "LOCA_ID#SCPG_TESN", the test's name in the soundings database.
    std::string SoundingName() const { return location + "#" + test; }
    bool operator==(const AgsTestId&) const = default;
};

// The cells of one AGS4 row, quotes removed. Throws DataError AGS110, naming `where`, for a
// quote that is not closed.
std::vector<std::string> SplitAgsRow(std::string_view line, std::string_view where);

// Every test (SCPG data row) of the AGS4 file at `systemPath`, in file order. Read to find
// a sounding's file, so not through the trace. Throws the row errors of ReadAgsTest.
std::vector<AgsTestId> ListAgsTests(std::string_view systemPath, std::string_view fileName);

// Reads the test `test` of the open AGS4 file `fileName` (opened through the trace). Throws
// DataError AGS101 (a DATA row whose cell count differs from its HEADING), AGS102 (a row
// before its GROUP or HEADING, or of an unknown kind), AGS103 (no SCPT_DPTH heading), AGS104
// (a cell that is neither a number nor empty), AGS105 (a unit Kavo cannot convert), AGS106
// (depths that go up), AGS108 (the test has no SCPG row or no readings), each naming the file
// and line.
void ReadAgsTest(reporting::Reporter& reporter, reporting::TracedInput& file,
                 std::string_view fileName, const AgsTestId& test, FieldHeader& header,
                 SoundingReadings& readings);

}  // namespace kavo::fielddata
