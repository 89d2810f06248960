// The run summary: soundings, sounded length, time and speed of a batch run.
#pragma once

#include <cstdint>
#include <string>

#include "reporting/reporter.h"

namespace kavo::run {

// The value cut (toward minus infinity) at the given decimal place.
float TruncateDecimals(float value, int digits);

// Seconds between two readings of the seconds-since-midnight timer; a run that passed
// midnight is counted across it.
float ElapsedSeconds(double startSeconds, double nowSeconds);

// The seconds a loop over `total` items has left after `done` of them took `elapsedSeconds`:
// their mean time for each item still to do; negative while none is done to time.
double SecondsLeft(int done, int total, double elapsedSeconds);

// "345 total feet in 12 secs     @ 27 ft/sec": the time in seconds up to a minute, else
// in minutes to one decimal; the speed in whole feet per second (0 when no time passed).
std::string SpeedText(float totalFeet, float elapsedSeconds);

// The summary as the progress panel shows it.
reporting::ProgressReport RunSummary(float totalFeet, std::int16_t totalSoundings,
                                     float elapsedSeconds, const std::string& soundingsFolder,
                                     const std::string& zeroLoadFileName);

}  // namespace kavo::run
