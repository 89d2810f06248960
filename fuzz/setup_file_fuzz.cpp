// Fuzz target: the setup file software/Kavo-Setup.txt, read as at the start of every run; a
// file that reads cleanly is written back and must read back to the same values.
#include <cstddef>
#include <cstdint>

#include "fuzz_data_area.h"
#include "setup/setup_file.h"

namespace {

bool SameValues(const kavo::setup::SetupValues& a, const kavo::setup::SetupValues& b) {
    return a.lastUnits == b.lastUnits && a.lastUser == b.lastUser &&
           a.lastProject == b.lastProject && a.lastEquipment == b.lastEquipment &&
           a.lastError == b.lastError;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("software/Kavo-Setup.txt", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    files::DataArea area = dataArea.area();
    setup::SetupValues values;
    bool read = false;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        setup::ReadSetupFile(reporting.reporter, area, values);
        read = true;
    });
    if (!read) {
        return 0;
    }
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        setup::WriteSetupFile(reporting.reporter, area, values);
        setup::SetupValues again;
        files::DataArea areaAgain = dataArea.area();
        setup::ReadSetupFile(reporting.reporter, areaAgain, again);
        if (!SameValues(values, again)) {
            __builtin_trap();  // what the program wrote does not read back as it was
        }
    });
    return 0;
}
