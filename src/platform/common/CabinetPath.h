// Checking the inner paths of cabinet files before anything is written for them.
#pragma once

#include <string>
#include <vector>

namespace platform::detail {

// Splits the inner path `name` at its backslashes (and slashes) into `parts`. False when it may
// not be written below a destination folder: empty, rooted, with a drive or a "." or ".."
// component, an empty component, or a character Windows forbids in names.
bool splitCabinetPath(const std::string& name, std::vector<std::string>& parts);

// Whether two names are equal without regard to ASCII case (as the cabinet readers compare
// inner paths).
bool sameCabinetPath(const std::string& a, const std::string& b);

} // namespace platform::detail
