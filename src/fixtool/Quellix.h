// Quellix's own names: its title and version, its settings and help files, its data folder and
// the files in it.
#pragma once

#include <string>

namespace quellix {

inline constexpr const char* kTitle = "Quellix";
constexpr int kMajorVersion = 1;
constexpr int kMinorVersion = 0;

// The settings file in the program folder; Quellix only reads its font from it.
inline constexpr const char* kSettingsFile = "Quellix.ini";
// The help page in the program folder.
inline constexpr const char* kHelpFile = "QuellixHelp.htm";

// The AGP driver of the nForce and Intel fixes, and that of the VIA fix.
inline constexpr const char* kAgp440 = "AGP440.sys";
inline constexpr const char* kViaAgp = "VIAAGP1.sys";
// The registry script of the registry fix, in the data folder.
inline constexpr const char* kScript = "QUELLIX.dat";

// "1.0": the version as titles show it.
std::string VersionText();

// The data folder: the program folder and "\quellix".
std::string DataFolder();

} // namespace quellix
