// The main window's other windows: the error window of the first data error, the listing
// window of line breakdowns and the equation test, and the new-project window.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <string>
#include <vector>

#include "platform/window.h"

namespace kavo::gui {

// "Error reporting": the error block's texts, the remembered progress fields and the last
// six input lines. "Proceed" closes it; the program then ends.
class ErrorWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ErrorWindow(QWidget* parent = nullptr);
    void Show(const platform::ErrorWindowContent& content);

    QString code() const { return code_->text(); }
    QString description() const { return description_->text(); }
    QPushButton* proceedButton() const { return proceed_; }

  private:
    QLabel* code_;
    QLabel* description_;
    std::vector<QLabel*> fields_;  // main routine, operation, process, sounding, input,
                                   // output, value
    QTableWidget* lines_;
    QPushButton* proceed_;
};

// "Listing Area": the lines of the line breakdown or the equation test.
class ListingWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ListingWindow(QWidget* parent = nullptr);
    void SetLines(const std::vector<std::string>& lines);
    QString text() const { return text_->toPlainText(); }

  private:
    QPlainTextEdit* text_;
};

// The new-project window: the prompt, the project-name box and the button that makes the
// project; after the project is made it shows "New project = " and the closing message.
class NewProjectWindow : public QDialog {
    Q_OBJECT
  public:
    explicit NewProjectWindow(QWidget* parent = nullptr);
    // Ready for a new name.
    void Reset();
    void ShowMessage(const QString& text);

    QLineEdit* nameBox() const { return name_; }
    QPushButton* makeButton() const { return make_; }
    QLabel* prompt() const { return prompt_; }
    QString message() const { return message_->text(); }

  signals:
    void makeRequested(const QString& name);

  private:
    QLabel* prompt_;
    QLineEdit* name_;
    QPushButton* make_;
    QLabel* message_;
};

}  // namespace kavo::gui
