// Registry scripts as a damaged disk or a user's editor may leave them: read into what they change
// before any import.
#include "FuzzMachine.h"

#include "fixtool/RegistryScript.h"
#include "winrules/WinText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    ScriptPlan plan;
    if (!PlanScript(fuzz::textOf(data, size), plan)) {
        return 0;
    }
    // A value left by the script lies in a key the script leaves in place, and every key it names
    // is one it touched: what is exported first covers what the import changes.
    for (const ScriptPlan::Value& value : plan.values) {
        bool present = false;
        for (const ScriptPlan::Key& key : plan.keys) {
            present = present || (key.present && winrules::equalNoCase(key.name, value.key));
        }
        if (!present) {
            std::abort();
        }
    }
    for (const ScriptPlan::Key& key : plan.keys) {
        bool touched = false;
        for (const std::string& name : plan.touchedKeys) {
            touched = touched || winrules::equalNoCase(name, key.name);
        }
        if (!touched) {
            std::abort();
        }
    }
    return 0;
}
