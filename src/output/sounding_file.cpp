// Writing a file of a sounding's output through the reporter's effects.
#include "output/sounding_file.h"

namespace kavo::output {

void SoundingFile::Open(reporting::Reporter& reporter, const std::string& path) {
    out_ = std::make_shared<platform::TextOutput>();
    reporter.Effect([out = out_, path, cannotOpen = cannotOpen_] {
        if (!out->Open(path, platform::TextOutput::Mode::ReplaceWhenComplete)) {
            throw cannotOpen(out->errorNumber());
        }
    });
}

void SoundingFile::Commit(reporting::Reporter& reporter) {
    // The text moves into the effect: a sounding computed apart keeps it until its turn.
    reporter.Effect([out = out_, cannotWrite = cannotWrite_,
                     text = std::make_shared<platform::TextBuffer>(std::move(text_))] {
        out->Write(text->text());
        if (!out->Commit()) {
            throw cannotWrite(out->errorNumber());
        }
    });
    text_ = platform::TextBuffer{};
}

}  // namespace kavo::output
