// The environment of the program: its variables, and the program's own version
// information and location.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace kavo::platform {

class Environment {
  public:
    virtual ~Environment() = default;
    virtual std::optional<std::string> Variable(const std::string& name) const = 0;
};

class SystemEnvironment : public Environment {
  public:
    std::optional<std::string> Variable(const std::string& name) const override;
};

// Variables from a table: for tests.
class MapEnvironment : public Environment {
  public:
    std::map<std::string, std::string> variables;
    std::optional<std::string> Variable(const std::string& name) const override {
        auto it = variables.find(name);
        if (it == variables.end()) {
            return std::nullopt;
        }
        return it->second;
    }
};

// The program's version information, as its executable carries it.
struct ProgramInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string company;
    std::string comment;
    std::string programPath;  // the running executable
};

}  // namespace kavo::platform
