// Shared path and existence helpers and the general error box of the main program.
#pragma once

#include <string>

namespace ui {
class App;
}

// The whole file `path` as text; any failure gives the empty text.
std::string ReadTextFile(const std::string& path);

// True when `path` is an existing file of any attributes (hidden and system too); no wildcards.
bool FileExists(const std::string& path);

// True when a search for `path` (wildcards allowed in the last component) finds an ordinary file;
// hidden, system and folder entries do not count.
bool VisibleFileExists(const std::string& path);

// True when a search for `path` finds a folder or an ordinary file that is neither hidden nor
// system; a trailing backslash is dropped first, and a drive root is there when its drive is.
bool FolderExists(const std::string& path);

// The Windows folder without a trailing backslash (a drive root keeps it); empty on failure.
std::string GetWindowsFolder();

// The system folder, same rule.
std::string GetSystemFolder();

// The temporary folder, ending with a backslash; empty on failure.
std::string GetTempFolder();

// "ProgramFilesDir" of HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion, as stored;
// empty when missing or not a plain string.
std::string GetProgramFilesFolder();

// Shows `message` in a modal box titled "Error" with an OK button and no icon; returns once it is
// closed.
void ShowErrorReport(ui::App& app, const std::string& message);
