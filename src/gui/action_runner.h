// The worker of kavo-gui: runs the window's actions on the program, off the window's thread,
// one at a time, and says when each has finished and with what status.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <string>

#include "plots/page_model.h"
#include "plots/sounding_profile.h"
#include "run/program.h"

namespace kavo::gui {

enum class Action {
    Load,             // the window's load: general setups, then the first batch run
    Run,              // "Make Q1o output files and the zero offset file"
    ExportCharts,     // "Generate SLD truckcaded files (SLDp) for external plotting"
    FirstUse,         // "Prepare Kavo.exe for the FIRST USE"
    EquationTest,     // "Equation test"
    NewProjectClick,  // "Make New Project" pressed: the new-project window asks for a name
    MakeNewProject,   // the name typed in the new-project window
    Pictures,         // the pages of one sounding of the last run, for the pictures view
};

// A sounding's pages as data: its per-depth values, its sounding page and one page per chart.
struct PicturesData {
    QString sounding;
    plots::SoundingProfile profile;
    plots::SoundingPageModel soundingPage;
    std::vector<plots::ChartPageModel> chartPages;
};

// Where the results of the last action are, for the views: the real paths of the files.
struct ResultFiles {
    QStringList soundings;  // the soundings that have an output table, in name order
    QStringList q1oTables;  // the output table of each sounding, in the same order
    QString project;
    QString zeroLoadFile;
    QString zeroLoadCsv;  // its CSV twin
    QString tasksLog;
    QString inputTrace;
};

class ActionRunner : public QObject {
    Q_OBJECT
  public:
    // `installationSource` is the first use's source; empty for the example data area
    // installed with the program.
    ActionRunner(run::Program& program, std::string installationSource);

  public slots:
    // Runs one action to its end; emits finished with its exit status.
    void Perform(kavo::gui::Action action, const QString& argument);

  signals:
    void finished(kavo::gui::Action action, int status, const kavo::gui::ResultFiles& files);
    // The pages of the pictures action, or why they could not be made. Emitted before
    // finished.
    void picturesReady(const kavo::gui::PicturesData& pictures);
    void picturesFailed(const QString& why);

  private:
    ResultFiles CollectResultFiles() const;
    void MakePictures(const std::string& sounding);

    run::Program& program_;
    std::string installationSource_;
};

}  // namespace kavo::gui

Q_DECLARE_METATYPE(kavo::gui::Action)
Q_DECLARE_METATYPE(kavo::gui::ResultFiles)
Q_DECLARE_METATYPE(kavo::gui::PicturesData)
