// Footprint parsing, planting and checking, on the platform layer so it works on any machine.
#include "testkit/Footprint.h"

#include "base/General.h"
#include "base/Registry.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "winrules/WinText.h"

#include <cstdlib>

namespace testkit {
namespace {

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string expand(std::string text) {
    const std::string windows = GetWindowsFolder();
    text = replaceAll(text, "%WINDIR%", windows);
    text = replaceAll(text, "%SYSDIR%", GetSystemFolder());
    text = replaceAll(text, "%PROGRAMFILES%", GetProgramFilesFolder());
    return replaceAll(text, "%SYSTEMDRIVE%", windows.substr(0, 2));
}

// Reads a REGEDIT4 string body (after the opening quote) up to its closing quote.
bool readQuoted(const std::string& line, std::size_t& at, std::string& text) {
    text.clear();
    for (; at < line.size(); ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            text += line[++at];
        } else if (line[at] == '"') {
            ++at;
            return true;
        } else {
            text += line[at];
        }
    }
    return false;
}

bool parseHexBytes(const std::string& text, std::string& bytes) {
    bytes.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t comma = text.find(',', at);
        const std::string pair =
            text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        char* end = nullptr;
        const long value = std::strtol(pair.c_str(), &end, 16);
        if (pair.empty() || *end != '\0' || value < 0 || value > 255) {
            return false;
        }
        bytes += static_cast<char>(value);
        if (comma == std::string::npos) {
            break;
        }
        at = comma + 1;
    }
    return true;
}

bool parseValue(const std::string& line, FootprintItem& item) {
    std::size_t at = 0;
    if (line[0] == '@') {
        item.valueName.clear();
        at = 1;
    } else {
        at = 1;
        if (!readQuoted(line, at, item.valueName)) {
            return false;
        }
    }
    if (at >= line.size() || line[at] != '=') {
        return false;
    }
    const std::string value = line.substr(at + 1);
    if (!value.empty() && value[0] == '"') {
        std::size_t inner = 1;
        if (!readQuoted(value, inner, item.data)) {
            return false;
        }
        item.type = platform::kRegSz;
        item.data += '\0';
        return true;
    }
    if (value.compare(0, 6, "dword:") == 0) {
        char* end = nullptr;
        const unsigned long number = std::strtoul(value.c_str() + 6, &end, 16);
        if (value.size() == 6 || *end != '\0') {
            return false;
        }
        item.type = platform::kRegDword;
        item.data.clear();
        for (int i = 0; i < 4; ++i) {
            item.data += static_cast<char>((number >> (8 * i)) & 0xFF);
        }
        return true;
    }
    if (value.compare(0, 4, "hex:") == 0) {
        item.type = platform::kRegBinary;
        return parseHexBytes(value.substr(4), item.data);
    }
    if (value.compare(0, 4, "hex(") == 0) {
        const std::size_t close = value.find("):");
        if (close == std::string::npos) {
            return false;
        }
        item.type = static_cast<std::uint32_t>(std::strtoul(value.c_str() + 4, nullptr, 16));
        return parseHexBytes(value.substr(close + 2), item.data);
    }
    return false;
}

// Splits ROOT\path into the root handle and the path; false for an unknown root.
bool splitKey(const std::string& key, std::uint64_t& root, std::string& path) {
    const std::size_t slash = key.find('\\');
    root = RootKeyFromName(key.substr(0, slash));
    path = slash == std::string::npos ? std::string() : key.substr(slash + 1);
    return root != 0;
}

platform::Error createFolders(const std::string& path) {
    for (std::size_t slash = path.find('\\', 3);; slash = path.find('\\', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (!FolderExists(part) && platform::createFolder(part) != platform::kOk &&
            !FolderExists(part)) {
            std::uint32_t attributes = 0;
            if (platform::getAttributes(part, attributes) != platform::kOk) {
                return platform::kErrorPathNotFound;
            }
        }
        if (slash == std::string::npos) {
            return platform::kOk;
        }
    }
}

bool keyPresent(const std::string& key) {
    std::uint64_t root = 0;
    std::string path;
    platform::RegKey opened = 0;
    if (!splitKey(key, root, path) ||
        platform::regOpenKey(root, path, platform::RegAccess::Read, opened) != platform::kOk) {
        return false;
    }
    platform::regCloseKey(opened);
    return true;
}

std::string describe(const FootprintItem& item) {
    std::string text = "line " + std::to_string(item.line) + ": " + item.path;
    if (item.kind == FootprintItem::Kind::Value) {
        text += " value \"" + item.valueName + "\"";
    }
    return text;
}

} // namespace

bool ParseFootprint(const std::string& text, std::vector<FootprintItem>& items,
                    std::string& error) {
    enum class Section { None, Files, Folders, Registry, Keep } section = Section::None;
    std::string currentKey;
    bool currentKeyKept = false;
    int number = 0;
    for (const std::string& line : winrules::splitLines(text)) {
        ++number;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line == "[FILES]" || line == "[FOLDERS]" || line == "[REGISTRY]" || line == "[KEEP]") {
            section = line == "[FILES]"     ? Section::Files
                      : line == "[FOLDERS]" ? Section::Folders
                      : line == "[KEEP]"    ? Section::Keep
                                            : Section::Registry;
            currentKey.clear();
            continue;
        }
        FootprintItem item;
        item.line = number;
        item.keep = section == Section::Keep;
        if (line.compare(0, 5, "HKEY_") == 0 &&
            (section == Section::Registry || section == Section::Keep)) {
            item.kind = FootprintItem::Kind::Key;
            item.path = line;
            currentKey = line;
            currentKeyKept = item.keep;
        } else if ((line[0] == '"' || line[0] == '@') &&
                   (section == Section::Registry || section == Section::Keep)) {
            if (currentKey.empty() || !parseValue(line, item)) {
                error = "line " + std::to_string(number) + ": unreadable value: " + line;
                return false;
            }
            item.kind = FootprintItem::Kind::Value;
            item.path = currentKey;
            item.keep = currentKeyKept;
        } else if (section == Section::Keep && line.back() == '\\') {
            // A kept folder: one that stays although it may be empty after the clean.
            item.kind = FootprintItem::Kind::Folder;
            item.path = expand(line.substr(0, line.size() - 1));
        } else if (section == Section::Files || section == Section::Keep) {
            const std::size_t bar = line.find('|');
            item.kind = FootprintItem::Kind::File;
            item.path = expand(line.substr(0, bar));
            if (bar != std::string::npos) {
                for (char letter : line.substr(bar + 1)) {
                    const std::uint32_t bit = letter == 'R'   ? platform::kAttrReadOnly
                                              : letter == 'H' ? platform::kAttrHidden
                                              : letter == 'S' ? platform::kAttrSystem
                                              : letter == 'A' ? platform::kAttrArchive
                                                              : 0;
                    if (bit == 0) {
                        error = "line " + std::to_string(number) + ": unknown attribute " + letter;
                        return false;
                    }
                    item.attributes |= bit;
                }
            }
        } else if (section == Section::Folders) {
            item.kind = FootprintItem::Kind::Folder;
            item.path = expand(line);
        } else {
            error = "line " + std::to_string(number) + ": outside a section: " + line;
            return false;
        }
        items.push_back(item);
    }
    return true;
}

std::vector<std::string> PlantFootprint(const std::vector<FootprintItem>& items) {
    std::vector<std::string> failures;
    for (const FootprintItem& item : items) {
        bool planted = false;
        switch (item.kind) {
        case FootprintItem::Kind::Folder:
            planted = createFolders(item.path) == platform::kOk;
            break;
        case FootprintItem::Kind::File: {
            const std::size_t slash = item.path.rfind('\\');
            planted = slash != std::string::npos &&
                      createFolders(item.path.substr(0, slash)) == platform::kOk &&
                      (FileExists(item.path) ||
                       platform::writeFile(item.path, "footprint: " + item.path + "\r\n") ==
                           platform::kOk) &&
                      (item.attributes == 0 ||
                       platform::setAttributes(item.path, item.attributes) == platform::kOk);
            break;
        }
        case FootprintItem::Kind::Key:
        case FootprintItem::Kind::Value: {
            std::uint64_t root = 0;
            std::string path;
            platform::RegKey key = 0;
            planted = splitKey(item.path, root, path) &&
                      platform::regCreateKey(root, path, key) == platform::kOk;
            if (planted && item.kind == FootprintItem::Kind::Value) {
                planted = platform::regSetValue(key, item.valueName, item.type, item.data) ==
                          platform::kOk;
            }
            if (key != 0) {
                platform::regCloseKey(key);
            }
            break;
        }
        }
        if (!planted) {
            failures.push_back(describe(item));
        }
    }
    return failures;
}

bool IsPresent(const FootprintItem& item) {
    switch (item.kind) {
    case FootprintItem::Kind::File:
        return FileExists(item.path);
    case FootprintItem::Kind::Folder: {
        std::uint32_t attributes = 0;
        return platform::getAttributes(item.path, attributes) == platform::kOk &&
               (attributes & platform::kAttrDirectory) != 0;
    }
    case FootprintItem::Kind::Key:
        return keyPresent(item.path);
    case FootprintItem::Kind::Value: {
        std::uint64_t root = 0;
        std::string path;
        platform::RegKey key = 0;
        if (!splitKey(item.path, root, path) ||
            platform::regOpenKey(root, path, platform::RegAccess::Read, key) != platform::kOk) {
            return false;
        }
        std::uint32_t type = 0;
        std::string data;
        const bool found =
            platform::regQueryValue(key, item.valueName, type, data) == platform::kOk &&
            type == item.type && data == item.data;
        platform::regCloseKey(key);
        return found;
    }
    }
    return false;
}

bool ExpectedToSurvive(const FootprintItem& item, const std::vector<FootprintItem>& items) {
    if (item.keep) {
        return true;
    }
    if (item.kind == FootprintItem::Kind::Key) {
        // A key that holds a bystander (a kept value or key at or below it) has to stay.
        for (const FootprintItem& other : items) {
            if (other.keep &&
                (other.kind == FootprintItem::Kind::Key ||
                 other.kind == FootprintItem::Kind::Value) &&
                (other.path == item.path ||
                 other.path.compare(0, item.path.size() + 1, item.path + "\\") == 0)) {
                return true;
            }
        }
        return false;
    }
    if (item.kind == FootprintItem::Kind::Folder) {
        // A folder that holds a bystander file or folder has to stay.
        for (const FootprintItem& other : items) {
            if (other.keep &&
                (other.kind == FootprintItem::Kind::File ||
                 other.kind == FootprintItem::Kind::Folder) &&
                other.path.size() > item.path.size() &&
                other.path.compare(0, item.path.size() + 1, item.path + "\\") == 0) {
                return true;
            }
        }
        return false;
    }
    if (item.kind != FootprintItem::Kind::File ||
        (item.attributes & platform::kAttrReadOnly) == 0) {
        return false;
    }
    for (const FootprintItem& other : items) {
        if (other.kind == FootprintItem::Kind::Folder && !other.keep &&
            item.path.size() > other.path.size() &&
            item.path.compare(0, other.path.size() + 1, other.path + "\\") == 0) {
            return false; // its folder goes, read-only files and all
        }
    }
    return true;
}

std::vector<std::string> CheckCleaned(const std::vector<FootprintItem>& items) {
    std::vector<std::string> differences;
    for (const FootprintItem& item : items) {
        const bool survives = ExpectedToSurvive(item, items);
        if (IsPresent(item) != survives) {
            differences.push_back((survives ? "lost: " : "left: ") + describe(item));
        }
    }
    return differences;
}

} // namespace testkit
