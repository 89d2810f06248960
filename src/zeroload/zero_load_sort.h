// The order in which the zero-load file lists the soundings: by device, date and sounding.
#pragma once

#include <string>
#include <vector>

namespace kavo::zeroload {

// The most keys one sort takes.
inline constexpr std::size_t kMaxSortKeys = 1000;

// The positions 1..n of `keys` in the order that makes the keys ascend (ordinal text
// comparison); equal keys keep their order. More than 1000 keys are refused.
std::vector<int> BubbleSortIndex(const std::vector<std::string>& keys);

}  // namespace kavo::zeroload
