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
    platform::RegKey key = 0;
    if (platform::regOpenKey(root, keyPath, platform::RegAccess::AllAccess, key) != platform::kOk) {
        return true;
    }
    bool succeeded = true;
    // Always index 0: each pass deletes the subkey it found, so the next one moves up.
    std::string subKey;
    while (platform::regEnumKey(key, 0, subKey) == platform::kOk) {
        if (!DeleteSubKeys(key, subKey) || platform::regDeleteKey(key, subKey) != platform::kOk) {
            succeeded = false;
            break;
        }
    }
    platform::regCloseKey(key);
    return succeeded;
}

void DeleteValue(std::uint64_t root, const std::string& keyPath, const std::string& valueName) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(root, keyPath, platform::RegAccess::Default, key) != platform::kOk) {
        return;
    }
    platform::regDeleteValue(key, valueName);
    platform::regCloseKey(key);
}

std::string ReadRegString(std::uint64_t root, const std::string& keyPath,
                          const std::string& valueName) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(root, keyPath, platform::RegAccess::Default, key) != platform::kOk) {
        return std::string();
    }
    std::uint32_t type = 0;
    std::string data;
    const platform::Error result = platform::regQueryValue(key, valueName, type, data);
    platform::regCloseKey(key);
    if (result != platform::kOk || type != platform::kRegSz) {
        return std::string();
    }
    return data.substr(0, data.find('\0'));
}
