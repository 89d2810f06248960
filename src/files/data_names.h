// Names that come from data (soundings, projects, files named in a database) and the places
// they name: none of them may reach outside the data area.
#pragma once

#include <string_view>

#include "files/paths.h"

namespace kavo::files {

// Throws DataError "DAN101" when a name taken from data could climb out of the folder it is
// looked up in: it holds "/", "\" or "..", is ".", or holds a control character. `what` says
// what the name is ("sounding name"), `where` the file and line it came from.
void CheckDataName(std::string_view name, std::string_view what, std::string_view where);

// Throws DataError "DAN102" when the place of `systemPath`, with every link followed, lies
// outside the data area's root (a link in the data area that points elsewhere).
void CheckInsideDataArea(const DataArea& area, std::string_view systemPath, std::string_view what);

}  // namespace kavo::files
