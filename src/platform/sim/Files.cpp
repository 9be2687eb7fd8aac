// File and folder services of the simulated machine, refusing what Windows refuses.
#include "platform/Files.h"

#include "platform/sim/HostFs.h"
#include "platform/sim/Machine.h"
#include "winrules/Wildcard.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

using winrules::folderPart;
using winrules::isDotEntry;

namespace {

using sim::HostEntry;
using sim::WinPath;

// ERROR_DIRECTORY: RemoveDirectory of a file.
constexpr Error kErrorDirectory = 267;
// Reparse point bit reported for host symbolic links.
// SHFileOperation's results: source missing, and an operation cancelled part way.
constexpr Error kShellNoSource = 0x402;
constexpr Error kShellCancelled = 0x4C7;
constexpr Error kShellDestinationInSource = 0x76;

bool inUse(const HostEntry& entry) {
    return sim::Machine::current().marked("InUse", entry.canonical);
}

bool inUse(const WinPath& path) {
    return sim::Machine::current().marked("InUse", sim::canonicalPath(path));
}

// A denied folder denies everything inside it too, as an inherited access list does.
bool deniedFrom(std::string canonical) {
    // The marks are read once for all the levels.
    const std::vector<std::pair<std::string, std::string>> marks =
        sim::Machine::current().settings("AccessDenied");
    for (; !canonical.empty(); canonical = sim::canonicalParent(canonical)) {
        for (const auto& mark : marks) {
            if (winrules::equalNoCase(mark.second, canonical)) {
                return true;
            }
        }
    }
    return false;
}

bool denied(const HostEntry& entry) {
    return deniedFrom(entry.canonical);
}

bool denied(const WinPath& path) {
    return deniedFrom(sim::canonicalPath(path));
}

// Parses and locates `text`, which must name an existing entry.
Error existing(const std::string& text, WinPath& path, HostEntry& entry) {
    Error error = sim::parseWinPath(text, path);
    if (error == kOk) {
        error = sim::locate(path, entry);
    }
    if (error == kOk && !entry.exists) {
        error = kErrorFileNotFound;
    }
    return error;
}

std::uint32_t attributesOf(const HostEntry& entry) {
    if (entry.isLink) {
        struct stat st {};
        const bool toFolder = stat(entry.host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        return kAttrReparsePoint | (toFolder ? kAttrDirectory : kAttrArchive);
    }
    return sim::hostAttributes(entry.host, entry.isDir);
}

bool writeHost(const std::string& host, const std::string& bytes, bool append) {
    std::ofstream out(host, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// Checks shared by writeFile and appendFile; `replacing` adds the hidden and system refusal of
// CREATE_ALWAYS.
Error openForWriting(const std::string& text, bool replacing, WinPath& path, HostEntry& entry) {
    Error error = sim::parseWinPath(text, path);
    if (error == kOk) {
        error = sim::locate(path, entry);
    }
    if (error != kOk) {
        return error;
    }
    if (path.parts.empty() || (entry.exists && entry.isDir)) {
        return kErrorAccessDenied;
    }
    if (denied(entry)) {
        return kErrorAccessDenied;
    }
    if (!entry.exists) {
        return kOk;
    }
    if (inUse(entry)) {
        return kErrorSharingViolation;
    }
    std::uint32_t refused = kAttrReadOnly;
    if (replacing) {
        refused |= kAttrHidden | kAttrSystem;
    }
    return (attributesOf(entry) & refused) != 0 ? kErrorAccessDenied : kOk;
}

// Copies one file or folder tree `from` to the host path `to` (created or replaced), keeping
// attributes; false at the first item that cannot be copied.
bool copyItem(const WinPath& fromPath, const HostEntry& from, const WinPath& toPath,
              const std::string& to) {
    if (denied(fromPath) || inUse(fromPath) || denied(toPath)) {
        return false;
    }
    if (inUse(toPath)) {
        // Wine's shell passes over a target held open and still reports success; a machine can
        // be told to behave so, for the callers that must not trust the shell's word.
        return sim::Machine::current().setting("Simulation", "ShellSkipsInUse", "No") == "Yes";
    }
    struct stat st {};
    const bool targetExists = lstat(to.c_str(), &st) == 0;
    if (from.isDir && !from.isLink) {
        if (targetExists && !S_ISDIR(st.st_mode)) {
            return false;
        }
        if (!targetExists && mkdir(to.c_str(), 0777) != 0) {
            return false;
        }
        sim::storeAttributes(to, sim::hostAttributes(from.host, true));
        for (const std::string& name : sim::listFolder(from.host)) {
            HostEntry child;
            WinPath childFrom = fromPath;
            childFrom.parts.push_back(name);
            WinPath childTo = toPath;
            childTo.parts.push_back(name);
            if (sim::locate(childFrom, child) != kOk || !child.exists) {
                return false;
            }
            std::string target = sim::findChild(to, name);
            target = to + "/" + (target.empty() ? name : target);
            if (!copyItem(childFrom, child, childTo, target)) {
                return false;
            }
        }
        return true;
    }
    if (targetExists && S_ISDIR(st.st_mode)) {
        return false;
    }
    std::string bytes;
    if (!sim::readHostFile(from.host, bytes)) {
        return false;
    }
    if (targetExists) {
        unlink(to.c_str());
    }
    if (!writeHost(to, bytes, false)) {
        return false;
    }
    sim::storeAttributes(to, attributesOf(from) & ~kAttrNormal);
    return true;
}

// Creates `path` and every missing folder above it (the shell's silent mkdir).
bool makeFolders(const WinPath& path) {
    WinPath partial;
    partial.drive = path.drive;
    for (const std::string& part : path.parts) {
        partial.parts.push_back(part);
        HostEntry entry;
        if (sim::locate(partial, entry) != kOk) {
            return false;
        }
        if (!entry.exists && mkdir(entry.host.c_str(), 0777) != 0) {
            return false;
        }
        if (entry.exists && !entry.isDir) {
            return false;
        }
    }
    return true;
}

bool insideOf(const WinPath& inner, const WinPath& outer) {
    if (inner.drive != outer.drive || inner.parts.size() < outer.parts.size()) {
        return false;
    }
    for (std::size_t i = 0; i < outer.parts.size(); ++i) {
        if (!winrules::equalNoCase(inner.parts[i], outer.parts[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

Error resolvePath(const std::string& text, bool wildcardLast, std::string& full) {
    full.clear();
    WinPath path;
    const Error error = sim::parseWinPath(text, path, wildcardLast);
    if (error == kOk) {
        full = sim::resolvedPath(path);
    }
    return error;
}

Error findFiles(const std::string& pattern, std::vector<FindEntry>& entries) {
    entries.clear();
    WinPath path;
    Error error = sim::parseWinPath(pattern, path, true);
    if (error != kOk) {
        return error;
    }
    if (path.parts.empty()) {
        return kErrorFileNotFound;
    }
    const std::string mask = path.parts.back();
    WinPath folder = path;
    folder.parts.pop_back();
    HostEntry folderEntry;
    error = sim::locate(folder, folderEntry);
    if (error != kOk) {
        return error;
    }
    if (!folderEntry.exists) {
        return kErrorPathNotFound;
    }
    if (!folderEntry.isDir) {
        return kErrorInvalidName;
    }
    if (denied(folderEntry)) {
        return kErrorAccessDenied;
    }
    if (path.trailingSeparator) {
        return kErrorFileNotFound;
    }
    if (!winrules::hasWildcard(mask)) {
        HostEntry entry;
        error = sim::locate(path, entry);
        if (error != kOk || !entry.exists) {
            return error != kOk ? error : kErrorFileNotFound;
        }
        entries.push_back(FindEntry{entry.name, attributesOf(entry),
                                    entry.isDir ? 0 : sim::hostSize(entry.host)});
        return kOk;
    }
    // Drive roots have no "." and ".." entries.
    if (!folder.parts.empty()) {
        for (const char* dot : {".", ".."}) {
            if (winrules::matchPattern(dot, mask)) {
                entries.push_back(FindEntry{dot, kAttrDirectory, 0});
            }
        }
    }
    // The search matches short aliases too: "PROGRA~?" finds "Program Files".
    const std::vector<std::string> names = sim::listFolder(folderEntry.host);
    const std::vector<std::string> aliases = sim::aliasesOf(names);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (!winrules::matchPattern(name, mask) &&
            (aliases[i].empty() || !winrules::matchPattern(aliases[i], mask))) {
            continue;
        }
        HostEntry entry;
        entry.host = folderEntry.host + "/" + name;
        struct stat st {};
        if (lstat(entry.host.c_str(), &st) != 0) {
            continue;
        }
        entry.isLink = S_ISLNK(st.st_mode);
        entry.isDir = S_ISDIR(st.st_mode);
        entries.push_back(FindEntry{name, attributesOf(entry),
                                    entry.isDir ? 0 : static_cast<std::uint64_t>(st.st_size)});
    }
    return entries.empty() ? kErrorFileNotFound : kOk;
}

Error fileLength(const std::string& path, std::uint64_t& length) {
    WinPath parsed;
    HostEntry entry;
    const Error error = existing(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    if (entry.isDir) {
        return kErrorFileNotFound;
    }
    length = sim::hostSize(entry.host);
    return kOk;
}

Error getAttributes(const std::string& path, std::uint32_t& attributes) {
    WinPath parsed;
    HostEntry entry;
    const Error error = existing(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    attributes = attributesOf(entry);
    return kOk;
}

Error setAttributes(const std::string& path, std::uint32_t attributes) {
    WinPath parsed;
    HostEntry entry;
    const Error error = existing(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    if (denied(entry) || entry.isLink) {
        return kErrorAccessDenied;
    }
    return sim::storeAttributes(entry.host, attributes) ? kOk : kErrorAccessDenied;
}

Error readFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    WinPath parsed;
    HostEntry entry;
    const Error error = existing(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    if (entry.isDir || denied(entry)) {
        return kErrorAccessDenied;
    }
    if (inUse(entry)) {
        return kErrorSharingViolation;
    }
    return sim::readHostFile(entry.host, bytes) ? kOk : kErrorAccessDenied;
}

Error writeFile(const std::string& path, const std::string& bytes) {
    WinPath parsed;
    HostEntry entry;
    const Error error = openForWriting(path, true, parsed, entry);
    if (error != kOk) {
        return error;
    }
    if (!writeHost(entry.host, bytes, false)) {
        return kErrorAccessDenied;
    }
    sim::storeAttributes(entry.host, kAttrArchive);
    return kOk;
}

Error appendFile(const std::string& path, const std::string& bytes) {
    WinPath parsed;
    HostEntry entry;
    const Error error = openForWriting(path, false, parsed, entry);
    if (error != kOk) {
        return error;
    }
    const bool created = !entry.exists;
    if (!writeHost(entry.host, bytes, true)) {
        return kErrorAccessDenied;
    }
    if (created) {
        sim::storeAttributes(entry.host, kAttrArchive);
    }
    return kOk;
}

Error deleteFile(const std::string& path) {
    WinPath parsed;
    HostEntry entry;
    const Error error = existing(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    if ((entry.isDir && !entry.isLink) || denied(entry)) {
        return kErrorAccessDenied;
    }
    if (inUse(entry)) {
        return kErrorSharingViolation;
    }
    if (!entry.isLink && (attributesOf(entry) & kAttrReadOnly) != 0) {
        return kErrorAccessDenied;
    }
    return unlink(entry.host.c_str()) == 0 ? kOk : kErrorAccessDenied;
}

Error createFolder(const std::string& path) {
    WinPath parsed;
    HostEntry entry;
    Error error = sim::parseWinPath(path, parsed);
    if (error == kOk) {
        error = sim::locate(parsed, entry);
    }
    if (error != kOk) {
        return error;
    }
    if (entry.exists) {
        return kErrorAlreadyExists;
    }
    if (deniedFrom(sim::canonicalParent(entry.canonical))) {
        return kErrorAccessDenied;
    }
    return mkdir(entry.host.c_str(), 0777) == 0 ? kOk : kErrorAccessDenied;
}

Error removeFolder(const std::string& path) {
    WinPath parsed;
    HostEntry entry;
    const Error error = existing(path, parsed, entry);
    if (error != kOk) {
        return error;
    }
    if (!entry.isDir && !entry.isLink) {
        return kErrorDirectory;
    }
    if (parsed.parts.empty() || denied(entry)) {
        return kErrorAccessDenied;
    }
    if (inUse(entry)) {
        return kErrorSharingViolation;
    }
    if (entry.isLink) {
        return unlink(entry.host.c_str()) == 0 ? kOk : kErrorAccessDenied;
    }
    if (!sim::listFolder(entry.host).empty()) {
        return kErrorDirNotEmpty;
    }
    if ((attributesOf(entry) & kAttrReadOnly) != 0) {
        return kErrorAccessDenied;
    }
    return rmdir(entry.host.c_str()) == 0 ? kOk : kErrorAccessDenied;
}

ShellCopyResult shellCopy(const std::string& source, const std::string& destination, bool) {
    WinPath from;
    WinPath to;
    if (sim::parseWinPath(source, from, true) != kOk || from.parts.empty() ||
        sim::parseWinPath(destination, to) != kOk) {
        return ShellCopyResult{kShellNoSource, false};
    }
    const bool pattern = winrules::hasWildcard(from.parts.back());
    std::vector<WinPath> items;
    if (pattern) {
        std::vector<FindEntry> found;
        findFiles(source, found);
        for (const FindEntry& entry : found) {
            if (!isDotEntry(entry.name)) {
                WinPath item = from;
                item.parts.back() = entry.name;
                items.push_back(item);
            }
        }
        if (items.empty()) {
            return ShellCopyResult{}; // the shell finds nothing to do and calls that success
        }
    } else {
        HostEntry entry;
        // "name\" only names a folder.
        if (sim::locate(from, entry) != kOk || !entry.exists ||
            (from.trailingSeparator && !entry.isDir)) {
            return ShellCopyResult{kShellNoSource, false};
        }
        items.push_back(from);
    }
    HostEntry target;
    if (sim::locate(to, target) != kOk) {
        target = HostEntry(); // folders on the way are missing: made below
    }
    // A missing destination is the new name of a single item, or the folder for several.
    bool intoFolder = target.exists && target.isDir;
    if (!target.exists) {
        WinPath parent = to;
        if (!parent.parts.empty()) {
            parent.parts.pop_back();
        }
        const WinPath& made = pattern ? to : parent;
        if (!makeFolders(made)) {
            return ShellCopyResult{kShellCancelled, true};
        }
        intoFolder = pattern;
        sim::locate(to, target);
    } else if (!target.isDir && pattern) {
        return ShellCopyResult{kShellCancelled, true};
    }
    for (const WinPath& item : items) {
        HostEntry entry;
        if (sim::locate(item, entry) != kOk || !entry.exists) {
            return ShellCopyResult{kShellCancelled, true};
        }
        WinPath itemTo = to;
        std::string host = target.host;
        if (intoFolder) {
            itemTo.parts.push_back(entry.name);
            const std::string existingName = sim::findChild(target.host, entry.name);
            host = target.host + "/" + (existingName.empty() ? entry.name : existingName);
        }
        if (entry.isDir && insideOf(itemTo, item)) {
            return ShellCopyResult{kShellDestinationInSource, false};
        }
        if (!copyItem(item, entry, itemTo, host)) {
            return ShellCopyResult{kShellCancelled, true};
        }
    }
    return ShellCopyResult{};
}

} // namespace platform
