// The cleaning engine: the operation behind each configuration section, for any cleaning window,
// and the preview that runs the same operations without changing anything.
#pragma once

#include "packs/Configuration.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

class clsProtection;
class cRegSearch;

namespace ui {
class ListBox;
}

// What kind of thing an item of a run is.
enum class ItemKind { File, Folder, Key, Value };

// What becomes of an item: in a preview, what would; in a clean, what did.
enum class ItemOutcome {
    Removes,      // preview: the clean would remove it
    Stays,        // preview: found, but a file line cannot delete it (read-only)
    Removed,      // clean: it is gone
    NotRemoved,   // clean: found, and still there after its deletion
    BackupFailed, // clean: kept, because the backup asked for did not verifiably happen
    Refused,      // the guard keeps it, whatever the run
};

// Why the guard refused an item.
enum class Refusal {
    None,
    ProtectedFolder, // the path is or holds something Windows or Tarvex needs
    UnclearPath,     // the path cannot be read as one absolute path on a drive
    ProtectedKey,    // the key belongs to the registry's own structure
};

// One item of a run: a file, a folder, a key or a value, and what becomes of it.
struct RunItem {
    std::string configuration; // the configuration whose line named it
    ItemKind kind = ItemKind::File;
    ItemOutcome outcome = ItemOutcome::Removes;
    Refusal refusal = Refusal::None;
    // The full path of the file or folder, or ROOT\key (ROOT\key\value); for a refused or
    // backed-up line the path as its line makes it (a pattern stays a pattern).
    std::string path;
    bool fromSearch = false;   // a key the registry search found, trimmed as it is recorded
    std::uint64_t bytes = 0;   // files: the length; folders: every file below, at any depth
    std::uint64_t files = 0;   // folders: the files below, at any depth
    std::uint64_t subkeys = 0; // keys: the keys below, at any depth
};

// What a preview has taken so far, so that later lines, later configurations and the search see
// the machine as the clean would have left it; and the search hits a clean would record in the
// companion file. Nothing here touches the machine.
class PreviewState {
  public:
    // Marks the file or folder at the resolved full path `path` as taken.
    void takePath(const std::string& path);
    // True when `path` or a folder above it was taken.
    bool pathTaken(const std::string& path) const;
    // Marks the key `rootName`\`keyPath` as taken, with everything below it.
    void takeKey(const std::string& rootName, const std::string& keyPath);
    // True when the key or a key above it was taken.
    bool keyTaken(const std::string& rootName, const std::string& keyPath) const;
    // Marks one value as taken.
    void takeValue(const std::string& rootName, const std::string& keyPath,
                   const std::string& valueName);
    // True when the value or its key (or a key above) was taken.
    bool valueTaken(const std::string& rootName, const std::string& keyPath,
                    const std::string& valueName) const;

    // One search hit as the companion file would record it.
    struct Hit {
        std::string key;      // ROOT\key, trimmed as recorded (untrimmed when refused)
        bool refused = false; // the guard keeps it: a clean records nothing for it
    };
    // The hits of the configuration being previewed, in the order found.
    std::vector<Hit> hits;

  private:
    std::set<std::string> paths;  // upper case
    std::set<std::string> keys;   // canonical root name, backslash, path; upper case
    std::set<std::string> values; // key, backslash, value name; upper case
};

// What a cleaning window (or the command-line cleaner) hands the engine for one run: its
// settings for the run, the configuration being cleaned, the backup stamp and counter, and where
// results go.
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
    // The found list's lines once more, for a run without a window that writes the clean log.
    std::vector<std::string>* foundLines = nullptr;
    cRegSearch* search = nullptr; // the window's registry search object
    // Told about every item the run takes, keeps or refuses (items not found are none); empty:
    // nobody asks, and a clean spends nothing on it.
    std::function<void(const RunItem&)> onItem;
    // Set for a preview: nothing is deleted, backed up, logged or written, the detail lists stay
    // as they are, and onItem hears what the clean would do, in the clean's order.
    PreviewState* preview = nullptr;
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
// The search object's hit handler: appends the (trimmed) key to the companion file (in a
// preview, to the state's companion lines). Returns 0 or the number of the error that must end
// the search.
int cReg_SearchFound(RunContext& context, const std::string& sRootKey, const std::string& sKey,
                     const std::string& sValue);
// The key, below `sRootKey`, that the companion file records for a search hit: the hit less a
// known driver subkey ending; the hit itself when that shorter key is protected; empty when the
// hit is protected too.
std::string RecordedHitKey(const std::string& sRootKey, const std::string& sKey);
// The operations above as the handlers of a configuration's sections, working with `context`
// (which must outlive the handlers).
SectionHandlers EngineSections(RunContext& context);

// The preview of one configuration, in `context` with its preview state set: the configuration
// program folder\<name>.txf is decoded in memory with `decoder`, its lines run through the
// operations above, then the lines a companion file left by an interrupted run holds and the
// search's hits. Nothing on the machine changes. False when the configuration cannot be read.
bool PreviewConfiguration(RunContext& context, clsProtection& decoder, const std::string& name);

// The full path the engine resolves a "[DIRECTORY]" entry to.
std::string ResolveDirectoryEntry(const std::string& entry);
