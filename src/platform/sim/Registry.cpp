// Registry services of the simulated machine with NT semantics, on the machine's registry store.
#include "platform/Registry.h"

#include "platform/sim/Machine.h"
#include "platform/sim/RegistryStore.h"
#include "winrules/WinText.h"

namespace platform {

namespace {

using sim::RegHandle;
using sim::RegistryStore;
using sim::RegNode;

// Longest name a 260-character enumeration buffer takes with its NUL.
constexpr std::size_t kEnumNameLimit = 259;

RegistryStore& store() {
    return sim::Machine::current().registry();
}

bool isRoot(RegKey key) {
    return !RegistryStore::rootName(key).empty();
}

bool deniedKey(const RegNode& node) {
    return sim::Machine::current().marked("AccessDenied", winrules::upper(store().fullName(node)));
}

// The live node behind an open key or a root; `access` receives what the handle may do.
Error nodeOf(RegKey key, std::shared_ptr<RegNode>& node, RegAccess& access) {
    access = RegAccess::AllAccess;
    if (isRoot(key)) {
        node = store().rootNode(key);
        return node ? kOk : kErrorFileNotFound;
    }
    RegHandle* handle = store().handle(key);
    if (handle == nullptr) {
        return kErrorInvalidHandle;
    }
    if (handle->node->deleted) {
        return kErrorKeyDeleted;
    }
    node = handle->node;
    access = handle->access;
    return kOk;
}

// The existing key `subKey` below an open key or a root, whatever the parent's handle may do.
Error existingKey(RegKey parent, const std::string& subKey, std::shared_ptr<RegNode>& node) {
    std::shared_ptr<RegNode> from;
    RegAccess parentAccess = RegAccess::Default;
    const Error error = nodeOf(parent, from, parentAccess);
    if (error != kOk) {
        return error;
    }
    return store().walk(from, subKey, false, node);
}

bool mayRead(RegAccess access) {
    return access != RegAccess::QueryValue;
}

bool mayWrite(RegAccess access) {
    return access == RegAccess::AllAccess || access == RegAccess::Default;
}

// The live node behind `key` when the handle may change its values and the key is not marked.
Error writableNode(RegKey key, std::shared_ptr<RegNode>& node) {
    RegAccess access = RegAccess::Default;
    const Error error = nodeOf(key, node, access);
    if (error != kOk) {
        return error;
    }
    return mayWrite(access) && !deniedKey(*node) ? kOk : kErrorAccessDenied;
}

} // namespace

Error regOpenKey(RegKey parent, const std::string& subKey, RegAccess access, RegKey& key) {
    std::shared_ptr<RegNode> node;
    const Error error = existingKey(parent, subKey, node);
    if (error != kOk) {
        return error;
    }
    if (access == RegAccess::AllAccess && deniedKey(*node)) {
        return kErrorAccessDenied;
    }
    // RegOpenKeyA's default access is the most the caller may have: less on a protected key.
    const RegAccess granted =
        access == RegAccess::Default && deniedKey(*node) ? RegAccess::Read : access;
    key = store().addHandle(node, granted);
    return kOk;
}

Error regCreateKey(RegKey parent, const std::string& subKey, RegKey& key) {
    std::shared_ptr<RegNode> from;
    RegAccess access = RegAccess::Default;
    Error error = nodeOf(parent, from, access);
    if (error != kOk) {
        return error;
    }
    std::shared_ptr<RegNode> node;
    if (store().walk(from, subKey, false, node) != kOk) {
        if (deniedKey(*from)) {
            return kErrorAccessDenied;
        }
        error = store().walk(from, subKey, true, node);
        if (error != kOk) {
            return error;
        }
    }
    key = store().addHandle(node, deniedKey(*node) ? RegAccess::Read : RegAccess::Default);
    return kOk;
}

Error regEnumKey(RegKey key, std::uint32_t index, std::string& name) {
    std::shared_ptr<RegNode> node;
    RegAccess access = RegAccess::Default;
    const Error error = nodeOf(key, node, access);
    if (error != kOk) {
        return error;
    }
    if (!mayRead(access)) {
        return kErrorAccessDenied;
    }
    if (index >= node->subkeys.size()) {
        return kErrorNoMoreItems;
    }
    const std::string& found = node->subkeys[index]->name;
    if (found.size() > kEnumNameLimit) {
        return kErrorMoreData;
    }
    name = found;
    return kOk;
}

Error regEnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::string& data) {
    std::shared_ptr<RegNode> node;
    RegAccess access = RegAccess::Default;
    const Error error = nodeOf(key, node, access);
    if (error != kOk) {
        return error;
    }
    if (index >= node->values.size()) {
        return kErrorNoMoreItems;
    }
    const sim::RegValue& value = node->values[index];
    name = value.name;
    type = value.type;
    data = value.data;
    return kOk;
}

Error regQueryValue(RegKey key, const std::string& name, std::uint32_t& type, std::string& data) {
    std::shared_ptr<RegNode> node;
    RegAccess access = RegAccess::Default;
    const Error error = nodeOf(key, node, access);
    if (error != kOk) {
        return error;
    }
    const sim::RegValue* value = node->value(winrules::upper(name));
    if (value == nullptr) {
        return kErrorFileNotFound;
    }
    type = value->type;
    data = value->data;
    return kOk;
}

Error regSetValue(RegKey key, const std::string& name, std::uint32_t type,
                  const std::string& data) {
    std::shared_ptr<RegNode> node;
    const Error error = writableNode(key, node);
    if (error != kOk) {
        return error;
    }
    store().setValue(*node, name, type, data);
    return kOk;
}

Error regDeleteKey(RegKey parent, const std::string& subKey) {
    std::shared_ptr<RegNode> node;
    const Error error = existingKey(parent, subKey, node);
    if (error != kOk) {
        return error;
    }
    if (node->parent == nullptr || !node->subkeys.empty() || deniedKey(*node)) {
        return kErrorAccessDenied;
    }
    store().removeKey(*node);
    return kOk;
}

Error regDeleteValue(RegKey key, const std::string& name) {
    std::shared_ptr<RegNode> node;
    const Error error = writableNode(key, node);
    if (error != kOk) {
        return error;
    }
    return store().deleteValue(*node, name) ? kOk : kErrorFileNotFound;
}

Error regKeyIdentity(RegKey parent, const std::string& subKey, std::string& identity) {
    std::shared_ptr<RegNode> node;
    const Error error = existingKey(parent, subKey, node);
    if (error == kOk) {
        // The node is the key itself, links followed: its place in the tree names it.
        identity = winrules::upper(store().fullName(*node));
    }
    return error;
}

Error regCloseKey(RegKey key) {
    if (isRoot(key)) {
        return kOk;
    }
    return store().closeHandle(key) ? kOk : kErrorInvalidHandle;
}

} // namespace platform
