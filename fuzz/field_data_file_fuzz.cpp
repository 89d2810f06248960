// Fuzz target: a sounding's field data file, its header rows and its depth rows, read as the
// batch run reads it for each sounding.
#include <cstddef>
#include <cstdint>

#include "fuzz_data_area.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kavo::fuzzing::ReadSoundingFile("FZ-01.CPT", kavo::fuzzing::AsText(data, size));
    return 0;
}
