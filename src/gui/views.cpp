// The result views of the main window.
#include "gui/views.h"

#include <qcustomplot.h>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMap>
#include <QScrollBar>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "output/q1o_reader.h"
#include "plots/page_model.h"
#include "reporting/trace_row.h"
#include "tools/csv_text.h"

namespace kavo::gui {
namespace {

const QString kAll = "(all)";

QLabel* PathLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* ProblemLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setStyleSheet("color: #b00000; font-weight: bold");
    label->setWordWrap(true);
    label->hide();
    return label;
}

void ShowProblem(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

QTableWidget* ReadOnlyTable(QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

QTableWidgetItem* NumberItem(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// The lines of a text file; an empty list and `problem` set when it cannot be read.
QStringList ReadLines(const QString& realPath, QString& problem) {
    QFile file(realPath);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = "Kavo can't open " + realPath + ": " + file.errorString();
        return {};
    }
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        lines.push_back(in.readLine());
    }
    return lines;
}

// A sounding of a log entry belongs to the chosen sounding when it names it, with or
// without the field file's extension.
bool SameSounding(const QString& entrySounding, const QString& chosen) {
    return entrySounding.compare(chosen, Qt::CaseInsensitive) == 0 ||
           entrySounding.startsWith(chosen + ".", Qt::CaseInsensitive);
}

}  // namespace

Q1oTableView::Q1oTableView(QWidget* parent) : QDialog(parent) {
    setObjectName("Q1oTableView");
    auto* layout = new QVBoxLayout(this);
    title_ = PathLabel(this);
    problem_ = ProblemLabel(this);
    table_ = ReadOnlyTable(this);
    layout->addWidget(title_);
    layout->addWidget(problem_);
    layout->addWidget(table_);
    resize(1100, 640);
}

void Q1oTableView::Open(const QString& sounding, const QString& realPath) {
    setWindowTitle("Q1o table: " + sounding);
    title_->setText(realPath);
    const output::Q1oTableContents contents = output::ReadQ1oTable(realPath.toStdString());
    ShowProblem(problem_, QString::fromStdString(contents.problem));
    table_->clear();
    table_->setColumnCount(static_cast<int>(contents.columnIds.size()));
    table_->setRowCount(static_cast<int>(contents.rows.size()));
    QStringList headings;
    for (std::size_t c = 0; c < contents.columnIds.size(); ++c) {
        const QString unit = QString::fromStdString(contents.units[c]);
        headings.push_back(QString::fromStdString(contents.columnIds[c]) + "\n" +
                           (unit.isEmpty() ? " " : "(" + unit + ")"));
    }
    table_->setHorizontalHeaderLabels(headings);
    for (std::size_t r = 0; r < contents.rows.size(); ++r) {
        for (std::size_t c = 0; c < contents.rows[r].size(); ++c) {
            table_->setItem(static_cast<int>(r), static_cast<int>(c),
                            NumberItem(contents.rows[r][c]));
        }
    }
    table_->resizeColumnsToContents();
    show();
    raise();
}

TasksLogView::TasksLogView(QWidget* parent) : QDialog(parent) {
    setObjectName("TasksLogView");
    setWindowTitle("Tasks and issues");
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path_ = PathLabel(this);
    auto* filters = new QHBoxLayout;
    sounding_ = new QComboBox(this);
    kind_ = new QComboBox(this);
    kind_->addItems({kAll, "TASK", "ISSUE"});
    filters->addWidget(new QLabel("Sounding:", this));
    filters->addWidget(sounding_, 1);
    filters->addWidget(new QLabel("Kind:", this));
    filters->addWidget(kind_);
    lines_ = new QPlainTextEdit(this);
    lines_->setReadOnly(true);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(summary_);
    layout->addWidget(path_);
    layout->addLayout(filters);
    layout->addWidget(lines_);
    connect(sounding_, &QComboBox::currentIndexChanged, this, &TasksLogView::Refill);
    connect(kind_, &QComboBox::currentIndexChanged, this, &TasksLogView::Refill);
    resize(1100, 600);
}

void TasksLogView::Open(const QVector<LogEntry>& entries, const QString& sounding,
                        const QString& logPath) {
    entries_ = entries;
    path_->setText(logPath);

    QStringList soundings;
    QMap<QString, int> issuesBySounding;
    int issues = 0;
    for (const LogEntry& entry : entries_) {
        if (!entry.sounding.isEmpty() && !soundings.contains(entry.sounding)) {
            soundings.push_back(entry.sounding);
        }
        if (entry.kind == "ISSUE") {
            ++issues;
            ++issuesBySounding[entry.sounding.isEmpty() ? "(no sounding)" : entry.sounding];
        }
    }
    QStringList counts;
    for (auto it = issuesBySounding.cbegin(); it != issuesBySounding.cend(); ++it) {
        counts.push_back(it.key() + ": " + QString::number(it.value()));
    }
    summary_->setText("<b>" + QString::number(issues) + " issues</b> in " +
                      QString::number(entries_.size()) + " lines since Kavo started" +
                      (counts.isEmpty() ? QString() : "<br>" + counts.join(" &nbsp; ")));

    const QSignalBlocker blocker(sounding_);
    sounding_->clear();
    sounding_->addItem(kAll);
    sounding_->addItems(soundings);
    sounding_->setCurrentIndex(0);
    for (int i = 1; i < sounding_->count(); ++i) {
        if (SameSounding(sounding_->itemText(i), sounding)) {
            sounding_->setCurrentIndex(i);
            break;
        }
    }
    Refill();
    show();
    raise();
}

void TasksLogView::Refill() {
    const QString sounding = sounding_->currentText();
    const QString kind = kind_->currentText();
    QStringList shown;
    for (const LogEntry& entry : entries_) {
        if ((sounding == kAll || entry.sounding == sounding) &&
            (kind == kAll || entry.kind == kind)) {
            shown.push_back(entry.line);
        }
    }
    lines_->setPlainText(shown.join('\n'));
    setWindowTitle("Tasks and issues: " + QString::number(shown.size()) + " lines shown");
}

ZeroLoadView::ZeroLoadView(QWidget* parent) : QDialog(parent) {
    setObjectName("ZeroLoadView");
    setWindowTitle("Zero load summary");
    auto* layout = new QVBoxLayout(this);
    path_ = PathLabel(this);
    problem_ = ProblemLabel(this);
    splitter_ = new QSplitter(Qt::Vertical, this);
    table_ = ReadOnlyTable(splitter_);
    splitter_->addWidget(table_);
    layout->addWidget(path_);
    layout->addWidget(problem_);
    layout->addWidget(splitter_, 1);
    resize(1200, 900);
}

ZeroLoadView::~ZeroLoadView() {
    DropPicture();
}

QCustomPlot* ZeroLoadView::driftPicture() {
    return drift_ ? &drift_->plot() : nullptr;
}

// The page owns its plot; the splitter only shows it.
void ZeroLoadView::DropPicture() {
    if (drift_) {
        drift_->plot().setParent(nullptr);
        drift_.reset();
    }
}

void ZeroLoadView::Open(const QString& summaryPath, const QString& csvPath, const QString& sounding,
                        const QString& project) {
    path_->setText(csvPath);
    DropPicture();
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    // A run without CSV copies leaves the twin of an earlier run, older than the summary.
    const QString noCopy =
        " (the last run wrote no CSV copies: tick \"Write a CSV copy beside each Q1o table\" "
        "and run again)";
    QString problem;
    QStringList lines;
    if (QFile::exists(csvPath) &&
        QFileInfo(csvPath).lastModified() < QFileInfo(summaryPath).lastModified()) {
        problem = csvPath + " is older than " + summaryPath + noCopy;
    } else {
        lines = ReadLines(csvPath, problem);
        if (!problem.isEmpty() && !QFile::exists(csvPath)) {
            problem += noCopy;
        }
    }
    ShowProblem(problem_, problem);
    if (lines.isEmpty()) {
        show();
        raise();
        return;
    }

    // The heading row names the columns with their units; every other line is a sounding,
    // in the summary's order (device, then date).
    const std::vector<std::string> headings = tools::CsvFields(lines.front().toStdString());
    const auto column = [&headings](std::string_view name) {
        const auto found = std::find(headings.begin(), headings.end(), name);
        return found == headings.end() ? headings.size()
                                       : static_cast<std::size_t>(found - headings.begin());
    };
    QStringList labels;
    for (const std::string& heading : headings) {
        labels.push_back(QString::fromStdString(heading));
    }
    table_->setColumnCount(static_cast<int>(headings.size()));
    table_->setHorizontalHeaderLabels(labels);
    const int rows = static_cast<int>(lines.size() - 1);
    table_->setRowCount(rows);
    std::vector<plots::ZeroReadingsInput> zeroes;
    int chosenRow = -1;
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> cells = tools::CsvFields(lines[r + 1].toStdString());
        cells.resize(headings.size());
        for (std::size_t c = 0; c < cells.size(); ++c) {
            table_->setItem(r, static_cast<int>(c),
                            c < 3 ? new QTableWidgetItem(QString::fromStdString(cells[c]))
                                  : NumberItem(cells[c]));
        }
        const auto number = [&](std::string_view name) {
            const std::size_t c = column(name);
            return c < cells.size() && !cells[c].empty()
                       ? QString::fromStdString(cells[c]).toDouble()
                       : std::numeric_limits<double>::quiet_NaN();
        };
        // The twin's first cells are the device, the sounding and the date, as in the file.
        const std::string& name = cells.size() > 1 ? cells[1] : cells[0];
        char order[16];
        std::snprintf(order, sizeof order, "%08d", r);
        zeroes.push_back({name, cells[0], order, number("Qc_zClean_atm"), number("Qc_zDirty_atm"),
                          number("fs_zClean_atm"), number("fs_zDirty_atm")});
        if (QString::fromStdString(name).compare(sounding, Qt::CaseInsensitive) == 0) {
            chosenRow = r;
        }
    }
    table_->resizeColumnsToContents();
    if (chosenRow >= 0) {
        table_->selectRow(chosenRow);
    }
    drift_.emplace(plots::DrawZeroDriftPage(
        plots::BuildZeroDriftPage(project.toStdString(), std::move(zeroes))));
    QCustomPlot& picture = drift_->plot();
    picture.setMinimumSize(300, 300);
    picture.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    splitter_->addWidget(&picture);
    // The table as tall as its rows need (up to a third of the view), the picture the rest.
    const int tableHeight =
        std::min(table_->horizontalHeader()->height() + rows * table_->rowHeight(0) +
                     table_->horizontalScrollBar()->sizeHint().height() + 8,
                 splitter_->height() / 3);
    splitter_->setSizes({tableHeight, splitter_->height() - tableHeight});
    show();
    raise();
}

InputTraceView::InputTraceView(QWidget* parent) : QDialog(parent) {
    setObjectName("InputTraceView");
    setWindowTitle("Input lines of the last run");
    auto* layout = new QVBoxLayout(this);
    path_ = PathLabel(this);
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText("show only rows whose file or line contains ...");
    filter_->setClearButtonEnabled(true);
    table_ = ReadOnlyTable(this);
    table_->setColumnCount(4);
    table_->setHorizontalHeaderLabels({"Line input", "what", "File", "file #"});
    table_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel("Filter:", this));
    filterRow->addWidget(filter_, 1);
    layout->addWidget(path_);
    layout->addLayout(filterRow);
    layout->addWidget(table_);
    connect(filter_, &QLineEdit::textChanged, this, &InputTraceView::ApplyFilter);
    resize(1200, 640);
}

void InputTraceView::Open(const QString& realPath, const QString& sounding) {
    QString problem;
    const QStringList lines = ReadLines(realPath, problem);
    path_->setText(problem.isEmpty() ? realPath : problem);
    table_->setRowCount(0);
    // The first line names the columns.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto row = reporting::ParseTraceRow(lines[i].toStdString());
        const int r = table_->rowCount();
        table_->insertRow(r);
        if (!row) {
            table_->setItem(r, 0, new QTableWidgetItem(lines[i]));
            continue;
        }
        table_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(row->line)));
        table_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(row->description)));
        table_->setItem(r, 2, new QTableWidgetItem(QString::fromStdString(row->fileName)));
        table_->setItem(r, 3, NumberItem(row->fileNumber));
    }
    table_->resizeColumnsToContents();
    table_->setColumnWidth(0, std::min(table_->columnWidth(0), 700));
    filter_->setText(sounding);
    ApplyFilter();
    show();
    raise();
}

int InputTraceView::shownRows() const {
    int shown = 0;
    for (int r = 0; r < table_->rowCount(); ++r) {
        shown += table_->isRowHidden(r) ? 0 : 1;
    }
    return shown;
}

void InputTraceView::ApplyFilter() {
    const QString text = filter_->text().trimmed();
    for (int r = 0; r < table_->rowCount(); ++r) {
        bool match = text.isEmpty();
        for (int c : {0, 2}) {
            const QTableWidgetItem* item = table_->item(r, c);
            match = match || (item != nullptr && item->text().contains(text, Qt::CaseInsensitive));
        }
        table_->setRowHidden(r, !match);
    }
}

}  // namespace kavo::gui
