// The views of the run's results that the "view" buttons open: a sounding's output table,
// the tasks-and-issues log, the zero-load summary and the input-lines trace.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableWidget>
#include <QVector>
#include <optional>

#include "gui/gui_window.h"
#include "plots/page_render.h"

namespace kavo::gui {

// A sounding's output table: the column IDs and their units as headings, a missing value
// as an empty cell.
class Q1oTableView : public QDialog {
    Q_OBJECT
  public:
    explicit Q1oTableView(QWidget* parent = nullptr);
    void Open(const QString& sounding, const QString& realPath);
    QTableWidget* table() const { return table_; }
    QString problem() const { return problem_->text(); }

  private:
    QLabel* title_;
    QLabel* problem_;
    QTableWidget* table_;
};

// The tasks-and-issues lines written since the program started, filtered by sounding and
// by kind, with the count of issues per sounding on top.
class TasksLogView : public QDialog {
    Q_OBJECT
  public:
    explicit TasksLogView(QWidget* parent = nullptr);
    void Open(const QVector<LogEntry>& entries, const QString& sounding, const QString& logPath);
    QString summary() const { return summary_->text(); }
    QString shownText() const { return lines_->toPlainText(); }
    QComboBox* soundingFilter() const { return sounding_; }
    QComboBox* kindFilter() const { return kind_; }

  private:
    void Refill();

    QVector<LogEntry> entries_;
    QLabel* summary_;
    QLabel* path_;
    QComboBox* sounding_;
    QComboBox* kind_;
    QPlainTextEdit* lines_;
};

// The zero-load summary, read from its CSV twin: the table with the chosen sounding's row
// selected, and below it the drift picture of the project pages.
class ZeroLoadView : public QDialog {
    Q_OBJECT
  public:
    explicit ZeroLoadView(QWidget* parent = nullptr);
    ~ZeroLoadView() override;
    // `summaryPath` is the fixed-width file, which tells a CSV twin left by an earlier run.
    void Open(const QString& summaryPath, const QString& csvPath, const QString& sounding,
              const QString& project);
    QTableWidget* table() const { return table_; }
    QString problem() const { return problem_->text(); }
    // The drift picture; nullptr when the summary could not be read.
    QCustomPlot* driftPicture();

  private:
    void DropPicture();

    QLabel* path_;
    QLabel* problem_;
    QSplitter* splitter_;
    QTableWidget* table_;
    std::optional<plots::DrawnPage> drift_;
};

// The input-lines trace of the last run, with a filter on the file name or line text (the
// chosen sounding to start with).
class InputTraceView : public QDialog {
    Q_OBJECT
  public:
    explicit InputTraceView(QWidget* parent = nullptr);
    void Open(const QString& realPath, const QString& sounding);
    QTableWidget* table() const { return table_; }
    QLineEdit* filter() const { return filter_; }
    int shownRows() const;

  private:
    void ApplyFilter();

    QLabel* path_;
    QLineEdit* filter_;
    QTableWidget* table_;
};

}  // namespace kavo::gui
