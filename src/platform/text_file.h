// Text files: readers accept CR LF and LF line ends, writers end every line with CR LF.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

namespace kavo::platform {

// What a file written beside its place is called until it is complete.
inline constexpr std::string_view kUnfinishedSuffix = ".kavo-partial";

// Removes the unfinished files (ordinary files named "*.kavo-partial") that a program which
// ended before it could finish them left anywhere under the folder; returns how many.
int RemoveUnfinishedFiles(std::string_view systemFolder);

class TextInput {
  public:
    // Opens a system path for reading; false when it cannot be opened (errorNumber() tells
    // the system's reason when the path is an ordinary file).
    bool Open(std::string_view systemPath);
    int errorNumber() const { return errorNumber_; }
    bool IsOpen() const { return stream_.is_open(); }
    // True when no more characters can be read.
    bool AtEnd();
    // Reads the next line without its line end; false (and an empty line) at the end.
    bool ReadLine(std::string& line);
    // False when the last line read ran to the end of the file without a line end: the
    // last line of a file cut short.
    bool LastLineEnded() const { return lastLineEnded_; }
    // The number of lines read since the file was opened: the number of the last one.
    int LinesRead() const { return linesRead_; }
    // Reads the next item of a comma- or line-separated list (quotes removed, blanks
    // around it trimmed); false at the end.
    bool ReadItem(std::string& item);
    void Close();

  private:
    std::ifstream stream_;
    bool lastLineEnded_ = true;
    int linesRead_ = 0;
    int errorNumber_ = 0;
};

// Text collected in memory with the writers' line ends, for a file written whole later.
class TextBuffer {
  public:
    void Write(std::string_view text) { text_ += text; }
    // Room for `extra` more characters, so that a text of known size grows in one step.
    void Reserve(std::size_t extra) { text_.reserve(text_.size() + extra); }
    void WriteLine(std::string_view text) {
        text_ += text;
        text_ += "\r\n";
    }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

class TextOutput {
  public:
    enum class Mode {
        Replace,              // write the file in place, replacing an older one
        Append,               // add to the end of the file
        ReplaceWhenComplete,  // write beside it and put it in place on Commit(), so an
                              // unfinished table never replaces a finished one
    };
    TextOutput() = default;
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;
    ~TextOutput();

    // Opens a system path for writing; false when it cannot be opened (errorNumber() tells
    // why).
    bool Open(std::string_view systemPath, Mode mode);
    bool IsOpen() const { return stream_.is_open(); }
    void Write(std::string_view text);
    void WriteLine(std::string_view text);  // text, then CR LF
    void Flush();
    // Closes the file; with ReplaceWhenComplete puts it in place. False when writing or
    // putting it in place failed (errorNumber() tells why).
    bool Commit();
    // Closes the file; with ReplaceWhenComplete an uncommitted file is thrown away.
    void Close();
    int errorNumber() const { return errorNumber_; }

  private:
    void RememberFailure();

    std::ofstream stream_;
    std::string finalPath_;
    std::string writtenPath_;
    Mode mode_ = Mode::Replace;
    int errorNumber_ = 0;
};

}  // namespace kavo::platform
