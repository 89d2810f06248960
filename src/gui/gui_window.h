// The window the logic talks to in kavo-gui. The logic runs on the worker thread; every
// change it makes to the panel, a control, the listing or the error window is sent to the
// widgets as a copy, through signals that Qt queues to the window's thread.
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "platform/window.h"

namespace kavo::gui {

// One line of the tasks-and-issues log with its kind ("TASK", "ISSUE") and the sounding
// the panel showed when it was written.
struct LogEntry {
    QString kind;
    QString sounding;
    QString line;
};

class GuiWindow : public QObject, public platform::Window {
    Q_OBJECT
  public:
    explicit GuiWindow(QObject* parent = nullptr);

    void PanelChanged() override;
    void ControlChanged(const std::string& name) override;
    void ListingChanged() override;
    void ShowErrorWindow(const platform::ErrorWindowContent& content) override;
    void HideErrorWindow() override;
    void ShowMessage(const std::string& text) override;
    void LogLineWritten(const std::string& kind, const std::string& line) override;

  signals:
    void panelChanged(const kavo::platform::ProgressPanel& panel);
    void controlChanged(const QString& name, const kavo::platform::Control& control);
    void listingChanged(const std::vector<std::string>& lines, bool visible);
    void errorWindowShown(const kavo::platform::ErrorWindowContent& content);
    void errorWindowHidden();
    void messageShown(const QString& text);
    void logLineWritten(const kavo::gui::LogEntry& entry);
};

}  // namespace kavo::gui

Q_DECLARE_METATYPE(kavo::platform::ProgressPanel)
Q_DECLARE_METATYPE(kavo::platform::Control)
Q_DECLARE_METATYPE(kavo::platform::ErrorWindowContent)
Q_DECLARE_METATYPE(kavo::gui::LogEntry)
