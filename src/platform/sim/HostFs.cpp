// Windows paths mapped onto the machine folder's drives/<letter> trees, matched without regard to
// case.
#include "platform/sim/HostFs.h"

#include "platform/Files.h"
#include "platform/sim/Machine.h"
#include "winrules/ShortName.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace sim {

using platform::Error;

namespace {

const char kAttrName[] = "user.tvx.attr";
constexpr std::uint32_t kStoredBits = platform::kAttrReadOnly | platform::kAttrHidden |
                                      platform::kAttrSystem | platform::kAttrArchive;

FolderBatch* currentBatch = nullptr;

bool present(const std::string& host) {
    struct stat st {};
    return lstat(host.c_str(), &st) == 0;
}

// Folders below the system folder that a 32-bit program sees as they are, not in SysWOW64.
const char* const kNotRedirected[] = {"catroot", "catroot2", "drivers\\etc", "logfiles", "spool"};

// A path in the system folder as a 32-bit program on a 64-bit machine sees it: in SysWOW64.
void redirectToTwin(WinPath& path) {
    Machine& machine = Machine::current();
    WinPath system;
    WinPath windows;
    if (winrules::foldPath(machine.setting("Machine", "SystemDir"), false, system) !=
            winrules::PathFault::None ||
        winrules::foldPath(machine.setting("Machine", "WindowsDir"), false, windows) !=
            winrules::PathFault::None ||
        !winrules::isSameOrBelow(path, system)) {
        return;
    }
    for (const char* exempt : kNotRedirected) {
        WinPath kept;
        if (winrules::foldPath(winrules::joinPath(system) + "\\" + exempt, false, kept) ==
                winrules::PathFault::None &&
            winrules::isSameOrBelow(path, kept)) {
            return;
        }
    }
    WinPath twin = windows;
    twin.parts.push_back("SysWOW64");
    twin.parts.insert(twin.parts.end(), path.parts.begin() + system.parts.size(), path.parts.end());
    twin.trailingSeparator = path.trailingSeparator;
    path = twin;
}

} // namespace

Error parseWinPath(const std::string& text, WinPath& path, bool wildcardLast) {
    switch (winrules::foldPath(text, wildcardLast, path)) {
    case winrules::PathFault::None:
        if (Machine::current().view32()) {
            redirectToTwin(path);
        }
        return platform::kOk;
    case winrules::PathFault::Empty:
        return platform::kErrorPathNotFound;
    case winrules::PathFault::Network:
        return platform::kErrorBadPathName; // no network on the simulated machine
    default:
        return platform::kErrorInvalidName;
    }
}

std::string canonicalPath(const WinPath& path) {
    WinPath shown = path;
    shown.trailingSeparator = false;
    return winrules::upper(resolvedPath(shown));
}

std::string displayPath(const WinPath& path) {
    WinPath shown = path;
    shown.trailingSeparator = false;
    return winrules::joinPath(shown);
}

std::string resolvedPath(const WinPath& path) {
    WinPath resolved = path;
    if (Machine::current().present()) {
        std::string host = driveFolder(path.drive);
        for (std::string& part : resolved.parts) {
            const std::string actual = findChild(host, part);
            if (actual.empty()) {
                break;
            }
            // Names keep the spelling they were given, as on Windows; an alias becomes its name.
            if (!winrules::equalNoCase(actual, part)) {
                part = actual;
            }
            host += "/" + actual;
        }
    }
    return winrules::joinPath(resolved);
}

std::string driveFolder(char drive) {
    return Machine::current().folder() + "/drives/" + std::string(1, winrules::upperChar(drive));
}

std::string findChild(const std::string& hostDir, const std::string& name) {
    if (present(hostDir + "/" + name)) {
        return name;
    }
    // An alias depends on the whole listing: always looked up afresh.
    const bool alias = name.find('~') != std::string::npos;
    if (currentBatch != nullptr && !alias) {
        return currentBatch->findMissing(hostDir, name);
    }
    DIR* dir = opendir(hostDir.c_str());
    if (dir == nullptr) {
        return "";
    }
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (winrules::equalNoCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    if (found.empty() && alias) {
        const std::vector<std::string> names = listFolder(hostDir);
        const std::vector<std::string> aliases = aliasesOf(names);
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (!aliases[i].empty() && winrules::equalNoCase(aliases[i], name)) {
                return names[i];
            }
        }
    }
    return found;
}

FolderBatch::FolderBatch() : active(currentBatch == nullptr) {
    if (active) {
        currentBatch = this;
    }
}

FolderBatch::~FolderBatch() {
    if (active) {
        currentBatch = nullptr;
    }
}

std::string FolderBatch::findMissing(const std::string& hostDir, const std::string& name) {
    auto folder = folders.find(hostDir);
    if (folder == folders.end()) {
        DIR* dir = opendir(hostDir.c_str());
        if (dir == nullptr) {
            return "";
        }
        Names listed;
        while (dirent* entry = readdir(dir)) {
            listed[winrules::upper(entry->d_name)].push_back(entry->d_name);
        }
        closedir(dir);
        folder = folders.emplace(hostDir, std::move(listed)).first;
    }
    std::vector<std::string>& candidates = folder->second[winrules::upper(name)];
    for (const std::string& candidate : candidates) {
        // Gone since, or only looked up and never made: passed over.
        if (candidate != name && present(hostDir + "/" + candidate)) {
            return candidate;
        }
    }
    if (std::find(candidates.begin(), candidates.end(), name) == candidates.end()) {
        candidates.push_back(name);
    }
    return "";
}

std::vector<std::string> listFolder(const std::string& hostDir) {
    std::vector<std::string> names;
    DIR* dir = opendir(hostDir.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = winrules::compareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

std::vector<std::string> aliasesOf(const std::vector<std::string>& names) {
    return winrules::shortNames(names);
}

Error locate(const WinPath& path, HostEntry& entry) {
    entry = HostEntry();
    if (!Machine::current().present()) {
        return platform::kErrorPathNotFound;
    }
    std::string host = driveFolder(path.drive);
    struct stat st {};
    if (stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return platform::kErrorPathNotFound;
    }
    // The canonical path comes from the same lookups, as resolvedPath would spell it.
    WinPath resolved = path;
    resolved.trailingSeparator = false;
    if (path.parts.empty()) {
        entry.host = host;
        entry.parentHost = host;
        entry.exists = true;
        entry.isDir = true;
        entry.canonical = winrules::upper(winrules::joinPath(resolved));
        return platform::kOk;
    }
    for (std::size_t i = 0; i + 1 < path.parts.size(); ++i) {
        const std::string actual = findChild(host, path.parts[i]);
        if (actual.empty()) {
            return platform::kErrorPathNotFound;
        }
        resolved.parts[i] = actual;
        host += "/" + actual;
        if (lstat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return platform::kErrorPathNotFound;
        }
    }
    entry.parentHost = host;
    const std::string actual = findChild(host, path.parts.back());
    if (actual.empty()) {
        entry.name = path.parts.back();
        entry.host = host + "/" + entry.name;
        entry.canonical = winrules::upper(winrules::joinPath(resolved));
        return platform::kOk;
    }
    resolved.parts.back() = actual;
    entry.canonical = winrules::upper(winrules::joinPath(resolved));
    entry.name = actual;
    entry.host = host + "/" + actual;
    if (lstat(entry.host.c_str(), &st) == 0) {
        entry.exists = true;
        entry.isLink = S_ISLNK(st.st_mode);
        entry.isDir = S_ISDIR(st.st_mode);
    }
    return platform::kOk;
}

std::string canonicalParent(const std::string& canonical) {
    const std::size_t cut = canonical.rfind('\\');
    if (cut == std::string::npos || cut + 1 == canonical.size()) {
        return "";
    }
    // A folder of the root keeps the root's separator.
    return canonical.substr(0, canonical.find('\\') == cut ? cut + 1 : cut);
}

std::uint32_t hostAttributes(const std::string& host, bool isDir) {
    char buffer[32] = {};
    const ssize_t length = lgetxattr(host.c_str(), kAttrName, buffer, sizeof buffer - 1);
    std::uint32_t bits = 0;
    if (length > 0) {
        bits = static_cast<std::uint32_t>(std::strtoul(buffer, nullptr, 16)) & kStoredBits;
    } else if (!isDir) {
        bits = platform::kAttrArchive; // a file put there from the host side
    }
    if (isDir) {
        return bits | platform::kAttrDirectory;
    }
    return bits == 0 ? platform::kAttrNormal : bits;
}

bool storeAttributes(const std::string& host, std::uint32_t attributes) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", attributes & kStoredBits);
    return lsetxattr(host.c_str(), kAttrName, buffer, std::strlen(buffer), 0) == 0;
}

std::uint64_t hostSize(const std::string& host) {
    struct stat st {};
    if (lstat(host.c_str(), &st) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

} // namespace sim
