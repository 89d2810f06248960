// The logic's window calls turned into signals carrying copies.
#include "gui/gui_window.h"

namespace kavo::gui {

GuiWindow::GuiWindow(QObject* parent) : QObject(parent) {
    qRegisterMetaType<platform::ProgressPanel>();
    qRegisterMetaType<platform::Control>();
    qRegisterMetaType<platform::ErrorWindowContent>();
    qRegisterMetaType<LogEntry>();
    qRegisterMetaType<std::vector<std::string>>();
}

void GuiWindow::PanelChanged() {
    emit panelChanged(panel());
}

void GuiWindow::ControlChanged(const std::string& name) {
    emit controlChanged(QString::fromStdString(name), control(name));
}

void GuiWindow::ListingChanged() {
    emit listingChanged(listing(), listingVisible());
}

void GuiWindow::ShowErrorWindow(const platform::ErrorWindowContent& content) {
    emit errorWindowShown(content);
}

void GuiWindow::HideErrorWindow() {
    emit errorWindowHidden();
}

void GuiWindow::ShowMessage(const std::string& text) {
    emit messageShown(QString::fromStdString(text));
}

void GuiWindow::LogLineWritten(const std::string& kind, const std::string& line) {
    const std::string& sounding =
        panel().fields[static_cast<std::size_t>(platform::ProgressField::Sounding)];
    emit logLineWritten(LogEntry{QString::fromStdString(kind),
                                 QString::fromStdString(sounding).trimmed(),
                                 QString::fromStdString(line)});
}

}  // namespace kavo::gui
