// A window for tests: it records what the logic showed.
#pragma once

#include <string>
#include <vector>

#include "platform/window.h"

namespace kavo::testing {

class RecordingWindow : public platform::Window {
  public:
    void ShowErrorWindow(const platform::ErrorWindowContent& content) override {
        errorWindows.push_back(content);
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void PanelChanged() override { ++panelChanges; }
    void ProcessEvents() override { ++eventsProcessed; }

    std::vector<platform::ErrorWindowContent> errorWindows;
    std::vector<std::string> messages;
    int panelChanges = 0;
    int eventsProcessed = 0;
};

}  // namespace kavo::testing
