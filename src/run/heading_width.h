// The common width of an output column's heading texts: the longest text found, and the
// others right-aligned to it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kavo::run {

enum class HeadingRequest { Reset, Find, SetSize };

// "RESET", "FIND" or "SET_SIZE"; any other word is a ProgrammingError.
HeadingRequest ParseHeadingRequest(std::string_view word);

// Keeps one running maximum width.
class HeadingWidth {
  public:
    // Reset: the maximum becomes 0. Find: the maximum grows to the text's length. SetSize: the
    // text is padded on the left with blanks up to the maximum.
    void Apply(HeadingRequest request, std::string& text);
    std::int16_t maximum() const { return maximum_; }

  private:
    std::int16_t maximum_ = 0;
};

// Right-aligns all texts to the longest of them (a reset, a find on each, a set-size on each).
void AlignHeadings(std::span<std::string* const> texts);

}  // namespace kavo::run
