// The table of registry roots.
#include "winrules/RegRoots.h"

#include "winrules/WinText.h"

#include <cstdio>

namespace winrules {

const std::array<RegRoot, 7>& regRoots() {
    static const std::array<RegRoot, 7> kRoots = {{
        {0x80000000u, "HKEY_CLASSES_ROOT"},
        {0x80000001u, "HKEY_CURRENT_USER"},
        {0x80000002u, "HKEY_LOCAL_MACHINE"},
        {0x80000003u, "HKEY_USERS"},
        {0x80000004u, "HKEY_PERFORMANCE_DATA"},
        {0x80000005u, "HKEY_CURRENT_CONFIG"},
        {0x80000006u, "HKEY_DYN_DATA"},
    }};
    return kRoots;
}

const RegRoot* findRoot(const std::string& name, bool exactCase) {
    for (const RegRoot& root : regRoots()) {
        if (exactCase ? name == root.name : equalNoCase(name, root.name)) {
            return &root;
        }
    }
    return nullptr;
}

const RegRoot* findRoot(std::uint64_t handle) {
    for (const RegRoot& root : regRoots()) {
        if (root.handle == handle) {
            return &root;
        }
    }
    return nullptr;
}

std::string rootHexText(const RegRoot& root) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%X", root.handle);
    return text;
}

} // namespace winrules
