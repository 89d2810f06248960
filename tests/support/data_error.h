// Catching the data error an action throws, for the suites that check error codes and texts.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "tools/errors.h"

namespace kavo::testing {

// Runs `action` and returns the data error it throws; fails the test when it throws none.
tools::DataError DataErrorOf(const std::function<void()>& action);

// Runs `action` and returns the code and description of the data error it throws;
// {"no error", ""} when it throws none.
std::pair<std::string, std::string> CodeAndDescriptionOf(const std::function<void()>& action);

}  // namespace kavo::testing
