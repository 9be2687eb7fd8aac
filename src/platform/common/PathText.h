// Small path-text helpers shared by both platform backends.
#pragma once

#include <string>

namespace platform::detail {

// The folder part of `pattern` with its trailing separator ("C:\A\*.x" gives "C:\A\"), so that
// a found name appended to it addresses the entry.
inline std::string folderPart(const std::string& pattern) {
    const std::string::size_type cut = pattern.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
}

// True for the "." and ".." entries a directory search returns.
inline bool isDotEntry(const std::string& name) {
    return name == "." || name == "..";
}

} // namespace platform::detail
