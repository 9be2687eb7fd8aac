// Windows paths on the simulated machine: parsing, case-insensitive lookup in the host folders,
// and the attribute bits kept in an extended attribute of each file and folder.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// A parsed absolute Windows path: drive letter and components (".", ".." and blanks resolved).
struct WinPath {
    char drive = 'C';
    std::vector<std::string> parts;
    bool trailingSeparator = false; // the text ended with a backslash
};

// Parses `text` the way Windows makes a full path: '/' is a separator, "." and ".." are folded,
// trailing dots and spaces of a component dropped; relative paths start at the program folder.
// Characters Windows forbids in names give kErrorInvalidName (wildcards allowed in the last
// component when `wildcardLast`).
platform::Error parseWinPath(const std::string& text, WinPath& path, bool wildcardLast = false);

// "C:\A\B" in upper case: the key used for fault marks and comparisons.
std::string canonicalPath(const WinPath& path);

// "C:\a\b" as written.
std::string displayPath(const WinPath& path);

// Host folder of drive `drive` (may not exist).
std::string driveFolder(char drive);

// What a Windows path names on the host.
struct HostEntry {
    std::string host;       // host path (the name as given when it does not exist)
    std::string parentHost; // host path of the containing folder
    std::string name;       // the entry's name in the case it was created with
    bool exists = false;
    bool isDir = false;
    bool isLink = false; // a host symbolic link: a reparse point, never followed
};

// Finds `path` on the host: every folder on the way must exist (else kErrorPathNotFound); the
// last component may be missing (entry.exists false). A drive root is a folder.
platform::Error locate(const WinPath& path, HostEntry& entry);

// Actual name of the entry of host folder `hostDir` that matches `name` without regard to case,
// or "" when there is none.
std::string findChild(const std::string& hostDir, const std::string& name);

// Names in host folder `hostDir` (without "." and ".."), sorted without regard to case.
std::vector<std::string> listFolder(const std::string& hostDir);

// Windows attributes of a host entry (directory bit from the host, others from the xattr; a file
// without any bit reports kAttrNormal).
std::uint32_t hostAttributes(const std::string& host, bool isDir);

// Stores the read-only, hidden, system and archive bits of `attributes`.
bool storeAttributes(const std::string& host, std::uint32_t attributes);

// Byte size of a host file.
std::uint64_t hostSize(const std::string& host);

} // namespace sim
