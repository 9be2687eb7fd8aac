// The operations behind the configuration sections, shared by every cleaning window, and their
// preview.
#include "cleaning/Engine.h"

#include "backup/Backup.h"
#include "base/Folders.h"
#include "base/General.h"
#include "base/Registry.h"
#include "cleaning/Guard.h"
#include "cleaning/RegSearch.h"
#include "language/Language.h"
#include "language/TextIds.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "ui/Controls.h"
#include "winrules/RegRoots.h"
#include "winrules/WinPath.h"

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

constexpr std::uint32_t kNotOrdinary =
    platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory;

// A line of the found list or of the missing list; a preview writes none.
void addLine(const RunContext& context, bool found, const char* id, const std::string& path) {
    ui::ListBox* list = found ? context.foundList : context.missingList;
    std::vector<std::string>* lines = found ? context.foundLines : nullptr;
    if (context.preview != nullptr || (list == nullptr && lines == nullptr)) {
        return;
    }
    const std::string line = GetLangString(id) + " (" + path + ")";
    if (list != nullptr) {
        list->addItem(line);
    }
    if (lines != nullptr) {
        lines->push_back(line);
    }
}

// Tells the run's listener about one item.
void report(const RunContext& context, RunItem item) {
    if (context.onItem) {
        item.configuration = context.configurationName;
        context.onItem(item);
    }
}

RunItem makeItem(ItemKind kind, ItemOutcome outcome, const std::string& path) {
    RunItem item;
    item.kind = kind;
    item.outcome = outcome;
    item.path = path;
    return item;
}

RunItem refusedItem(ItemKind kind, Refusal refusal, const std::string& path) {
    RunItem item = makeItem(kind, ItemOutcome::Refused, path);
    item.refusal = refusal;
    return item;
}

std::string programFolderFile(const std::string& name) {
    return platform::programFolder() + "\\" + name;
}

// Asks the guard about `path`; a refusal gets its red line (and its item) and ends the line.
bool allowed(RunContext& context, ItemKind kind, const std::string& path) {
    switch (CheckPath(path)) {
    case PathVerdict::Allowed:
        return true;
    case PathVerdict::Protected:
        addLine(context, false, kProtected, path);
        report(context, refusedItem(kind, Refusal::ProtectedFolder, path));
        return false;
    case PathVerdict::Unresolvable:
        addLine(context, false, kUnresolvable, path);
        report(context, refusedItem(kind, Refusal::UnclearPath, path));
        return false;
    }
    return false;
}

// One entry a file or folder line's search finds, with its full path.
struct Match {
    std::string path;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// What a search for `path` (a pattern in its last component allowed) finds, as the delete
// operations resolve it; "." and ".." left out. A trailing backslash names the folder itself.
std::vector<Match> matchesOf(std::string path) {
    if (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    std::vector<Match> matches;
    std::string resolved;
    std::vector<platform::FindEntry> entries;
    if (platform::resolvePath(path, true, resolved) != platform::kOk ||
        platform::findFiles(resolved, entries) != platform::kOk) {
        return matches;
    }
    const std::string folder = winrules::folderPart(resolved);
    for (const platform::FindEntry& entry : entries) {
        if (!winrules::isDotEntry(entry.name)) {
            matches.push_back({folder + entry.name, entry.attributes, entry.size});
        }
    }
    return matches;
}

// The files and bytes below `folder` at any depth; links are not entered, and in a preview what
// was taken already does not count.
void countTree(const PreviewState* state, const std::string& folder, RunItem& item) {
    std::vector<platform::FindEntry> entries;
    platform::findFiles(folder + "\\*", entries);
    for (const platform::FindEntry& entry : entries) {
        const std::string child = folder + "\\" + entry.name;
        if (winrules::isDotEntry(entry.name) || (state != nullptr && state->pathTaken(child))) {
            continue;
        }
        if ((entry.attributes & platform::kAttrDirectory) == 0) {
            ++item.files;
            item.bytes += entry.size;
        } else if ((entry.attributes & platform::kAttrReparsePoint) == 0) {
            countTree(state, child, item);
        }
    }
}

bool keyOpens(std::uint64_t root, const std::string& keyPath) {
    return platform::OpenKey().open(root, keyPath, platform::RegAccess::Read) == platform::kOk;
}

// The keys below `keyPath` at any depth; in a preview what was taken already does not count.
std::uint64_t countSubkeys(const PreviewState* state, std::uint64_t root,
                           const std::string& rootName, const std::string& keyPath) {
    platform::OpenKey key;
    if (key.open(root, keyPath, platform::RegAccess::Read) != platform::kOk) {
        return 0;
    }
    std::uint64_t count = 0;
    std::string name;
    for (std::uint32_t index = 0; platform::regEnumKey(key.get(), index, name) == platform::kOk;
         ++index) {
        const std::string child = keyPath + "\\" + name;
        if (state == nullptr || !state->keyTaken(rootName, child)) {
            count += 1 + countSubkeys(state, root, rootName, child);
        }
    }
    return count;
}

bool valueExists(std::uint64_t root, const std::string& keyPath, const std::string& valueName) {
    platform::OpenKey key;
    std::uint32_t type = 0;
    std::string data;
    return key.open(root, keyPath, platform::RegAccess::QueryValue) == platform::kOk &&
           platform::regQueryValue(key.get(), valueName, type, data) == platform::kOk;
}

// A file line in a preview: every ordinary file it matches that the clean has not taken yet.
void previewFiles(RunContext& context, const std::string& fullPath) {
    PreviewState& state = *context.preview;
    for (const Match& match : matchesOf(fullPath)) {
        if ((match.attributes & kNotOrdinary) != 0 || state.pathTaken(match.path)) {
            continue;
        }
        // Windows refuses to delete a read-only file; a file line leaves it.
        const bool readOnly = (match.attributes & platform::kAttrReadOnly) != 0;
        RunItem item = makeItem(ItemKind::File,
                                readOnly ? ItemOutcome::Stays : ItemOutcome::Removes, match.path);
        item.bytes = match.size;
        report(context, item);
        if (!readOnly) {
            state.takePath(match.path);
        }
    }
}

// A folder line in a preview: when the clean would find the folder, every folder the tree
// deletion takes, with its contents.
void previewFolders(RunContext& context, const std::string& folder) {
    PreviewState& state = *context.preview;
    std::vector<Match> found;
    bool present = false;
    for (const Match& match : matchesOf(folder)) {
        if (!state.pathTaken(match.path)) {
            // The existence test sees ordinary files and folders; the deletion takes every
            // folder the pattern matches.
            present = present ||
                      (match.attributes & (platform::kAttrHidden | platform::kAttrSystem)) == 0;
            found.push_back(match);
        }
    }
    if (!present) {
        return;
    }
    for (const Match& match : found) {
        if ((match.attributes & platform::kAttrDirectory) == 0) {
            continue;
        }
        RunItem item = makeItem(ItemKind::Folder, ItemOutcome::Removes, match.path);
        if ((match.attributes & platform::kAttrReparsePoint) == 0) {
            countTree(&state, match.path, item);
        }
        report(context, item);
        state.takePath(match.path);
    }
}

void cleanFileIn(RunContext& context, const std::string& entry, const std::string& base,
                 const char* kind) {
    const std::string fullPath = base + entry;
    if (!allowed(context, ItemKind::File, fullPath)) {
        return;
    }
    if (context.preview != nullptr) {
        previewFiles(context, fullPath);
        return;
    }
    if (!VisibleFileExists(fullPath)) {
        addLine(context, false, kFileMissing, fullPath);
        return;
    }
    if (context.backupFiles &&
        !FileBackup(entry, context.configurationName, context.backupStamp, fullPath, base, kind)) {
        addLine(context, false, kBackupFailed, fullPath);
        report(context, makeItem(ItemKind::File, ItemOutcome::BackupFailed, fullPath));
        return;
    }
    addLine(context, true, kFileFound, fullPath);
    std::vector<Match> files;
    if (context.onItem) {
        for (const Match& match : matchesOf(fullPath)) {
            if ((match.attributes & kNotOrdinary) == 0) {
                files.push_back(match);
            }
        }
    }
    // Read-only or locked matches stay; the green line stays as well: it says the file was found.
    platform::deleteFiles(fullPath);
    for (const Match& match : files) {
        RunItem item = makeItem(
            ItemKind::File, FileExists(match.path) ? ItemOutcome::NotRemoved : ItemOutcome::Removed,
            match.path);
        item.bytes = match.size;
        report(context, item);
    }
}

// Raises the registry backup counter, as it is raised before every registry backup.
void nextCounter(RunContext& context) {
    context.registryCounter =
        std::to_string(std::strtol(context.registryCounter.c_str(), nullptr, 10) + 1);
}

// The root's own spelling of a root name in any case; the name itself when it is none.
std::string canonicalRoot(const std::string& rootName) {
    const winrules::RegRoot* root = winrules::findRoot(rootName, false);
    return root != nullptr ? root->name : rootName;
}

// A key line, or a line of the companion file (`fromSearch`).
void cleanKey(RunContext& context, const std::string& entry, bool fromSearch) {
    const std::size_t split = entry.find('\\');
    if (split == std::string::npos) {
        return;
    }
    const std::string rootName = entry.substr(0, split);
    const std::string keyPath = entry.substr(split + 1);
    // An empty key path names the root itself: everything below it would go; a structural key
    // of Windows would take the system with it.
    if (keyPath.find_first_not_of('\\') == std::string::npos || IsProtectedKey(rootName, keyPath)) {
        RunItem item = refusedItem(ItemKind::Key, Refusal::ProtectedKey, entry);
        item.fromSearch = fromSearch;
        report(context, item);
        return;
    }
    const std::uint32_t root = RootKeyFromName(rootName);
    RunItem item =
        makeItem(ItemKind::Key, ItemOutcome::Removes, canonicalRoot(rootName) + "\\" + keyPath);
    item.fromSearch = fromSearch;
    if (context.preview != nullptr) {
        PreviewState& state = *context.preview;
        if (!state.keyTaken(rootName, keyPath) && keyOpens(root, keyPath)) {
            item.subkeys = countSubkeys(&state, root, rootName, keyPath);
            report(context, item);
            state.takeKey(rootName, keyPath);
        }
        return;
    }
    const bool existed = context.onItem && keyOpens(root, keyPath);
    if (existed) {
        item.subkeys = countSubkeys(nullptr, root, rootName, keyPath);
    }
    if (context.backupReg) {
        nextCounter(context);
        if (!RegBackup(context.registryCounter, context.configurationName, context.backupStamp,
                       keyPath, rootName, root)) {
            addLine(context, false, kBackupFailed, entry);
            if (existed) {
                item.outcome = ItemOutcome::BackupFailed;
                report(context, item);
            }
            return; // no safe copy could be made: the key stays
        }
    }
    DeleteSubKeys(root, keyPath);
    DeleteKey(root, keyPath);
    if (existed) {
        item.outcome = keyOpens(root, keyPath) ? ItemOutcome::NotRemoved : ItemOutcome::Removed;
        report(context, item);
    }
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
    if (!allowed(context, ItemKind::Folder, folder)) {
        return;
    }
    if (context.preview != nullptr) {
        previewFolders(context, folder);
        return;
    }
    if (!FolderExists(folder)) {
        addLine(context, false, kFolderMissing, folder);
        return;
    }
    if (context.backupDir && !DirBackup(folder, context.configurationName, context.backupStamp)) {
        addLine(context, false, kBackupFailed, folder);
        report(context, makeItem(ItemKind::Folder, ItemOutcome::BackupFailed, folder));
        return;
    }
    addLine(context, true, kFolderFound, folder);
    std::vector<RunItem> folders;
    if (context.onItem) {
        for (const Match& match : matchesOf(folder)) {
            if ((match.attributes & platform::kAttrDirectory) != 0) {
                folders.push_back(makeItem(ItemKind::Folder, ItemOutcome::Removed, match.path));
                if ((match.attributes & platform::kAttrReparsePoint) == 0) {
                    countTree(nullptr, match.path, folders.back());
                }
            }
        }
    }
    DeleteFolderTree(folder);
    for (RunItem& item : folders) {
        std::uint32_t attributes = 0;
        if (platform::getAttributes(item.path, attributes) == platform::kOk) {
            item.outcome = ItemOutcome::NotRemoved;
        }
        report(context, item);
    }
}

void CleanRegSection(RunContext& context, const std::string& entry) {
    cleanKey(context, entry, false);
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
    RunItem item = makeItem(ItemKind::Value, ItemOutcome::Removes,
                            canonicalRoot(rootName) + "\\" + keyPath + "\\" + valueName);
    if (context.preview != nullptr) {
        PreviewState& state = *context.preview;
        if (!state.valueTaken(rootName, keyPath, valueName) &&
            valueExists(root, keyPath, valueName)) {
            report(context, item);
            state.takeValue(rootName, keyPath, valueName);
        }
        return;
    }
    const bool existed = context.onItem && valueExists(root, keyPath, valueName);
    if (context.backupReg) {
        nextCounter(context);
        if (!RegValueBackup(context.registryCounter, context.configurationName, context.backupStamp,
                            rootName, root, keyPath, valueName)) {
            addLine(context, false, kBackupFailed, entry);
            if (existed) {
                item.outcome = ItemOutcome::BackupFailed;
                report(context, item);
            }
            return;
        }
    }
    DeleteValue(root, keyPath, valueName);
    if (existed) {
        item.outcome =
            valueExists(root, keyPath, valueName) ? ItemOutcome::NotRemoved : ItemOutcome::Removed;
        report(context, item);
    }
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
        report(context, refusedItem(ItemKind::Key, Refusal::ProtectedKey, entry));
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

std::string RecordedHitKey(const std::string& sRootKey, const std::string& sKey) {
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
    return IsProtectedKey(sRootKey, key) ? std::string() : key;
}

int cReg_SearchFound(RunContext& context, const std::string& sRootKey, const std::string& sKey,
                     const std::string& /*sValue*/) {
    const std::string key = RecordedHitKey(sRootKey, sKey);
    if (context.preview != nullptr) {
        // A hit below a key an earlier line took is one the clean's search never meets.
        if (!context.preview->keyTaken(sRootKey, sKey)) {
            context.preview->hits.push_back(
                {sRootKey + "\\" + (key.empty() ? sKey : key), key.empty()});
        }
        return 0;
    }
    if (key.empty()) {
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

bool PreviewConfiguration(RunContext& context, clsProtection& decoder, const std::string& name) {
    PreviewState& state = *context.preview;
    state.hits.clear();
    const std::string source = programFolderFile(name + ".txf");
    std::string text;
    // Decoded in memory: a preview leaves no decoded copy, not even for a moment.
    const bool readable = FileExists(source) && platform::readFile(source, text) == platform::kOk &&
                          !decoder.DecodeByte(text, text.size());
    const SectionHandlers handlers = EngineSections(context);
    if (readable) {
        RunConfigurationText(handlers, text);
    }
    // As the clean runs the companion file: the lines an interrupted run left, then the hits.
    for (const std::string& line : SplitLines(ReadTextFile(programFolderFile(name + ".txr")))) {
        cleanKey(context, line, true);
    }
    const std::vector<PreviewState::Hit> hits = std::move(state.hits);
    state.hits.clear();
    for (const PreviewState::Hit& hit : hits) {
        if (hit.refused) {
            RunItem item = refusedItem(ItemKind::Key, Refusal::ProtectedKey, hit.key);
            item.fromSearch = true;
            report(context, item);
        } else {
            cleanKey(context, hit.key, true);
        }
    }
    return readable;
}
