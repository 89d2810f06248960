// Catching the data error an action throws.
#include "support/data_error.h"

#include <gtest/gtest.h>

namespace kavo::testing {

tools::DataError DataErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const tools::DataError& error) {
        return error;
    }
    ADD_FAILURE() << "no data error";
    return tools::DataError("", "");
}

std::pair<std::string, std::string> CodeAndDescriptionOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const tools::DataError& error) {
        return {error.code(), error.description()};
    }
    return {"no error", ""};
}

}  // namespace kavo::testing
