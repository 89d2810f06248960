// Fuzz target: the project list Projects/Kavo_ProjectS---List.csv, read as the first stage of
// a run reads it: every row, the window's project choices, then the selected project's row.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_data_area.h"
#include "projects/project_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("Projects/Kavo_ProjectS---List.csv", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    files::DataArea area = dataArea.area();
    projects::ProjectList list;
    std::string selectedProject = fuzzing::kProjectName;
    const projects::ProjectContext context{reporting.reporter, area, reporting.window, list,
                                           selectedProject};
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        projects::ResetProjectRecord(list.record, area.projectName);
        projects::ListProjectFolders(context);
        projects::ReadProjectList(context, "");
        projects::FillProjectChoices(context);
        projects::SelectProject(context, fuzzing::kProjectName);
    });
    return 0;
}
