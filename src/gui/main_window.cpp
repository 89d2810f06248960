// The main window of kavo-gui.
#include "gui/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "projects/project_list.h"
#include "run/action.h"
#include "run/main_routine.h"
#include "run/stage_board.h"
#include "setup/run_settings.h"

namespace kavo::gui {
namespace {

namespace c = setup::control;

constexpr std::array<const char*, platform::kProgressFieldCount> kFieldTitles = {
    "Main Routine:", "Operations:", "Sounding:", "Input File:",
    "Output File:",  "Process:",    "Value:"};

QGroupBox* Group(const QString& caption) {
    auto* group = new QGroupBox(caption);
    return group;
}

QLabel* ValueLabel() {
    auto* label = new QLabel;
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(200);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

}  // namespace

MainWindow::MainWindow(run::Program& program, GuiWindow& window, ActionRunner& runner)
    : program_(program), window_(window), runner_(runner) {
    setObjectName(run::control::kMainWindow);
    setWindowTitle("Kavo: CPT batch processing");
    confirm_ = [this](const QString& question) {
        return QMessageBox::question(this, "Kavo", question) == QMessageBox::Yes;
    };

    errorWindow_ = new ErrorWindow(this);
    listingWindow_ = new ListingWindow(this);
    newProjectWindow_ = new NewProjectWindow(this);
    q1oView_ = new Q1oTableView(this);
    logView_ = new TasksLogView(this);
    zeroLoadView_ = new ZeroLoadView(this);
    traceView_ = new InputTraceView(this);
    picturesView_ = new PicturesView(this);

    // The options across the top; below them the project, the actions and the soundings of
    // the last run on the left, the processing information on the right.
    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->addWidget(BuildOptions());
    auto* bottom = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildProjectChoice());
    left->addWidget(BuildActions());
    left->addWidget(BuildResults(), 1);
    bottom->addLayout(left, 2);
    bottom->addWidget(BuildPanel(), 3);
    rows->addLayout(bottom, 1);
    setCentralWidget(central);
    resize(1400, 880);

    connect(&window_, &GuiWindow::panelChanged, this, &MainWindow::OnPanelChanged);
    connect(&window_, &GuiWindow::controlChanged, this, &MainWindow::OnControlChanged);
    connect(&window_, &GuiWindow::listingChanged, this, &MainWindow::OnListingChanged);
    connect(&window_, &GuiWindow::errorWindowShown, this, &MainWindow::OnErrorWindowShown);
    connect(&window_, &GuiWindow::errorWindowHidden, errorWindow_, &QWidget::hide);
    connect(&window_, &GuiWindow::messageShown, this, &MainWindow::OnMessage);
    connect(&window_, &GuiWindow::logLineWritten, this,
            [this](const LogEntry& entry) { logEntries_.push_back(entry); });
    connect(&runner_, &ActionRunner::finished, this, &MainWindow::OnFinished);
    connect(&runner_, &ActionRunner::picturesReady, picturesView_, &PicturesView::Show);
    connect(&runner_, &ActionRunner::picturesFailed, this,
            [this](const QString& why) { picturesView_->ShowProblem(ChosenSounding(), why); });
    connect(errorWindow_, &QDialog::finished, this, [this] {
        if (ended_) {
            End(run::kExitDataError);
        }
    });
    connect(newProjectWindow_, &NewProjectWindow::makeRequested, this,
            [this](const QString& name) { Start(Action::MakeNewProject, name); });
}

void MainWindow::OptionButton(QButtonGroup* group, QLayout* layout, const char* controlName,
                              const QString& caption) {
    auto* button = new QRadioButton(caption);
    if (controlName != nullptr) {
        button->setObjectName(controlName);
        optionWidgets_.push_back(button);
    }
    group->addButton(button);
    layout->addWidget(button);
}

QWidget* MainWindow::BuildOptions() {
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 0, 0, 0);
    std::array<QVBoxLayout*, 3> column{};
    for (QVBoxLayout*& each : column) {
        each = new QVBoxLayout;
        columns->addLayout(each, 1);
    }
    QVBoxLayout* layout = column[0];
    const auto choiceGroup = [&](const QString& caption,
                                 std::initializer_list<std::pair<const char*, QString>> choices) {
        QGroupBox* box = Group(caption);
        auto* boxLayout = new QVBoxLayout(box);
        auto* buttons = new QButtonGroup(box);
        for (const auto& [name, text] : choices) {
            OptionButton(buttons, boxLayout, name, text);
        }
        layout->addWidget(box);
        return boxLayout;
    };
    choiceGroup("Sress Normalizaion method for CPT cone resistance",
                {{c::kNormVaski, "Vaski  (1982 to 2017) (default)"},
                 {c::kNormVaskiSf, "Vaski using Stress Focus (2018)"},
                 {c::kNormRobertson, "P.Robertson (c versus Ir)"},
                 {c::kNormLinear, "linear (c=1)"}});
    choiceGroup("Soil type (standardized Robertson Ic) Calculation Method",
                {{c::kIcVaski, "Ic' Vaski using SLD (default)"},
                 {c::kIcRobertson, "Robertson (Log-Log approximation)"},
                 {c::kIcVaskiImproved,
                  "Vaski using SLD and with improvement for NC and Overconslidation (2014)"}});
    layout = column[1];
    choiceGroup("SLD data input Location", {{c::kChartsInternal, "Internal"},
                                            {c::kChartsFile, "From Files"},
                                            {c::kChartsBoth, "Both"}});
    choiceGroup("CPT input data file type", {{c::kFieldHog, "read HOG file"},
                                             {c::kFieldAeg, "read AEG file"},
                                             {nullptr, "read standardized input file"},
                                             {nullptr, "read normalized input file"}});
    QVBoxLayout* columnsLayout =
        choiceGroup("Columns defined for *-Q1o.csv files",
                    {{c::kColumnsInternal, "Kavo"},
                     {c::kColumnsFile, "Defined by file:   Kavo_Q1o_Columns---*.csv"}});

    const auto checkBox = [&](QLayout* into, const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(name);
        optionWidgets_.push_back(box);
        into->addWidget(box);
        return box;
    };
    // The run's CSV option (kavo run --no-csv turns it off) belongs with the tables' columns.
    checkBox(columnsLayout, c::kWriteCsv, "Write a CSV copy beside each Q1o table")
        ->setToolTip(
            "<sounding>_Q1o.csv beside each table and a CSV beside the zero-load file, for "
            "spreadsheets and data tools");
    const auto textBox = [&](QFormLayout* into, const char* name, const QString& caption) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        optionWidgets_.push_back(edit);
        auto* label = new QLabel(caption);
        label->setWordWrap(true);
        into->addRow(label, edit);
    };

    layout = column[2];
    QGroupBox* sld = Group("SLD output files (for external plotting and other)");
    auto* sldLayout = new QVBoxLayout(sld);
    checkBox(sldLayout, c::kWriteChartData, "Write SLD data to file");
    layout->addWidget(sld);

    QGroupBox* quake = Group(
        "Predicting Earthquake Liquefaction Resistance if CRR_* or FS-Liq_* column are specified");
    auto* quakeLayout = new QFormLayout(quake);
    textBox(quakeLayout, c::kEqMagnitude, "Project Earthquake Magnitude (Mb):");
    textBox(quakeLayout, c::kEqCsrFile, "Project CSR earthquake file:");
    layout->addWidget(quake);

    QGroupBox* zeroLoad = Group("Zero load");
    auto* zeroLoadLayout = new QFormLayout(zeroLoad);
    textBox(zeroLoadLayout, c::kLowestQcDepth,
            "For zero load calculations: Depth to start looking for lowest Qc & fs :");
    layout->addWidget(zeroLoad);

    QGroupBox* developer = Group("Developer options");
    auto* developerLayout = new QVBoxLayout(developer);
    checkBox(developerLayout, c::kShowLineBreakdown, "Show breakdown of File Input Lines");
    checkBox(developerLayout, c::kCheckBeforeCompiling, "check before compiling");
    layout->addWidget(developer);

    QGroupBox* area = Group("Data area");
    auto* areaLayout = new QVBoxLayout(area);
    checkBox(areaLayout, c::kForceDataRoot,
             "This version is forcing Kavo to use c:\\Kavo for all data");
    area->setToolTip(
        "On: the data area chosen with --data-root ($KAVO_DATA_ROOT, else ~/Kavo). "
        "Off: the example data area installed with the program.");
    layout->addWidget(area);
    for (QVBoxLayout* each : column) {
        each->addStretch(1);
    }
    for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
        edit->setMinimumWidth(90);
    }
    return page;
}

QWidget* MainWindow::BuildProjectChoice() {
    QGroupBox* box = Group("Select Project Directory");
    auto* layout = new QVBoxLayout(box);
    projectChoices_ = new QComboBox;
    projectChoices_->setObjectName(projects::kProjectChoiceList);
    chosenProject_ = new QLabel;
    chosenProject_->setObjectName(projects::kChosenProjectLabel);
    auto* note = new QLabel;
    note->setObjectName(projects::kProjectFolderNote);
    note->setWordWrap(true);
    note->hide();
    auto* row = new QHBoxLayout;
    row->addWidget(projectChoices_, 1);
    row->addWidget(chosenProject_, 1);
    layout->addLayout(row);
    layout->addWidget(note);
    connect(projectChoices_, &QComboBox::textActivated, chosenProject_, &QLabel::setText);
    return box;
}

QPushButton* MainWindow::ActionButton(const char* controlName, const QString& caption,
                                      Action action) {
    auto* button = new QPushButton(caption);
    button->setObjectName(controlName);
    actionButtons_.insert(controlName, button);
    stageEnabled_.insert(controlName, true);
    connect(button, &QPushButton::clicked, this, [this, action] { Start(action); });
    return button;
}

QWidget* MainWindow::BuildActions() {
    QGroupBox* box = Group("Actions");
    auto* layout = new QGridLayout(box);
    QPushButton* run = ActionButton(run::control::kRun,
                                    "Make Q1o output files and the zero offset file", Action::Run);
    QFont bold = run->font();
    bold.setBold(true);
    run->setFont(bold);
    layout->addWidget(run, 0, 0, 1, 2);
    layout->addWidget(ActionButton(run::control::kChartExport,
                                   "Generate SLD truckcaded files (SLDp) for external plotting",
                                   Action::ExportCharts),
                      1, 0, 1, 2);
    layout->addWidget(
        ActionButton(run::control::kNewProject, "Make New Project", Action::NewProjectClick), 2, 0);
    layout->addWidget(ActionButton("PrepareKavoForFirstTime8cmd",
                                   "Prepare Kavo.exe for the FIRST USE", Action::FirstUse),
                      2, 1);
    layout->addWidget(ActionButton("equation8btn", "Equation test", Action::EquationTest), 3, 0);
    auto* end = new QPushButton("END");
    end->setObjectName("ender8cmd");
    connect(end, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(end, 3, 1);
    return box;
}

QWidget* MainWindow::BuildPanel() {
    QGroupBox* box = Group("Processing information");
    auto* layout = new QGridLayout(box);
    layout->setColumnStretch(1, 1);
    int row = 0;
    for (std::size_t i = 0; i < fields_.size(); ++i, ++row) {
        fields_[i] = ValueLabel();
        layout->addWidget(new QLabel(kFieldTitles[i]), row, 0, Qt::AlignRight | Qt::AlignTop);
        layout->addWidget(fields_[i], row, 1);
    }
    statusTitle_ = new QLabel(platform::kStatusTitle);
    statusCode_ = new QLabel;
    statusCode_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(statusTitle_);
    statusRow->addWidget(statusCode_, 1);
    layout->addLayout(statusRow, row++, 0, 1, 2);

    issueTitle_ = new QLabel("Issues counter=");
    issueCount_ = new QLabel;
    QFont bold = issueCount_->font();
    bold.setBold(true);
    issueCount_->setFont(bold);
    auto* issueRow = new QHBoxLayout;
    issueRow->addWidget(issueTitle_);
    issueRow->addWidget(issueCount_, 1);
    layout->addLayout(issueRow, row++, 0, 1, 2);
    issueTitle_->hide();
    issueCount_->hide();

    for (const char* name : {run::control::kSystemAreaLabel, run::control::kVersionLabel,
                             run::control::kVersionDateLabel}) {
        auto* label = ValueLabel();
        label->setObjectName(name);
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        label->setFont(small);
        layout->addWidget(label, row++, 0, 1, 2);
    }
    layout->setRowStretch(row, 1);
    return box;
}

QWidget* MainWindow::BuildResults() {
    QGroupBox* box = Group("Results of the last run");
    auto* layout = new QHBoxLayout(box);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel("Soundings:"));
    soundings_ = new QListWidget;
    soundings_->setObjectName("SoundingList");
    listColumn->addWidget(soundings_);
    layout->addLayout(listColumn, 1);

    auto* buttons = new QVBoxLayout;
    const auto viewButton = [&](const QString& caption, const std::function<void()>& open) {
        auto* button = new QPushButton(caption);
        connect(button, &QPushButton::clicked, this, open);
        buttons->addWidget(button);
        viewButtons_.push_back(button);
        return button;
    };
    viewButton("view pictures", [this] {
        if (!ChosenSounding().isEmpty()) {
            Start(Action::Pictures, ChosenSounding());
        }
    })->setObjectName("viewPictures8cmd");
    viewButton("view Q1o table", [this] {
        const int row = soundings_->currentRow();
        if (row >= 0 && row < results_.q1oTables.size()) {
            q1oView_->Open(results_.soundings[row], results_.q1oTables[row]);
        }
    })->setObjectName("viewQ1oTable8cmd");
    viewButton("view tasks and issues", [this] {
        logView_->Open(logEntries_, ChosenSounding(), results_.tasksLog);
    })->setObjectName("viewTasksAndIssues8cmd");
    viewButton("view zero load summary", [this] {
        zeroLoadView_->Open(results_.zeroLoadFile, results_.zeroLoadCsv, ChosenSounding(),
                            results_.project);
    })->setObjectName("viewZeroLoad8cmd");
    viewButton("view input lines", [this] {
        traceView_->Open(results_.inputTrace, ChosenSounding());
    })->setObjectName("viewInputLines8cmd");
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(soundings_, &QListWidget::itemDoubleClicked, viewButtons_[1], &QPushButton::click);
    return box;
}

void MainWindow::Load() {
    show();
    // Without its data area the load could only end on its first file; on a fresh machine
    // the window offers to lay the data area out first, as "Prepare Kavo.exe for the FIRST
    // USE" does.
    const QString root = QString::fromStdString(program_.configuredRoot);
    if (!QDir(root).exists() &&
        confirm_("The data area " + root +
                 " does not exist yet. Prepare it now for the first use (its folders, the "
                 "setup file and the example project)?")) {
        loadAfterFirstUse_ = true;
        Start(Action::FirstUse);
        return;
    }
    Start(Action::Load);
}

void MainWindow::Start(Action action, const QString& argument) {
    if (busy_ || ended_) {
        return;
    }
    WriteOptionsToWindow();
    busy_ = true;
    UpdateActionButtons();
    statusBar()->showMessage("Working ...");
    if (action == Action::MakeNewProject) {
        newProjectWindow_->makeButton()->setEnabled(false);
    }
    ActionRunner* runner = &runner_;
    QMetaObject::invokeMethod(
        runner, [runner, action, argument] { runner->Perform(action, argument); },
        Qt::QueuedConnection);
}

// The options as the user left them become the window's controls, which the run reads. Only
// called while no action runs, so the worker never sees them change under it.
void MainWindow::WriteOptionsToWindow() {
    for (QWidget* widget : optionWidgets_) {
        platform::Control& control = window_.control(widget->objectName().toStdString());
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            control.value = check->checkState() == Qt::PartiallyChecked ? setup::kGrey
                            : check->isChecked()                        ? setup::kChecked
                                                                        : setup::kUnchecked;
        } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            control.value = option->isChecked() ? setup::kChecked : setup::kUnchecked;
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            control.text = edit->text().toStdString();
        }
    }
    window_.control(projects::kProjectChoiceList).text =
        projectChoices_->currentText().toStdString();
    window_.control(projects::kChosenProjectLabel).text = chosenProject_->text().toStdString();
}

void MainWindow::UpdateActionButtons() {
    for (auto it = actionButtons_.cbegin(); it != actionButtons_.cend(); ++it) {
        it.value()->setEnabled(stageEnabled_.value(it.key(), true) && !busy_ && !ended_);
    }
    for (QPushButton* view : viewButtons_) {
        // The pictures are made on the worker, like an action; the other views only read.
        const bool worker = view == viewButtons_.front();
        view->setEnabled(!ended_ && !(worker && busy_));
    }
}

void MainWindow::OnPanelChanged(const platform::ProgressPanel& panel) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(panel.fields[i]));
        fields_[i]->setToolTip(fields_[i]->text());
    }
    QLabel* mainRoutine = fields_[static_cast<std::size_t>(platform::ProgressField::MainRoutine)];
    QFont font = mainRoutine->font();
    font.setBold(panel.mainRoutineBold);
    mainRoutine->setFont(font);
    statusTitle_->setText(QString::fromStdString(panel.statusTitle));
    statusCode_->setText(QString::fromStdString(panel.statusCode));
    issueTitle_->setVisible(panel.issueCounterVisible);
    issueCount_->setVisible(panel.issueCounterVisible);
    issueCount_->setText(QString::fromStdString(panel.issueCount));
}

void MainWindow::OnControlChanged(const QString& name, const platform::Control& control) {
    if (actionButtons_.contains(name)) {
        stageEnabled_[name] = control.enabled;
        actionButtons_[name]->setVisible(control.visible);
        UpdateActionButtons();
        return;
    }
    if (name == run::control::kMainWindow) {
        return;  // the window is shown by its load and stays shown
    }
    QWidget* widget = findChild<QWidget*>(name);
    if (widget == nullptr) {
        return;
    }
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setTristate(control.value == setup::kGrey);
        check->setCheckState(control.value == setup::kGrey      ? Qt::PartiallyChecked
                             : control.value == setup::kChecked ? Qt::Checked
                                                                : Qt::Unchecked);
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        // An option group keeps one choice; clearing the chosen one clears the group.
        QButtonGroup* group = option->group();
        if (control.value == setup::kChecked) {
            option->setChecked(true);
        } else if (option->isChecked() && group != nullptr) {
            group->setExclusive(false);
            option->setChecked(false);
            group->setExclusive(true);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(QString::fromStdString(control.text));
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        const QSignalBlocker blocker(list);
        list->clear();
        for (const std::string& item : control.items) {
            list->addItem(QString::fromStdString(item));
        }
        const int chosen = list->findText(QString::fromStdString(control.text));
        if (chosen >= 0) {
            list->setCurrentIndex(chosen);
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(QString::fromStdString(control.text));
        QFont font = label->font();
        font.setBold(control.bold);
        label->setFont(font);
    }
    widget->setEnabled(control.enabled);
    // The folder note has nothing to say while its text is empty.
    const bool emptyNote = name == projects::kProjectFolderNote && control.text.empty();
    widget->setVisible(control.visible && !emptyNote);
}

void MainWindow::OnListingChanged(const std::vector<std::string>& lines, bool visible) {
    listingWindow_->SetLines(lines);
    if (visible) {
        listingWindow_->show();
        listingWindow_->raise();
    } else {
        listingWindow_->hide();
    }
}

void MainWindow::OnErrorWindowShown(const platform::ErrorWindowContent& content) {
    errorWindow_->Show(content);
}

void MainWindow::OnMessage(const QString& text) {
    statusBar()->showMessage(text);
    if (newProjectWindow_->isVisible()) {
        newProjectWindow_->ShowMessage(text);
    }
}

void MainWindow::OnFinished(Action action, int status, const ResultFiles& files) {
    busy_ = false;
    results_ = files;
    const QString chosen = ChosenSounding();
    soundings_->clear();
    soundings_->addItems(results_.soundings);
    const auto match = soundings_->findItems(chosen, Qt::MatchExactly);
    soundings_->setCurrentRow(match.isEmpty() ? (soundings_->count() > 0 ? 0 : -1)
                                              : soundings_->row(match.front()));

    switch (status) {
        case run::kExitDone:
            statusBar()->clearMessage();
            if (action == Action::NewProjectClick) {
                newProjectWindow_->Reset();
                newProjectWindow_->show();
                newProjectWindow_->raise();
            } else if (action == Action::MakeNewProject) {
                // The project is made; making it again would only meet it already there.
                newProjectWindow_->makeButton()->setEnabled(false);
            }
            break;
        case run::kExitStopped:
            statusBar()->showMessage("The run was stopped after the sounding under way.");
            break;
        case run::kExitDataError:
            // The error window is up; the program ends when it is closed.
            ended_ = true;
            statusBar()->showMessage("Data error: processing has stopped.");
            break;
        default:
            ended_ = true;
            statusBar()->showMessage("Kavo met an internal fault (exit status " +
                                     QString::number(status) + ") and stops.");
            QMessageBox::critical(this, "Kavo",
                                  "Kavo met an internal fault and stops (exit status " +
                                      QString::number(status) +
                                      "); its message is on the "
                                      "standard error output.");
            End(status);
            break;
    }
    UpdateActionButtons();
    emit actionFinished(action, status);
    if (action == Action::FirstUse && loadAfterFirstUse_ && status == run::kExitDone) {
        loadAfterFirstUse_ = false;
        Start(Action::Load);
    }
    if (closePending_ && !ended_) {
        End(status == run::kExitStopped ? run::kExitStopped : run::kExitDone);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        End(run::kExitDataError);
        return;
    }
    if (!busy_) {
        event->accept();
        End(run::kExitDone);
        return;
    }
    event->ignore();
    if (closePending_) {
        return;
    }
    if (confirm_("A run is under way. Stop it after the sounding being processed and end "
                 "Kavo? Every table finished so far stays; the zero-load file and the setup "
                 "file of this run are not written.")) {
        closePending_ = true;
        program_.stopRequested = true;
        statusBar()->showMessage("Stopping after the sounding under way ...");
    }
}

void MainWindow::End(int status) {
    hide();
    emit programEnded(status);
}

QString MainWindow::fieldText(platform::ProgressField field) const {
    return fields_[static_cast<std::size_t>(field)]->text();
}

QString MainWindow::issueCounter() const {
    return issueCount_->isHidden() ? QString() : issueCount_->text();
}

QPushButton* MainWindow::button(const QString& controlName) const {
    return findChild<QPushButton*>(controlName);
}

QString MainWindow::ChosenSounding() const {
    const QListWidgetItem* item = soundings_ == nullptr ? nullptr : soundings_->currentItem();
    return item == nullptr ? QString() : item->text();
}

}  // namespace kavo::gui
