// What a registry script changes, read before it is imported: the keys to export first, and what
// the registry must hold once the registry editor has imported it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The registry's state after a script, as the script decides it.
struct ScriptPlan {
    // One key: there afterwards (written) or gone (deleted).
    struct Key {
        std::string name; // the full key name, as the script writes it
        bool present = true;
    };
    // One value of a key written by the script: as written, or gone.
    struct Value {
        std::string key;
        std::string name; // "" is the unnamed value
        bool present = true;
        std::uint32_t type = 0;
        std::string data;
    };

    // Every key the script writes or deletes, each once, in the order the script first names it.
    std::vector<std::string> touchedKeys;
    // The last word of the script on each key and value; a deleted key takes what lay below it.
    std::vector<Key> keys;
    std::vector<Value> values;
};

// Reads the registry script `bytes` into `plan`. False when it is no registration file, when a
// line cannot be read, or when a key is not under one of the registry's roots (full root names
// only): such a script is not imported at all.
bool PlanScript(const std::string& bytes, ScriptPlan& plan);
