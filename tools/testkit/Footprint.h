// Footprints: what a driver installation leaves on a machine, planted for tests and demos and
// checked again after a clean.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

struct FootprintItem {
    enum class Kind { File, Folder, Key, Value };
    Kind kind = Kind::File;
    std::string path;             // file or folder path, or the key as ROOT\path
    std::uint32_t attributes = 0; // files: read-only, hidden, system, archive bits
    std::string valueName;        // values: the name ("" is the unnamed value)
    std::uint32_t type = 0;       // values: the registry type
    std::string data;             // values: raw bytes as the registry holds them
    bool keep = false;            // a bystander that must survive the clean
    int line = 0;                 // where it stands in the footprint text
};

// Parses a footprint text ([FILES], [FOLDERS], [REGISTRY], [KEEP], where a line ending in a
// backslash is a folder; %WINDIR%, %SYSDIR%, %PROGRAMFILES% and %SYSTEMDRIVE% stand for the
// machine's folders). False with `error` set on a line it cannot read.
bool ParseFootprint(const std::string& text, std::vector<FootprintItem>& items, std::string& error);

// Plants every item on the machine (parent folders and keys as needed). Returns a description
// of every item that could not be planted.
std::vector<std::string> PlantFootprint(const std::vector<FootprintItem>& items);

// True when the item is on the machine now (a value: with the planted data).
bool IsPresent(const FootprintItem& item);

// True when a clean is expected to leave the item: a bystander, a key or folder that holds a
// bystander, or a read-only file that a file entry cannot delete because no removed folder holds
// it.
bool ExpectedToSurvive(const FootprintItem& item, const std::vector<FootprintItem>& items);

// Every item whose presence after a clean differs from what is expected, described.
std::vector<std::string> CheckCleaned(const std::vector<FootprintItem>& items);

} // namespace testkit
