// Building the run summary texts.
#include "run/run_summary.h"

#include <algorithm>
#include <cmath>

#include "tools/number_text.h"

namespace kavo::run {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kLargestRate = 1e9;

}  // namespace

float TruncateDecimals(float value, int digits) {
    const double scale = std::pow(10.0, digits);
    // The scaled value is taken as a single first, so 0.7 to one decimal stays 0.7.
    const auto scaled = static_cast<float>(static_cast<double>(value) * scale);
    return static_cast<float>(std::floor(static_cast<double>(scaled)) / scale);
}

float ElapsedSeconds(double startSeconds, double nowSeconds) {
    double elapsed = nowSeconds - startSeconds;
    if (elapsed < 0) {
        elapsed += kSecondsPerDay;
    }
    return static_cast<float>(elapsed);
}

double SecondsLeft(int done, int total, double elapsedSeconds) {
    if (done <= 0) {
        return -1;
    }
    return elapsedSeconds / done * std::max(0, total - done);
}

std::string SpeedText(float totalFeet, float elapsedSeconds) {
    const std::string timeText =
        elapsedSeconds <= 60.0f
            ? tools::SingleText(TruncateDecimals(elapsedSeconds, 0)) + " secs "
            : tools::SingleText(TruncateDecimals(elapsedSeconds / 60.0f, 1)) + " mins ";
    float rate = 0;
    if (elapsedSeconds > 0) {
        const double tenths = std::floor(static_cast<double>(totalFeet) * 10.0 / elapsedSeconds);
        // Held to a plain whole number whatever tiny time the timer reports.
        rate = static_cast<float>(std::min(std::floor(tenths / 10.0), kLargestRate));
    }
    const auto wholeFeet = static_cast<float>(std::floor(static_cast<double>(totalFeet)));
    return tools::SingleText(wholeFeet) + " total feet" + " in " + timeText + "    @ " +
           tools::SingleText(rate) + " ft/sec";
}

reporting::ProgressReport RunSummary(float totalFeet, std::int16_t totalSoundings,
                                     float elapsedSeconds, const std::string& soundingsFolder,
                                     const std::string& zeroLoadFileName) {
    reporting::ProgressReport summary;
    summary.mainRoutine = "           Done";
    summary.operations = SpeedText(totalFeet, elapsedSeconds);
    summary.sounding = tools::IntegerText(totalSoundings) + " total Soundings";
    summary.inputFile = " ";
    summary.outputFile = "Q1o files are in     " + soundingsFolder;
    summary.process = "Zero load data File      " + zeroLoadFileName;
    summary.value = " ";
    summary.statusCode = " ";
    return summary;
}

}  // namespace kavo::run
