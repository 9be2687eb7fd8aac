// Folder deletion and pruning of empty folders.
#include "base/Folders.h"

#include "base/General.h"
#include "platform/Files.h"

#include <vector>

void DeleteFolderTree(const std::string& path) {
    // The outcome is nobody's business: a partly deleted folder stays partly deleted.
    platform::deleteTree(path);
}

void DeleteFolderIfExists(const std::string& path) {
    if (FolderExists(path)) {
        DeleteFolderTree(path);
    }
}

namespace {

// A directory-backup set holds copies of whole folders, empty subfolders included: they are part
// of what the restore must give back, so pruning never reaches inside such a set.
bool holdsFolderCopies(const std::string& path) {
    static const std::string kSuffix = "DirBackup\\";
    return path.size() >= kSuffix.size() &&
           path.compare(path.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

// Returns false at the first failure, which ends the whole pruning.
bool prune(const std::string& path) {
    std::vector<platform::FindEntry> listing;
    if (platform::findFiles(path + "*", listing) != platform::kOk) {
        return false;
    }
    if (listing.size() <= 2) {
        // Only "." and "..": the folder itself is empty. The platform wants no trailing backslash.
        return platform::removeFolder(path.substr(0, path.size() - 1)) == platform::kOk;
    }
    if (holdsFolderCopies(path)) {
        return true;
    }
    for (const platform::FindEntry& entry : listing) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        std::uint32_t attributes = 0;
        if (platform::getAttributes(path + entry.name, attributes) != platform::kOk) {
            return false;
        }
        if (attributes == platform::kAttrDirectory && !prune(path + entry.name + "\\")) {
            return false;
        }
    }
    return true;
}

} // namespace

void PruneEmptyFolders(const std::string& path) {
    prune(path);
}
