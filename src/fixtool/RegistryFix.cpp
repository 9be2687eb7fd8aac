// Importing the registry script: keys kept first, the import, and the check that it took.
#include "fixtool/RegistryFix.h"

#include "fixtool/FixBackup.h"
#include "fixtool/Quellix.h"
#include "fixtool/RegistryScript.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "system/Helpers.h"
#include "winrules/RegFile.h"
#include "winrules/RegRoots.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

namespace {

// A key name of the script split into its root and its path; false for no known root.
bool splitKey(const std::string& name, platform::RegKey& root, std::string& path,
              std::string& canonical) {
    const std::size_t slash = name.find('\\');
    const winrules::RegRoot* found = winrules::findRoot(name.substr(0, slash), false);
    if (found == nullptr) {
        return false;
    }
    root = found->handle;
    path = slash == std::string::npos ? std::string() : name.substr(slash + 1);
    canonical = std::string(found->name) + (path.empty() ? "" : "\\" + path);
    return true;
}

bool keyExists(const std::string& name) {
    platform::RegKey root = 0;
    std::string path;
    std::string canonical;
    return splitKey(name, root, path, canonical) &&
           platform::OpenKey().open(root, path, platform::RegAccess::Read) == platform::kOk;
}

// How keeping one key ended.
enum class Kept { Yes, No, NoEditor };

// Exports the existing key `name` into the backup folder as "<its last name>.reg".
Kept exportKey(const std::string& name, FixBackup& backup) {
    platform::RegKey root = 0;
    std::string path;
    std::string canonical;
    if (!splitKey(name, root, path, canonical)) {
        return Kept::No;
    }
    const std::string fileName = backup.freeName(winrules::lastComponent(canonical), ".reg");
    if (fileName.empty()) {
        return Kept::No;
    }
    const std::string exportPath = backup.folder() + "\\" + fileName;
    // The program folder may lie below "Program Files" and key names hold blanks: both quoted,
    // or the editor takes their words for further files and keys.
    if (StartAndWait(platform::registryEditorProgram() + " /E \"" + exportPath + "\" \"" +
                         canonical + "\"",
                     platform::kShowHidden) != platform::kOk) {
        return Kept::NoEditor;
    }
    // The editor's exit code says nothing: the export must be there and hold the key.
    std::string bytes;
    platform::readFile(exportPath, bytes);
    const std::string heading = winrules::upper("[" + canonical + "]");
    if (winrules::upper(winrules::registrationText(bytes)).find(heading) == std::string::npos) {
        platform::deleteFile(exportPath);
        return Kept::No;
    }
    return Kept::Yes;
}

// True when the registry holds what `plan` says the script leaves.
bool registryMatches(const ScriptPlan& plan) {
    for (const ScriptPlan::Key& key : plan.keys) {
        if (keyExists(key.name) != key.present) {
            return false;
        }
    }
    for (const ScriptPlan::Value& value : plan.values) {
        platform::RegKey root = 0;
        std::string path;
        std::string canonical;
        platform::OpenKey key;
        std::uint32_t type = 0;
        std::string data;
        const bool found =
            splitKey(value.key, root, path, canonical) &&
            key.open(root, path, platform::RegAccess::QueryValue) == platform::kOk &&
            platform::regQueryValue(key.get(), value.name, type, data) == platform::kOk;
        if (found != value.present ||
            (value.present && (type != value.type || data != value.data))) {
            return false;
        }
    }
    return true;
}

} // namespace

RegistryResult ImportRegistryScript(FixBackup& backup) {
    const std::string script = quellix::DataFolder() + "\\" + quellix::kScript;
    std::string bytes;
    if (platform::readFile(script, bytes) != platform::kOk) {
        return RegistryResult::ScriptMissing;
    }
    ScriptPlan plan;
    if (!PlanScript(bytes, plan)) {
        return RegistryResult::ScriptDamaged;
    }
    for (const std::string& key : plan.touchedKeys) {
        if (!keyExists(key)) {
            continue; // nothing there to lose: undoing the fix deletes the key
        }
        switch (exportKey(key, backup)) {
        case Kept::Yes:
            break;
        case Kept::No:
            return RegistryResult::NotKept;
        case Kept::NoEditor:
            return RegistryResult::EditorMissing;
        }
    }
    if (StartAndWait(platform::registryEditorProgram() + " /S \"" + script + "\"",
                     platform::kShowHidden) != platform::kOk) {
        return RegistryResult::EditorMissing;
    }
    return registryMatches(plan) ? RegistryResult::Done : RegistryResult::NotImported;
}
