// Fixed-width number formatting: every number of every output table goes through here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kavo::tools {

// A print mask ("###.###", "  ##.####,", ...) taken apart once: the blanks around it, the
// "#" core with its integer width and decimals, and the closing comma.
class FixedMask {
  public:
    constexpr FixedMask() = default;
    constexpr explicit FixedMask(std::string_view mask) : length_(mask.size()) {
        const std::size_t first = mask.find_first_not_of(' ');
        if (first == std::string_view::npos) {
            lead_ = mask.size();
            return;
        }
        const std::size_t last = mask.find_last_not_of(' ');
        lead_ = first;
        trail_ = mask.size() - 1 - last;
        std::string_view core = mask.substr(first, last - first + 1);
        if (core.back() == ',') {
            comma_ = true;
            core.remove_suffix(1);
        }
        const std::size_t point = core.find('.');
        point_ = point != std::string_view::npos;
        integerWidth_ = point_ ? point : core.size();
        decimals_ = point_ ? core.size() - point - 1 : 0;
    }

    std::size_t length() const { return length_; }
    std::size_t lead() const { return lead_; }
    std::size_t trail() const { return trail_; }
    std::size_t integerWidth() const { return integerWidth_; }  // core characters before "."
    std::size_t decimals() const { return decimals_; }          // core characters after "."
    bool point() const { return point_; }
    bool comma() const { return comma_; }
    std::size_t coreWidth() const { return integerWidth_ + (point_ ? 1 + decimals_ : 0); }

  private:
    std::size_t length_ = 0;
    std::size_t lead_ = 0;
    std::size_t trail_ = 0;
    std::size_t integerWidth_ = 0;
    std::size_t decimals_ = 0;
    bool point_ = false;
    bool comma_ = false;
};

// Appends the value as a text of the mask's width: integer part right-aligned, exactly the
// mask's decimals (surplus cut, not rounded, after rounding to seven significant digits),
// fixed renderings for zero and for the missing value -5435 (underscores when
// nullAsUnderscores).
void AppendFixed(std::string& out, float value, const FixedMask& mask, bool nullAsUnderscores);

// The same as a text of its own.
std::string FormatFixed(float value, const FixedMask& mask, bool nullAsUnderscores);
std::string FormatFixed(float value, std::string_view mask, bool nullAsUnderscores);

}  // namespace kavo::tools
