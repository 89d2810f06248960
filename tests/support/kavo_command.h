// The built kavo program run as a separate process on a data area, with what it wrote and the
// status it ended with.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace kavo::testing {

struct KavoResult {
    std::string out;
    std::string err;
    int status = -1;  // -1 when it could not start or did not end normally
};

// The built program named by KAVO_BIN; empty when the variable is not set.
std::string KavoBinary();

// Runs the built kavo with `--data-root dataRoot` and `arguments` (already quoted for the
// shell), standard input read from `input`; collects standard output and standard error.
KavoResult RunKavo(const std::filesystem::path& dataRoot, const std::string& arguments,
                   const std::string& input = "");

// A suite of runs of the built kavo: each test is skipped when KAVO_BIN is not set.
class KavoCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (KavoBinary().empty()) {
            GTEST_SKIP() << "KAVO_BIN is not set";
        }
    }
};

// Runs of the built kavo on a fresh copy of the example data area, made for each test.
class ExampleAreaCommandTest : public KavoCommandTest {
  protected:
    TempDir dir;

    void SetUp() override;
    std::filesystem::path root() const { return dir.path() / "Kavo"; }
    KavoResult Kavo(const std::string& arguments) const { return RunKavo(root(), arguments); }
};

}  // namespace kavo::testing
