// kavo-gui: Kavo's main window. It loads like the original window (start-up, then the first
// batch run) and takes the actions and options on screen.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "app/version_info.h"
#include "files/paths.h"
#include "gui/gui_program.h"
#include "run/action.h"

namespace {

using namespace kavo;

// Without a display the window is drawn off screen, so --screenshot works anywhere.
void ChooseOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

QString VersionText() {
    return QString("%1.%2.%3")
        .arg(app::kVersionMajor)
        .arg(app::kVersionMinor)
        .arg(app::kVersionRevision);
}

}  // namespace

int main(int argc, char** argv) {
    ChooseOffscreenWithoutDisplay();
    QApplication application(argc, argv);
    QApplication::setApplicationName("kavo-gui");
    QApplication::setApplicationVersion(VersionText());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Kavo's main window: batch processing of cone penetration test (CPT) soundings. It "
        "loads like the kavo command's run (start-up, then the first batch run) and keeps "
        "every action and option on screen.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataRoot(
        "data-root", "The data area (default: $KAVO_DATA_ROOT, else ~/Kavo).", "DIR");
    const QCommandLineOption screenshot(
        "screenshot", "Write a picture of the window after its load to FILE (PNG) and exit.",
        "FILE");
    const QCommandLineOption source(
        "source",
        "The installation source of \"Prepare Kavo.exe for the FIRST USE\" (default: the "
        "example data area installed with the program).",
        "DIR");
    parser.addOptions({dataRoot, screenshot, source});
    parser.process(application);
    if (!parser.positionalArguments().isEmpty()) {
        std::cerr << "kavo-gui: unexpected argument "
                  << parser.positionalArguments().front().toStdString() << "\n";
        return run::kExitUsage;
    }

    platform::SystemClock clock;
    platform::SystemEnvironment environment;
    std::optional<std::string> root;
    if (parser.isSet(dataRoot)) {
        root = parser.value(dataRoot).toStdString();
    }
    platform::ProgramInfo info{
        app::kVersionMajor,    app::kVersionMinor,
        app::kVersionRevision, app::kCompany,
        app::kVersionComment,  QApplication::applicationFilePath().toStdString()};
    gui::GuiProgram program(clock, environment, info, files::ChooseDataAreaRoot(root, environment),
                            parser.value(source).toStdString());
    gui::MainWindow& window = program.mainWindow();
    QObject::connect(&window, &gui::MainWindow::programEnded, &application,
                     [](int status) { QApplication::exit(status); });

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QObject::connect(&window, &gui::MainWindow::actionFinished, &application,
                         [&window, file](gui::Action action, int status) {
                             if (action != gui::Action::Load) {
                                 return;
                             }
                             if (!window.grab().save(file, "PNG")) {
                                 std::cerr << "kavo-gui: can't write the picture "
                                           << file.toStdString() << "\n";
                                 QApplication::exit(run::kExitUsage);
                                 return;
                             }
                             QApplication::exit(status);
                         });
    }
    window.Load();
    return QApplication::exec();
}
