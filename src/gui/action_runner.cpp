// The window's actions, run on the worker thread through the same entry points as the
// kavo command and its shell.
#include "gui/action_runner.h"

#include "files/paths.h"
#include "output/q1o_reader.h"
#include "output/q1o_table.h"
#include "platform/file_system.h"
#include "plots/plot_run.h"
#include "run/action.h"
#include "run/chart_export_action.h"
#include "run/main_routine.h"
#include "run/window_actions.h"
#include "tools/errors.h"
#include "zeroload/zero_load_file.h"

namespace kavo::gui {
namespace {

QString RealPath(const std::string& systemPath) {
    return QString::fromStdString(platform::ToRealPath(systemPath).string());
}

}  // namespace

ActionRunner::ActionRunner(run::Program& program, std::string installationSource)
    : program_(program), installationSource_(std::move(installationSource)) {
    qRegisterMetaType<Action>();
    qRegisterMetaType<ResultFiles>();
    qRegisterMetaType<PicturesData>();
}

// The pictures read the finished run again; what they cannot read is shown in their view
// and ends nothing: looking at results is not processing.
void ActionRunner::MakePictures(const std::string& sounding) {
    try {
        plots::FinishedRun run(program_, {sounding});
        PicturesData pictures;
        pictures.sounding = QString::fromStdString(sounding);
        pictures.profile = run.Profile(0);
        pictures.soundingPage = plots::BuildSoundingPage(pictures.profile);
        for (std::int16_t slot = 1; slot <= run.charts().count; ++slot) {
            pictures.chartPages.push_back(
                plots::BuildChartPage(run.charts().Slot(slot), pictures.profile));
        }
        emit picturesReady(pictures);
    } catch (const tools::DataError& error) {
        emit picturesFailed(QString::fromStdString(error.code() + ": " + error.description()));
    }
}

void ActionRunner::Perform(Action action, const QString& argument) {
    const std::string text = argument.toStdString();
    if (action == Action::Pictures) {
        const int status = run::RunAction(program_, [&] { MakePictures(text); });
        emit finished(action, status, CollectResultFiles());
        return;
    }
    const int status = run::RunAction(program_, [&] {
        switch (action) {
            case Action::Load:
                run::LoadMainWindow(program_);
                break;
            case Action::Run:
                run::MainRoutine(program_);
                break;
            case Action::ExportCharts:
                run::ExportChartsAction(program_);
                break;
            case Action::FirstUse:
                if (program_.dataArea.root.empty()) {
                    run::PrepareDataArea(program_);  // the first use before any load
                }
                run::FirstUseAction(program_,
                                    run::InstallationSourceFor(program_, installationSource_));
                break;
            case Action::EquationTest:
                run::EquationTestAction(program_);
                break;
            case Action::NewProjectClick:
                run::NewProjectClick(program_);
                break;
            case Action::MakeNewProject:
                run::MakeNewProjectAction(program_, text);
                break;
            case Action::Pictures:
                break;  // made above, outside the program's end on a data error
        }
    });
    emit finished(action, status, CollectResultFiles());
}

ResultFiles ActionRunner::CollectResultFiles() const {
    ResultFiles files;
    const files::DataArea& area = program_.dataArea;
    if (area.root.empty()) {
        return files;  // the load ended before the data area was chosen
    }
    for (const std::string& name : output::SoundingsWithTables(area)) {
        files.soundings.push_back(QString::fromStdString(name));
        files.q1oTables.push_back(RealPath(output::Q1oFileName(area, name)));
    }
    files.project = QString::fromStdString(area.projectName);
    files.zeroLoadFile = RealPath(zeroload::ZeroLoadFileName(area));
    files.zeroLoadCsv = RealPath(zeroload::ZeroLoadCsvFileName(area));
    files.tasksLog = RealPath(run::TasksLogPath(program_));
    files.inputTrace = RealPath(run::TraceFilePath(program_));
    return files;
}

}  // namespace kavo::gui
