// The two ways processing can stop: bad data, and a fault of the program itself.
#pragma once

#include <stdexcept>
#include <string>

namespace kavo::tools {

// Bad data that the program cannot work around. Thrown where it is found, with the status
// code of that place and the description the user reads; caught once at the top of each
// action, which reports it and ends the program with exit status 1.
class DataError : public std::runtime_error {
  public:
    DataError(std::string code, std::string description)
        : std::runtime_error(code + ": " + description),
          code_(std::move(code)),
          description_(std::move(description)) {}
    const std::string& code() const { return code_; }
    const std::string& description() const { return description_; }

  private:
    std::string code_;
    std::string description_;
};

// A fault of the program: an unknown command word, a broken invariant. Exit status 70.
class ProgrammingError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

}  // namespace kavo::tools
