// Fuzz target: a sounding's GEF file, found in the soundings folder and read as the batch run
// reads it for each sounding.
#include <cstddef>
#include <cstdint>

#include "fielddata/field_data_file.h"
#include "fuzz_data_area.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("Projects/ExampleOne/Soundings/FZ-01.GEF", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        fielddata::FieldHeader header;
        fielddata::SoundingReadings readings;
        fielddata::ReadFieldDataFile(reporting.reporter, dataArea.area(), "FZ-01", header,
                                     readings);
    });
    return 0;
}
