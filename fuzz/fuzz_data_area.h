// What every fuzz target shares: a data area in a temporary folder laid out like the example
// one, a silent window and a reporter whose log and trace go nowhere, and the rule that a data
// error is the program's proper answer to bad input while anything else escaping is a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "files/paths.h"
#include "platform/file_system.h"
#include "platform/window.h"
#include "reporting/reporter.h"

namespace kavo::fuzzing {

inline constexpr const char* kProjectName = "ExampleOne";

class SilentWindow : public platform::Window {
  public:
    void ShowErrorWindow(const platform::ErrorWindowContent& /*content*/) override {}
    void ShowMessage(const std::string& /*text*/) override {}
};

// The data area of the whole fuzzing process: Projects/ExampleOne/Soundings, software and
// "SLD input" under a fresh temporary folder, removed when the process ends normally.
class FuzzDataArea {
  public:
    FuzzDataArea();
    ~FuzzDataArea();
    FuzzDataArea(const FuzzDataArea&) = delete;
    FuzzDataArea& operator=(const FuzzDataArea&) = delete;

    const files::DataArea& area() const { return area_; }
    // Writes exactly `bytes` to the file at `relative` (folders separated by "/"), replacing it.
    void Write(std::string_view relative, std::string_view bytes) const;
    // The one data area of this process.
    static FuzzDataArea& Get();

  private:
    std::string root_;
    files::DataArea area_;
};

// A window and a reporter for one input, the log and the trace open on sinks that drop
// everything, as in a run.
struct FuzzReporting {
    FuzzReporting();
    SilentWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
};

// Runs `read` the way an action does: a data error is reported through the error report
// (which formats the remembered input lines) and ends the attempt; any other exception
// propagates, and libFuzzer counts it as a crash.
void ReadAsTheProgramDoes(reporting::Reporter& reporter, const std::function<void()>& read);

// Writes `bytes` as the field data file `fileName` of sounding "FZ-01" in the soundings folder
// and reads the sounding as the batch run does: through the folder finder and the reader of the
// file found.
void ReadSoundingFile(std::string_view fileName, std::string_view bytes);

// The fuzz input as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kavo::fuzzing
