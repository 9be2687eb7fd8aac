// The simulated registry in memory: keys sorted without regard to case, links, open handles, and
// its text form on disk.
#pragma once

#include "platform/Error.h"
#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace sim {

// One value of a key: its type and raw data bytes.
struct RegValue {
    std::string name;
    std::string upperName;
    std::uint32_t type = platform::kRegNone;
    std::string data;
};

// One key. Subkeys and values are kept sorted by their upper-case names, so enumeration by index
// is a plain vector access.
struct RegNode {
    std::string name;
    std::string upperName;
    RegNode* parent = nullptr;
    std::vector<std::shared_ptr<RegNode>> subkeys;
    std::vector<RegValue> values;
    std::string link; // full name of the key this key stands for; empty for a plain key
    bool deleted = false;

    // The subkey named `upperName`, or null.
    std::shared_ptr<RegNode> subkey(const std::string& upperName) const;
    // The value named `upperName`, or null.
    const RegValue* value(const std::string& upperName) const;
};

// An open key as a handle sees it.
struct RegHandle {
    std::shared_ptr<RegNode> node;
    platform::RegAccess access = platform::RegAccess::Default;
};

// The whole registry of one machine.
class RegistryStore {
  public:
    RegistryStore();

    // Replaces the whole registry with the stored text; open handles are found again by their
    // key names, and those whose key is gone report it as deleted.
    void load(const std::string& text);

    // The stored text of the whole registry.
    std::string save();

    // The node a predefined root handle stands for (an alias such as HKEY_CLASSES_ROOT is
    // followed), or null when `root` is no root handle or the alias target is missing.
    std::shared_ptr<RegNode> rootNode(platform::RegKey root);

    // Splits "HKEY_X\a\b" (full root names, any case) into the root handle and the path below it;
    // false for an unknown root.
    static bool splitFullName(const std::string& fullName, platform::RegKey& root,
                              std::string& path);

    // Full name of a root handle ("HKEY_LOCAL_MACHINE"), or "" when it is none.
    static std::string rootName(platform::RegKey root);

    // Walks `path` (backslash-separated, empty components skipped) from `from`, following links;
    // with `create` missing keys are made. Fails with kErrorFileNotFound, kErrorBadPathName for a
    // leading backslash, kErrorInvalidParameter for a name over 255 characters.
    platform::Error walk(const std::shared_ptr<RegNode>& from, const std::string& path, bool create,
                         std::shared_ptr<RegNode>& result);

    // Opens or creates a key by its full name.
    platform::Error open(const std::string& fullName, bool create,
                         std::shared_ptr<RegNode>& result);

    // The full name of a live key ("HKEY_LOCAL_MACHINE\SOFTWARE\X").
    std::string fullName(const RegNode& node) const;

    // Creates or replaces a value.
    void setValue(RegNode& node, const std::string& name, std::uint32_t type,
                  const std::string& data);

    // Removes a value; false when it is missing.
    bool deleteValue(RegNode& node, const std::string& name);

    // Removes `node` with everything below it (no subkey check); its handles see it deleted.
    void removeKey(RegNode& node);

    // Makes `node` a link to the key named `target`.
    void setLink(RegNode& node, const std::string& target);

    // Registers an open handle and returns its number.
    platform::RegKey addHandle(const std::shared_ptr<RegNode>& node, platform::RegAccess access);

    // The open handle `key`, or null.
    RegHandle* handle(platform::RegKey key);

    // Forgets an open handle; false when there is none.
    bool closeHandle(platform::RegKey key);

    // True when something changed since the last load or save.
    bool dirty = false;

    // The view of a 32-bit Windows program on 64-bit Windows: a key below HKLM\SOFTWARE (other
    // than Classes and Wow6432Node) is its twin below HKLM\SOFTWARE\Wow6432Node.
    bool view32 = false;

  private:
    // Moves `node` to its subkey `name`, made when missing and `create`; false when missing.
    bool stepDown(std::shared_ptr<RegNode>& node, const std::string& name, bool create);

    std::shared_ptr<RegNode> trees[5]; // HKLM, HKU, HKCU, HKEY_DYN_DATA, HKEY_PERFORMANCE_DATA
    std::unordered_map<platform::RegKey, RegHandle> handles;
    platform::RegKey nextHandle = 0x1000;
};

} // namespace sim
