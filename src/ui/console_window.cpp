#include "ui/console_window.h"

#include <ostream>
#include <sstream>

namespace kavo::ui {

ConsoleWindow::ConsoleWindow(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

std::string ErrorWindowText(const platform::ErrorWindowContent& content) {
    static constexpr const char* kRowTitles[] = {
        "Last input Line",        "2nd to last input line", "3rd to last input line",
        "4nd to last input line", "5th to last input line", "6th to last input line"};
    std::ostringstream text;
    const std::string rule(78, '=');
    text << rule << "\n";
    text << "Error reporting\n";
    text << "Data Error has occured\n";
    text << "processing has stopped - correct data error and rerun\n";
    text << "Kavo software  Error Code: " << content.code << "\n";
    text << "Error description: " << content.description << "\n";
    text << "Main Routine: " << content.mainRoutine << "\n";
    text << "Operation: " << content.operations << "\n";
    text << "Process: " << content.process << "\n";
    text << "Sounding: " << content.sounding << "\n";
    text << "Input File: " << content.inputFile << "\n";
    text << "Output File: " << content.outputFile << "\n";
    text << "Value: " << content.value << "\n";
    text << "For your reference, the following are the last __ inputted data lines;\n";
    for (std::size_t i = 0; i < content.lastLines.size() && i < 6; ++i) {
        const auto& row = content.lastLines[i];
        text << kRowTitles[i] << ":\n";
        text << "   file name: " << row.fileName << "\n";
        text << "   Data file inputted line: " << row.line << "\n";
        text << "   Input description: " << row.description << "\n";
    }
    text << rule << "\n";
    return text.str();
}

void ConsoleWindow::ShowErrorWindow(const platform::ErrorWindowContent& content) {
    err_ << ErrorWindowText(content) << std::flush;
}

void ConsoleWindow::ShowMessage(const std::string& text) {
    out_ << text << "\n" << std::flush;
}

}  // namespace kavo::ui
