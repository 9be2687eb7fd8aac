// A machine ready for a driven clean run: shipped configurations encoded into the program folder,
// the English texts, the run settings, and driver footprints planted; all of it gone afterwards.
#pragma once

#include "base/Folders.h"
#include "base/General.h"
#include "base/Ini.h"
#include "base/Registry.h"
#include "language/LanguageFixture.h"
#include "language/ShippedLanguages.h"
#include "packs/PackEncoder.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/TestMachine.h"
#include "testkit/Footprint.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// The program folder's full path of `relative`.
inline std::string programPath(const std::string& relative) {
    return platform::programFolder() + "\\" + relative;
}

// The names of the files and folders that `pattern` matches ("." and ".." left out), sorted.
inline std::vector<std::string> listNames(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    std::vector<std::string> names;
    if (platform::findFiles(pattern, entries) == platform::kOk) {
        for (const platform::FindEntry& entry : entries) {
            if (entry.name != "." && entry.name != "..") {
                names.push_back(entry.name);
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The lines of a CR LF text file on the machine (no trailing empty line); none when it is missing.
inline std::vector<std::string> fileLines(const std::string& path) {
    std::string text;
    std::vector<std::string> lines;
    if (platform::readFile(path, text) != platform::kOk) {
        return lines;
    }
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

inline bool exists(const std::string& path) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(path, attributes) == platform::kOk;
}

// The English text of `id`, as the shipped language file has it.
inline std::string englishText(const std::string& id) {
    static const std::map<std::string, std::string> texts = langtest::textsOf(
        langtest::shippedForm(langtest::sourcePath("data/languages/English.txt")));
    const auto found = texts.find(id);
    return found == texts.end() ? std::string("?") : found->second;
}

// A detail-list line: the words of `id`, then the path in parentheses.
inline std::string detailLine(const std::string& id, const std::string& path) {
    return englishText(id) + " (" + path + ")";
}

// Removes a key with everything below it.
inline void removeKey(const std::string& key) {
    const std::size_t slash = key.find('\\');
    const std::uint64_t root = RootKeyFromName(key.substr(0, slash));
    const std::string path = key.substr(slash + 1);
    DeleteSubKeys(root, path);
    DeleteKey(root, path);
}

class CleanSetup {
  public:
    // Settings for the normal window without the warning, the English texts, no backups or log
    // left from elsewhere.
    CleanSetup() {
        removeRunLeftovers();
        WriteIni("Tarvex.ini", "WARNING", "ReadmeStart", "No");
        WriteIni("Tarvex.ini", "PROGRAM", "Wizard", "No");
        WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Normal");
        setRunSettings("No", "No", "No", "No");
        folder.plant("English.lng", encode(langtest::shippedForm(
                                        langtest::sourcePath("data/languages/English.txt"))));
        folder.expect("English.dlf");
        langtest::ProgramFolder::choose("English");
    }
    ~CleanSetup() {
        removeRunLeftovers();
        for (auto& [family, planted] : footprints) {
            unplant(planted);
        }
    }
    CleanSetup(const CleanSetup&) = delete;
    CleanSetup& operator=(const CleanSetup&) = delete;

    // Writes the four settings a clean run reads.
    static void setRunSettings(const std::string& backupFiles, const std::string& backupDir,
                               const std::string& backupReg, const std::string& logFile) {
        WriteIni("Tarvex.ini", "PROGRAM", "BackupFiles", backupFiles);
        WriteIni("Tarvex.ini", "PROGRAM", "BackupDir", backupDir);
        WriteIni("Tarvex.ini", "PROGRAM", "BackupReg", backupReg);
        WriteIni("Tarvex.ini", "PROGRAM", "LogFile", logFile);
    }

    // The shipped configuration data/configs/<family>.txt, encoded as the build ships it.
    void addShippedConfiguration(const std::string& family) {
        addConfiguration(
            family, langtest::shippedForm(langtest::sourcePath("data/configs/" + family + ".txt")));
    }

    // A configuration `name` with the decoded text `plain`.
    void addConfiguration(const std::string& name, const std::string& plain) {
        folder.plant(name + ".txf", encode(plain));
        // A run that went wrong may leave its companion file; it must not outlive the test.
        folder.expect(name + ".txr");
    }

    // Plants data/footprints/<family>.txt on the machine (again, when called again) and returns
    // the items that could be planted; what the test leaves of it is removed at the end.
    const std::vector<testkit::FootprintItem>& plant(const std::string& family) {
        Planted& planted = footprints[family];
        if (planted.items.empty()) {
            std::string error;
            const std::string text =
                langtest::shippedForm(langtest::sourcePath("data/footprints/" + family + ".txt"));
            REQUIRE_MESSAGE(testkit::ParseFootprint(text, planted.items, error), error);
            for (const testkit::FootprintItem& item : planted.items) {
                planted.presentBefore.push_back(testkit::IsPresent(item));
            }
        }
        const std::vector<std::string> failures = testkit::PlantFootprint(planted.items);
        // Wine keeps the video keys of the display driver volatile, and a volatile key takes no
        // lasting subkeys: there an adapter's video key cannot be planted. The simulated machine
        // takes the whole footprint.
        if (testsupport::onSimulatedMachine()) {
            INFO("not planted: " << (failures.empty() ? std::string() : failures.front()));
            REQUIRE(failures.empty());
        }
        planted.checked.clear();
        planted.checkedState.clear();
        for (const testkit::FootprintItem& item : planted.items) {
            if (testkit::IsPresent(item)) {
                planted.checked.push_back(item);
                planted.checkedState.push_back(stateOf(item));
            }
        }
        REQUIRE(planted.checked.size() + failures.size() == planted.items.size());
        return planted.checked;
    }

    // What differs from a clean machine for the planted footprint of `family`, one item a
    // line; empty when the clean removed exactly what it should.
    std::string leftovers(const std::string& family) {
        std::string text;
        for (const std::string& item : testkit::CheckCleaned(footprints.at(family).checked)) {
            text += item + "\n";
        }
        return text;
    }

    // What the restore windows failed to put back as it was planted (files and folders with their
    // attributes and bytes, values with their data) of the footprint `footprint`, one item a
    // line; empty when everything is there again. The values that the configuration `family`
    // names in "[REGISTRY.VALUE]" are left out: a value line makes no backup. What the clean
    // left only has to be there: the copy of a read-only survivor goes back over the file
    // itself, and Windows' shell (Wine's at least) drops its read-only bit on the way.
    std::string notRestored(const std::string& footprint, const std::string& family) {
        const std::vector<std::string> valueLines = sectionLines(family, "[REGISTRY.VALUE]");
        const Planted& planted = footprints.at(footprint);
        std::string text;
        for (std::size_t i = 0; i < planted.checked.size(); ++i) {
            const testkit::FootprintItem& item = planted.checked[i];
            const bool valueLineTookIt =
                item.kind == testkit::FootprintItem::Kind::Value &&
                std::any_of(valueLines.begin(), valueLines.end(), [&item](const std::string& line) {
                    return upperCase(line) == upperCase(item.path + "\\" + item.valueName);
                });
            if (valueLineTookIt) {
                continue;
            }
            const std::string where = "line " + std::to_string(item.line) + ": " + item.path;
            if (!testkit::IsPresent(item)) {
                text += where +
                        (item.kind == testkit::FootprintItem::Kind::Value
                             ? " value \"" + item.valueName + "\""
                             : std::string()) +
                        "\n";
            } else if (!testkit::ExpectedToSurvive(item, planted.checked) &&
                       stateOf(item) != planted.checkedState[i]) {
                text +=
                    where + " was [" + planted.checkedState[i] + "], is [" + stateOf(item) + "]\n";
            }
        }
        return text;
    }

  private:
    struct Planted {
        std::vector<testkit::FootprintItem> items;
        std::vector<bool> presentBefore;
        std::vector<testkit::FootprintItem> checked; // the items that could be planted
        std::vector<std::string> checkedState;       // stateOf each of them, after planting
    };

    // A file's or folder's attributes and a file's bytes; keys and values have their data
    // compared by IsPresent.
    static std::string stateOf(const testkit::FootprintItem& item) {
        if (item.kind != testkit::FootprintItem::Kind::File &&
            item.kind != testkit::FootprintItem::Kind::Folder) {
            return std::string();
        }
        std::uint32_t attributes = 0;
        std::string bytes;
        platform::getAttributes(item.path, attributes);
        if (item.kind == testkit::FootprintItem::Kind::File) {
            platform::readFile(item.path, bytes);
        }
        return std::to_string(attributes) + " " + bytes;
    }

    static std::string upperCase(std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return text;
    }

    // The entries of `section` in the shipped configuration of `family`.
    static std::vector<std::string> sectionLines(const std::string& family,
                                                 const std::string& section) {
        const std::string text =
            langtest::shippedForm(langtest::sourcePath("data/configs/" + family + ".txt"));
        std::vector<std::string> lines;
        std::string current = "[FILES]";
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            const std::string line = text.substr(start, end - start);
            if (!line.empty() && line[0] == '[' && line.back() == ']') {
                current = line;
            } else if (current == section && !line.empty()) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    static std::string encode(const std::string& plain) {
        return *packs::encodePack(plain, packs::PackMethod::Huffman);
    }

    // Backups, logs and the temporary decoded configurations of a run.
    static void removeRunLeftovers() {
        DeleteFolderTree(programPath("Backup"));
        DeleteFolderTree(programPath("Log"));
        platform::deleteFile(GetWindowsFolder() + "\\xttxf.dll");
        platform::deleteFile(GetWindowsFolder() + "\\xtdwf.dll");
    }

    // Takes away what planting added and the clean left: the bystanders above all.
    static void unplant(const Planted& planted) {
        for (std::size_t i = 0; i < planted.items.size(); ++i) {
            const testkit::FootprintItem& item = planted.items[i];
            if (planted.presentBefore[i] || !testkit::IsPresent(item)) {
                continue;
            }
            switch (item.kind) {
            case testkit::FootprintItem::Kind::File:
                platform::setAttributes(item.path, platform::kAttrNormal);
                platform::deleteFile(item.path);
                break;
            case testkit::FootprintItem::Kind::Value: {
                const std::size_t slash = item.path.find('\\');
                DeleteValue(RootKeyFromName(item.path.substr(0, slash)),
                            item.path.substr(slash + 1), item.valueName);
                break;
            }
            case testkit::FootprintItem::Kind::Key:
            case testkit::FootprintItem::Kind::Folder:
                break;
            }
        }
        // Keys and folders after their contents, the deepest first.
        for (std::size_t i = planted.items.size(); i-- > 0;) {
            const testkit::FootprintItem& item = planted.items[i];
            if (planted.presentBefore[i]) {
                continue;
            }
            if (item.kind == testkit::FootprintItem::Kind::Key && testkit::IsPresent(item)) {
                removeKey(item.path);
            } else if (item.kind == testkit::FootprintItem::Kind::Folder) {
                DeleteFolderIfExists(item.path);
            }
        }
    }

    langtest::ProgramFolder folder;
    std::map<std::string, Planted> footprints;
};

} // namespace e2e
