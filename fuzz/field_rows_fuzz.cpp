// Fuzz target: the depth rows of a field data file behind a fixed, valid header of five
// channels, so that every input reaches the reading of depths, counts, markers and end rows.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fielddata/field_data_file.h"
#include "fuzz_data_area.h"

namespace {

// The 23 header rows of tests/data/fielddata/normal.CPT.
constexpr const char* kHeader =
    "HOGENTOGLER & CO., INC.  CPT DATA FILE\r\n"
    "terracon consultants\r\n"
    "J. SMITH\r\n"
    "HT-15T-0412\r\n"
    "Test sounding for the reader\r\n"
    "TRUCK 2\r\n"
    "T-01\r\n"
    "7/10/2017 3:05:09 PM\r\n"
    "15 cm2 piezocone, u2 filter\r\n"
    "\r\n"
    "\r\n"
    "$GPGGA,184353.07,3723.2475,N,12158.3416,W,1,04,2.6,100.00,M,-33.9,M,,0000*6D\r\n"
    "WT 8.0 ft\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "Depth (m)          Tip                 Friction            U2                  X Incl         "
    "     Y Incl              \r\n"
    "Divisions          5000                1000                1000                100            "
    "     100                 \r\n"
    "Zero               100                 200                 50                  10             "
    "     12                  \r\n"
    "Full scale         500 TSF             10 TSF              1000 PSI            20 DEG         "
    "     20 DEG              \r\n"
    "                   TSF                 TSF                 PSI                 DEG            "
    "     DEG                 \r\n"
    "                   #1                  #2                  #3                  #4             "
    "     #5                  \r\n"
    "Depth(m)   Speed   Data\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("Projects/ExampleOne/Soundings/FZ-02.CPT",
                   std::string(kHeader) + std::string(fuzzing::AsText(data, size)));
    fuzzing::FuzzReporting reporting;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        fielddata::FieldHeader header;
        fielddata::SoundingReadings readings;
        fielddata::ReadFieldDataFile(reporting.reporter, dataArea.area(), "FZ-02", header,
                                     readings);
    });
    return 0;
}
