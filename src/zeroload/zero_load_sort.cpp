// Sorting the zero-load entries by their keys.
#include "zeroload/zero_load_sort.h"

#include <utility>

#include "tools/errors.h"

namespace kavo::zeroload {

std::vector<int> BubbleSortIndex(const std::vector<std::string>& keys) {
    constexpr int kMaxPasses = 9000;
    if (keys.size() > kMaxSortKeys) {
        throw tools::DataError("BS283", "bubble sort issue - " + std::to_string(keys.size()) +
                                            " soundings, at most 1000 can be sorted");
    }
    std::vector<std::string> sorted = keys;
    std::vector<int> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i) + 1;
    }
    for (int pass = 1; pass <= kMaxPasses; ++pass) {
        bool exchanged = false;
        for (std::size_t j = 0; j + 1 < sorted.size(); ++j) {
            if (sorted[j].compare(sorted[j + 1]) > 0) {
                std::swap(sorted[j], sorted[j + 1]);
                std::swap(order[j], order[j + 1]);
                exchanged = true;
            }
        }
        if (!exchanged) {
            return order;
        }
    }
    throw tools::DataError("BS282", "bubble sort issue - trys=9000 ");
}

}  // namespace kavo::zeroload
