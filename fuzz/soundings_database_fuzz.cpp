// Fuzz target: a project's soundings database, its header row and every sounding row, read
// as the batch run reads them.
#include <cstddef>
#include <cstdint>

#include "fuzz_data_area.h"
#include "projects/soundings_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv",
                   fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        reporting::TracedInput database;
        projects::SoundingsHeader header;
        projects::SoundingRecord record;
        projects::OpenSoundingsDatabase(reporting.reporter, dataArea.area(), database, header,
                                        record);
        projects::ReadSoundingsHeader(reporting.reporter, database, header);
        while (projects::ReadSoundingRow(reporting.reporter, database, header, record)) {
        }
    });
    return 0;
}
