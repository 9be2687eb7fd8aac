// Folder functions shared by the cleaning, restore, clearing and cab-cleaning code.
#pragma once

#include <string>

// Deletes the folder `path` (a wildcard is accepted in its last component) with all its files
// and subfolders, read-only ones too; stops at the first item it cannot delete; reports nothing.
void DeleteFolderTree(const std::string& path);

// DeleteFolderTree(path) when FolderExists(path).
void DeleteFolderIfExists(const std::string& path);

// Removes `path` (which ends with a backslash) when it is empty, else every empty folder below
// it as listed at the moment; folders with attribute bits besides the directory bit are kept, and
// so is everything inside a folder whose name ends with "DirBackup" (copies of whole folders,
// empty subfolders included). Stops silently at the first failure.
void PruneEmptyFolders(const std::string& path);
