// Windows paths mapped onto the machine folder's drives/<letter> trees, matched without regard to
// case.
#include "platform/sim/HostFs.h"

#include "platform/Files.h"
#include "platform/sim/Machine.h"
#include "platform/sim/WinText.h"

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

bool forbiddenInName(char c, bool wildcards) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32) {
        return true;
    }
    if (c == '*' || c == '?') {
        return !wildcards;
    }
    return std::strchr("<>:\"|", c) != nullptr;
}

// The current folder of every simulated process is the program folder.
Error currentFolder(WinPath& path) {
    const std::string programDir = Machine::current().setting("Machine", "ProgramDir", "C:\\");
    if (programDir.size() < 3 || programDir[1] != ':' || programDir[2] != '\\') {
        path = WinPath();
        return platform::kOk;
    }
    return parseWinPath(programDir, path);
}

} // namespace

Error parseWinPath(const std::string& text, WinPath& path, bool wildcardLast) {
    std::string s = text;
    std::replace(s.begin(), s.end(), '/', '\\');
    path = WinPath();
    if (s.empty()) {
        return platform::kErrorPathNotFound;
    }
    if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') {
        return platform::kErrorBadPathName; // no network on the simulated machine
    }
    std::string rest;
    if (s.size() >= 2 && s[1] == ':') {
        const char letter = upperChar(s[0]);
        if (letter < 'A' || letter > 'Z') {
            return platform::kErrorInvalidName;
        }
        path.drive = letter;
        rest = s.substr(2);
    } else if (s[0] == '\\') {
        WinPath here;
        currentFolder(here);
        path.drive = here.drive;
        rest = s;
    } else {
        currentFolder(path);
        rest = s;
    }
    path.trailingSeparator = rest.size() > 0 && rest.back() == '\\';
    std::vector<std::string> raw;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) {
            end = rest.size();
        }
        raw.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::string part = raw[i];
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!path.parts.empty()) {
                path.parts.pop_back();
            }
            continue;
        }
        while (!part.empty() && (part.back() == '.' || part.back() == ' ')) {
            part.pop_back();
        }
        if (part.empty()) {
            continue;
        }
        path.parts.push_back(part);
    }
    for (std::size_t i = 0; i < path.parts.size(); ++i) {
        const bool last = i + 1 == path.parts.size();
        for (char c : path.parts[i]) {
            if (forbiddenInName(c, wildcardLast && last)) {
                return platform::kErrorInvalidName;
            }
        }
    }
    return platform::kOk;
}

std::string canonicalPath(const WinPath& path) {
    return upper(displayPath(path));
}

std::string displayPath(const WinPath& path) {
    std::string result(1, path.drive);
    result += ":";
    if (path.parts.empty()) {
        return result + "\\";
    }
    for (const std::string& part : path.parts) {
        result += "\\" + part;
    }
    return result;
}

std::string driveFolder(char drive) {
    return Machine::current().folder() + "/drives/" + std::string(1, upperChar(drive));
}

std::string findChild(const std::string& hostDir, const std::string& name) {
    struct stat st {};
    if (lstat((hostDir + "/" + name).c_str(), &st) == 0) {
        return name;
    }
    DIR* dir = opendir(hostDir.c_str());
    if (dir == nullptr) {
        return "";
    }
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (equalNoCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
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
        const int order = compareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
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
    if (path.parts.empty()) {
        entry.host = host;
        entry.parentHost = host;
        entry.exists = true;
        entry.isDir = true;
        return platform::kOk;
    }
    for (std::size_t i = 0; i + 1 < path.parts.size(); ++i) {
        const std::string actual = findChild(host, path.parts[i]);
        if (actual.empty()) {
            return platform::kErrorPathNotFound;
        }
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
        return platform::kOk;
    }
    entry.name = actual;
    entry.host = host + "/" + actual;
    if (lstat(entry.host.c_str(), &st) == 0) {
        entry.exists = true;
        entry.isLink = S_ISLNK(st.st_mode);
        entry.isDir = S_ISDIR(st.st_mode);
    }
    return platform::kOk;
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
