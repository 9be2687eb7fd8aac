// Windows text rules: code-page 1252 case folding, as names are compared without regard to case,
// the blank trimming of profile and registration files, and their lines.
#pragma once

#include <string>
#include <vector>

namespace winrules {

// Upper case of one character in code page 1252 (ASCII and the Latin-1 letters, with the
// š/œ/ž/ÿ pairs that live at 0x8A-0x9F).
char upperChar(char c);

// Upper case of a whole text.
std::string upper(const std::string& text);

// Order of two names without regard to case: negative, zero or positive.
int compareNoCase(const std::string& a, const std::string& b);

// True when `a` and `b` are the same name without regard to case.
bool equalNoCase(const std::string& a, const std::string& b);

// True when `text` begins with `prefix`, compared without regard to case.
bool startsWithNoCase(const std::string& text, const std::string& prefix);

// `text` without leading and trailing blanks (space, tab, CR, LF, VT, FF).
std::string trimBlanks(const std::string& text);

// `text` without trailing blanks.
std::string trimTrailingBlanks(const std::string& text);

// The lines of a profile or registration text, without their line ends (CR LF or LF); no empty
// line follows a last line end.
std::vector<std::string> splitLines(const std::string& text);

} // namespace winrules
