// Reading and writing the setup file.
#include "setup/setup_file.h"

#include <array>
#include <string_view>
#include <utility>

#include "files/data_names.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"

namespace kavo::setup {
namespace {

// The bit each item adds to the found-mask.
enum ItemBit : int {
    kFormatBit = 1,
    kUnitsBit = 2,
    kUserBit = 4,
    kProjectBit = 8,
    kEquipmentBit = 16,
    kErrorBit = 32,
    kEndBit = 64,
};
constexpr int kAllItems = 127;

// The items by their bits, as the setup file writes them, for messages.
constexpr std::array<std::pair<int, std::string_view>, 7> kItemNames{{
    {kFormatBit, kFormatMark},
    {kUnitsBit, "Last_Units"},
    {kUserBit, "Last_user"},
    {kProjectBit, "Last_Project"},
    {kEquipmentBit, "Last_Equipment"},
    {kErrorBit, "Last_Error"},
    {kEndBit, "End"},
}};

// "missing Last_Error, End; repeated Last_user" from the number of times each item was met.
std::string ItemProblems(const std::array<int, kItemNames.size()>& seen) {
    std::string missing;
    std::string repeated;
    for (std::size_t i = 0; i < kItemNames.size(); ++i) {
        std::string& list = seen[i] == 0 ? missing : repeated;
        if (seen[i] != 1) {
            list += (list.empty() ? "" : ", ") + std::string(kItemNames[i].second);
        }
    }
    std::string text = missing.empty() ? "" : "missing " + missing;
    if (!repeated.empty()) {
        text += (text.empty() ? "" : "; ") + ("repeated " + repeated);
    }
    return text;
}

constexpr int kMaxSetupLines = 9999;

const std::string kBadFile = "bad setup File ";

}  // namespace

void ReadSetupFile(reporting::Reporter& reporter, files::DataArea& area, SetupValues& values) {
    reporter.ReportProgress({"Setup file reading", "", "", "", "", "", "", "WS182"});
    const std::string path = files::PathFor(area, files::PathKey::Software) + kSetupFileName;
    reporting::TracedInput file;
    if (!reporter.TraceOpenForReading(file, path, "setupfile")) {
        // The system's text names a missing file already; any other reason is news.
        std::string text =
            "Kavo can't read setup file: " + path + ", either already open or does not exist";
        if (platform::KindOfPath(path) != platform::PathKind::Missing) {
            text += " (" + file.WhyNotOpened() + ")";
        }
        throw tools::DataError("ESF812", text);
    }

    SetupValues read;
    int foundMask = 0;
    int expectedMask = 0;
    std::array<int, kItemNames.size()> seen{};
    const auto found = [&foundMask, &seen](int bit) {
        foundMask += bit;
        for (std::size_t i = 0; i < kItemNames.size(); ++i) {
            seen[i] += kItemNames[i].first == bit ? 1 : 0;
        }
    };
    bool badLine = false;
    bool formatMisplaced = false;
    std::string line;
    for (int number = 1; number <= kMaxSetupLines && !file.AtEnd(); ++number) {
        reporter.TraceLineInput(file, line, path, "reading sestup file");
        const std::string item = tools::UpperCopy(tools::Trim(line));
        if (item == tools::UpperCopy(kFormatMark)) {
            if (number != 2) {
                formatMisplaced = true;
                break;
            }
            found(kFormatBit);
            continue;
        }
        if (item == "END" || item == "EOH") {
            found(kEndBit);
            expectedMask = kAllItems;
            continue;
        }
        if (item.empty()) {
            continue;  // a blank line holds no item
        }
        const tools::KeyValue pair = tools::SplitKeyValue(line);
        if (!pair.found) {
            if (number == 1) {
                continue;  // the title
            }
            badLine = true;
            break;
        }
        const std::string key = tools::UpperCopy(pair.key);
        if (key == "LAST_UNITS") {
            read.lastUnits = pair.value;
            found(kUnitsBit);
        } else if (key == "LAST_USER") {
            read.lastUser = pair.value;
            found(kUserBit);
        } else if (key == "LAST_PROJECT") {
            files::CheckDataName(
                pair.value, "project name (Last_Project)",
                platform::ToRealPath(path).string() + " line " + std::to_string(number));
            read.lastProject = pair.value;
            found(kProjectBit);
        } else if (key == "LAST_EQUIPMENT") {
            read.lastEquipment = pair.value;
            found(kEquipmentBit);
        } else if (key == "LAST_ERROR") {
            read.lastError = pair.value;
            found(kErrorBit);
        }
    }

    if (badLine) {
        throw tools::DataError("SF931", kBadFile + "---> contains a bad line= " + line);
    }
    if (formatMisplaced || (foundMask & kFormatBit) == 0) {
        throw tools::DataError("YV803",
                               kBadFile + "---> second line must be= " + std::string(kFormatMark));
    }
    if (foundMask != expectedMask) {
        throw tools::DataError(
            "YV777", kBadFile + "---> not all required items are in the file; " + "---> ID=" +
                         std::to_string(foundMask) + "/" + std::to_string(expectedMask) + " (" +
                         platform::ToRealPath(path).string() + ": " + ItemProblems(seen) + ")");
    }
    file.Close();
    values = read;
    area.projectName = values.lastProject;
}

void WriteSetupFile(reporting::Reporter& reporter, const files::DataArea& area,
                    const SetupValues& values) {
    reporter.ReportProgress({"Setup File writing", " ", " ", " ", " ", " ", " ", "SFW112"});
    const std::string folder = files::PathFor(area, files::PathKey::Software);
    const std::string path = folder + kSetupFileName;
    const std::string backupPath = folder + kSetupBackupName;
    if (!platform::CopyFileReplacing(path, backupPath)) {
        throw tools::DataError("ESF342", "can't make backup copy of setup file ---> from " + path +
                                             " to --->" + backupPath);
    }
    auto cannotWrite = [&path](int errorNumber) {
        return tools::DataError(
            "ESF112", "can't write setup file to " + path +
                          ", maybe open by another program? e=" + std::to_string(errorNumber) +
                          " (" + platform::SystemReason(errorNumber) + ")");
    };
    // Written beside the old file and put in its place only when complete, so a failed
    // write never leaves half a setup file.
    platform::TextOutput out;
    if (!out.Open(path, platform::TextOutput::Mode::ReplaceWhenComplete)) {
        throw cannotWrite(out.errorNumber());
    }
    out.WriteLine("Kavo software setup file");
    out.WriteLine(kFormatMark);
    out.WriteLine("Last_Units=" + values.lastUnits);
    out.WriteLine("Last_user=" + values.lastUser);
    out.WriteLine("Last_Project=" + values.lastProject);
    out.WriteLine("Last_Equipment=" + values.lastEquipment);
    out.WriteLine("Last_Error=" + values.lastError);
    out.WriteLine("End");
    if (!out.Commit()) {
        throw cannotWrite(out.errorNumber());
    }
}

}  // namespace kavo::setup
