// Small helpers the platform tests share: listing names and reading files in one call.
#pragma once

#include "platform/Files.h"

#include <string>
#include <vector>

namespace platformtest {

// Names a directory search of `pattern` returns, in the platform's order; empty when it fails.
inline std::vector<std::string> names(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    platform::findFiles(pattern, entries);
    std::vector<std::string> result;
    for (const platform::FindEntry& entry : entries) {
        result.push_back(entry.name);
    }
    return result;
}

// The bytes of `path`, or "<missing>" when it cannot be read.
inline std::string contents(const std::string& path) {
    std::string bytes;
    return platform::readFile(path, bytes) == platform::kOk ? bytes : std::string("<missing>");
}

// True when `path` names an existing file or folder.
inline bool exists(const std::string& path) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(path, attributes) == platform::kOk;
}

} // namespace platformtest
