// The operations behind the configuration sections, shared by every cleaning window.
#include "cleaning/Engine.h"

#include "backup/Backup.h"
#include "cleaning/Folders.h"
#include "cleaning/RegSearch.h"
#include "cleaning/Registry.h"
#include "language/Language.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "startup/General.h"
#include "ui/Controls.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace {

// Words of the detail-list lines.
constexpr const char* kFileFound = "0015";
constexpr const char* kFileMissing = "0016";
constexpr const char* kFolderFound = "0017";
constexpr const char* kFolderMissing = "0018";
constexpr const char* kProtected = "0030";

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

void cleanFileIn(RunContext& context, const std::string& entry, const std::string& base,
                 const char* kind) {
    const std::string fullPath = base + entry;
    if (IsProtectedPath(fullPath)) {
        addLine(context.missingList, kProtected, fullPath);
        return;
    }
    if (!VisibleFileExists(fullPath)) {
        addLine(context.missingList, kFileMissing, fullPath);
        return;
    }
    if (context.backupFiles) {
        FileBackup(entry, context.configurationName(), context.backupStamp, fullPath, base, kind);
    }
    addLine(context.foundList, kFileFound, fullPath);
    // Read-only or locked matches stay; the green line stays as well: it says the file was found.
    platform::deleteFiles(fullPath);
}

// Windows-1252 upper case for path comparison.
char upper(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
        return static_cast<char>(u - 0x20);
    }
    return c;
}

// Splits a full path into upper-cased components with "." and ".." resolved, as Windows
// resolves them: repeated separators collapse, trailing dots and spaces of a name are dropped.
std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&parts, &current] {
        while (!current.empty() && (current.back() == ' ' || current.back() == '.') &&
               current != "." && current != "..") {
            current.pop_back();
        }
        if (current == "..") {
            if (parts.size() > 1) {
                parts.pop_back();
            }
        } else if (!current.empty() && current != ".") {
            parts.push_back(current);
        }
        current.clear();
    };
    for (char c : path) {
        if (c == '\\' || c == '/') {
            flush();
        } else {
            current += upper(c);
        }
    }
    flush();
    return parts;
}

bool wildcardMatch(const std::string& pattern, std::size_t p, const std::string& name,
                   std::size_t n) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (std::size_t k = n; k <= name.size(); ++k) {
                if (wildcardMatch(pattern, p + 1, name, k)) {
                    return true;
                }
            }
            return false;
        }
        if (n >= name.size() || (pattern[p] != '?' && pattern[p] != name[n])) {
            return false;
        }
        ++p;
        ++n;
    }
    return n == name.size();
}

// Windows lets "*.*" and "name.*" also match names without a dot.
bool matches(const std::string& pattern, const std::string& name) {
    if (wildcardMatch(pattern, 0, name, 0)) {
        return true;
    }
    return pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
           wildcardMatch(pattern.substr(0, pattern.size() - 2), 0, name, 0);
}

bool hasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

bool matchesEverything(const std::string& pattern) {
    return pattern.find('*') != std::string::npos &&
           pattern.find_first_not_of("*?.") == std::string::npos;
}

bool isPrefix(const std::vector<std::string>& prefix, std::size_t length,
              const std::vector<std::string>& path) {
    if (length > path.size()) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (prefix[i] != path[i]) {
            return false;
        }
    }
    return true;
}

// Structural keys by root; "*" stands for any one key name.
struct GuardedKeys {
    const char* root;
    std::vector<const char*> patterns;
};

const std::vector<GuardedKeys>& guardedKeys() {
    static const std::vector<const char*> kUserKeys = {
        "SOFTWARE",
        "SOFTWARE\\MICROSOFT",
        "SOFTWARE\\MICROSOFT\\WINDOWS",
        "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION",
        "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\*",
        "CONTROL PANEL",
        "CONTROL PANEL\\*"};
    static const std::vector<GuardedKeys> kGuarded = {
        {"HKEY_LOCAL_MACHINE",
         {"SOFTWARE",
          "SOFTWARE\\CLASSES",
          "SOFTWARE\\CLASSES\\*",
          "SOFTWARE\\MICROSOFT",
          "SOFTWARE\\MICROSOFT\\WINDOWS",
          "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION",
          "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\*",
          "SOFTWARE\\MICROSOFT\\WINDOWS NT",
          "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION",
          "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\*",
          "SYSTEM",
          "SYSTEM\\*",
          "SYSTEM\\*\\CONTROL",
          "SYSTEM\\*\\CONTROL\\*",
          "SYSTEM\\*\\CONTROL\\CLASS\\*",
          "SYSTEM\\*\\SERVICES",
          "SYSTEM\\*\\SERVICES\\CLASS",
          "SYSTEM\\*\\SERVICES\\CLASS\\*",
          "SYSTEM\\*\\ENUM",
          "SYSTEM\\*\\ENUM\\*",
          "HARDWARE",
          "SAM",
          "SECURITY"}},
        {"HKEY_CLASSES_ROOT", {"*"}},
        {"HKEY_CURRENT_USER", kUserKeys},
        {"HKEY_CURRENT_CONFIG", {"*", "*\\*"}},
    };
    return kGuarded;
}

bool keyMatches(const std::vector<std::string>& key, const std::string& pattern) {
    const std::vector<std::string> parts = components(pattern);
    if (parts.size() != key.size()) {
        return false;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i] != "*" && parts[i] != key[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool IsProtectedKey(const std::string& rootName, const std::string& keyPath) {
    std::string root;
    for (char c : rootName) {
        root += upper(c);
    }
    const std::vector<std::string> key = components(keyPath);
    if (key.empty()) {
        return true;
    }
    if (root == "HKEY_USERS") {
        // Each user's hive below HKEY_USERS has the structure of HKEY_CURRENT_USER.
        if (key.size() == 1) {
            return true;
        }
        return IsProtectedKey("HKEY_CURRENT_USER",
                              keyPath.substr(keyPath.find('\\') == std::string::npos
                                                 ? keyPath.size()
                                                 : keyPath.find('\\') + 1));
    }
    for (const GuardedKeys& guarded : guardedKeys()) {
        if (root != guarded.root) {
            continue;
        }
        for (const char* pattern : guarded.patterns) {
            if (keyMatches(key, pattern)) {
                return true;
            }
        }
    }
    return false;
}

bool IsProtectedPath(const std::string& path) {
    const std::vector<std::string> target = components(path);
    if (target.size() <= 1) {
        return true; // a drive root, or nothing usable at all
    }
    const std::string program = platform::programFolder();
    const std::array<std::string, 6> guarded = {GetWindowsFolder(),      GetSystemFolder(),
                                                GetProgramFilesFolder(), program,
                                                program + "\\Backup",    program + "\\Log"};
    const std::string& last = target.back();
    const bool wild = hasWildcard(last);
    const std::size_t parentLength = target.size() - 1;
    if (wild && parentLength == 1 && matchesEverything(last)) {
        return true; // every file of a drive root
    }
    for (const std::string& folder : guarded) {
        if (folder.empty()) {
            continue;
        }
        const std::vector<std::string> kept = components(folder);
        if (!wild) {
            if (isPrefix(target, target.size(), kept)) {
                return true; // the folder itself or one of its parents
            }
            continue;
        }
        if (!isPrefix(target, parentLength, kept)) {
            continue;
        }
        if (kept.size() == parentLength ? matchesEverything(last)
                                        : matches(last, kept[parentLength])) {
            return true;
        }
    }
    return false;
}

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
    if (IsProtectedPath(folder)) {
        addLine(context.missingList, kProtected, folder);
        return;
    }
    if (!FolderExists(folder)) {
        addLine(context.missingList, kFolderMissing, folder);
        return;
    }
    if (context.backupDir) {
        DirBackup(folder, context.configurationName(), context.backupStamp);
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
        context.registryCounter =
            std::to_string(std::strtol(context.registryCounter.c_str(), nullptr, 10) + 1);
        if (!RegBackup(context.registryCounter, context.configurationName(), context.backupStamp,
                       keyPath, rootName, root)) {
            return; // no safe copy could be made: the key stays
        }
    }
    DeleteSubKeys(root, keyPath);
    DeleteKey(root, keyPath);
}

void CleanRegValue(RunContext& /*context*/, const std::string& entry) {
    const std::size_t first = entry.find('\\');
    const std::size_t last = entry.rfind('\\');
    if (first == std::string::npos || first == last) {
        return;
    }
    DeleteValue(RootKeyFromName(entry.substr(0, first)), entry.substr(first + 1, last - first - 1),
                entry.substr(last + 1));
}

void CleanRegSearch(RunContext& context, const std::string& entry) {
    static const std::array<std::pair<const char*, const char*>, 7> kRoots = {{
        {"HKEY_CLASSES_ROOT", "&H80000000"},
        {"HKEY_CURRENT_USER", "&H80000001"},
        {"HKEY_LOCAL_MACHINE", "&H80000002"},
        {"HKEY_USERS", "&H80000003"},
        {"HKEY_PERFORMANCE_DATA", "&H80000004"},
        {"HKEY_CURRENT_CONFIG", "&H80000005"},
        {"HKEY_DYN_DATA", "&H80000006"},
    }};
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
    std::string rootText;
    for (const auto& root : kRoots) {
        if (rootName == root.first) {
            rootText = root.second;
        }
    }
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
    const std::string companion = programFolderFile(context.configurationName() + ".txr");
    if (platform::appendFile(companion, sRootKey + "\\" + key + "\r\n") != platform::kOk) {
        return kFileAccessError;
    }
    return 0;
}

void DeleteCompanionFile(const std::string& fileName) {
    platform::deleteFile(programFolderFile(fileName));
}
