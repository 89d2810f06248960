// The clock: seconds since midnight for run durations, and the date and time in the
// system's short forms ("12/8/2026", "2:48:25 AM").
#pragma once

#include <string>

namespace kavo::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual double SecondsSinceMidnight() const = 0;
    virtual std::string ShortDate() const = 0;
    virtual std::string ShortTime() const = 0;
};

class SystemClock : public Clock {
  public:
    double SecondsSinceMidnight() const override;
    std::string ShortDate() const override;
    std::string ShortTime() const override;
};

// A clock that shows what it is told: for tests and golden files.
class FixedClock : public Clock {
  public:
    double seconds = 0;
    std::string date = "1/2/2026";
    std::string time = "3:04:05 PM";
    double SecondsSinceMidnight() const override { return seconds; }
    std::string ShortDate() const override { return date; }
    std::string ShortTime() const override { return time; }
};

}  // namespace kavo::platform
