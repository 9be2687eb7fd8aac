// The operations behind the configuration sections, shared by every cleaning window.
#include "cleaning/Engine.h"

#include "backup/Backup.h"
#include "base/Folders.h"
#include "base/General.h"
#include "base/Registry.h"
#include "cleaning/Guard.h"
#include "cleaning/RegSearch.h"
#include "language/Language.h"
#include "language/TextIds.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/Controls.h"
#include "winrules/RegRoots.h"

#include <array>
#include <cstdlib>

namespace {

// Words of the detail-list lines.
using textid::kBackupFailed;
using textid::kFileMissing;
using textid::kFolderMissing;
constexpr const char* kFileFound = textid::kFileRemoved;
constexpr const char* kFolderFound = textid::kFolderRemoved;
constexpr const char* kProtected = textid::kFolderProtected;
constexpr const char* kUnresolvable = textid::kPathUnclear;

// The error number a failed companion-file write hands back to the search (file access error).
constexpr int kFileAccessError = 75;

void addLine(ui::ListBox* list, const char* id, const std::string& path) {
    if (list != nullptr) {
        list->addItem(GetLangString(id) + " (" + path + ")");
    }
}

std::string programFolderFile(const std::string& name) {
    return platform::programFolder() + "\\" + name;
}

// Asks the guard about `path`; a refusal gets its red line and ends the line.
bool allowed(RunContext& context, const std::string& path) {
    switch (CheckPath(path)) {
    case PathVerdict::Allowed:
        return true;
    case PathVerdict::Protected:
        addLine(context.missingList, kProtected, path);
        return false;
    case PathVerdict::Unresolvable:
        addLine(context.missingList, kUnresolvable, path);
        return false;
    }
    return false;
}

void cleanFileIn(RunContext& context, const std::string& entry, const std::string& base,
                 const char* kind) {
    const std::string fullPath = base + entry;
    if (!allowed(context, fullPath)) {
        return;
    }
    if (!VisibleFileExists(fullPath)) {
        addLine(context.missingList, kFileMissing, fullPath);
        return;
    }
    if (context.backupFiles &&
        !FileBackup(entry, context.configurationName, context.backupStamp, fullPath, base, kind)) {
        addLine(context.missingList, kBackupFailed, fullPath);
        return;
    }
    addLine(context.foundList, kFileFound, fullPath);
    // Read-only or locked matches stay; the green line stays as well: it says the file was found.
    platform::deleteFiles(fullPath);
}

// Raises the registry backup counter, as it is raised before every registry backup.
void nextCounter(RunContext& context) {
    context.registryCounter =
        std::to_string(std::strtol(context.registryCounter.c_str(), nullptr, 10) + 1);
}

} // namespace

void CleanFile(RunContext& context, const std::string& entry) {
    cleanFileIn(context, entry, GetWindowsFolder(), "1");
}

void CleanSystemFile(RunContext& context, const std::string& entry) {
    cleanFileIn(context, entry, GetSystemFolder(), "2");
}

std::string ResolveDirectoryEntry(const std::string& entry) {
    static const std::string kProgramFiles = "\\Program Files";
    if (entry.compare(0, kProgramFiles.size(), kProgramFiles) == 0) {
        return GetProgramFilesFolder() + entry.substr(kProgramFiles.size());
    }
    return GetWindowsFolder().substr(0, 2) + entry;
}

void CleanDirectory(RunContext& context, const std::string& entry) {
    const std::string folder = ResolveDirectoryEntry(entry);
    if (!allowed(context, folder)) {
        return;
    }
    if (!FolderExists(folder)) {
        addLine(context.missingList, kFolderMissing, folder);
        return;
    }
    if (context.backupDir && !DirBackup(folder, context.configurationName, context.backupStamp)) {
        addLine(context.missingList, kBackupFailed, folder);
        return;
    }
    addLine(context.foundList, kFolderFound, folder);
    DeleteFolderTree(folder);
}

void CleanRegSection(RunContext& context, const std::string& entry) {
    const std::size_t split = entry.find('\\');
    if (split == std::string::npos) {
        return;
    }
    const std::string rootName = entry.substr(0, split);
    const std::string keyPath = entry.substr(split + 1);
    // An empty key path names the root itself: everything below it would go; a structural key
    // of Windows would take the system with it.
    if (keyPath.find_first_not_of('\\') == std::string::npos || IsProtectedKey(rootName, keyPath)) {
        return;
    }
    const std::uint32_t root = RootKeyFromName(rootName);
    if (context.backupReg) {
        nextCounter(context);
        if (!RegBackup(context.registryCounter, context.configurationName, context.backupStamp,
                       keyPath, rootName, root)) {
            addLine(context.missingList, kBackupFailed, entry);
            return; // no safe copy could be made: the key stays
        }
    }
    DeleteSubKeys(root, keyPath);
    DeleteKey(root, keyPath);
}

void CleanRegValue(RunContext& context, const std::string& entry) {
    const std::size_t first = entry.find('\\');
    const std::size_t last = entry.rfind('\\');
    if (first == std::string::npos || first == last) {
        return;
    }
    const std::string rootName = entry.substr(0, first);
    const std::string keyPath = entry.substr(first + 1, last - first - 1);
    const std::string valueName = entry.substr(last + 1);
    const std::uint32_t root = RootKeyFromName(rootName);
    if (context.backupReg) {
        nextCounter(context);
        if (!RegValueBackup(context.registryCounter, context.configurationName, context.backupStamp,
                            rootName, root, keyPath, valueName)) {
            addLine(context.missingList, kBackupFailed, entry);
            return;
        }
    }
    DeleteValue(root, keyPath, valueName);
}

void CleanRegSearch(RunContext& context, const std::string& entry) {
    const std::size_t comma = entry.find(',');
    if (comma == std::string::npos || context.search == nullptr) {
        return;
    }
    const std::string rootName = entry.substr(0, comma);
    const std::string text = entry.substr(comma + 1);
    // An empty text is found in every key name: every key below the root would be deleted.
    if (text.empty()) {
        return;
    }
    // The root name must be written exactly; anything else searches nothing.
    const winrules::RegRoot* root = winrules::findRoot(rootName, true);
    const std::string rootText = root != nullptr ? winrules::rootHexText(*root) : std::string();
    cRegSearch& search = *context.search;
    search.SearchFlags(0);
    search.RootKey(rootText);
    search.SearchString(text);
    search.SearchFound = [&context](const std::string& sRootKey, const std::string& sKey,
                                    const std::string& sValue) {
        return cReg_SearchFound(context, sRootKey, sKey, sValue);
    };
    search.DoSearch();
    search.SearchFound = nullptr;
}

int cReg_SearchFound(RunContext& context, const std::string& sRootKey, const std::string& sKey,
                     const std::string& /*sValue*/) {
    static const std::array<std::string, 3> kKnownEndings = {
        "\\0000\\ATI WDM Configurations",
        "\\Settings\\ATI WDM Configurations",
        "\\0000\\Display\\shellex\\PropertySheetHandlers\\NVIDIA CPL Extension",
    };
    std::string key = sKey;
    for (const std::string& ending : kKnownEndings) {
        if (key.size() >= ending.size() &&
            key.compare(key.size() - ending.size(), ending.size(), ending) == 0) {
            key.erase(key.size() - ending.size());
            break;
        }
    }
    // The key two levels up is the device's class key on some systems: then the hit itself goes.
    if (IsProtectedKey(sRootKey, key)) {
        key = sKey;
    }
    if (IsProtectedKey(sRootKey, key)) {
        return 0;
    }
    const std::string companion = programFolderFile(context.configurationName + ".txr");
    if (platform::appendFile(companion, sRootKey + "\\" + key + "\r\n") != platform::kOk) {
        return kFileAccessError;
    }
    return 0;
}

SectionHandlers EngineSections(RunContext& context) {
    auto bound = [&context](void (*operation)(RunContext&, const std::string&)) {
        return [&context, operation](const std::string& line) { operation(context, line); };
    };
    SectionHandlers handlers;
    handlers.files = bound(CleanFile);
    handlers.systemFiles = bound(CleanSystemFile);
    handlers.directory = bound(CleanDirectory);
    handlers.registrySection = bound(CleanRegSection);
    handlers.registryValue = bound(CleanRegValue);
    handlers.registrySearch = bound(CleanRegSearch);
    return handlers;
}
