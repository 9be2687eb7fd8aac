// The restore and clearing windows on a program folder whose backup and log folders belong to the
// test, with helpers to lay out sets, files and keys and to look at them again.
#pragma once

#include <doctest/doctest.h>

#include "base/General.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "support/RecordingRenderer.h"
#include "support/TestMachine.h"
#include "support/User.h"
#include "ui/App.h"

#include <string>
#include <vector>

namespace backuptest {

inline std::string backupFolder() {
    return platform::programFolder() + "\\Backup";
}

inline std::string logFolder() {
    return platform::programFolder() + "\\Log";
}

// Creates `path` and the folders above it that are missing.
inline void makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('\\', 3);; slash = path.find('\\', slash + 1)) {
        const std::string part = path.substr(0, slash);
        std::uint32_t attributes = 0;
        if (platform::getAttributes(part, attributes) != platform::kOk) {
            REQUIRE_MESSAGE(platform::createFolder(part) == platform::kOk, part);
        }
        if (slash == std::string::npos) {
            return;
        }
    }
}

// Writes `bytes` to `path` (folders made as needed) and gives it `attributes` (0: as written).
inline void put(const std::string& path, const std::string& bytes, std::uint32_t attributes = 0) {
    makeFolders(path.substr(0, path.rfind('\\')));
    REQUIRE_MESSAGE(platform::writeFile(path, bytes) == platform::kOk, path);
    if (attributes != 0) {
        REQUIRE(platform::setAttributes(path, attributes) == platform::kOk);
    }
}

// The bytes of `path`, or "<missing>".
inline std::string bytesOf(const std::string& path) {
    std::string bytes;
    return platform::readFile(path, bytes) == platform::kOk ? bytes : std::string("<missing>");
}

inline bool exists(const std::string& path) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(path, attributes) == platform::kOk;
}

inline std::uint32_t attributesOf(const std::string& path) {
    std::uint32_t attributes = 0;
    platform::getAttributes(path, attributes);
    return attributes;
}

// Lines joined with CR LF after each, as an index holds them.
inline std::string indexText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A backup set folder below the backup folder, with its index file.
struct Set {
    std::string name;
    std::string folder;
    std::string index;
};

// Makes the set `name` (its index extension `indexExtension`) with `lines` as its index.
inline Set makeSet(const std::string& name, const std::string& indexExtension,
                   const std::vector<std::string>& lines) {
    Set set{name, backupFolder() + "\\" + name,
            backupFolder() + "\\" + name + "\\" + name + indexExtension};
    makeFolders(set.folder);
    put(set.index, indexText(lines));
    return set;
}

// The registry of the test: a key below the scratch key of HKEY_CURRENT_USER.
inline bool keyExists(const std::string& path) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(platform::kHkeyCurrentUser, path, platform::RegAccess::Read, key) !=
        platform::kOk) {
        return false;
    }
    platform::regCloseKey(key);
    return true;
}

inline void setString(const std::string& path, const std::string& name, const std::string& text) {
    platform::RegKey key = 0;
    REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, path, key) == platform::kOk);
    platform::regSetValue(key, name, platform::kRegSz, text + '\0');
    platform::regCloseKey(key);
}

// The string value `name` of `path`, or "<missing>".
inline std::string stringOf(const std::string& path, const std::string& name) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(platform::kHkeyCurrentUser, path, platform::RegAccess::Read, key) !=
        platform::kOk) {
        return "<missing>";
    }
    std::uint32_t type = 0;
    std::string data;
    const bool found = platform::regQueryValue(key, name, type, data) == platform::kOk;
    platform::regCloseKey(key);
    if (!found) {
        return "<missing>";
    }
    return data.substr(0, data.find('\0'));
}

// Removes `subKey` below HKEY_CURRENT_USER with everything in it.
inline void removeKey(const std::string& subKey) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(platform::kHkeyCurrentUser, subKey, platform::RegAccess::AllAccess,
                             key) == platform::kOk) {
        std::string name;
        while (platform::regEnumKey(key, 0, name) == platform::kOk) {
            removeKey(subKey + "\\" + name);
            if (keyExists(subKey + "\\" + name)) {
                break;
            }
        }
        platform::regCloseKey(key);
    }
    platform::RegKey root = 0;
    const std::size_t slash = subKey.rfind('\\');
    if (platform::regOpenKey(platform::kHkeyCurrentUser, subKey.substr(0, slash),
                             platform::RegAccess::AllAccess, root) == platform::kOk) {
        platform::regDeleteKey(root, subKey.substr(slash + 1));
        platform::regCloseKey(root);
    }
}

// A test's windows: a scratch area, and backup and log folders that start and end empty.
struct Windows {
    Windows() { clear(); }
    ~Windows() { clear(); }
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    static void clear() {
        platform::deleteTree(backupFolder());
        platform::deleteTree(logFolder());
    }

    // Loads window F and shows it, as its menu entry would.
    template <class F> F& open() {
        F& form = app.form<F>();
        app.showModeless(form);
        return form;
    }

    testsupport::ScratchArea scratch;
    testsupport::RecordingRenderer renderer;
    ui::App app{renderer};
};

using testsupport::clickOn;

// Selects exactly the entries `positions` of `list` (at least one) as a user would: a click on
// the first, then the others added.
inline void selectOnly(ui::ListBox& list, const std::vector<int>& positions) {
    REQUIRE_FALSE(positions.empty());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        testsupport::pick(list, positions[i], i == 0 ? ui::Pick::Only : ui::Pick::Add);
    }
}

} // namespace backuptest
