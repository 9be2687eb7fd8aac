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
// earlier copy in the set. Reports nothing.
void FileBackup(const std::string& entry, const std::string& configurationName,
                const std::string& stamp, const std::string& fullPath,
                const std::string& baseFolder, const std::string& kind);

// Copies the folder `folderPath` into the run's directory-backup set and appends its line to
// the ".ddb" index. Never overwrites an earlier copy in the set. Reports nothing.
void DirBackup(const std::string& folderPath, const std::string& configurationName,
               const std::string& stamp);

// Exports the key `keyPath` below `rootName` with the registry editor into the run's
// registry-backup set and appends its line to the ".drb" index; a key that does not exist is
// skipped. False when the backup failed in a way that must keep the key (the index could not be
// written, the editor could not be started, a key directly below a root).
bool RegBackup(const std::string& counter, const std::string& configurationName,
               const std::string& stamp, const std::string& keyPath, const std::string& rootName,
               std::uint64_t rootHandle);

// The folder of a backup set: program folder\Backup\<stamp>_<configuration><kindSuffix>.
std::string BackupSetFolder(const std::string& stamp, const std::string& configurationName,
                            const std::string& kindSuffix);
