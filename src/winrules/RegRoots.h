// The registry's predefined roots: their handle values and names, in the order Windows numbers
// them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace winrules {

// One predefined root.
struct RegRoot {
    std::uint32_t handle; // 0x80000000 (HKEY_CLASSES_ROOT) to 0x80000006 (HKEY_DYN_DATA)
    const char* name;     // "HKEY_CLASSES_ROOT"
};

// The seven roots, HKEY_CLASSES_ROOT first.
const std::array<RegRoot, 7>& regRoots();

// The root named exactly `name` (case-sensitive when `exactCase`, else without regard to case);
// nullptr when there is none.
const RegRoot* findRoot(const std::string& name, bool exactCase);

// The root with handle `handle`; nullptr for any other value.
const RegRoot* findRoot(std::uint64_t handle);

// The handle written as "&H" hexadecimal ("&H80000002").
std::string rootHexText(const RegRoot& root);

} // namespace winrules
