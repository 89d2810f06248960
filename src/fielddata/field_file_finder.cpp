// Finding a sounding's field data file among the files of the soundings folder.
#include "fielddata/field_file_finder.h"

#include <filesystem>
#include <map>

#include "platform/file_system.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::fielddata {

namespace {

// Output tables are written beside the field files: "KV-01_Q1o.txt" and its CSV copy.
constexpr std::string_view kOutputMarker = "_Q1O.";

std::vector<std::string> FolderFiles(const std::string& folder) {
    return platform::ListMatching(folder + "*", platform::EntryKind::File);
}

bool IsOutputTable(std::string_view upperName) {
    return upperName.find(kOutputMarker) != std::string_view::npos;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

struct AgsFileTests {
    std::string fileName;
    std::vector<AgsTestId> tests;
};

std::vector<AgsFileTests> AgsTestsOf(const std::string& folder,
                                     const std::vector<std::string>& files) {
    std::vector<AgsFileTests> found;
    for (const std::string& name : files) {
        if (tools::UpperCopy(name).ends_with(".AGS")) {
            found.push_back({name, ListAgsTests(folder + name, name)});
        }
    }
    return found;
}

FieldFileChoice AgsChoice(const std::string& folder, const std::string& fileName,
                          const AgsTestId& test) {
    return {FieldFormat::Ags, folder + fileName, fileName, test};
}

[[noreturn]] void ThrowSeveralFiles(std::string_view soundingName, const std::string& folder,
                                    const std::vector<std::string>& names) {
    throw tools::DataError("FP822", "sounding " + std::string(soundingName) +
                                        ": only one field data file allowed, but " + folder +
                                        " holds " + JoinNames(names));
}

FieldFileChoice FindAgsTest(std::string_view soundingName, const std::string& folder,
                            const std::vector<AgsFileTests>& agsFiles) {
    const std::size_t hash = soundingName.find('#');
    std::vector<std::string> searched;
    std::vector<FieldFileChoice> found;
    for (const AgsFileTests& file : agsFiles) {
        searched.push_back(file.fileName);
        std::vector<AgsTestId> matches;
        for (const AgsTestId& test : file.tests) {
            const bool match = hash == std::string_view::npos ? test.location == soundingName
                                                              : test.SoundingName() == soundingName;
            if (match) {
                matches.push_back(test);
            }
        }
        if (matches.size() > 1) {
            std::vector<std::string> names;
            for (const AgsTestId& test : matches) {
                names.push_back(test.SoundingName());
            }
            throw tools::DataError("AGS109", "sounding " + std::string(soundingName) + ": " +
                                                 file.fileName + " holds several tests at " +
                                                 "this location (" + JoinNames(names) +
                                                 "); name one as LOCA_ID#SCPG_TESN");
        }
        if (!matches.empty()) {
            found.push_back(AgsChoice(folder, file.fileName, matches.front()));
        }
    }
    if (found.size() > 1) {
        std::vector<std::string> names;
        for (const FieldFileChoice& choice : found) {
            names.push_back(choice.fileName);
        }
        ThrowSeveralFiles(soundingName, folder, names);
    }
    if (found.empty() && hash != std::string_view::npos) {
        throw tools::DataError(
            "AGS107",
            "sounding " + std::string(soundingName) + ": the test " +
                std::string(soundingName.substr(hash + 1)) + " of location " +
                std::string(soundingName.substr(0, hash)) + " is in none of the *.ags files of " +
                folder +
                (searched.empty() ? " (it holds none)" : " (" + JoinNames(searched) + ")"));
    }
    return found.empty() ? FieldFileChoice{} : found.front();
}

}  // namespace

FieldFileChoice FindFieldFile(const files::DataArea& area, std::string_view soundingName) {
    const std::string folder = files::PathFor(area, files::PathKey::Soundings);
    // Whatever else bears a field file's name (a folder, a pipe, a broken link) is found too,
    // so that opening it says why it cannot be read.
    std::vector<std::string> entries;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(platform::ToRealPath(folder), error)) {
        entries.push_back(entry.path().filename().string());
    }
    const bool namesAgsTest = soundingName.find('#') != std::string_view::npos;
    std::vector<FieldFileChoice> candidates;
    std::vector<std::string> tried;
    if (!namesAgsTest) {
        const std::string upperName = tools::UpperCopy(soundingName);
        for (const FormatExtension& kind : kFormatExtensions) {
            tried.push_back(std::string(soundingName) + std::string(kind.extension));
            const std::string upperFileName = upperName + std::string(kind.extension);
            for (const std::string& file : entries) {
                if (file.size() == upperFileName.size() &&
                    tools::UpperCopy(file) == upperFileName) {
                    candidates.push_back({kind.format, folder + file, file, {}});
                }
            }
        }
    }
    if (candidates.size() > 1) {
        std::vector<std::string> names;
        for (const FieldFileChoice& choice : candidates) {
            names.push_back(choice.fileName);
        }
        ThrowSeveralFiles(soundingName, folder, names);
    }
    if (candidates.size() == 1) {
        return candidates.front();
    }
    // Listed only here: telling files from other entries takes a status query per entry.
    const std::vector<std::string> files = FolderFiles(folder);
    const std::vector<AgsFileTests> agsFiles = AgsTestsOf(folder, files);
    FieldFileChoice test = FindAgsTest(soundingName, folder, agsFiles);
    if (!test.path.empty()) {
        return test;
    }
    std::string agsNote = " and no *.ags file";
    if (!agsFiles.empty()) {
        std::vector<std::string> names;
        for (const AgsFileTests& file : agsFiles) {
            names.push_back(file.fileName);
        }
        agsNote =
            " and no test of location " + std::string(soundingName) + " in " + JoinNames(names);
    }
    throw tools::DataError("HF404", "sounding " + std::string(soundingName) +
                                        ": no field data file; " + folder + " holds no " +
                                        JoinNames(tried) + agsNote);
}

std::vector<FolderSounding> ListFolderSoundings(const files::DataArea& area) {
    const std::string folder = files::PathFor(area, files::PathKey::Soundings);
    const std::vector<std::string> files = FolderFiles(folder);
    std::vector<FolderSounding> soundings;
    for (const std::string& file : files) {
        const std::string upper = tools::UpperCopy(file);
        if (IsOutputTable(upper)) {
            continue;
        }
        for (const FormatExtension& kind : kFormatExtensions) {
            if (upper.size() > kind.extension.size() && upper.ends_with(kind.extension)) {
                soundings.push_back({file.substr(0, file.size() - kind.extension.size()),
                                     {kind.format, folder + file, file, {}}});
            }
        }
    }
    for (const AgsFileTests& file : AgsTestsOf(folder, files)) {
        std::map<std::string, int> testsAtLocation;
        for (const AgsTestId& test : file.tests) {
            ++testsAtLocation[test.location];
        }
        for (const AgsTestId& test : file.tests) {
            const bool alone = testsAtLocation[test.location] == 1;
            soundings.push_back({alone ? test.location : test.SoundingName(),
                                 AgsChoice(folder, file.fileName, test)});
        }
    }
    return soundings;
}

}  // namespace kavo::fielddata
