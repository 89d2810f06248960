// The main window of kavo-gui: the run options, the project choice, the actions, the
// processing-information panel, and the soundings of the last run with their views. The
// actions run on the worker; the window only shows what the logic reports.
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMap>
#include <QPushButton>
#include <QVector>
#include <array>
#include <functional>

#include "gui/action_runner.h"
#include "gui/gui_window.h"
#include "gui/other_windows.h"
#include "gui/views.h"

namespace kavo::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `runner` lives on the worker thread; the window asks it for actions.
    MainWindow(run::Program& program, GuiWindow& window, ActionRunner& runner);

    // Shows the window and starts its load: the general setups, then the first run.
    void Load();
    // Starts an action on the worker unless one is under way or the program has ended.
    void Start(Action action, const QString& argument = {});
    bool busy() const { return busy_; }

    // Asks the user a yes/no question; replaceable for tests.
    void SetConfirm(std::function<bool(const QString&)> confirm) { confirm_ = std::move(confirm); }

    // What the window shows, for checks.
    QString fieldText(platform::ProgressField field) const;
    QString statusCode() const { return statusCode_->text(); }
    QString issueCounter() const;
    QPushButton* button(const QString& controlName) const;
    QListWidget* soundingList() const { return soundings_; }
    ErrorWindow* errorWindow() const { return errorWindow_; }
    ListingWindow* listingWindow() const { return listingWindow_; }
    NewProjectWindow* newProjectWindow() const { return newProjectWindow_; }
    Q1oTableView* q1oTableView() const { return q1oView_; }
    TasksLogView* tasksLogView() const { return logView_; }
    ZeroLoadView* zeroLoadView() const { return zeroLoadView_; }
    InputTraceView* inputTraceView() const { return traceView_; }

  signals:
    void actionFinished(kavo::gui::Action action, int status);
    // The program ends with this exit status (the window closed, "END", or the error window
    // of a data error closed).
    void programEnded(int status);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* BuildOptions();
    QWidget* BuildProjectChoice();
    QWidget* BuildActions();
    QWidget* BuildPanel();
    QWidget* BuildResults();
    QPushButton* ActionButton(const char* controlName, const QString& caption, Action action);
    void OptionButton(QButtonGroup* group, QLayout* layout, const char* controlName,
                      const QString& caption);

    void OnPanelChanged(const platform::ProgressPanel& panel);
    void OnControlChanged(const QString& name, const platform::Control& control);
    void OnListingChanged(const std::vector<std::string>& lines, bool visible);
    void OnErrorWindowShown(const platform::ErrorWindowContent& content);
    void OnMessage(const QString& text);
    void OnFinished(Action action, int status, const ResultFiles& files);
    void WriteOptionsToWindow();
    void UpdateActionButtons();
    void End(int status);
    QString ChosenSounding() const;

    run::Program& program_;
    GuiWindow& window_;
    ActionRunner& runner_;
    std::function<bool(const QString&)> confirm_;

    bool busy_ = false;
    bool ended_ = false;  // a data error ended the program: no further actions
    bool closePending_ = false;
    QMap<QString, bool> stageEnabled_;  // the stage board's word on each action
    QMap<QString, QPushButton*> actionButtons_;
    QVector<QWidget*> optionWidgets_;

    std::array<QLabel*, platform::kProgressFieldCount> fields_{};
    QLabel* statusTitle_ = nullptr;
    QLabel* statusCode_ = nullptr;
    QLabel* issueTitle_ = nullptr;
    QLabel* issueCount_ = nullptr;
    QComboBox* projectChoices_ = nullptr;
    QLabel* chosenProject_ = nullptr;
    QListWidget* soundings_ = nullptr;
    QVector<QPushButton*> viewButtons_;
    ResultFiles results_;
    QVector<LogEntry> logEntries_;

    ErrorWindow* errorWindow_;
    ListingWindow* listingWindow_;
    NewProjectWindow* newProjectWindow_;
    Q1oTableView* q1oView_;
    TasksLogView* logView_;
    ZeroLoadView* zeroLoadView_;
    InputTraceView* traceView_;
};

}  // namespace kavo::gui
