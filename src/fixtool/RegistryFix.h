// The registry fix: the data folder's registry script imported with the registry editor.
#pragma once

class FixBackup;

// How the registry fix ended.
enum class RegistryResult {
    Done,          // the registry holds what the script says
    ScriptMissing, // the data folder has no script; nothing was changed
    ScriptDamaged, // the script cannot be read as a whole; nothing was changed
    NotKept,       // a key the script changes could not be exported first; nothing was changed
    EditorMissing, // the registry editor could not be started
    NotImported,   // the editor ran, but the registry does not hold what the script says
};

// Exports every existing key that the script "quellix\QUELLIX.dat" writes or deletes into
// `backup` ("regedit /e"), then imports the script silently ("regedit /s") and checks the
// registry against it.
RegistryResult ImportRegistryScript(FixBackup& backup);
