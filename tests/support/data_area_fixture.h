// A reporter on a recording window and a data area in a temporary folder, for the suites that
// read and write the data area's files.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "files/paths.h"
#include "platform/file_system.h"
#include "reporting/reporter.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::testing {

class DataAreaFixture : public ::testing::Test {
  protected:
    explicit DataAreaFixture(const std::string& projectName = "ExampleOne")
        : area{dir.text(), projectName} {}

    TempDir dir;
    RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    files::DataArea area;
};

}  // namespace kavo::testing
