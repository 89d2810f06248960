// The main window of kavo-gui on Qt's offscreen platform: its load and run actions over a
// copy of the example data area, the error window, the new-project window, the views, and a
// window that keeps answering while a long run works.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gui/gui_program.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "run/action.h"
#include "setup/run_settings.h"

namespace {

using kavo::gui::Action;
using kavo::gui::GuiProgram;
using kavo::gui::MainWindow;
using kavo::platform::ProgressField;
namespace fs = std::filesystem;

constexpr int kRunTimeoutMs = 600000;  // generous: the suite also runs under the sanitizers

const fs::path kExampleArea = fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo";
const fs::path kSoundingsFolder = fs::path("Projects") / "ExampleOne" / "Soundings";
const fs::path kDatabase = fs::path("Projects") / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv";

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A copy of the example data area. With `soundings` given, the soundings database keeps only
// the rows of those soundings (the short ones keep a test quick).
fs::path CopyExampleArea(const QTemporaryDir& dir, const std::vector<std::string>& soundings = {}) {
    const fs::path root = fs::path(dir.path().toStdString()) / "Kavo";
    fs::copy(kExampleArea, root, fs::copy_options::recursive);
    if (!soundings.empty()) {
        const std::vector<std::string> rows = Lines(ReadText(root / kDatabase));
        std::string kept = rows.front() + "\n";
        for (const std::string& row : rows) {
            for (const std::string& name : soundings) {
                if (row.rfind(name + ",", 0) == 0) {
                    kept += row + "\n";
                }
            }
        }
        WriteText(root / kDatabase, kept);
    }
    return root;
}

// A data area whose project lists `count` soundings, each a copy of the short sounding KV-03.
fs::path ManySoundingsArea(const QTemporaryDir& dir, int count) {
    const fs::path root = CopyExampleArea(dir, {"KV-03"});
    const std::vector<std::string> rows = Lines(ReadText(root / kDatabase));
    std::string database = rows[0] + "\n";
    for (int i = 1; i <= count; ++i) {
        const std::string name = "R-" + std::to_string(100 + i);
        fs::copy_file(root / kSoundingsFolder / "KV-03.CPT",
                      root / kSoundingsFolder / (name + ".CPT"));
        database += name + rows[1].substr(rows[1].find(',')) + "\n";
    }
    WriteText(root / kDatabase, database);
    return root;
}

// With KAVO_GUI_PICTURES set to a folder, the tests leave pictures of the windows they open
// there, for looking at them.
void KeepPicture(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("KAVO_GUI_PICTURES");
    if (!folder.isEmpty()) {
        QVERIFY(widget.grab().save(folder + "/" + name + ".png"));
    }
}

std::unique_ptr<GuiProgram> MakeProgram(const kavo::platform::Clock& clock,
                                        const kavo::platform::Environment& environment,
                                        const fs::path& root) {
    kavo::platform::ProgramInfo info{8,
                                     1,
                                     4,
                                     "Kavo Project",
                                     "window test build",
                                     QCoreApplication::applicationFilePath().toStdString()};
    return std::make_unique<GuiProgram>(clock, environment, info, root.string(),
                                        kExampleArea.string());
}

// The statuses of the actions the window finished, in order.
struct FinishedActions {
    explicit FinishedActions(MainWindow& window) {
        QObject::connect(&window, &MainWindow::actionFinished, [this](Action action, int status) {
            actions.push_back(action);
            statuses.push_back(status);
        });
    }
    std::vector<Action> actions;
    std::vector<int> statuses;
};

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

int CountEnding(const std::vector<std::string>& names, const std::string& ending) {
    int count = 0;
    for (const std::string& name : names) {
        count += name.size() >= ending.size() &&
                 name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
    }
    return count;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadRunsTheFirstBatchAndShowsItsSummary();
    void runActionRunsAgainWithTheActionsDisabledMeanwhile();
    void badDataAreaShowsTheErrorWindowAndEndsTheProgram();
    void newProjectWindowMakesTheProject();
    void viewButtonsOpenTheirViewsForTheChosenSounding();
    void windowAnswersDuringALongRunAndStopsItAtASoundingBoundary();
    void missingDataAreaIsPreparedForTheFirstUseBeforeTheLoad();

  private:
    kavo::platform::SystemClock clock_;
    kavo::platform::MapEnvironment environment_;
};

void MainWindowTest::loadRunsTheFirstBatchAndShowsItsSummary() {
    QTemporaryDir dir;
    const fs::path root = CopyExampleArea(dir);
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);

    window.Load();
    QVERIFY(window.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!finished.actions.empty(), kRunTimeoutMs);
    QCOMPARE(finished.statuses.front(), static_cast<int>(kavo::run::kExitDone));

    QVERIFY(window.fieldText(ProgressField::MainRoutine).contains("Done"));
    QCOMPARE(window.fieldText(ProgressField::Sounding), QString("8 total Soundings"));
    QVERIFY(window.fieldText(ProgressField::Operations).contains(" total feet in "));
    QVERIFY(window.fieldText(ProgressField::Process).startsWith("Zero load data File"));
    QVERIFY(window.statusCode().isEmpty());
    QVERIFY(window.issueCounter().toInt() > 0);
    QCOMPARE(window.soundingList()->count(), 8);
    QVERIFY(!window.soundingList()->findItems("KV-01", Qt::MatchExactly).isEmpty());
    QVERIFY(fs::exists(root / kSoundingsFolder / "KV-05_Q1o.txt"));
    // The release configuration of the load: the file choice of the charts is disabled.
    QVERIFY(!window.findChild<QWidget*>("SLD_data_location_File_8opb")->isEnabled());
    QVERIFY(window.findChild<QCheckBox*>("Check_Before_Compling8chk")->isHidden());
    QVERIFY(window.findChild<QLabel*>("KavoVersion8lbl")->text() == "Kavo Version = 8.1.4");
}

void MainWindowTest::runActionRunsAgainWithTheActionsDisabledMeanwhile() {
    QTemporaryDir dir;
    const fs::path root = CopyExampleArea(dir, {"KV-01", "KV-03"});
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);
    window.Load();
    QTRY_VERIFY_WITH_TIMEOUT(!finished.actions.empty(), kRunTimeoutMs);
    const int firstRunIssues = window.issueCounter().toInt();
    QVERIFY(firstRunIssues > 0);

    // The CSV option as the user leaves it is what the run reads.
    auto* csv = window.findChild<QCheckBox*>(kavo::setup::control::kWriteCsv);
    QVERIFY(csv->isChecked());
    QVERIFY(fs::exists(root / kSoundingsFolder / "KV-03_Q1o.csv"));
    csv->setChecked(false);
    fs::remove(root / kSoundingsFolder / "KV-03_Q1o.csv");
    fs::remove(root / kSoundingsFolder / "KV-03_Q1o.txt");
    QTest::mouseClick(window.button("Run8cmd"), Qt::LeftButton);
    QVERIFY(window.busy());
    for (const char* action :
         {"Run8cmd", "ProjectS_New8cmb", "SLD_file_GenerateFileForPlotting8cmd",
          "PrepareKavoForFirstTime8cmd", "equation8btn"}) {
        QVERIFY2(!window.button(action)->isEnabled(), action);
    }
    // The stage board enables the actions before the sounding loop; while the worker runs
    // they stay disabled all the same.
    QTRY_VERIFY_WITH_TIMEOUT(window.fieldText(ProgressField::MainRoutine).contains("Sounding"),
                             kRunTimeoutMs);
    QVERIFY(window.busy());
    QVERIFY(!window.button("Run8cmd")->isEnabled());
    QVERIFY(window.button("ender8cmd")->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(finished.actions.size() == 2, kRunTimeoutMs);
    QCOMPARE(finished.actions.back(), Action::Run);
    QCOMPARE(finished.statuses.back(), static_cast<int>(kavo::run::kExitDone));
    QVERIFY(window.button("Run8cmd")->isEnabled());
    QVERIFY(fs::exists(root / kSoundingsFolder / "KV-03_Q1o.txt"));
    QVERIFY(!fs::exists(root / kSoundingsFolder / "KV-03_Q1o.csv"));
    // The zero-load CSV left by the load is older than this run's summary: not shown as if
    // it were this run's.
    QTest::mouseClick(window.findChild<QPushButton*>("viewZeroLoad8cmd"), Qt::LeftButton);
    QVERIFY2(window.zeroLoadView()->problem().contains("wrote no CSV copies"),
             qPrintable(window.zeroLoadView()->problem()));
    QCOMPARE(window.zeroLoadView()->table()->rowCount(), 0);
    QVERIFY(window.zeroLoadView()->driftPicture() == nullptr);
    QCOMPARE(window.fieldText(ProgressField::Sounding), QString("2 total Soundings"));
    // The same data gives the same issues again; the counter counts on from the load.
    QCOMPARE(window.issueCounter().toInt(), 2 * firstRunIssues);
    QTest::mouseClick(window.findChild<QPushButton*>("viewTasksAndIssues8cmd"), Qt::LeftButton);
    QVERIFY(
        window.tasksLogView()->summary().contains(QString::number(2 * firstRunIssues) + " issues"));
}

void MainWindowTest::badDataAreaShowsTheErrorWindowAndEndsTheProgram() {
    QTemporaryDir dir;
    const fs::path root = CopyExampleArea(dir, {"KV-01", "KV-02"});
    fs::remove(root / kSoundingsFolder / "KV-02.CPT");
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);
    QSignalSpy ended(&window, &MainWindow::programEnded);

    window.Load();
    QTRY_VERIFY_WITH_TIMEOUT(!finished.actions.empty(), kRunTimeoutMs);
    QCOMPARE(finished.statuses.front(), static_cast<int>(kavo::run::kExitDataError));
    kavo::gui::ErrorWindow* error = window.errorWindow();
    QVERIFY(error->isVisible());
    QCOMPARE(error->windowTitle(), QString("Error reporting"));
    QCOMPARE(error->code(), QString("HF404"));
    QVERIFY(error->description().contains("KV-02"));
    QVERIFY(!window.button("Run8cmd")->isEnabled());
    QCOMPARE(ended.count(), 0);
    KeepPicture(*error, "error_window");

    QTest::mouseClick(error->proceedButton(), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.front().front().toInt(), static_cast<int>(kavo::run::kExitDataError));
}

void MainWindowTest::newProjectWindowMakesTheProject() {
    QTemporaryDir dir;
    const fs::path root = CopyExampleArea(dir, {"KV-03"});
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);
    window.Load();
    QTRY_VERIFY_WITH_TIMEOUT(finished.actions.size() == 1, kRunTimeoutMs);

    QTest::mouseClick(window.button("ProjectS_New8cmb"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(finished.actions.size() == 2, kRunTimeoutMs);
    kavo::gui::NewProjectWindow* newProject = window.newProjectWindow();
    QVERIFY(newProject->isVisible());
    QCOMPARE(newProject->prompt()->text(), QString("Enter Project directory name:"));

    QTest::keyClicks(newProject->nameBox(), "Levee2");
    QTest::mouseClick(newProject->makeButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(finished.actions.size() == 3, kRunTimeoutMs);
    QCOMPARE(finished.actions.back(), Action::MakeNewProject);
    QCOMPARE(finished.statuses.back(), static_cast<int>(kavo::run::kExitDone));
    QVERIFY(fs::is_directory(root / "Projects" / "Levee2" / "Soundings"));
    QVERIFY(ReadText(root / "Projects" / "Kavo_ProjectS---List.csv").find("Levee2") !=
            std::string::npos);
    QCOMPARE(newProject->prompt()->text(), QString("New project = Levee2"));
    QVERIFY(newProject->prompt()->font().bold());
    QVERIFY(newProject->message().startsWith("Project name was placed into "));
    KeepPicture(*newProject, "new_project_window");
}

void MainWindowTest::viewButtonsOpenTheirViewsForTheChosenSounding() {
    QTemporaryDir dir;
    const fs::path root = CopyExampleArea(dir, {"KV-01", "KV-03"});
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);
    window.Load();
    QTRY_VERIFY_WITH_TIMEOUT(!finished.actions.empty(), kRunTimeoutMs);
    QCOMPARE(window.soundingList()->count(), 2);
    window.soundingList()->setCurrentRow(1);  // KV-03

    QTest::mouseClick(window.findChild<QPushButton*>("viewQ1oTable8cmd"), Qt::LeftButton);
    kavo::gui::Q1oTableView* table = window.q1oTableView();
    QVERIFY(table->isVisible());
    QVERIFY(table->windowTitle().endsWith("KV-03"));
    QVERIFY(table->problem().isEmpty());
    QTableWidget* cells = table->table();
    QCOMPARE(cells->horizontalHeaderItem(0)->text(), QString("Depth_ft\n(ft)"));
    QCOMPARE(cells->horizontalHeaderItem(1)->text(), QString("Qc_atm\n(atm)"));
    const std::string written = ReadText(root / kSoundingsFolder / "KV-03_Q1o.txt");
    const std::size_t dataStart = written.find("EOH\r\n") + 5;
    const std::vector<std::string> dataRows = Lines(written.substr(dataStart));
    QCOMPARE(cells->rowCount(), static_cast<int>(dataRows.size()));
    QCOMPARE(
        cells->item(0, 0)->text().toStdString(),
        dataRows[0].substr(0, dataRows[0].find(',')).substr(dataRows[0].find_first_not_of(' ')));
    int emptyCells = 0;
    for (int r = 0; r < cells->rowCount(); ++r) {
        for (int c = 0; c < cells->columnCount(); ++c) {
            QVERIFY(cells->item(r, c)->text() != "-5435");
            emptyCells += cells->item(r, c)->text().isEmpty();
        }
    }
    // Missing values are written as -5435 and shown as empty cells.
    int missingWritten = 0;
    for (std::size_t at = written.find("-5435", dataStart); at != std::string::npos;
         at = written.find("-5435", at + 1)) {
        ++missingWritten;
    }
    QVERIFY(missingWritten > 0);
    QCOMPARE(emptyCells, missingWritten);
    KeepPicture(*table, "q1o_table_view");

    // The pictures: the sounding page and one page per chart; the values under the mouse
    // are the table's values at that depth.
    QTest::mouseClick(window.findChild<QPushButton*>("viewPictures8cmd"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(finished.actions.size() == 2, kRunTimeoutMs);
    QCOMPARE(finished.statuses.back(), static_cast<int>(kavo::run::kExitDone));
    kavo::gui::PicturesView* pictures = window.picturesView();
    QVERIFY(pictures->isVisible());
    QVERIFY2(pictures->problem().isEmpty(), qPrintable(pictures->problem()));
    QVERIFY(pictures->pages()->count() > 1);
    QCOMPARE(pictures->pages()->tabText(0), QString("Sounding KV-03"));
    const int row = 20;
    const double depth = cells->item(row, 0)->text().toDouble();
    const QString values = pictures->ValuesAt(depth + 0.001);
    // The values under the mouse read as the table prints them.
    const auto shown = [&values](const QString& pattern) {
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(values);
        return match.hasMatch() ? match.captured(1) : QString();
    };
    QCOMPARE(shown("^Depth ([-0-9.]+) ft"), cells->item(row, 0)->text());
    QCOMPARE(shown("\nqc = ([-0-9.]+) atm"), cells->item(row, 1)->text());
    QCOMPARE(shown("\nQ = ([-0-9.]+)"), cells->item(row, 6)->text());
    KeepPicture(*pictures, "pictures_view");

    QTest::mouseClick(window.findChild<QPushButton*>("viewTasksAndIssues8cmd"), Qt::LeftButton);
    kavo::gui::TasksLogView* log = window.tasksLogView();
    QVERIFY(log->isVisible());
    QVERIFY(log->soundingFilter()->currentText().startsWith("KV-03"));
    QVERIFY(!log->shownText().isEmpty());
    QVERIFY(!log->shownText().contains("KV-01"));
    log->kindFilter()->setCurrentText("ISSUE");
    QVERIFY(log->windowTitle().contains("lines shown"));
    KeepPicture(*log, "tasks_log_view");

    QTest::mouseClick(window.findChild<QPushButton*>("viewZeroLoad8cmd"), Qt::LeftButton);
    kavo::gui::ZeroLoadView* zeroLoad = window.zeroLoadView();
    QVERIFY(zeroLoad->isVisible());
    QVERIFY(zeroLoad->problem().isEmpty());
    QCOMPARE(zeroLoad->table()->rowCount(), 2);
    QCOMPARE(zeroLoad->table()->columnCount(), 18);
    const auto selected = zeroLoad->table()->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(zeroLoad->table()->item(selected.front().row(), 1)->text(), QString("KV-03"));
    QCOMPARE(zeroLoad->table()->horizontalHeaderItem(3)->text(), QString("Qc_zClean_atm"));
    // The drift picture: each sounding's tip and sleeve zeros before and after.
    QCustomPlot* drift = zeroLoad->driftPicture();
    QVERIFY(drift != nullptr);
    QVERIFY(drift->isVisible());
    int driftPoints = 0;
    for (int g = 0; g < drift->graphCount(); ++g) {
        driftPoints += drift->graph(g)->dataCount();
    }
    QCOMPARE(driftPoints, 2 * 4);
    KeepPicture(*zeroLoad, "zero_load_view");

    QTest::mouseClick(window.findChild<QPushButton*>("viewInputLines8cmd"), Qt::LeftButton);
    kavo::gui::InputTraceView* trace = window.inputTraceView();
    QVERIFY(trace->isVisible());
    QCOMPARE(trace->filter()->text(), QString("KV-03"));
    const int kv03Rows = trace->shownRows();
    QVERIFY(kv03Rows > 300);  // the sounding's field file has 346 lines
    KeepPicture(*trace, "input_lines_view");
    trace->filter()->clear();
    QVERIFY(trace->shownRows() > kv03Rows);
}

void MainWindowTest::windowAnswersDuringALongRunAndStopsItAtASoundingBoundary() {
    QTemporaryDir dir;
    constexpr int kSoundings = 40;
    const fs::path root = ManySoundingsArea(dir, kSoundings);
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);
    QSignalSpy ended(&window, &MainWindow::programEnded);
    QString question;
    window.SetConfirm([&question](const QString& text) {
        question = text;
        return true;
    });

    window.Load();
    QTRY_VERIFY_WITH_TIMEOUT(
        window.fieldText(ProgressField::MainRoutine).contains("Sounding sequence= 2"),
        kRunTimeoutMs);
    bool handledDuringRun = false;
    QTimer::singleShot(0, &window, [&] { handledDuringRun = window.busy(); });
    QTRY_VERIFY_WITH_TIMEOUT(handledDuringRun, 5000);

    // Closing asks, then the run stops at the next sounding boundary.
    window.close();
    QVERIFY(question.startsWith("A run is under way."));
    QVERIFY(window.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(ended.count() == 1, kRunTimeoutMs);
    QCOMPARE(ended.front().front().toInt(), static_cast<int>(kavo::run::kExitStopped));
    QCOMPARE(finished.statuses.front(), static_cast<int>(kavo::run::kExitStopped));

    const std::vector<std::string> files = FilesIn(root / kSoundingsFolder);
    const int tables = CountEnding(files, "_Q1o.txt");
    QVERIFY(tables >= 2);
    QVERIFY(tables < kSoundings);
    QCOMPARE(CountEnding(files, ".kavo-partial"), 0);
    const std::string log =
        ReadText(root / "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt");
    QVERIFY(log.find("Run stopped by the user after " + std::to_string(tables) + " soundings") !=
            std::string::npos);
    QVERIFY(!fs::exists(root / "Projects" / "ExampleOne" /
                        "Kavo---Output---Zero_Load_Data---ExampleOne.txt"));
}

void MainWindowTest::missingDataAreaIsPreparedForTheFirstUseBeforeTheLoad() {
    QTemporaryDir dir;
    const fs::path root = fs::path(dir.path().toStdString()) / "Fresh" / "Kavo";
    auto program = MakeProgram(clock_, environment_, root);
    MainWindow& window = program->mainWindow();
    FinishedActions finished(window);
    QString question;
    window.SetConfirm([&question](const QString& text) {
        question = text;
        return true;
    });

    window.Load();
    QVERIFY(question.contains("does not exist yet"));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.actions.empty(), kRunTimeoutMs);
    QVERIFY2(finished.statuses.front() == kavo::run::kExitDone,
             qPrintable(window.errorWindow()->code() + " " + window.errorWindow()->description()));
    QTRY_VERIFY_WITH_TIMEOUT(finished.actions.size() == 2, kRunTimeoutMs);
    QCOMPARE(finished.actions, (std::vector<Action>{Action::FirstUse, Action::Load}));
    QCOMPARE(finished.statuses, (std::vector<int>{kavo::run::kExitDone, kavo::run::kExitDone}));
    QVERIFY(fs::exists(root / "software" / "Kavo-Setup.txt"));
    QVERIFY(window.fieldText(ProgressField::MainRoutine).contains("Done"));
    QVERIFY(window.soundingList()->count() > 0);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
