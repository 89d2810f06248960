// A reporter with its tasks-and-issues log and input trace on string streams, and a data area
// in a temporary folder, for the normalisation suites.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "files/paths.h"
#include "platform/file_system.h"
#include "reporting/reporter.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::normalization {

class ReportingFixture : public ::testing::Test {
  protected:
    ReportingFixture() {
        auto logSink = std::make_unique<std::ostringstream>();
        log = logSink.get();
        reporter.OpenTasksLog(std::move(logSink), "Kavo Project", "1.0", "1/1/2024", "00:00");
        log->str("");
        auto traceSink = std::make_unique<std::ostringstream>();
        trace = traceSink.get();
        reporter.OpenTrace(std::move(traceSink));
        dataArea.root = dir.text();
        dataArea.projectName = "ExampleOne";
    }

    // Writes a file into the project folder.
    void WriteProjectFile(const std::string& name, const std::string& bytes) {
        dir.Write("Projects/ExampleOne/" + name, bytes);
    }

    std::string LogText() const { return log->str(); }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    std::ostringstream* log = nullptr;
    std::ostringstream* trace = nullptr;
    files::DataArea dataArea;
};

// Runs `action` and returns the code of the DataError it throws; "" when it throws none.
template <typename Action>
std::string DataErrorCode(Action&& action, std::string* description = nullptr) {
    try {
        action();
    } catch (const tools::DataError& error) {
        if (description != nullptr) {
            *description = error.description();
        }
        return error.code();
    }
    return "";
}

}  // namespace kavo::normalization
