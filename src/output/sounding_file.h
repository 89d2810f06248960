// A file of a sounding's output (its table, the table's CSV twin, its chart-direction trace):
// the text is collected in memory, and the file is opened and put in place through the
// reporter's effects, so a sounding computed apart touches its files only when its turn comes
// and in the same order as a sounding computed in turn.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/text_file.h"
#include "reporting/reporter.h"
#include "tools/errors.h"

namespace kavo::output {

class SoundingFile {
  public:
    // The error of a file that cannot be opened or written, from the system's error number.
    using ErrorFor = std::function<tools::DataError(int errorNumber)>;

    SoundingFile(ErrorFor cannotOpen, ErrorFor cannotWrite)
        : cannotOpen_(std::move(cannotOpen)), cannotWrite_(std::move(cannotWrite)) {}

    // Opens the file beside its place (system path), as an effect; the effect throws the
    // cannot-open error when it cannot be opened.
    void Open(reporting::Reporter& reporter, const std::string& path);
    platform::TextBuffer& text() { return text_; }
    // Writes the text and puts the file in place, as an effect; the effect throws the
    // cannot-write error when that fails.
    void Commit(reporting::Reporter& reporter);

  private:
    ErrorFor cannotOpen_;
    ErrorFor cannotWrite_;
    std::shared_ptr<platform::TextOutput> out_;
    platform::TextBuffer text_;
};

}  // namespace kavo::output
