// kavo-gui put together.
#include "gui/gui_program.h"

#include <QApplication>
#include <QFont>

#include "setup/run_settings.h"

namespace kavo::gui {

GuiProgram::GuiProgram(const platform::Clock& clock, const platform::Environment& environment,
                       platform::ProgramInfo info, std::string configuredRoot,
                       std::string installationSource)
    : program_(window_, clock, environment, std::move(info)),
      runner_(program_, std::move(installationSource)) {
    // One look everywhere, with or without a desktop: the Fusion style and DejaVu Sans.
    QApplication::setStyle("Fusion");
    QApplication::setFont(QFont("DejaVu Sans", 9));
    program_.configuredRoot = std::move(configuredRoot);
    runner_.moveToThread(&worker_);
    worker_.setObjectName("kavo worker");
    worker_.start();
    mainWindow_ = std::make_unique<MainWindow>(program_, window_, runner_);
    // The window opens with its designed option values (before the load changes some).
    setup::SetStartUpValues(window_);
}

GuiProgram::~GuiProgram() {
    // A run still under way stops at its next sounding; the worker then ends.
    program_.stopRequested = true;
    worker_.quit();
    worker_.wait();
}

}  // namespace kavo::gui
