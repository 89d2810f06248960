// Fuzz target: a field data file through a whole batch run of the example data area, so that
// every reading reaches the normalisation, the predicted columns, the output table and the
// zero-load summary.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_data_area.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "run/action.h"
#include "run/main_routine.h"
#include "run/program.h"
#include "setup/run_settings.h"

namespace {

namespace fs = std::filesystem;

// The example data area, its soundings database cut to the first sounding, KV-01.
void PrepareDataArea(const std::string& root) {
    fs::copy(fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo", root,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const fs::path database = fs::path(root) / "Projects" / kavo::fuzzing::kProjectName /
                              "Kavo_SoundingS---ExampleOne.csv";
    std::ifstream in(database, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::size_t end = text.find('\n');
    end = text.find('\n', end + 1);
    std::ofstream(database, std::ios::binary | std::ios::trunc) << text.substr(0, end + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    static const bool prepared = (PrepareDataArea(dataArea.area().root), true);
    (void)prepared;
    dataArea.Write("Projects/ExampleOne/Soundings/KV-01.CPT", fuzzing::AsText(data, size));

    fuzzing::SilentWindow window;
    const platform::FixedClock clock;
    const platform::MapEnvironment environment;
    run::Program program(window, clock, environment,
                         platform::ProgramInfo{1, 0, 0, "Kavo fuzz", "fuzz", "/opt/kavo/bin/kavo"});
    program.configuredRoot = dataArea.area().root;
    setup::SetStartUpValues(window);
    if (run::RunAction(program, [&program] { run::LoadMainWindow(program); }) ==
        run::kExitProgrammingError) {
        __builtin_trap();  // an exception that is not a data error reached the top
    }
    return 0;
}
