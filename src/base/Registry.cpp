// Registry functions of the cleaning engine, on the platform's registry interface.
#include "base/Registry.h"

#include "platform/Registry.h"
#include "winrules/RegRoots.h"

#include <array>
#include <utility>

std::uint32_t RootKeyFromName(const std::string& name) {
    const winrules::RegRoot* root = winrules::findRoot(name, false);
    return root != nullptr ? root->handle : 0;
}

void DeleteKey(std::uint64_t root, const std::string& keyPath) {
    platform::regDeleteKey(root, keyPath);
}

bool DeleteSubKeys(std::uint64_t root, const std::string& keyPath) {
    platform::OpenKey key;
    if (key.open(root, keyPath, platform::RegAccess::AllAccess) != platform::kOk) {
        return true;
    }
    // Always index 0: each pass deletes the subkey it found, so the next one moves up.
    std::string subKey;
    while (platform::regEnumKey(key.get(), 0, subKey) == platform::kOk) {
        if (!DeleteSubKeys(key.get(), subKey) ||
            platform::regDeleteKey(key.get(), subKey) != platform::kOk) {
            return false;
        }
    }
    return true;
}

void DeleteValue(std::uint64_t root, const std::string& keyPath, const std::string& valueName) {
    platform::OpenKey key;
    if (key.open(root, keyPath, platform::RegAccess::Default) == platform::kOk) {
        platform::regDeleteValue(key.get(), valueName);
    }
}

std::string ReadRegString(std::uint64_t root, const std::string& keyPath,
                          const std::string& valueName) {
    platform::OpenKey key;
    std::uint32_t type = 0;
    std::string data;
    if (key.open(root, keyPath, platform::RegAccess::Default) != platform::kOk ||
        platform::regQueryValue(key.get(), valueName, type, data) != platform::kOk ||
        type != platform::kRegSz) {
        return std::string();
    }
    return data.substr(0, data.find('\0'));
}
