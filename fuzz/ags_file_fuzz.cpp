// Fuzz target: an AGS4 file in the soundings folder. Its tests are listed as add-soundings
// lists them, then each is found and read as the batch run finds and reads a sounding named
// LOCA_ID#SCPG_TESN or LOCA_ID; and one name the file does not hold is looked for too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fielddata/field_data_file.h"
#include "fielddata/field_file_finder.h"
#include "fuzz_data_area.h"

namespace {

// Enough tests to reach every path of the reader; a file of thousands of one-row tests would
// otherwise make each input slow.
constexpr std::size_t kTestsRead = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("Projects/ExampleOne/Soundings/FZ.ags", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    std::vector<std::string> names;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        for (const fielddata::FolderSounding& sounding :
             fielddata::ListFolderSoundings(dataArea.area())) {
            names.push_back(sounding.soundingName);
        }
    });
    if (names.size() > kTestsRead) {
        names.resize(kTestsRead);
    }
    names.push_back("NOT-THERE#CPT01");
    for (const std::string& name : names) {
        fuzzing::FuzzReporting perTest;
        fuzzing::ReadAsTheProgramDoes(perTest.reporter, [&] {
            fielddata::FieldHeader header;
            fielddata::SoundingReadings readings;
            fielddata::ReadFieldDataFile(perTest.reporter, dataArea.area(), name, header, readings);
        });
    }
    return 0;
}
