// A file of a sounding's output (its table, the table's CSV twin, its chart-direction trace):
// the text is collected in memory, and the file is opened and put in place through the
// reporter's effects, so a sounding computed apart touches its files only when its turn comes
// and in the same order as a sounding computed in turn.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/text_file.h"
#include "reporting/reporter.h"

namespace kavo::output {

class SoundingFile {
  public:
    // `what` names the file in the messages ("the Q1o file"); `openCode` and `writeCode` are
    // the status codes of a file that cannot be opened and of one that could not be written.
    SoundingFile(std::string what, std::string openCode, std::string writeCode)
        : what_(std::move(what)),
          openCode_(std::move(openCode)),
          writeCode_(std::move(writeCode)) {}

    // Opens the file beside its place (system path), as an effect; the effect throws the open
    // code's DataError when it cannot be opened.
    void Open(reporting::Reporter& reporter, const std::string& path);
    platform::TextBuffer& text() { return text_; }
    // Writes the text and puts the file in place, as an effect; the effect throws the write
    // code's DataError when that fails.
    void Commit(reporting::Reporter& reporter);

  private:
    std::string what_;
    std::string openCode_;
    std::string writeCode_;
    std::string path_;
    std::shared_ptr<platform::TextOutput> out_;
    platform::TextBuffer text_;
};

}  // namespace kavo::output
