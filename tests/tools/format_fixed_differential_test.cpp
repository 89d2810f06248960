// The formatter against the string-by-string reference it replaced, bit for bit, over a
// million random values (all bit patterns, and values like those of the output tables).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "format_fixed_reference.h"
#include "tools/format_fixed.h"

namespace kavo::tools {
namespace {

// The sanitizers and an unoptimised build make each call many times slower: fewer values
// there keep the suite quick, the optimised build checks the full million.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr int kValues = 60000;
#else
constexpr int kValues = 1000000;
#endif

// Every mask the program writes with, and odd ones the parse must also take.
const std::vector<std::string> kMasks = {"##.###",
                                         "###.##",
                                         "###.###",
                                         "##.####",
                                         "######.##",
                                         "#.####",
                                         "####.#",
                                         "#.###",
                                         "###.#",
                                         "#####",
                                         "####",
                                         "######",
                                         "#####.#",
                                         "#.######",
                                         "#######",
                                         "  ###.##",
                                         " ####.###",
                                         "          ##.#####",
                                         "####.###",
                                         "#####.####",
                                         "#####.###",
                                         "##.",
                                         "##.#,  ",
                                         "####.###,",
                                         "   ###",
                                         "",
                                         "   ",
                                         "#",
                                         ".##",
                                         "#.#.#",
                                         "###############.##",
                                         "##,",
                                         "#.##########"};

float RealisticValue(std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 5);
    switch (kind(random)) {
        case 0:  // measured and predicted values
            return std::uniform_real_distribution<float>(-50.0f, 1000.0f)(random);
        case 1:  // small ratios and exponents
            return std::uniform_real_distribution<float>(-1.0f, 1.0f)(random);
        case 2: {  // the missing value and its neighbours
            const float null = -5435.0f;
            const int steps = std::uniform_int_distribution<int>(-3, 3)(random);
            return std::bit_cast<float>(std::bit_cast<std::uint32_t>(null) +
                                        static_cast<std::uint32_t>(steps));
        }
        case 3:  // whole numbers and few decimals
            return static_cast<float>(std::uniform_int_distribution<int>(-20000, 20000)(random)) /
                   std::uniform_int_distribution<int>(1, 4)(random) * 0.5f;
        case 4:  // wide magnitudes, tiny to huge
            return std::pow(10.0f, std::uniform_real_distribution<float>(-20.0f, 20.0f)(random)) *
                   (random() % 2 == 0 ? 1.0f : -1.0f);
        default:  // any bit pattern: subnormals, infinities and NaN too
            return std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    }
}

TEST(FormatFixedDifferential, EqualsTheReferenceForRandomValuesAndEveryMask) {
    std::vector<FixedMask> parsed;
    for (const std::string& mask : kMasks) {
        parsed.emplace_back(mask);
    }
    std::mt19937 random(20261208);
    int mismatches = 0;
    for (int i = 0; i < kValues && mismatches < 10; ++i) {
        const float value = RealisticValue(random);
        const std::size_t m = static_cast<std::size_t>(i) % kMasks.size();
        const bool underscores = (i / static_cast<int>(kMasks.size())) % 2 == 0;
        const std::string expected = reference::FormatFixedReference(value, kMasks[m], underscores);
        std::string text;
        AppendFixed(text, value, parsed[m], underscores);
        if (text != expected) {
            ++mismatches;
            ADD_FAILURE() << std::hexfloat << value << " with '" << kMasks[m] << "': '" << text
                          << "', reference '" << expected << "'";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kavo::tools
