// The names in Tarvex's settings file: the file itself, its sections, keys and the values the
// program compares with.
#pragma once

namespace settings {

inline constexpr const char* kFile = "Tarvex.ini";

// Every reader passes this default; a result of exactly "?" means the key is missing.
inline constexpr const char* kMissing = "?";

inline constexpr const char* kSectionProgram = "PROGRAM";
inline constexpr const char* kSectionWarning = "WARNING";
inline constexpr const char* kSectionLanguage = "LANGUAGE";
inline constexpr const char* kSectionFont = "FONT";

inline constexpr const char* kInterface = "Interface";
inline constexpr const char* kWizard = "Wizard";
inline constexpr const char* kLogFile = "LogFile";
inline constexpr const char* kBackupFiles = "BackupFiles";
inline constexpr const char* kBackupDir = "BackupDir";
inline constexpr const char* kBackupReg = "BackupReg";
inline constexpr const char* kReadmeStart = "ReadmeStart";
inline constexpr const char* kCurrentLanguage = "CurrentLanguage";
inline constexpr const char* kFontName = "Name";

inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";
inline constexpr const char* kNormal = "Normal";
inline constexpr const char* kAdvanced = "Advanced";
inline constexpr const char* kDefaultFont = "Default";

} // namespace settings
