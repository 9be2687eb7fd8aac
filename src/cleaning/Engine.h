// The cleaning engine: the operation behind each configuration section, for any cleaning window.
#pragma once

#include "packs/Configuration.h"

#include <string>

class cRegSearch;

namespace ui {
class ListBox;
}

// What a cleaning window hands the engine for one clean run: its settings for the run, the
// configuration being cleaned, the backup stamp and counter, and where results go.
struct RunContext {
    // The configuration being cleaned, taken from the window when it starts cleaning it: picking
    // another one in the window during a long search does not send later hits elsewhere.
    std::string configurationName;
    std::string backupStamp;            // dd-mm-yyyy_hhmmss of the window's loading
    bool backupFiles = false;           // "BackupFiles" was "Yes" at the start of the run
    bool backupDir = false;             // "BackupDir" was "Yes"
    bool backupReg = false;             // "BackupReg" was "Yes"
    std::string registryCounter = "0";  // advanced before each registry backup
    ui::ListBox* foundList = nullptr;   // lines of items found and removed; none: no lines
    ui::ListBox* missingList = nullptr; // lines of items not found; none: no lines
    cRegSearch* search = nullptr;       // the window's registry search object
};

// Each operation below first asks the guard (cleaning/Guard.h): a refused file or folder line
// gets a red line and nothing else; a refused key or search hit is passed over. With a backup on,
// an item whose backup did not verifiably happen is not deleted and gets a red line.

// "[FILES]": deletes the file(s) the entry names below the Windows folder.
void CleanFile(RunContext& context, const std::string& entry);
// "[SYSTEMFILES]": the same below the system folder.
void CleanSystemFile(RunContext& context, const std::string& entry);
// "[DIRECTORY]": deletes the folder the entry names, with everything in it.
void CleanDirectory(RunContext& context, const std::string& entry);
// "[REGISTRY.SECTION]" and companion lines: deletes the key with everything below it.
void CleanRegSection(RunContext& context, const std::string& entry);
// "[REGISTRY.VALUE]": deletes one value (exported first when the registry backup is on).
void CleanRegValue(RunContext& context, const std::string& entry);
// "[REGISTRY.SEARCH]": records every key below the root whose name holds the text.
void CleanRegSearch(RunContext& context, const std::string& entry);
// The search object's hit handler: appends the (trimmed) key to the companion file; a hit whose
// trimmed key is protected is recorded untrimmed, and one protected itself not at all. Returns 0
// or the number of the error that must end the search.
int cReg_SearchFound(RunContext& context, const std::string& sRootKey, const std::string& sKey,
                     const std::string& sValue);
// The operations above as the handlers of a configuration's sections, working with `context`
// (which must outlive the handlers).
SectionHandlers EngineSections(RunContext& context);

// The full path the engine resolves a "[DIRECTORY]" entry to.
std::string ResolveDirectoryEntry(const std::string& entry);
