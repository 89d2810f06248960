// Fuzz target: the splitting of one input line, with every option set and capacity, and the
// helpers that read the split fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_data_area.h"
#include "tools/errors.h"
#include "tools/line_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    if (size < 2) {
        return 0;
    }
    // The first byte chooses the options, the second the capacity; the rest is the line.
    tools::SplitOptions options;
    options.splitKeyValue = (data[0] & 1) != 0;
    options.blanksSeparate = (data[0] & 2) != 0;
    options.resplitCommas = (data[0] & 4) != 0;
    const std::size_t capacity = data[1];
    const std::string_view line = fuzzing::AsText(data + 2, size - 2);

    tools::SplitKeyValue(line);
    tools::ColumnIdOf(line);
    tools::NumberOrNull(line);
    try {
        std::vector<std::string> breakdown;
        const std::vector<std::string> fields = tools::SplitLine(
            line, options, capacity,
            [&breakdown](std::string_view splitLine, const std::vector<std::string>& splitFields) {
                breakdown = tools::LineBreakdown(splitLine, splitFields);
            });
        if (fields.size() > capacity) {
            __builtin_trap();  // more fields than the caller can take
        }
        for (const std::string& field : fields) {
            tools::NumberOrNull(field);
            tools::ColumnIdOf(field);
        }
    } catch (const tools::DataError&) {
        // An odd number of quotes or too many fields: the reader stops with a data error.
    }
    return 0;
}
