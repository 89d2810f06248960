// The setup file: the last units, user, project, equipment and error, carried from one run
// of the program to the next, with its completeness check and its backup.
#pragma once

#include <string>

#include "files/paths.h"
#include "reporting/reporter.h"

namespace kavo::setup {

inline constexpr const char* kSetupFileName = "Kavo-Setup.txt";
inline constexpr const char* kSetupBackupName = "Kavo-Setup-BACKUP.txt";
inline constexpr const char* kFormatMark = "Row2_Kavo_Setup_v4";

// The five remembered values. The last project is also the selected project's name.
struct SetupValues {
    std::string lastUnits;
    std::string lastUser;
    std::string lastProject;
    std::string lastEquipment;
    std::string lastError;
};

// Reads root\software\Kavo-Setup.txt into `values` and makes its last project the current
// project of `area`. Throws DataError ESF812 (cannot be read), SF931 (a bad line), YV803
// (the format mark is not line 2) or YV777 (items missing or repeated).
void ReadSetupFile(reporting::Reporter& reporter, files::DataArea& area, SetupValues& values);

// Copies the setup file to its backup, then writes it anew from `values`. Throws DataError
// ESF342 (no backup) or ESF112 (cannot be written); the old file then stays as it was.
void WriteSetupFile(reporting::Reporter& reporter, const files::DataArea& area,
                    const SetupValues& values);

}  // namespace kavo::setup
