// Registration text: writing keys as REGEDIT4 blocks and applying such text to the registry.
#include "platform/sim/RegText.h"

#include "platform/sim/RegistryStore.h"
#include "winrules/RegFile.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace sim {

namespace {

// A link is kept as a comment line right under its key: ";link=HKEY_...".
const std::string kLinkComment = "link=";
constexpr int kMaxLinkDepth = 8;

// The key a link leads to, for exports that show links as the keys they stand for.
const RegNode* followLinks(RegistryStore& store, const RegNode& node) {
    const RegNode* current = &node;
    for (int depth = 0; !current->link.empty() && depth < kMaxLinkDepth; ++depth) {
        std::shared_ptr<RegNode> target;
        if (store.open(current->link, false, target) != platform::kOk) {
            return nullptr;
        }
        current = target.get();
    }
    return current->link.empty() ? current : nullptr;
}

// Writes `node` and what lies below it. `above` holds the keys being written above this one: a
// link back to one of them (or to itself) is written empty, or the export would never end.
void writeBlock(RegistryStore& store, const RegNode& node, std::string& name, bool forStore,
                std::vector<const RegNode*>& above, std::string& out) {
    out += "[" + name + "]\r\n";
    const RegNode* shown = &node;
    if (!node.link.empty()) {
        if (forStore) {
            out += ";" + kLinkComment + node.link + "\r\n\r\n";
            return;
        }
        shown = followLinks(store, node);
        if (shown == nullptr || std::find(above.begin(), above.end(), shown) != above.end()) {
            out += "\r\n";
            return;
        }
    }
    for (const RegValue& value : shown->values) {
        // The registry's own file keeps each value on one line; exports wrap as regedit does.
        out += winrules::formatRegValue(value.name, value.type, value.data, !forStore);
    }
    out += "\r\n";
    const std::size_t length = name.size();
    above.push_back(shown);
    for (const auto& child : shown->subkeys) {
        name += '\\';
        name += child->name;
        writeBlock(store, *child, name, forStore, above, out);
        name.resize(length);
    }
    above.pop_back();
}

} // namespace

void writeKeyText(RegistryStore& store, const RegNode& node, const std::string& name, bool forStore,
                  std::string& out) {
    std::string path = name;
    std::vector<const RegNode*> above;
    writeBlock(store, node, path, forStore, above, out);
}

bool importRegText(RegistryStore& store, const std::string& text, bool forStore,
                   std::string& problem) {
    bool clean = true;
    auto fail = [&](const std::string& what) {
        if (clean) {
            problem = what;
        }
        clean = false;
    };
    std::shared_ptr<RegNode> current;
    using Kind = winrules::RegStatement::Kind;
    const bool registration =
        winrules::readRegistration(text, [&](const winrules::RegStatement& statement) {
            switch (statement.kind) {
            case Kind::Comment:
                if (forStore && current &&
                    statement.text.compare(0, kLinkComment.size(), kLinkComment) == 0) {
                    store.setLink(*current, statement.text.substr(kLinkComment.size()));
                }
                break;
            case Kind::DeleteKey: {
                current.reset();
                std::shared_ptr<RegNode> doomed;
                if (store.open(statement.key, false, doomed) == platform::kOk && doomed->parent) {
                    store.removeKey(*doomed);
                }
                break;
            }
            case Kind::Key: {
                current.reset();
                platform::RegKey root = 0;
                std::string path;
                if (!RegistryStore::splitFullName(statement.key, root, path) ||
                    store.open(statement.key, true, current) != platform::kOk) {
                    fail("bad key name: " + statement.key);
                    current.reset();
                }
                break;
            }
            case Kind::Value:
                // Values of a key that could not be opened are passed over.
                if (current) {
                    store.setValue(*current, statement.name, statement.type, statement.data);
                }
                break;
            case Kind::DeleteValue:
                if (current) {
                    store.deleteValue(*current, statement.name);
                }
                break;
            case Kind::BadKey:
                current.reset();
                fail(statement.text);
                break;
            case Kind::Bad:
                fail(statement.text);
                break;
            }
        });
    if (!registration) {
        problem = "not a registration file";
        return false;
    }
    return clean;
}

} // namespace sim
