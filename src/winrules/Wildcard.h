// Directory-search wildcards: how "*" and "?" in the last component of a path match names.
#pragma once

#include <string>

namespace winrules {

// True when `text` holds a * or ? wildcard.
bool hasWildcard(const std::string& text);

// Directory-search match of `name` against `pattern`, without regard to case, with the NT quirk
// that trailing dots and stars of the pattern also match the end of the name ("*.*" and "nv*.*"
// match names without a dot).
bool matchPattern(const std::string& name, const std::string& pattern);

// True when `pattern` matches every name: it holds a star and nothing besides stars, question
// marks and dots ("*", "*.*", "?*").
bool matchesEveryName(const std::string& pattern);

// Number of literal characters `pattern` begins with before its first wildcard.
std::size_t literalPrefixLength(const std::string& pattern);

} // namespace winrules
