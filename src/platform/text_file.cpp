#include "platform/text_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/file_system.h"

namespace kavo::platform {

bool TextInput::Open(std::string_view systemPath) {
    Close();
    linesRead_ = 0;
    lastLineEnded_ = true;
    errorNumber_ = 0;
    auto real = ToRealPath(systemPath);
    std::error_code error;
    // A folder, pipe or device is no text file (and a pipe would block the reader).
    if (!std::filesystem::is_regular_file(real, error)) {
        errorNumber_ = error ? error.value() : EINVAL;
        return false;
    }
    errno = 0;
    stream_.open(real, std::ios::binary);
    if (!stream_.is_open()) {
        errorNumber_ = errno != 0 ? errno : EIO;
    }
    return stream_.is_open();
}

bool TextInput::AtEnd() {
    return !stream_.is_open() || stream_.peek() == std::char_traits<char>::eof();
}

bool TextInput::ReadLine(std::string& line) {
    line.clear();
    if (AtEnd()) {
        return false;
    }
    std::getline(stream_, line);
    lastLineEnded_ = !stream_.eof();
    ++linesRead_;
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool TextInput::ReadItem(std::string& item) {
    item.clear();
    // Blanks before the item are skipped; an empty line gives an empty item.
    while (!AtEnd() && stream_.peek() == ' ') {
        stream_.get();
    }
    if (AtEnd()) {
        return false;
    }
    auto endItem = [this] {
        // Consume the separator: a comma, or a line end (CR LF or LF).
        while (!AtEnd() && stream_.peek() == ' ') {
            stream_.get();
        }
        if (AtEnd()) {
            return;
        }
        int c = stream_.get();
        if (c == '\r' && stream_.peek() == '\n') {
            stream_.get();
        }
    };
    if (stream_.peek() == '"') {
        stream_.get();
        int c;
        while ((c = stream_.get()) != std::char_traits<char>::eof() && c != '"') {
            item += static_cast<char>(c);
        }
        // Anything between the closing quote and the separator is dropped.
        while (!AtEnd() && stream_.peek() != ',' && stream_.peek() != '\n' &&
               stream_.peek() != '\r') {
            stream_.get();
        }
        endItem();
        return true;
    }
    while (!AtEnd() && stream_.peek() != ',' && stream_.peek() != '\n' && stream_.peek() != '\r') {
        item += static_cast<char>(stream_.get());
    }
    while (!item.empty() && item.back() == ' ') {
        item.pop_back();
    }
    endItem();
    return true;
}

void TextInput::Close() {
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.clear();
}

TextOutput::~TextOutput() {
    Close();
}

bool TextOutput::Open(std::string_view systemPath, Mode mode) {
    Close();
    mode_ = mode;
    finalPath_ = ToRealPath(systemPath).string();
    writtenPath_ = mode == Mode::ReplaceWhenComplete ? finalPath_ + ".kavo-partial" : finalPath_;
    errno = 0;
    stream_.open(writtenPath_,
                 std::ios::binary | (mode == Mode::Append ? std::ios::app : std::ios::trunc));
    errorNumber_ = stream_.is_open() ? 0 : (errno != 0 ? errno : EIO);
    return stream_.is_open();
}

void TextOutput::Write(std::string_view text) {
    errno = 0;
    stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
    RememberFailure();
}

// The reason of the first failure is kept: later ones follow from it.
void TextOutput::RememberFailure() {
    if (!stream_.good() && errorNumber_ == 0) {
        errorNumber_ = errno != 0 ? errno : EIO;
    }
}

void TextOutput::WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
}

void TextOutput::Flush() {
    errno = 0;
    stream_.flush();
    RememberFailure();
}

bool TextOutput::Commit() {
    if (!stream_.is_open()) {
        return false;
    }
    Flush();
    errno = 0;
    stream_.close();
    RememberFailure();
    bool good = errorNumber_ == 0;
    if (mode_ == Mode::ReplaceWhenComplete) {
        std::error_code error;
        if (good) {
            std::filesystem::rename(writtenPath_, finalPath_, error);
            good = !error;
            errorNumber_ = error ? error.value() : 0;
        }
        if (!good) {
            std::filesystem::remove(writtenPath_, error);
        }
    }
    return good;
}

void TextOutput::Close() {
    if (!stream_.is_open()) {
        return;
    }
    stream_.close();
    if (mode_ == Mode::ReplaceWhenComplete) {
        std::error_code error;
        std::filesystem::remove(writtenPath_, error);
    }
}

}  // namespace kavo::platform
