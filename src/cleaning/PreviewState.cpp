// What a preview has taken so far: paths and keys compared as Windows compares them.
#include "cleaning/Engine.h"

#include "platform/Registry.h"
#include "winrules/RegRoots.h"
#include "winrules/WinText.h"

namespace {

// True when `name` (upper case) or anything above it, cut at a backslash, is in `taken`.
bool takenAtOrAbove(const std::set<std::string>& taken, const std::string& name) {
    if (taken.empty()) {
        return false;
    }
    for (std::size_t cut = name.size(); cut != std::string::npos && cut > 0;
         cut = name.rfind('\\', cut - 1)) {
        if (taken.count(name.substr(0, cut)) != 0) {
            return true;
        }
    }
    return false;
}

// What a key is known by: the system's own name for it, so that two paths to one key (a link,
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and its place below HKEY_USERS) are one key; for a key
// that is not there (or a system without such names), ROOT\PATH in upper case.
std::string keyName(const std::string& rootName, const std::string& keyPath) {
    const winrules::RegRoot* root = winrules::findRoot(rootName, false);
    std::string identity;
    if (root != nullptr &&
        platform::regKeyIdentity(root->handle, keyPath, identity) == platform::kOk) {
        return identity;
    }
    return winrules::upper((root != nullptr ? std::string(root->name) : rootName) + "\\" + keyPath);
}

} // namespace

void PreviewState::takePath(const std::string& path) {
    paths.insert(winrules::upper(path));
}

bool PreviewState::pathTaken(const std::string& path) const {
    return takenAtOrAbove(paths, winrules::upper(path));
}

void PreviewState::takeKey(const std::string& rootName, const std::string& keyPath) {
    keys.insert(keyName(rootName, keyPath));
}

bool PreviewState::keyTaken(const std::string& rootName, const std::string& keyPath) const {
    return takenAtOrAbove(keys, keyName(rootName, keyPath));
}

void PreviewState::takeValue(const std::string& rootName, const std::string& keyPath,
                             const std::string& valueName) {
    values.insert(keyName(rootName, keyPath) + "\\" + winrules::upper(valueName));
}

bool PreviewState::valueTaken(const std::string& rootName, const std::string& keyPath,
                              const std::string& valueName) const {
    return keyTaken(rootName, keyPath) ||
           values.count(keyName(rootName, keyPath) + "\\" + winrules::upper(valueName)) != 0;
}
