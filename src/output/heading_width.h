// Right-aligning a group of heading texts to the width of the longest of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kavo::output {

// Keeps one running maximum width: Reset, Find each text, then SetSize each text.
class HeadingWidth {
  public:
    void Reset() { width_ = 0; }
    // Raises the maximum to the length of `text` if that is longer.
    void Find(std::string_view text);
    // Pads `text` on the left with blanks up to the maximum; a text at (or beyond) it stays.
    void SetSize(std::string& text) const;
    int width() const { return width_; }

  private:
    std::int16_t width_ = 0;
};

}  // namespace kavo::output
