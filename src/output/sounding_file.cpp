// Writing a file of a sounding's output through the reporter's effects.
#include "output/sounding_file.h"

#include <cstring>

#include "tools/errors.h"

namespace kavo::output {

void SoundingFile::Open(reporting::Reporter& reporter, const std::string& path) {
    path_ = path;
    out_ = std::make_shared<platform::TextOutput>();
    reporter.Effect([out = out_, path, what = what_, code = openCode_] {
        if (!out->Open(path, platform::TextOutput::Mode::ReplaceWhenComplete)) {
            throw tools::DataError(code, what + " cannot be opened: " + path + " (" +
                                             std::strerror(out->errorNumber()) + ")");
        }
    });
}

void SoundingFile::Commit(reporting::Reporter& reporter) {
    // The text moves into the effect: a sounding computed apart keeps it until its turn.
    reporter.Effect([out = out_, path = path_, what = what_, code = writeCode_,
                     text = std::make_shared<platform::TextBuffer>(std::move(text_))] {
        out->Write(text->text());
        if (!out->Commit()) {
            throw tools::DataError(code, what + " could not be written: " + path + " (" +
                                             std::strerror(out->errorNumber()) + ")");
        }
    });
    text_ = platform::TextBuffer{};
}

}  // namespace kavo::output
