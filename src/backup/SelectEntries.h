// What the restore and clearing windows share: selecting entries, finding backup sets, reading,
// restoring and rewriting index lines.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace ui {
class Control;
class ListBox;
class ListControl;
} // namespace ui

// Marks every entry of `list`, first to last, as selected (`on`) or not selected.
void selectEveryEntry(ui::ListControl& list, bool on);

// Enables or disables `controls` in the order given.
void setEnabled(std::initializer_list<ui::Control*> controls, bool on);

// The backup folder: program folder\Backup.
std::string backupFolder();

// True when the last characters of `text` are exactly `suffix` (case-sensitive).
bool endsWith(const std::string& text, const std::string& suffix);

// The names listed in `folder` (folders and ordinary files; hidden and system entries are not
// found, "." and ".." skipped) whose last characters are exactly `suffix` (case-sensitive), in
// the order of the directory search. Empty when `folder` does not exist.
std::vector<std::string> namesEndingWith(const std::string& folder, const std::string& suffix);

// Splits an index line at its last comma: `item` before it, `target` after it less its first
// character (the blank). False for a line without a comma.
bool splitIndexLine(const std::string& line, std::string& item, std::string& target);

// Adds every non-empty CR LF separated line of the index at `indexPath` (a missing or unreadable
// file reads as empty) to `shown` and to its hidden twin `twin`, then gives `shown` its scroll
// extent.
void loadIndexLines(const std::string& indexPath, ui::ListBox& shown, ui::ListBox& twin);

// Runs `restore` on every entry selected in `shown`, first to last, then removes from `twin`,
// last to first (so the remaining positions stay aligned), every entry whose `restore` returned
// true. An entry whose restore returned false keeps its line. Returns the number of lines taken
// out.
int restoreSelected(const ui::ListBox& shown, ui::ListBox& twin,
                    const std::function<bool(const std::string& line)>& restore);

// Writes the lines of `twin` anew to the index at `indexPath`, each followed by CR LF, or deletes
// the index when `twin` is empty. Returns true when the index was deleted.
bool rewriteIndex(const std::string& indexPath, const ui::ListBox& twin);

// True when `relative` names something inside a set folder: not empty, no drive, no empty, "."
// or ".." component (backslash or slash separated); `wildcards` allows * and ?, `oneName` asks
// for a single component. Index lines are read back from disk, so a damaged one must not reach
// outside its set.
bool staysInsideSet(const std::string& relative, bool wildcards, bool oneName);

// Creates the folder `path` and every missing folder above it; folders that exist (and prefixes
// such as a drive that are no folders) are passed over. Reports nothing.
void makeFolderPath(const std::string& path);

// Removes `folder` and every folder below it, deepest first, as far as they are empty; files and
// links are never touched, so a folder that still holds anything stays.
void removeEmptyFolders(const std::string& folder);
