// A machine ready for driving Quellix: its data folder beside the test binary, and the system
// folder, driver caches and registry as they were once the test is over.
#pragma once

#include "base/Folders.h"
#include "base/General.h"
#include "base/Registry.h"
#include "fixtool/Quellix.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quellixtest {

// The two service keys the shipped script writes, below HKEY_LOCAL_MACHINE.
inline const std::vector<std::string>& serviceKeys() {
    static const std::vector<std::string> keys = {"SYSTEM\\CurrentControlSet\\Services\\agp440",
                                                  "SYSTEM\\CurrentControlSet\\Services\\viaagp1"};
    return keys;
}

inline std::string dataPath(const std::string& name) {
    return quellix::DataFolder() + "\\" + name;
}

inline std::string systemPath(const std::string& name) {
    return GetSystemFolder() + "\\" + name;
}

inline std::string cachePath(const std::string& name) {
    return GetWindowsFolder() + "\\Driver Cache\\i386\\" + name;
}

inline std::string servicePackPath(const std::string& name) {
    return GetWindowsFolder() + "\\ServicePackFiles\\i386\\" + name;
}

// The bytes of a file on the machine; "(missing)" when it cannot be read.
inline std::string bytesOf(const std::string& path) {
    std::string bytes;
    return platform::readFile(path, bytes) == platform::kOk ? bytes : std::string("(missing)");
}

// The names `pattern` matches ("." and ".." left out), sorted without regard to case.
inline std::vector<std::string> namesOf(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    std::vector<std::string> names;
    platform::findFiles(pattern, entries);
    for (const platform::FindEntry& entry : entries) {
        if (entry.name != "." && entry.name != "..") {
            std::string lower = entry.name;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            names.push_back(lower);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The REG_SZ value `name` of HKEY_LOCAL_MACHINE\`key`; "(missing)" when absent.
inline std::string machineText(const std::string& key, const std::string& name) {
    const std::string text = ReadRegString(platform::kHkeyLocalMachine, key, name);
    return text.empty() ? "(missing)" : text;
}

// Removes HKEY_LOCAL_MACHINE\`key` with everything below it.
inline void removeMachineKey(const std::string& key) {
    DeleteSubKeys(platform::kHkeyLocalMachine, key);
    DeleteKey(platform::kHkeyLocalMachine, key);
}

// Makes `folder` (and its parent) when missing; remembers what it made so it goes again.
class MadeFolders {
  public:
    void make(const std::string& folder) {
        const std::string parent = folder.substr(0, folder.rfind('\\'));
        for (const std::string& each : {parent, folder}) {
            if (platform::createFolder(each) == platform::kOk) {
                made.push_back(each);
            }
        }
    }
    ~MadeFolders() {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            DeleteFolderIfExists(*it);
        }
    }

  private:
    std::vector<std::string> made;
};

// The test's Quellix: an empty data folder (with the shipped script when asked for), the AGP files
// of the system folder and the service keys of the script absent before and gone after, and
// whatever the test put into the driver caches gone too.
class QuellixSetup {
  public:
    QuellixSetup() {
        DeleteFolderTree(quellix::DataFolder());
        REQUIRE(platform::createFolder(quellix::DataFolder()) == platform::kOk);
        // Never on a machine whose own AGP drivers or services a test could overwrite.
        for (const char* file : {quellix::kAgp440, quellix::kViaAgp}) {
            REQUIRE_FALSE(FileExists(systemPath(file)));
        }
        for (const std::string& key : serviceKeys()) {
            REQUIRE(machineText(key, "ImagePath") == "(missing)");
        }
    }
    ~QuellixSetup() {
        DeleteFolderTree(quellix::DataFolder());
        for (const char* file : {quellix::kAgp440, quellix::kViaAgp}) {
            platform::setAttributes(systemPath(file), platform::kAttrNormal);
            platform::deleteFile(systemPath(file));
        }
        for (const std::string& key : serviceKeys()) {
            removeMachineKey(key);
        }
        for (const std::string& path : planted) {
            platform::deleteFile(path);
        }
    }
    QuellixSetup(const QuellixSetup&) = delete;
    QuellixSetup& operator=(const QuellixSetup&) = delete;

    // Puts the shipped registry script into the data folder.
    static void shipScript() {
        std::ifstream in(imagePath("quellix/QUELLIX.dat"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        REQUIRE_FALSE(text.str().empty());
        REQUIRE(platform::writeFile(dataPath(quellix::kScript), text.str()) == platform::kOk);
    }

    // Writes `bytes` as the file `path`, making the driver cache folders it needs.
    void plant(const std::string& path, const std::string& bytes) {
        const std::string folder = path.substr(0, path.rfind('\\'));
        if (!FolderExists(folder)) {
            folders.make(folder);
        }
        REQUIRE(platform::writeFile(path, bytes) == platform::kOk);
        planted.push_back(path);
    }

  private:
    static std::string imagePath(const std::string& relative) {
        std::string path = std::string(TVX_IMAGE_DIR) + "/" + relative;
#ifdef _WIN32
        path = "Z:" + path;
#endif
        return path;
    }

    MadeFolders folders;
    std::vector<std::string> planted;
};

} // namespace quellixtest
