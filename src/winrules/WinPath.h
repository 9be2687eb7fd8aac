// Windows path rules: how a path text folds into one absolute path on a drive, and splitting
// paths at their last backslash. Written once for the platform backends, the guards and the tools.
#pragma once

#include <string>
#include <vector>

namespace winrules {

// Why a path text cannot be folded into one absolute path on a drive.
enum class PathFault {
    None,
    Empty,        // no text at all
    NotAbsolute,  // "x", "\x" or "C:x": it would depend on a current drive or folder
    Network,      // "\\server\share"
    Device,       // "\\.\", "\\?\" or a reserved device name such as NUL or COM1
    DotsOnly,     // a component of dots and blanks only other than "." and "..": versions
                  // of Windows read "..." differently
    TrailingDot,  // a folder component ending in a dot or blank: versions differ here too
    BadCharacter, // a character Windows forbids in names (wildcards outside the last part)
    TooLong,      // longer than the ANSI functions take (MAX_PATH)
};

// An absolute path on a drive: its upper-case drive letter and its components.
struct FullPath {
    char drive = 'C';
    std::vector<std::string> parts;
    bool trailingSeparator = false; // the text ended with a backslash after a component
};

// Folds `text` the way Windows makes a full path of it: '/' is a separator, repeated separators
// collapse, "." goes, ".." takes the previous component (never climbing above the drive), and
// trailing dots and blanks of the last component go. Wildcards are allowed in the last component
// when `wildcardLast`. Anything Windows could read in more than one way is refused.
PathFault foldPath(const std::string& text, bool wildcardLast, FullPath& path);

// "C:\A\B" (a drive root is "C:\"), with the trailing backslash when `path` had one.
std::string joinPath(const FullPath& path);

// True when `inner` is `outer` or lies below it (components compared without regard to case).
bool isSameOrBelow(const FullPath& inner, const FullPath& outer);

// True when both name the same path without regard to case.
bool samePath(const FullPath& a, const FullPath& b);

// True when `name` is a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or
// without an extension).
bool isDeviceName(const std::string& name);

// Splits `path` at its last backslash into `head` and `tail`; false when it has none. Only the
// backslash counts: registry key names may hold slashes.
bool splitLast(const std::string& path, std::string& head, std::string& tail);

// The part of the file path `path` after its last separator, backslash or slash (all of it when
// there is none).
std::string lastComponent(const std::string& path);

// The folder part of `pattern` with its trailing separator ("C:\A\*.x" gives "C:\A\"), so that a
// found name appended to it addresses the entry; "" when there is none.
std::string folderPart(const std::string& pattern);

// True when `name` is one plain file name: not empty, no folder separator, drive, wildcard or
// character Windows forbids, not made of dots and blanks only, not ending in a dot or blank, and no
// device name. Such a name joined to a folder stays in that folder.
bool isPlainFileName(const std::string& name);

// `name` with every character Windows forbids in a file name (control characters, separators,
// wildcards, ':', '"', '<', '>' and '|') replaced by '_'.
std::string replaceForbiddenNameCharacters(const std::string& name);

// True for the "." and ".." entries a directory search returns.
bool isDotEntry(const std::string& name);

} // namespace winrules
