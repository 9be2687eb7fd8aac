// File, folder and registry backups with their set folders and index files.
#include "backup/Backup.h"

#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "startup/General.h"
#include "system/Helpers.h"

#include <array>
#include <vector>

namespace {

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

std::string lastComponent(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

// True when a search for `pattern` finds anything at all (hidden files too).
bool anythingAt(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    return platform::findFiles(pattern, entries) == platform::kOk && !entries.empty();
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

// Splits `path` at its last backslash; false when it has none.
bool splitLast(const std::string& path, std::string& head, std::string& tail) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return false;
    }
    head = path.substr(0, slash);
    tail = path.substr(slash + 1);
    return true;
}

bool appendLine(const std::string& indexPath, const std::string& line) {
    return platform::appendFile(indexPath, line + "\r\n") == platform::kOk;
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

void FileBackup(const std::string& entry, const std::string& configurationName,
                const std::string& stamp, const std::string& fullPath,
                const std::string& baseFolder, const std::string& kind) {
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_FileBackup");
    const std::string setName = lastComponent(setFolder);
    std::string subfolder = kind == "2" ? "\\System" : "\\Windows";
    for (const Prefix& prefix : kPrefixes) {
        if (entry.compare(0, std::char_traits<char>::length(prefix.entryStart),
                          prefix.entryStart) == 0) {
            subfolder = prefix.subfolder;
            break;
        }
    }
    std::string restoreFolder;
    std::string fileName;
    if (!splitLast(fullPath, restoreFolder, fileName)) {
        return;
    }
    // A file of the same name (from another folder, or from an earlier run of this window) may
    // already be in the subfolder: then this copy gets a subfolder of its own.
    subfolder = freeName(subfolder, [&](const std::string& candidate) {
        return anythingAt(setFolder + candidate + "\\" + fileName);
    });
    createFolders(setFolder, subfolder);
    CopyFile(baseFolder + entry, setFolder + subfolder);
    appendLine(setFolder + "\\" + setName + ".dfb",
               subfolder + "\\" + fileName + ", " + restoreFolder);
}

void DirBackup(const std::string& folderPath, const std::string& configurationName,
               const std::string& stamp) {
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_DirBackup");
    const std::string setName = lastComponent(setFolder);
    std::string parent;
    std::string folderName;
    if (!splitLast(folderPath, parent, folderName)) {
        return;
    }
    // Two folders of one name (C:\Program Files\NVIDIA and C:\NVIDIA) must not merge into one
    // copy: a later one goes into a numbered holder folder that its index line names.
    std::string item = folderName;
    std::string destination = setFolder;
    for (int n = 2; anythingAt(setFolder + "\\" + item); ++n) {
        const std::string holder = "(" + std::to_string(n) + ")";
        item = holder + "\\" + folderName;
        destination = setFolder + "\\" + holder;
    }
    if (destination != setFolder) {
        platform::createFolder(destination);
    }
    CopyFolder(folderPath, destination);
    appendLine(setFolder + "\\" + setName + ".ddb", item + ", " + parent);
}

bool RegBackup(const std::string& counter, const std::string& configurationName,
               const std::string& stamp, const std::string& keyPath, const std::string& rootName,
               std::uint64_t rootHandle) {
    std::string parentPath;
    std::string leaf;
    if (!splitLast(keyPath, parentPath, leaf)) {
        return false; // a key directly below a root has no parent part
    }
    platform::RegKey key = 0;
    if (platform::regOpenKey(rootHandle, keyPath, platform::RegAccess::Default, key) !=
        platform::kOk) {
        return true; // nothing to back up, nothing lost
    }
    platform::regCloseKey(key);
    const std::string setFolder = BackupSetFolder(stamp, configurationName, "_RegBackup");
    const std::string setName = lastComponent(setFolder);
    // A second run from the same window restarts the counter: never reuse an export's name.
    const std::string exportName =
        freeName(leaf + counter,
                 [&](const std::string& candidate) {
                     return FileExists(setFolder + "\\" + candidate + ".dat");
                 }) +
        ".dat";
    if (!appendLine(setFolder + "\\" + setName + ".drb",
                    rootName + "\\" + parentPath + "\\" + leaf + ", " + exportName)) {
        return false;
    }
    // Paths and key names hold spaces (Program Files, NVIDIA Corporation): quote both, or the
    // editor reads the extra words as further files.
    const std::string commandLine = "regedit.exe /e \"" + setFolder + "\\" + exportName + "\" \"" +
                                    rootName + "\\" + keyPath + "\"";
    return StartAndWait(commandLine, platform::kShowHidden) == platform::kOk;
}
