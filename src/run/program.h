// The program-wide state in one object: what lives for the program (reporting, data area,
// version and computer name) and the tables that every run rebuilds.
#pragma once

#include <string>

#include "files/paths.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/window.h"
#include "reporting/reporter.h"

namespace kavo::run {

// Everything a batch run rebuilds; a run starts from a fresh RunTables{}.
struct RunTables {};

class Program {
  public:
    Program(platform::Window& window, const platform::Clock& clock,
            const platform::Environment& environment, platform::ProgramInfo info)
        : window(window),
          clock(clock),
          environment(environment),
          info(std::move(info)),
          reporter(window, fileNumbers) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::Window& window;
    const platform::Clock& clock;
    const platform::Environment& environment;
    platform::ProgramInfo info;

    platform::FileNumbers fileNumbers;
    reporting::Reporter reporter;
    files::DataArea dataArea;
    std::string versionText;
    std::string computerName;

    RunTables tables;
};

}  // namespace kavo::run
