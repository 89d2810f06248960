#include "platform/environment.h"

#include <cstdlib>

namespace kavo::platform {

std::optional<std::string> SystemEnvironment::Variable(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace kavo::platform
