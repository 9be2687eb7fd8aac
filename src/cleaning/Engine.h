// The cleaning engine: the operation behind each configuration section, for any cleaning window.
#pragma once

#include <functional>
#include <string>

class cRegSearch;

namespace ui {
class ListBox;
}

// What a cleaning window hands the engine for one clean run: its settings for the run, where
// the configuration name comes from, the backup stamp and counter, and where results go.
struct RunContext {
    // The configuration being cleaned, read afresh wherever it is needed (the window's list).
    std::function<std::string()> configurationName;
    std::string backupStamp;            // dd-mm-yyyy_hhmmss of the window's loading
    bool backupFiles = false;           // "BackupFiles" was "Yes" at the start of the run
    bool backupDir = false;             // "BackupDir" was "Yes"
    bool backupReg = false;             // "BackupReg" was "Yes"
    std::string registryCounter = "0";  // advanced before each registry backup
    ui::ListBox* foundList = nullptr;   // lines of items found and removed; none: no lines
    ui::ListBox* missingList = nullptr; // lines of items not found; none: no lines
    cRegSearch* search = nullptr;       // the window's registry search object
};

// "[FILES]": deletes the file(s) the entry names below the Windows folder.
void CleanFile(RunContext& context, const std::string& entry);
// "[SYSTEMFILES]": the same below the system folder.
void CleanSystemFile(RunContext& context, const std::string& entry);
// "[DIRECTORY]": deletes the folder the entry names, with everything in it.
void CleanDirectory(RunContext& context, const std::string& entry);
// "[REGISTRY.SECTION]" and companion lines: deletes the key with everything below it.
void CleanRegSection(RunContext& context, const std::string& entry);
// "[REGISTRY.VALUE]": deletes one value.
void CleanRegValue(RunContext& context, const std::string& entry);
// "[REGISTRY.SEARCH]": records every key below the root whose name holds the text.
void CleanRegSearch(RunContext& context, const std::string& entry);
// The search object's hit handler: appends the (trimmed) key to the companion file. Returns 0
// or the number of the error that must end the search.
int cReg_SearchFound(RunContext& context, const std::string& sRootKey, const std::string& sKey,
                     const std::string& sValue);
// Deletes `fileName` in the program folder; a missing file is no error anybody sees.
void DeleteCompanionFile(const std::string& fileName);

// The full path the engine resolves a "[DIRECTORY]" entry to.
std::string ResolveDirectoryEntry(const std::string& entry);

// True when the key `keyPath` below the root `rootName` holds the registry's own structure
// (the SOFTWARE and SYSTEM trees, control sets, device classes, the Run and Uninstall keys...):
// deleting it with everything below would wreck Windows, so no line or search hit may.
bool IsProtectedKey(const std::string& rootName, const std::string& keyPath);

// True when `path` (a full path, "." and ".." resolved here, wildcards allowed in the last
// component) is, or could match, a folder that must never be deleted: a drive root, the
// Windows, system or Program Files folder, the program folder or its Backup and Log folders,
// or a parent of one of them. Deleting all files of such a folder by pattern counts too.
bool IsProtectedPath(const std::string& path);
