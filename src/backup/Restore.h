// Putting backed-up items back: one index line of a backup set at a time, and a whole set at once.
// The restore windows and the command-line cleaner share it.
#pragma once

#include <string>
#include <vector>

// The three kinds of backup set, told apart by the end of their folder names.
enum class SetKind {
    Files,    // "...FileBackup": copies of files, index ".dfb"
    Folders,  // "...DirBackup": copies of folder trees, index ".ddb"
    Registry, // "...RegBackup": registry exports, index ".drb"
};

// One backup set in the backup folder.
struct BackupSet {
    std::string name; // its folder's name
    SetKind kind = SetKind::Files;
};

// The end of a set folder's name that marks `kind` ("FileBackup", "DirBackup", "RegBackup").
const char* SetNameEnd(SetKind kind);

// The sets of `kind` in the backup folder, in the order of the directory search, as the restore
// windows list them.
std::vector<std::string> BackupSetNames(SetKind kind);

// Every set: the file sets, then the directory sets, then the registry sets.
std::vector<BackupSet> ListBackupSets();

// The folder of the set called `setName`: program folder\Backup\<setName>.
std::string BackupSetPath(const std::string& setName);

// The index file of `set`: its folder\<name>.dfb, .ddb or .drb.
std::string SetIndexPath(const BackupSet& set);

// Puts back the item of one index line of a set of `kind` whose folder is `setFolder`. True when
// the line may leave the index: its copy is back in place (a file's or folder's bytes checked
// there, a key's export imported by the registry editor), or the set holds no copy to put back.
// False for a line the backup did not write (one that would reach outside the set) and for a copy
// that did not get back: the copy and the line stay for a later try.
bool RestoreIndexLine(SetKind kind, const std::string& setFolder, const std::string& line);

// After a restore emptied the index of a set: removes what is left of the set as the restore
// windows do (a file set's empty subfolders and itself as far as empty, a directory set whole, a
// registry set when it holds nothing more).
void RemoveEmptiedSet(SetKind kind, const std::string& setFolder);

// The non-empty CR LF separated lines of the index at `indexPath`; none when it is missing or
// unreadable.
std::vector<std::string> ReadIndexLines(const std::string& indexPath);

// Writes `lines` anew to the index at `indexPath`, each followed by CR LF, or deletes the index
// when there are none. Returns true when the index was deleted.
bool RewriteIndexLines(const std::string& indexPath, const std::vector<std::string>& lines);

// What restoring a whole set did with its lines, in index order.
struct SetRestore {
    std::vector<std::string> restored; // lines whose items are back (or had no copy)
    std::vector<std::string> kept;     // lines that stay in the index
};

// Restores every line of `set`, as selecting all of its entries in its restore window and
// pressing Restore does: the index keeps the lines that could not be restored, and an emptied set
// goes. A set whose index holds no line is left alone.
SetRestore RestoreWholeSet(const BackupSet& set);
