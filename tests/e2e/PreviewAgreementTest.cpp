// For every shipped configuration on the footprint of its driver: the preview, then the clean, on
// the same machine. The preview changes nothing, and what it lists is exactly what the clean
// takes: every item it would remove goes, everything that goes is one of its items or inside one.
#include <doctest/doctest.h>

#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
#include "e2e/CleanSetup.h"
#include "packs/Configuration.h"
#include "packs/Protection.h"
#include "platform/Registry.h"
#include "winrules/RegRoots.h"
#include "winrules/WinText.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const kFamilies[] = {"3dfx",   "ATI", "Intel", "Matrox",
                                 "NVIDIA", "S3",  "SiS",   "Trident"};

using winrules::upper;

// What drive C: and the registry hold, by the names the comparison uses (upper case), each with
// what it holds.
struct Snapshot {
    std::map<std::string, std::string> paths;  // files and folders: attributes and size
    std::set<std::string> keys;                // ROOT\PATH
    std::map<std::string, std::string> values; // ROOT\PATH\VALUE NAME: type and data
};

void walkFolder(const std::string& folder, Snapshot& snapshot) {
    std::vector<platform::FindEntry> entries;
    platform::findFiles(folder + "\\*", entries);
    for (const platform::FindEntry& entry : entries) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        const std::string path = folder + "\\" + entry.name;
        snapshot.paths[upper(path)] =
            std::to_string(entry.attributes) + " " + std::to_string(entry.size);
        if ((entry.attributes & platform::kAttrDirectory) != 0 &&
            (entry.attributes & platform::kAttrReparsePoint) == 0) {
            walkFolder(path, snapshot);
        }
    }
}

bool keyThere(std::uint64_t root, const std::string& path) {
    return platform::OpenKey().open(root, path, platform::RegAccess::Read) == platform::kOk;
}

// Links walked once: the current control set is the set it links to (when that set exists), a
// hardware profile's "Current" is a profile of its own, the users' hives other than .DEFAULT
// are HKEY_CURRENT_USER.
bool walkedElsewhere(const std::string& upperName) {
    static const std::string kCurrentSet = "HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET";
    // Wine keeps the display's video keys itself, as volatile links to the adapters' class keys,
    // and renews them when a program opens its first window: they are walked as class keys.
    static const std::string kVideo = "\\CONTROL\\VIDEO";
    if (!testsupport::onSimulatedMachine() && upperName.size() > kVideo.size() &&
        upperName.compare(upperName.size() - kVideo.size(), kVideo.size(), kVideo) == 0) {
        return true;
    }
    if (upperName == kCurrentSet) {
        return keyThere(platform::kHkeyLocalMachine, "SYSTEM\\ControlSet001");
    }
    const std::string users = "HKEY_USERS\\";
    if (upperName.rfind(users, 0) == 0 && upperName.find('\\', users.size()) == std::string::npos) {
        return upperName != users + ".DEFAULT";
    }
    const std::string profile = "\\HARDWARE PROFILES\\CURRENT";
    return upperName.size() > profile.size() &&
           upperName.compare(upperName.size() - profile.size(), profile.size(), profile) == 0;
}

void walkKey(std::uint64_t root, const std::string& rootName, const std::string& path,
             Snapshot& snapshot) {
    platform::OpenKey key;
    if (key.open(root, path, platform::RegAccess::Read) != platform::kOk) {
        return;
    }
    const std::string name = upper(path.empty() ? rootName : rootName + "\\" + path);
    snapshot.keys.insert(name);
    std::string valueName;
    std::string data;
    std::uint32_t type = 0;
    for (std::uint32_t i = 0;
         platform::regEnumValue(key.get(), i, valueName, type, data) == platform::kOk; ++i) {
        snapshot.values[name + "\\" + upper(valueName)] = std::to_string(type) + " " + data;
    }
    std::string child;
    for (std::uint32_t i = 0; platform::regEnumKey(key.get(), i, child) == platform::kOk; ++i) {
        const std::string childPath = path.empty() ? child : path + "\\" + child;
        if (!walkedElsewhere(upper(rootName + "\\" + childPath))) {
            walkKey(root, rootName, childPath, snapshot);
        }
    }
}

Snapshot takeSnapshot() {
    Snapshot snapshot;
    walkFolder(GetWindowsFolder().substr(0, 2), snapshot);
    walkKey(platform::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", "", snapshot);
    walkKey(platform::kHkeyCurrentUser, "HKEY_CURRENT_USER", "", snapshot);
    walkKey(platform::kHkeyUsers, "HKEY_USERS", "", snapshot);
    return snapshot;
}

// The name a previewed key or value has in a snapshot.
std::string snapshotName(const std::string& path) {
    std::string name = upper(path);
    const auto replacePrefix = [&name](const std::string& from, const std::string& to) {
        if (name.rfind(from, 0) == 0) {
            name = to + name.substr(from.size());
        }
    };
    replacePrefix("HKEY_CLASSES_ROOT\\", "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\");
    if (keyThere(platform::kHkeyLocalMachine, "SYSTEM\\ControlSet001")) {
        replacePrefix("HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\",
                      "HKEY_LOCAL_MACHINE\\SYSTEM\\CONTROLSET001\\");
    }
    const std::string users = "HKEY_USERS\\";
    const std::size_t hive = name.find('\\', users.size());
    if (name.rfind(users, 0) == 0 && hive != std::string::npos &&
        name.compare(users.size(), hive - users.size(), ".DEFAULT") != 0) {
        name = "HKEY_CURRENT_USER" + name.substr(hive);
    }
    return name;
}

// True when `name` is `item` or lies below it.
bool within(const std::string& name, const std::string& item) {
    return name == item || (name.size() > item.size() && name.compare(0, item.size(), item) == 0 &&
                            name[item.size()] == '\\');
}

const std::string& nameOf(const std::string& name) {
    return name;
}

const std::string& nameOf(const std::pair<const std::string, std::string>& entry) {
    return entry.first;
}

template <class Names> std::vector<std::string> gone(const Names& before, const Names& after) {
    std::vector<std::string> names;
    for (const auto& each : before) {
        if (after.count(nameOf(each)) == 0) {
            names.push_back(nameOf(each));
        }
    }
    return names;
}

struct Preview {
    std::vector<RunItem> items;
    bool readable = false;
};

Preview preview(const std::string& family) {
    Preview result;
    PreviewState state;
    RunContext context;
    cRegSearch search;
    clsProtection decoder;
    context.preview = &state;
    context.search = &search;
    context.configurationName = family;
    context.onItem = [&result](const RunItem& item) { result.items.push_back(item); };
    result.readable = PreviewConfiguration(context, decoder, family);
    return result;
}

void clean(const std::string& family) {
    RunContext context;
    cRegSearch search;
    clsProtection decoder;
    context.search = &search;
    context.configurationName = family;
    context.backupStamp = "07-12-2026_101530";
    CleanConfiguration(EngineSections(context), decoder, family,
                       GetWindowsFolder() + "\\xttxf.dll");
}

} // namespace

TEST_CASE("the preview of every shipped configuration lists exactly what its clean removes") {
    for (const char* family : kFamilies) {
        CAPTURE(std::string(family));
        e2e::CleanSetup setup;
        setup.addShippedConfiguration(family);
        setup.plant(family);

        const Snapshot before = takeSnapshot();
        const Preview listed = preview(family);
        REQUIRE(listed.readable);
        const Snapshot previewed = takeSnapshot();
        // The preview changed nothing: no file, folder, key or value came, went or changed.
        CHECK(previewed.paths == before.paths);
        CHECK(previewed.keys == before.keys);
        CHECK(previewed.values == before.values);

        clean(family);
        const Snapshot after = takeSnapshot();
        CHECK(setup.leftovers(family) == "");

        std::set<std::string> unique;
        std::vector<std::string> paths;
        std::vector<std::string> keys;
        std::vector<std::string> values;
        for (const RunItem& item : listed.items) {
            const bool folderOrFile = item.kind == ItemKind::File || item.kind == ItemKind::Folder;
            const std::string name = folderOrFile ? upper(item.path) : snapshotName(item.path);
            INFO("item: " << item.path);
            if (item.outcome == ItemOutcome::Refused) {
                continue;
            }
            // Each item once, whichever way the lines and the search reached it (a key and a
            // value may share a name: the OpenGL registrations come in both forms).
            CHECK(unique.insert(std::to_string(static_cast<int>(item.kind)) + name).second);
            const Snapshot& there = item.outcome == ItemOutcome::Stays ? after : before;
            switch (item.kind) {
            case ItemKind::File:
            case ItemKind::Folder:
                CHECK(there.paths.count(name) == 1);
                paths.push_back(name);
                break;
            case ItemKind::Key:
                CHECK(there.keys.count(name) == 1);
                keys.push_back(name);
                break;
            case ItemKind::Value:
                CHECK(there.values.count(name) == 1);
                values.push_back(name);
                break;
            }
            if (item.outcome == ItemOutcome::Stays) {
                paths.pop_back(); // listed as staying, and still there
                continue;
            }
            CHECK(item.outcome == ItemOutcome::Removes);
            CHECK(after.paths.count(name) + after.keys.count(name) + after.values.count(name) == 0);
        }
        // Everything that went is an item of the preview or inside one.
        const auto covered = [](const std::string& name, const std::vector<std::string>& items) {
            for (const std::string& item : items) {
                if (within(name, item)) {
                    return true;
                }
            }
            // Wine shares some keys between the 64-bit view and the 32-bit one below
            // Wow6432Node: one key seen twice, gone from both when the clean took it.
            static const std::string kWow = "\\WOW6432NODE\\";
            const std::size_t wow = name.find(kWow);
            if (!testsupport::onSimulatedMachine() && wow != std::string::npos) {
                const std::string native = name.substr(0, wow) + name.substr(wow + kWow.size() - 1);
                for (const std::string& item : items) {
                    if (within(native, item)) {
                        return true;
                    }
                }
            }
            return false;
        };
        for (const std::string& path : gone(before.paths, after.paths)) {
            INFO("went without being listed: " << path);
            CHECK(covered(path, paths));
        }
        for (const std::string& key : gone(before.keys, after.keys)) {
            INFO("went without being listed: " << key);
            CHECK(covered(key, keys));
        }
        for (const std::string& value : gone(before.values, after.values)) {
            INFO("went without being listed: " << value);
            CHECK((covered(value, keys) || covered(value, values)));
        }
    }
}
