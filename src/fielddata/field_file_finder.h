// Which file holds a sounding's field data: SOUNDING_NAME.CPT (Hogentogler), .GEF, .CSV
// (Kavo's plain CSV) in the project's soundings folder, names matched without regard to
// case, or a test of one of the folder's *.ags files (AGS4).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fielddata/ags_file.h"
#include "files/paths.h"

namespace kavo::fielddata {

enum class FieldFormat { Hogentogler, Gef, Csv, Ags };

// The extensions of the formats that hold one sounding per file.
struct FormatExtension {
    FieldFormat format;
    std::string_view extension;  // upper case, with the dot
};
inline constexpr FormatExtension kFormatExtensions[] = {
    {FieldFormat::Hogentogler, ".CPT"},
    {FieldFormat::Gef, ".GEF"},
    {FieldFormat::Csv, ".CSV"},
};

// The file of one sounding.
struct FieldFileChoice {
    FieldFormat format = FieldFormat::Hogentogler;
    std::string path;      // system path of the file
    std::string fileName;  // the name as it is on disk
    AgsTestId agsTest;     // for an AGS4 test
};

// Finds the file of a sounding. A name with "#" is an AGS4 test LOCA_ID#SCPG_TESN; a name
// without it is looked for as a .CPT, .GEF or .CSV file and, when there is none, as the one
// test of the location LOCA_ID in the *.ags files. Throws DataError HF404 when nothing is
// found (naming every name tried), FP822 when two files would serve, AGS107 when a named
// test is in none of the *.ags files, AGS109 when a location named alone has several tests.
FieldFileChoice FindFieldFile(const files::DataArea& area, std::string_view soundingName);

// A sounding the soundings folder holds, as the soundings database would name it.
struct FolderSounding {
    std::string soundingName;
    FieldFileChoice file;
};

// Every sounding of the soundings folder: each .CPT, .GEF and .CSV file (output tables and
// their CSV copies, named *_Q1o.*, left out) and each test of each *.ags file, named by its
// location alone when the location has one test. In the order of the folder's listing.
std::vector<FolderSounding> ListFolderSoundings(const files::DataArea& area);

}  // namespace kavo::fielddata
