// Reading a registry script into the keys it touches and the state it leaves.
#include "fixtool/RegistryScript.h"

#include "winrules/RegFile.h"
#include "winrules/RegRoots.h"
#include "winrules/WinText.h"

#include <algorithm>

namespace {

// True when `name` is a key under a root the registry editor accepts in a script.
bool underRoot(const std::string& name) {
    const std::string root = name.substr(0, name.find('\\'));
    return winrules::findRoot(root, false) != nullptr;
}

// True when `key` is `top` or lies below it, without regard to case.
bool sameOrBelow(const std::string& key, const std::string& top) {
    return winrules::equalNoCase(key, top) || (key.size() > top.size() && key[top.size()] == '\\' &&
                                               winrules::startsWithNoCase(key, top));
}

// The plan's entry for key `name`, added when missing.
ScriptPlan::Key& keyEntry(ScriptPlan& plan, const std::string& name) {
    for (ScriptPlan::Key& key : plan.keys) {
        if (winrules::equalNoCase(key.name, name)) {
            return key;
        }
    }
    plan.keys.push_back({name, true});
    return plan.keys.back();
}

void setValue(ScriptPlan& plan, const ScriptPlan::Value& value) {
    for (ScriptPlan::Value& known : plan.values) {
        if (winrules::equalNoCase(known.key, value.key) &&
            winrules::equalNoCase(known.name, value.name)) {
            known = value;
            return;
        }
    }
    plan.values.push_back(value);
}

void touch(ScriptPlan& plan, const std::string& key) {
    for (const std::string& known : plan.touchedKeys) {
        if (winrules::equalNoCase(known, key)) {
            return;
        }
    }
    plan.touchedKeys.push_back(key);
}

} // namespace

bool PlanScript(const std::string& bytes, ScriptPlan& plan) {
    plan = ScriptPlan();
    bool readable = true;
    std::string current; // the key values go to; "" after a deletion, as the editor has none then
    using Kind = winrules::RegStatement::Kind;
    const bool registration =
        winrules::readRegistration(bytes, [&](const winrules::RegStatement& statement) {
            switch (statement.kind) {
            case Kind::Key:
                if (!underRoot(statement.key)) {
                    readable = false;
                    return;
                }
                touch(plan, statement.key);
                keyEntry(plan, statement.key);
                // Writing a key makes every key above it again, deleted or not.
                for (ScriptPlan::Key& key : plan.keys) {
                    if (sameOrBelow(statement.key, key.name)) {
                        key.present = true;
                    }
                }
                current = statement.key;
                break;
            case Kind::DeleteKey: {
                if (!underRoot(statement.key)) {
                    readable = false;
                    return;
                }
                touch(plan, statement.key);
                const std::string& doomed = statement.key;
                for (ScriptPlan::Key& key : plan.keys) {
                    if (sameOrBelow(key.name, doomed)) {
                        key.present = false;
                    }
                }
                plan.values.erase(std::remove_if(plan.values.begin(), plan.values.end(),
                                                 [&](const ScriptPlan::Value& value) {
                                                     return sameOrBelow(value.key, doomed);
                                                 }),
                                  plan.values.end());
                keyEntry(plan, doomed).present = false;
                current.clear();
                break;
            }
            case Kind::Value:
            case Kind::DeleteValue:
                if (!current.empty()) {
                    setValue(plan, {current, statement.name, statement.kind == Kind::Value,
                                    statement.type, statement.data});
                }
                break;
            case Kind::Comment:
                break;
            case Kind::BadKey:
            case Kind::Bad:
                readable = false;
                break;
            }
        });
    return registration && readable;
}
