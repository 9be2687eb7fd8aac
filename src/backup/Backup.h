// Backups made during a clean run: the backup sets, their copies and their index files.
#pragma once

#include <cstdint>
#include <string>

// Creates the backup folder, the log folder (LogFile "Yes") and the run's set folders for
// each backup whose value is "Yes"; stops at the first folder that cannot be created.
void PrepareBackupFolders(const std::string& stamp, const std::string& configurationName,
                          const std::string& backupFiles, const std::string& backupDir,
                          const std::string& backupReg, const std::string& logFile);

// Copies the file(s) of a "[FILES]" (kind "1") or "[SYSTEMFILES]" (kind "2") entry into the
// run's file-backup set and appends its line to the set's ".dfb" index. Never overwrites an
// earlier copy in the set, and never puts a copy where another line's restore would take it. True
// only when every file the entry's delete would take is in the set with the same bytes and the
// line is written; otherwise the copies made are taken out again.
bool FileBackup(const std::string& entry, const std::string& configurationName,
                const std::string& stamp, const std::string& fullPath,
                const std::string& baseFolder, const std::string& kind);

// Copies the folder `folderPath` (every folder it matches when its last component is a pattern)
// into the run's directory-backup set and appends one ".ddb" line per folder copied. Never
// overwrites an earlier copy. True only when every copy holds the whole tree and the lines are
// written; otherwise the copies made are taken out again.
bool DirBackup(const std::string& folderPath, const std::string& configurationName,
               const std::string& stamp);

// Exports the key `keyPath` below `rootName` with the registry editor into the run's
// registry-backup set and appends its line to the ".drb" index; a key that does not exist is
// skipped (true). False, with nothing left behind, when the export is not there holding the key
// or the line could not be written, and for a key directly below a root.
bool RegBackup(const std::string& counter, const std::string& configurationName,
               const std::string& stamp, const std::string& keyPath, const std::string& rootName,
               std::uint64_t rootHandle);

// Writes the one value `valueName` of `keyPath` below `rootName` as a registration file into the
// run's registry-backup set (named after the value, as a key's export is named after its leaf)
// and appends its ".drb" line (root\key\value, file), so the registry restore imports it like a
// key. A missing value is skipped (true). False, with nothing left behind, when the file or the
// line could not be written.
bool RegValueBackup(const std::string& counter, const std::string& configurationName,
                    const std::string& stamp, const std::string& rootName, std::uint64_t rootHandle,
                    const std::string& keyPath, const std::string& valueName);

// The folder of a backup set: program folder\Backup\<stamp>_<configuration><kindSuffix>.
std::string BackupSetFolder(const std::string& stamp, const std::string& configurationName,
                            const std::string& kindSuffix);
