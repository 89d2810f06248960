// kavo-gui put together: the program over the graphical window, the worker thread that runs
// its actions, and the main window. Used by kavo-gui and by the window tests.
#pragma once

#include <QThread>
#include <memory>
#include <string>

#include "gui/action_runner.h"
#include "gui/gui_window.h"
#include "gui/main_window.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "run/program.h"

namespace kavo::gui {

class GuiProgram {
  public:
    // `configuredRoot` is the data area the forcing option chooses; `installationSource` the
    // first use's source (empty: the example data area installed with the program).
    GuiProgram(const platform::Clock& clock, const platform::Environment& environment,
               platform::ProgramInfo info, std::string configuredRoot,
               std::string installationSource = {});
    GuiProgram(const GuiProgram&) = delete;
    GuiProgram& operator=(const GuiProgram&) = delete;
    // Waits for the action under way, if any, and ends the worker.
    ~GuiProgram();

    MainWindow& mainWindow() { return *mainWindow_; }
    run::Program& program() { return program_; }

  private:
    GuiWindow window_;
    run::Program program_;
    ActionRunner runner_;
    QThread worker_;
    std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace kavo::gui
