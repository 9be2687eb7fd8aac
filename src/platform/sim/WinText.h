// Windows text rules the simulated machine follows: code-page 1252 case folding, wildcard matching,
// command-line splitting and the blank trimming of profile files.
#pragma once

#include <string>
#include <vector>

namespace sim {

// Upper case of one character in code page 1252 (ASCII and the Latin-1 letters).
char upperChar(char c);

// Upper case of a whole text, as the case-insensitive name comparisons see it.
std::string upper(const std::string& text);

// True when `a` and `b` are the same name without regard to case.
bool equalNoCase(const std::string& a, const std::string& b);

// Order of two names without regard to case: negative, zero or positive.
int compareNoCase(const std::string& a, const std::string& b);

// True when `text` holds a * or ? wildcard.
bool hasWildcard(const std::string& text);

// Directory-search match of `name` against `pattern` (* and ?), case-insensitive, with the
// platform's quirks: trailing dots and stars of the pattern also match the end of the name.
bool matchPattern(const std::string& name, const std::string& pattern);

// Splits a command line into its program token (quotes removed) and the rest after it.
void splitProgram(const std::string& commandLine, std::string& program, std::string& rest);

// Splits command-line arguments by the CommandLineToArgv rules (quotes, backslashes).
std::vector<std::string> splitArguments(const std::string& arguments);

// `text` without leading and trailing blanks (space, tab, CR, LF, VT, FF).
std::string trimBlanks(const std::string& text);

// `text` without trailing blanks.
std::string trimTrailingBlanks(const std::string& text);

} // namespace sim
