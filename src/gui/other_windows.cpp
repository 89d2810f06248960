// The error window, the listing window and the new-project window.
#include "gui/other_windows.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "run/stage_board.h"

namespace kavo::gui {
namespace {

QLabel* SelectableLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

}  // namespace

ErrorWindow::ErrorWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Error reporting");
    setObjectName("ErrorWindow");
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QLabel("Data Error has occured", this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(new QLabel("processing has stopped - correct data error and rerun", this));

    auto* form = new QFormLayout;
    code_ = SelectableLabel(this);
    code_->setObjectName("ErrorCode");
    QFont codeFont = code_->font();
    codeFont.setBold(true);
    code_->setFont(codeFont);
    description_ = SelectableLabel(this);
    description_->setObjectName("ErrorDescription");
    form->addRow("Kavo software  Error Code:", code_);
    form->addRow("Error description:", description_);
    for (const char* title : {"Main Routine:", "Operation:", "Process:", "Sounding:", "Input File:",
                              "Output File:", "Value:"}) {
        fields_.push_back(SelectableLabel(this));
        form->addRow(title, fields_.back());
    }
    layout->addLayout(form);

    layout->addWidget(
        new QLabel("For your reference, the following are the last __ inputted data lines;", this));
    lines_ = new QTableWidget(6, 3, this);
    lines_->setTextElideMode(Qt::ElideMiddle);
    lines_->setHorizontalHeaderLabels(
        {"file name", "Data file inputted line", "Input description"});
    lines_->setVerticalHeaderLabels({"Last input Line", "2nd to last input line",
                                     "3rd to last input line", "4nd to last input line",
                                     "5th to last input line", "6th to last input line"});
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines_->setWordWrap(false);
    lines_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines_->setFixedHeight(lines_->horizontalHeader()->sizeHint().height() +
                           6 * lines_->verticalHeader()->defaultSectionSize() + 4);
    layout->addWidget(lines_);
    layout->addStretch(1);

    proceed_ = new QPushButton("Proceed", this);
    proceed_->setDefault(true);
    connect(proceed_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(proceed_, 0, Qt::AlignRight);
    resize(980, 500);
}

void ErrorWindow::Show(const platform::ErrorWindowContent& content) {
    code_->setText(QString::fromStdString(content.code));
    description_->setText(QString::fromStdString(content.description));
    const std::vector<const std::string*> values = {
        &content.mainRoutine, &content.operations, &content.process, &content.sounding,
        &content.inputFile,   &content.outputFile, &content.value};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(*values[i]));
    }
    lines_->clearContents();
    for (std::size_t row = 0; row < content.lastLines.size() && row < 6; ++row) {
        const platform::InputLineRow& line = content.lastLines[row];
        const int r = static_cast<int>(row);
        const std::array<const std::string*, 3> texts = {&line.fileName, &line.line,
                                                         &line.description};
        for (std::size_t column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(*texts[column]));
            item->setToolTip(item->text());
            if (column == 1) {
                item->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
            }
            lines_->setItem(r, static_cast<int>(column), item);
        }
    }
    // Long paths and lines keep their start and end in view; the line gets the room.
    lines_->resizeColumnToContents(0);
    lines_->setColumnWidth(0, std::min(lines_->columnWidth(0), 240));
    lines_->resizeColumnToContents(2);
    lines_->setColumnWidth(2, std::min(lines_->columnWidth(2), 200));
    show();
    raise();
}

ListingWindow::ListingWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Listing Area");
    setObjectName("ListingWindow");
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    layout->addWidget(buttons);
    resize(760, 560);
}

void ListingWindow::SetLines(const std::vector<std::string>& lines) {
    QStringList texts;
    for (const std::string& line : lines) {
        texts.push_back(QString::fromStdString(line));
    }
    text_->setPlainText(texts.join('\n'));
}

NewProjectWindow::NewProjectWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Make New Project");
    setObjectName("NewProjectWindow");
    auto* layout = new QVBoxLayout(this);
    prompt_ = new QLabel(run::kNewProjectPromptText, this);
    prompt_->setObjectName(run::control::kNewProjectPrompt);
    layout->addWidget(prompt_);
    name_ = new QLineEdit(this);
    name_->setObjectName(run::control::kNewProjectNameBox);
    layout->addWidget(name_);
    make_ = new QPushButton("Make the project", this);
    make_->setObjectName(run::control::kNewProjectGenerate);
    make_->setDefault(true);
    layout->addWidget(make_, 0, Qt::AlignRight);
    message_ = SelectableLabel(this);
    layout->addWidget(message_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    layout->addWidget(buttons);

    connect(make_, &QPushButton::clicked, this, [this] {
        const QString name = name_->text().trimmed();
        if (!name.isEmpty()) {
            emit makeRequested(name);
        }
    });
    connect(name_, &QLineEdit::returnPressed, make_, &QPushButton::click);
    resize(520, 220);
}

void NewProjectWindow::Reset() {
    name_->clear();
    message_->clear();
    make_->setEnabled(true);
    name_->setFocus();
}

void NewProjectWindow::ShowMessage(const QString& text) {
    message_->setText(text);
}

}  // namespace kavo::gui
