// The simulated registry in memory: sorted keys and values, links, handles, load and save.
#include "platform/sim/RegistryStore.h"

#include "platform/sim/RegText.h"
#include "winrules/RegFile.h"
#include "winrules/RegRoots.h"
#include "winrules/WinText.h"

#include <algorithm>

namespace sim {

using platform::Error;
using platform::RegKey;

namespace {

constexpr std::size_t kMaxKeyName = 255;
// HKLM\SOFTWARE's 32-bit twin, upper case.
const char kTwinName[] = "WOW6432NODE";
constexpr int kMaxLinkDepth = 8;

// Where each root lives in the store: a tree of its own, or an alias of a key of another root.
struct RootInfo {
    RegKey handle;
    int tree;          // index into the store's own trees, or -1 for an alias
    const char* alias; // what an alias stands for
    const char* name() const { return winrules::findRoot(handle)->name; }
};

const RootInfo kRoots[] = {
    {platform::kHkeyClassesRoot, -1, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes"},
    {platform::kHkeyCurrentUser, 2, nullptr},
    {platform::kHkeyLocalMachine, 0, nullptr},
    {platform::kHkeyUsers, 1, nullptr},
    {platform::kHkeyPerformanceData, 4, nullptr},
    {platform::kHkeyCurrentConfig, -1,
     "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"},
    {platform::kHkeyDynData, 3, nullptr},
};

const RootInfo* rootInfo(RegKey handle) {
    for (const RootInfo& info : kRoots) {
        if (info.handle == handle) {
            return &info;
        }
    }
    return nullptr;
}

template <typename Item>
auto lowerBound(std::vector<Item>& items, const std::string& upperName,
                const std::string& (*nameOf)(const Item&)) {
    return std::lower_bound(
        items.begin(), items.end(), upperName,
        [nameOf](const Item& item, const std::string& wanted) { return nameOf(item) < wanted; });
}

const std::string& nodeName(const std::shared_ptr<RegNode>& node) {
    return node->upperName;
}

const std::string& valueName(const RegValue& value) {
    return value.upperName;
}

void markDeleted(RegNode& node) {
    node.deleted = true;
    node.parent = nullptr;
    for (const auto& child : node.subkeys) {
        markDeleted(*child);
    }
}

} // namespace

std::shared_ptr<RegNode> RegNode::subkey(const std::string& wanted) const {
    auto it = std::lower_bound(subkeys.begin(), subkeys.end(), wanted,
                               [](const std::shared_ptr<RegNode>& node, const std::string& name) {
                                   return node->upperName < name;
                               });
    if (it != subkeys.end() && (*it)->upperName == wanted) {
        return *it;
    }
    return nullptr;
}

const RegValue* RegNode::value(const std::string& wanted) const {
    auto it = std::lower_bound(
        values.begin(), values.end(), wanted,
        [](const RegValue& value, const std::string& name) { return value.upperName < name; });
    if (it != values.end() && it->upperName == wanted) {
        return &*it;
    }
    return nullptr;
}

RegistryStore::RegistryStore() {
    for (const RootInfo& info : kRoots) {
        if (info.tree >= 0) {
            trees[info.tree] = std::make_shared<RegNode>();
            trees[info.tree]->name = info.name();
            trees[info.tree]->upperName = info.name();
        }
    }
}

std::string RegistryStore::rootName(RegKey root) {
    const winrules::RegRoot* known = winrules::findRoot(root);
    return known != nullptr ? known->name : "";
}

bool RegistryStore::splitFullName(const std::string& fullName, RegKey& root, std::string& path) {
    const std::size_t cut = fullName.find('\\');
    const std::string name = fullName.substr(0, cut);
    const winrules::RegRoot* known = winrules::findRoot(name, false);
    if (known == nullptr) {
        return false;
    }
    root = known->handle;
    path = cut == std::string::npos ? std::string() : fullName.substr(cut + 1);
    return true;
}

std::shared_ptr<RegNode> RegistryStore::rootNode(RegKey root) {
    const RootInfo* info = rootInfo(root);
    if (info == nullptr) {
        return nullptr;
    }
    if (info->tree >= 0) {
        return trees[info->tree];
    }
    std::shared_ptr<RegNode> node;
    return open(info->alias, false, node) == platform::kOk ? node : nullptr;
}

bool RegistryStore::stepDown(std::shared_ptr<RegNode>& node, const std::string& name, bool create) {
    const std::string wanted = winrules::upper(name);
    std::shared_ptr<RegNode> child = node->subkey(wanted);
    if (!child) {
        if (!create) {
            return false;
        }
        child = std::make_shared<RegNode>();
        child->name = name;
        child->upperName = wanted;
        child->parent = node.get();
        node->subkeys.insert(lowerBound(node->subkeys, wanted, &nodeName), child);
        dirty = true;
    }
    node = child;
    return true;
}

Error RegistryStore::walk(const std::shared_ptr<RegNode>& from, const std::string& path,
                          bool create, std::shared_ptr<RegNode>& result) {
    if (!path.empty() && path[0] == '\\') {
        return platform::kErrorBadPathName;
    }
    std::shared_ptr<RegNode> node = from;
    std::size_t start = 0;
    int depth = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            const std::string part = path.substr(start, end - start);
            if (part.size() > kMaxKeyName) {
                return platform::kErrorInvalidParameter;
            }
            const std::string wanted = winrules::upper(part);
            if (view32 && node->parent == trees[0].get() && node->upperName == "SOFTWARE" &&
                wanted != kTwinName && wanted != "CLASSES") {
                if (!stepDown(node, "Wow6432Node", create)) {
                    return platform::kErrorFileNotFound;
                }
            }
            if (!stepDown(node, part, create)) {
                return platform::kErrorFileNotFound;
            }
            while (!node->link.empty()) {
                if (++depth > kMaxLinkDepth) {
                    return platform::kErrorFileNotFound;
                }
                RegKey root = 0;
                std::string rest;
                std::shared_ptr<RegNode> target;
                if (!splitFullName(node->link, root, rest) || !rootNode(root) ||
                    walk(rootNode(root), rest, create, target) != platform::kOk) {
                    return platform::kErrorFileNotFound;
                }
                node = target;
            }
        }
        start = end + 1;
    }
    result = node;
    return platform::kOk;
}

Error RegistryStore::open(const std::string& fullName, bool create,
                          std::shared_ptr<RegNode>& result) {
    RegKey root = 0;
    std::string path;
    if (!splitFullName(fullName, root, path)) {
        return platform::kErrorFileNotFound;
    }
    const RootInfo* info = rootInfo(root);
    if (info->tree < 0) {
        return open(std::string(info->alias) + "\\" + path, create, result);
    }
    return walk(trees[info->tree], path, create, result);
}

std::string RegistryStore::fullName(const RegNode& node) const {
    std::vector<const RegNode*> chain;
    for (const RegNode* n = &node; n != nullptr; n = n->parent) {
        chain.push_back(n);
    }
    std::string name;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!name.empty()) {
            name += '\\';
        }
        name += (*it)->name;
    }
    return name;
}

void RegistryStore::setValue(RegNode& node, const std::string& name, std::uint32_t type,
                             const std::string& data) {
    const std::string wanted = winrules::upper(name);
    auto it = lowerBound(node.values, wanted, &valueName);
    if (it != node.values.end() && it->upperName == wanted) {
        it->type = type;
        it->data = data;
    } else {
        node.values.insert(it, RegValue{name, wanted, type, data});
    }
    dirty = true;
}

bool RegistryStore::deleteValue(RegNode& node, const std::string& name) {
    const std::string wanted = winrules::upper(name);
    auto it = lowerBound(node.values, wanted, &valueName);
    if (it == node.values.end() || it->upperName != wanted) {
        return false;
    }
    node.values.erase(it);
    dirty = true;
    return true;
}

void RegistryStore::removeKey(RegNode& node) {
    RegNode* parent = node.parent;
    if (parent == nullptr) {
        return;
    }
    auto it = lowerBound(parent->subkeys, node.upperName, &nodeName);
    if (it != parent->subkeys.end() && it->get() == &node) {
        const std::shared_ptr<RegNode> keep = *it;
        parent->subkeys.erase(it);
        markDeleted(*keep);
    }
    dirty = true;
}

void RegistryStore::setLink(RegNode& node, const std::string& target) {
    node.link = target;
    dirty = true;
}

RegKey RegistryStore::addHandle(const std::shared_ptr<RegNode>& node, platform::RegAccess access) {
    const RegKey key = nextHandle;
    nextHandle += 4;
    handles[key] = RegHandle{node, access};
    return key;
}

RegHandle* RegistryStore::handle(RegKey key) {
    auto it = handles.find(key);
    return it == handles.end() ? nullptr : &it->second;
}

bool RegistryStore::closeHandle(RegKey key) {
    return handles.erase(key) != 0;
}

void RegistryStore::load(const std::string& text) {
    std::vector<std::pair<RegKey, std::string>> names;
    for (const auto& entry : handles) {
        if (!entry.second.node->deleted) {
            names.emplace_back(entry.first, fullName(*entry.second.node));
        }
    }
    for (auto& tree : trees) {
        const std::string name = tree->name;
        markDeleted(*tree);
        tree = std::make_shared<RegNode>();
        tree->name = name;
        tree->upperName = name;
    }
    std::string problem;
    importRegText(*this, text, true, problem);
    for (const auto& entry : names) {
        std::shared_ptr<RegNode> node;
        if (open(entry.second, false, node) == platform::kOk) {
            handles[entry.first].node = node;
        } else {
            auto gone = std::make_shared<RegNode>();
            gone->deleted = true;
            handles[entry.first].node = gone;
        }
    }
    dirty = false;
}

std::string RegistryStore::save() {
    std::string out = winrules::kRegeditHeader;
    out += "\r\n";
    for (const auto& tree : trees) {
        writeKeyText(*this, *tree, tree->name, true, out);
    }
    return out;
}

} // namespace sim
