#include "platform/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace kavo::platform {
namespace {

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

double SystemClock::SecondsSinceMidnight() const {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t whole = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&whole, &local);
    double fraction = duration<double>(now - system_clock::from_time_t(whole)).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::string SystemClock::ShortDate() const {
    std::tm t = LocalNow();
    return std::to_string(t.tm_mon + 1) + "/" + std::to_string(t.tm_mday) + "/" +
           std::to_string(t.tm_year + 1900);
}

std::string SystemClock::ShortTime() const {
    std::tm t = LocalNow();
    int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, t.tm_min, t.tm_sec,
                  t.tm_hour < 12 ? "AM" : "PM");
    return text;
}

}  // namespace kavo::platform
