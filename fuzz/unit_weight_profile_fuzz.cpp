// Fuzz target: a unit-weight profile file of the project folder, read as a sounding that
// names it reads it, and interpolated at depths along and beyond it.
#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz_data_area.h"
#include "normalization/unit_weight_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("Projects/ExampleOne/FZ_UWT.csv", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        normalization::UnitWeightProfile profile;
        normalization::ReadUnitWeightProfile(profile, "FZ_UWT.csv", dataArea.area(),
                                             reporting.reporter);
        constexpr std::array<float, 6> kDepths{-1.0f, 0.0f, 1.0f, 10.0f, 100.0f, 1000.0f};
        for (float depth : kDepths) {
            normalization::ProfileUnitWeightAt(profile, depth);
        }
    });
    return 0;
}
