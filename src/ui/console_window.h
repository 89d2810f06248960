// The window of the kavo command: progress on the terminal, the error window as a framed
// block on stderr, messages and listings on stdout.
#pragma once

#include <iosfwd>

#include "platform/window.h"

namespace kavo::ui {

class ConsoleWindow : public platform::Window {
  public:
    ConsoleWindow(std::ostream& out, std::ostream& err);
    void ShowErrorWindow(const platform::ErrorWindowContent& content) override;
    void ShowMessage(const std::string& text) override;

  private:
    std::ostream& out_;
    std::ostream& err_;
};

// The text block of the error window, as the console shows it.
std::string ErrorWindowText(const platform::ErrorWindowContent& content);

}  // namespace kavo::ui
