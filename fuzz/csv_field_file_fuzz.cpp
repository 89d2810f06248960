// Fuzz target: a sounding's plain CSV field file, found in the soundings folder and read as
// the batch run reads it for each sounding.
#include <cstddef>
#include <cstdint>

#include "fuzz_data_area.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kavo::fuzzing::ReadSoundingFile("FZ-01.CSV", kavo::fuzzing::AsText(data, size));
    return 0;
}
