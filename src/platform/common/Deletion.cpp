// Deleting by pattern and deleting a folder tree, built on the platform's own file operations so
// both backends share them.
#include "platform/Files.h"
#include "winrules/WinPath.h"

#include <vector>

namespace platform {
namespace {

using winrules::folderPart;
using winrules::isDotEntry;

// Clears the read-only bit, runs `remove`, and puts the bits back when it still fails, so an
// item that stays keeps its attributes.
template <class Remove>
Error forceRemove(const std::string& path, std::uint32_t attributes, Remove remove) {
    const bool readOnly = (attributes & kAttrReadOnly) != 0;
    if (readOnly) {
        const Error cleared = setAttributes(path, attributes & ~kAttrReadOnly);
        if (cleared != kOk) {
            return cleared;
        }
    }
    const Error error = remove(path);
    if (error != kOk && readOnly) {
        setAttributes(path, attributes);
    }
    return error;
}

// Deletes the folder `path` and all it holds; a reparse point (a link) is removed itself and
// never entered. The first failure ends the walk and is kept in `result`.
void deleteFolderContents(const std::string& path, std::uint32_t attributes, TreeResult& result) {
    if ((attributes & kAttrReparsePoint) == 0) {
        // The listing is read whole before anything is deleted, so deletion cannot disturb it.
        std::vector<FindEntry> entries;
        const Error listed = findFiles(path + "\\*", entries);
        if (listed != kOk && listed != kErrorFileNotFound) {
            result = TreeResult{listed, path};
            return;
        }
        for (const FindEntry& entry : entries) {
            if (isDotEntry(entry.name)) {
                continue;
            }
            const std::string child = path + "\\" + entry.name;
            if ((entry.attributes & kAttrDirectory) != 0) {
                deleteFolderContents(child, entry.attributes, result);
            } else {
                const Error error = forceRemove(child, entry.attributes, deleteFile);
                if (error != kOk) {
                    result = TreeResult{error, child};
                }
            }
            if (result.error != kOk) {
                return;
            }
        }
    }
    const Error error = forceRemove(path, attributes, removeFolder);
    if (error != kOk) {
        result = TreeResult{error, path};
    }
}

} // namespace

Error deleteFiles(const std::string& pattern) {
    // Resolved once, so every match is deleted in the folder the search listed.
    std::string resolved;
    Error error = resolvePath(pattern, true, resolved);
    std::vector<FindEntry> entries;
    if (error == kOk) {
        error = findFiles(resolved, entries);
    }
    if (error != kOk) {
        return error;
    }
    const std::string folder = folderPart(resolved);
    constexpr std::uint32_t kPassedOver = kAttrHidden | kAttrSystem | kAttrDirectory;
    bool matched = false;
    Error first = kOk;
    for (const FindEntry& entry : entries) {
        if ((entry.attributes & kPassedOver) != 0) {
            continue;
        }
        matched = true;
        const Error deleted = deleteFile(folder + entry.name);
        if (first == kOk) {
            first = deleted;
        }
    }
    return matched ? first : kErrorFileNotFound;
}

TreeResult deleteTree(const std::string& path) {
    // "C:\A\" names the folder C:\A; an empty, "." or ".." last component would reach the parent
    // or the current folder and is refused.
    std::string target = path;
    if (target.size() > 1 && (target.back() == '\\' || target.back() == '/')) {
        target.pop_back();
    }
    const std::string last = target.substr(folderPart(target).size());
    if (last.empty() || isDotEntry(last)) {
        return TreeResult{kErrorInvalidName, path};
    }
    std::string resolved;
    const Error unresolved = resolvePath(target, true, resolved);
    if (unresolved != kOk) {
        return TreeResult{unresolved, path};
    }
    target = resolved;
    const std::string folder = folderPart(target);
    if (target.size() == folder.size()) {
        return TreeResult{kErrorInvalidName, path}; // a drive root
    }
    std::vector<FindEntry> entries;
    const Error listed = findFiles(target, entries);
    if (listed != kOk && listed != kErrorFileNotFound) {
        return TreeResult{listed, path};
    }
    TreeResult result;
    bool matched = false;
    for (const FindEntry& entry : entries) {
        if ((entry.attributes & kAttrDirectory) == 0 || isDotEntry(entry.name)) {
            continue;
        }
        matched = true;
        deleteFolderContents(folder + entry.name, entry.attributes, result);
        if (result.error != kOk) {
            return result;
        }
    }
    if (!matched) {
        return TreeResult{kErrorPathNotFound, path};
    }
    return result;
}

} // namespace platform
