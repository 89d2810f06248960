// Fuzz target: a sounding's GEF file, found in the soundings folder and read as the batch run
// reads it for each sounding.
#include <cstddef>
#include <cstdint>

#include "fuzz_data_area.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kavo::fuzzing::ReadSoundingFile("FZ-01.GEF", kavo::fuzzing::AsText(data, size));
    return 0;
}
