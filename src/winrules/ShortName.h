// Short (8.3) names as NTFS and FAT generate them for long names, for the simulated machine's
// folders: a name that is no valid 8.3 name gets an alias such as PROGRA~1.
#pragma once

#include <string>
#include <vector>

namespace winrules {

// True when `name` is a valid 8.3 name as it stands (compared without regard to case), so it
// needs no alias.
bool isValidShortName(const std::string& name);

// The aliases of the names of one folder, in the order of `names`: "" for a name that needs
// none. Names are numbered ~1, ~2... in the order given when their stems collide.
std::vector<std::string> shortNames(const std::vector<std::string>& names);

} // namespace winrules
