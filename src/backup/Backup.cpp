// File, folder and registry backups with their set folders and index files. A backup reports
// success only when its copy is verifiably there and its index line written: the cleaning engine
// deletes nothing whose backup was asked for and did not happen.
#include "backup/Backup.h"

#include "base/General.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "system/Helpers.h"
#include "winrules/RegFile.h"
#include "winrules/RegRoots.h"
#include "winrules/Wildcard.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using winrules::lastComponent;
using winrules::splitLast;

// Where a file entry goes inside a file-backup set, by how the entry begins (case-sensitive,
// first match wins); entries matching none go to \Windows or \System by their kind.
struct Prefix {
    const char* entryStart;
    const char* subfolder;
};
constexpr std::array<Prefix, 10> kPrefixes = {{
    {"\\Inf\\Other", "\\Inf\\Other"},
    {"\\Inf", "\\Inf"},
    {"\\Help", "\\Help"},
    {"\\Prefetch", "\\Prefetch"},
    {"\\ServicePackFiles", "\\ServicePackFiles"},
    {"\\ReinstallBackups", "\\ReinstallBackups"},
    {"\\Drivers", "\\Drivers"},
    {"\\nview", "\\nview"},
    {"\\LastGood\\System32", "\\LastGood\\System32"},
    {"\\Catroot", "\\Catroot"},
}};

constexpr std::uint32_t kNotOrdinary =
    platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory;

// Creates every folder of `relative` (which begins with a backslash) below `base`, parents
// first; folders that exist already are fine.
void createFolders(const std::string& base, const std::string& relative) {
    for (std::size_t slash = relative.find('\\', 1);; slash = relative.find('\\', slash + 1)) {
        platform::createFolder(base + relative.substr(0, slash));
        if (slash == std::string::npos) {
            break;
        }
    }
}

// The entries a search for `pattern` finds, without "." and "..".
std::vector<platform::FindEntry> entriesAt(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    platform::findFiles(pattern, entries);
    std::vector<platform::FindEntry> result;
    for (const platform::FindEntry& entry : entries) {
        if (!winrules::isDotEntry(entry.name)) {
            result.push_back(entry);
        }
    }
    return result;
}

// The first of `name`, `name (2)`, `name (3)`... for which `taken` is false: an earlier backup
// in the same set is never overwritten.
template <class Taken> std::string freeName(const std::string& name, Taken taken) {
    std::string candidate = name;
    for (int n = 2; taken(candidate); ++n) {
        candidate = name + " (" + std::to_string(n) + ")";
    }
    return candidate;
}

bool appendLines(const std::string& indexPath, const std::string& lines) {
    return platform::appendFile(indexPath, lines) == platform::kOk;
}

// Removes one copy this backup made, read-only or not.
void removeCopy(const std::string& path) {
    platform::setAttributes(path, platform::kAttrNormal);
    platform::deleteFile(path);
}

bool sameBytes(const std::string& a, const std::string& b) {
    std::string first;
    std::string second;
    return platform::readFile(a, first) == platform::kOk &&
           platform::readFile(b, second) == platform::kOk && first == second;
}

// True when the tree `copy` holds every file of the tree `original` with its length.
bool sameTree(const std::string& original, const std::string& copy) {
    for (const platform::FindEntry& entry : entriesAt(original + "\\*")) {
        const std::string inCopy = copy + "\\" + entry.name;
        if ((entry.attributes & platform::kAttrDirectory) != 0) {
            std::uint32_t attributes = 0;
            if (platform::getAttributes(inCopy, attributes) != platform::kOk ||
                (attributes & platform::kAttrDirectory) == 0 ||
                !sameTree(original + "\\" + entry.name, inCopy)) {
                return false;
            }
            continue;
        }
        std::uint64_t length = 0;
        if (platform::fileLength(inCopy, length) != platform::kOk || length != entry.size) {
            return false;
        }
    }
    return true;
}

// The first field of every line of the index at `indexPath` (the part before its last comma).
std::vector<std::string> indexedItems(const std::string& indexPath) {
    std::vector<std::string> items;
    const std::string text = ReadTextFile(indexPath);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        const std::size_t comma = line.rfind(',');
        if (comma != std::string::npos) {
            items.push_back(line.substr(0, comma));
        }
        start = end + 2;
    }
    return items;
}

// True when an earlier wildcard line of the index restores from `subfolder` and its pattern takes
// `fileName`: a copy put there now would go back with that line too.
bool coveredByPattern(const std::vector<std::string>& items, const std::string& subfolder,
                      const std::string& fileName) {
    for (const std::string& item : items) {
        std::string folder;
        std::string pattern;
        if (splitLast(item, folder, pattern) && winrules::equalNoCase(folder, subfolder) &&
            winrules::hasWildcard(pattern) && winrules::matchPattern(fileName, pattern)) {
            return true;
        }
    }
    return false;
}

// A name a file can carry for a key or value name: characters file names cannot hold, and the
// comma the index lines are split at, become '_'.
std::string safeFileName(const std::string& name) {
    std::string safe = winrules::replaceForbiddenNameCharacters(name);
    std::replace(safe.begin(), safe.end(), ',', '_');
    return safe;
}

// An export file's name in `setFolder`: the leaf, the counter and ".dat", numbered when taken.
std::string exportFileName(const std::string& setFolder, const std::string& leaf,
                           const std::string& counter) {
    // A second run from the same window restarts the counter: never reuse an export's name.
    return freeName(safeFileName(leaf) + counter,
                    [&](const std::string& candidate) {
                        return FileExists(setFolder + "\\" + candidate + ".dat");
                    }) +
           ".dat";
}

// The canonical spelling of a root name ("hkey_current_user" gives HKEY_CURRENT_USER).
std::string canonicalRoot(const std::string& rootName) {
    const winrules::RegRoot* root = winrules::findRoot(rootName, false);
    return root != nullptr ? root->name : rootName;
}

} // namespace

std::string BackupSetFolder(const std::string& stamp, const std::string& configurationName,
                            const std::string& kindSuffix) {
    return platform::programFolder() + "\\Backup\\" + stamp + "_" + configurationName + kindSuffix;
}

void PrepareBackupFolders(const std::string& stamp, const std::string& configurationName,
                          const std::string& backupFiles, const std::string& backupDir,
                          const std::string& backupReg, const std::string& logFile) {
    const std::string program = platform::programFolder();
    auto ensure = [](const std::string& folder) {
        return FolderExists(folder) || platform::createFolder(folder) == platform::kOk;
    };
    if (!ensure(program + "\\Backup")) {
        return;
    }
    if (logFile == "Yes" && !ensure(program + "\\Log")) {
        return;
    }
    const std::array<std::pair<const std::string*, const char*>, 3> sets = {{
        {&backupFiles, "_FileBackup"},
        {&backupDir, "_DirBackup"},
        {&backupReg, "_RegBackup"},
    }};
    for (const auto& set : sets) {
        if (*set.first == "Yes" && !ensure(BackupSetFolder(stamp, configurationName, set.second))) {
            return;
        }
    }
}

bool FileBackup(const std::string& entry, const std::string& configurationName,
                const std::string& stamp, const std::string& fullPath,
                const std::string& baseFolder, const std::string& kind) {
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_FileBackup");
    const std::string indexPath = setFolder + "\\" + lastComponent(setFolder) + ".dfb";
    std::string subfolder = kind == "2" ? "\\System" : "\\Windows";
    for (const Prefix& prefix : kPrefixes) {
        if (entry.compare(0, std::char_traits<char>::length(prefix.entryStart),
                          prefix.entryStart) == 0) {
            subfolder = prefix.subfolder;
            break;
        }
    }
    std::string resolved;
    std::string restoreFolder;
    std::string fileName;
    if (platform::resolvePath(fullPath, true, resolved) != platform::kOk ||
        !splitLast(resolved, restoreFolder, fileName) || !FolderExists(setFolder)) {
        return false;
    }
    // The files a delete of the entry would take: these must all be in the set first.
    std::vector<std::string> sources;
    for (const platform::FindEntry& found : entriesAt(resolved)) {
        if ((found.attributes & kNotOrdinary) == 0) {
            sources.push_back(found.name);
        }
    }
    // A subfolder already holding a file of this name (from another folder, or an earlier run of
    // this window), or holding anything at all when this entry is a pattern, or whose earlier
    // pattern line would take this file, is not used: restoring one line must never bring back
    // another line's copy.
    const bool pattern = winrules::hasWildcard(fileName);
    const std::vector<std::string> items = indexedItems(indexPath);
    subfolder = freeName(subfolder, [&](const std::string& candidate) {
        if (pattern) {
            return !entriesAt(setFolder + candidate + "\\*").empty();
        }
        return !entriesAt(setFolder + candidate + "\\" + fileName).empty() ||
               coveredByPattern(items, candidate, fileName);
    });
    createFolders(setFolder, subfolder);
    CopyFile(baseFolder + entry, setFolder + subfolder);
    bool copied = !sources.empty();
    for (const std::string& name : sources) {
        copied =
            copied && sameBytes(restoreFolder + "\\" + name, setFolder + subfolder + "\\" + name);
    }
    if (!copied ||
        !appendLines(indexPath, subfolder + "\\" + fileName + ", " + restoreFolder + "\r\n")) {
        for (const std::string& name : sources) {
            removeCopy(setFolder + subfolder + "\\" + name);
        }
        return false;
    }
    return true;
}

bool DirBackup(const std::string& folderPath, const std::string& configurationName,
               const std::string& stamp) {
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_DirBackup");
    const std::string indexPath = setFolder + "\\" + lastComponent(setFolder) + ".ddb";
    std::string resolved;
    std::string parent;
    std::string pattern;
    if (platform::resolvePath(folderPath, true, resolved) != platform::kOk ||
        !splitLast(resolved, parent, pattern) || !FolderExists(setFolder)) {
        return false;
    }
    // Every folder a tree delete of the entry would take, each under its own name, so that a
    // pattern's folders come back one by one.
    std::vector<std::string> copies;
    std::string lines;
    bool copied = true;
    for (const platform::FindEntry& found : entriesAt(resolved)) {
        if ((found.attributes & platform::kAttrDirectory) == 0) {
            continue;
        }
        // Two folders of one name (C:\Program Files\NVIDIA and C:\NVIDIA) must not merge into
        // one copy: a later one goes into a numbered holder folder that its index line names.
        std::string item = found.name;
        std::string destination = setFolder;
        for (int n = 2; !entriesAt(setFolder + "\\" + item).empty(); ++n) {
            const std::string holder = "(" + std::to_string(n) + ")";
            item = holder + "\\" + found.name;
            destination = setFolder + "\\" + holder;
        }
        if (destination != setFolder) {
            platform::createFolder(destination);
            copies.push_back(destination);
        } else {
            copies.push_back(setFolder + "\\" + found.name);
        }
        const std::string original = parent + "\\" + found.name;
        if (!CopyFolder(original, destination) || !sameTree(original, setFolder + "\\" + item)) {
            copied = false;
            break;
        }
        lines += item + ", " + parent + "\r\n";
    }
    if (!copied || (!lines.empty() && !appendLines(indexPath, lines))) {
        for (const std::string& copy : copies) {
            platform::deleteTree(copy);
        }
        return false;
    }
    return true;
}

bool RegBackup(const std::string& counter, const std::string& configurationName,
               const std::string& stamp, const std::string& keyPath, const std::string& rootName,
               std::uint64_t rootHandle) {
    std::string parentPath;
    std::string leaf;
    if (!splitLast(keyPath, parentPath, leaf)) {
        return false; // a key directly below a root has no parent part
    }
    if (platform::OpenKey().open(rootHandle, keyPath, platform::RegAccess::Default) !=
        platform::kOk) {
        return true; // nothing to back up, nothing lost
    }
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_RegBackup");
    const std::string root = canonicalRoot(rootName);
    const std::string exportName = exportFileName(setFolder, leaf, counter);
    const std::string exportPath = setFolder + "\\" + exportName;
    // Paths and key names hold spaces (Program Files, NVIDIA Corporation): quote both, or the
    // editor reads the extra words as further files.
    const std::string commandLine = platform::registryEditorProgram() + " /e \"" + exportPath +
                                    "\" \"" + root + "\\" + keyPath + "\"";
    if (StartAndWait(commandLine, platform::kShowHidden) != platform::kOk) {
        return false;
    }
    // The editor's exit code says nothing: the export must be there and hold the key.
    std::string bytes;
    platform::readFile(exportPath, bytes);
    const std::string heading = winrules::upper("[" + root + "\\" + keyPath + "]");
    if (winrules::upper(winrules::registrationText(bytes)).find(heading) == std::string::npos ||
        !appendLines(setFolder + "\\" + lastComponent(setFolder) + ".drb",
                     root + "\\" + parentPath + "\\" + leaf + ", " + exportName + "\r\n")) {
        platform::deleteFile(exportPath);
        return false;
    }
    return true;
}

bool RegValueBackup(const std::string& counter, const std::string& configurationName,
                    const std::string& stamp, const std::string& rootName, std::uint64_t rootHandle,
                    const std::string& keyPath, const std::string& valueName) {
    platform::OpenKey key;
    if (key.open(rootHandle, keyPath, platform::RegAccess::QueryValue) != platform::kOk) {
        return true; // nothing to back up, nothing lost
    }
    std::uint32_t type = 0;
    std::string data;
    const platform::Error queried = platform::regQueryValue(key.get(), valueName, type, data);
    key.close();
    if (queried != platform::kOk) {
        return queried == platform::kErrorFileNotFound;
    }
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_RegBackup");
    const std::string root = canonicalRoot(rootName);
    const std::string exportName =
        exportFileName(setFolder, valueName.empty() ? "(Default)" : valueName, counter);
    const std::string exportPath = setFolder + "\\" + exportName;
    // The registry editor imports this as it imports its own exports: the key, and in it the one
    // value.
    const std::string text = std::string(winrules::kRegeditHeader) + "\r\n[" + root + "\\" +
                             keyPath + "]\r\n" +
                             winrules::formatRegValue(valueName, type, data, true) + "\r\n";
    std::string written;
    if (platform::writeFile(exportPath, text) != platform::kOk ||
        platform::readFile(exportPath, written) != platform::kOk || written != text ||
        !appendLines(setFolder + "\\" + lastComponent(setFolder) + ".drb",
                     root + "\\" + keyPath + "\\" + valueName + ", " + exportName + "\r\n")) {
        platform::deleteFile(exportPath);
        return false;
    }
    return true;
}
