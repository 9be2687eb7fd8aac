// What a configuration line may delete: the folders and registry keys that belong to Windows or to
// the program itself are never taken, whatever a configuration says.
#pragma once

#include <string>

// The guard's answer for a file or folder line.
enum class PathVerdict {
    Allowed,      // the line may run
    Protected,    // it would take a drive root, the Windows, system, Program Files or temporary
                  // folder, a folder Windows owns below them (Inf, drivers, Fonts...), a parent
                  // of one, anything in the program's own folder, or with a pattern lacking a
                  // two-letter literal prefix, files of such a folder
    Unresolvable, // the path cannot be read as one absolute path on a drive, or the folders
                  // the guard protects could not be found: nothing is guessed
};

// The verdict on `path`, a full path as a file or folder line makes it (wildcards allowed in its
// last component). The path is resolved exactly as the file operations resolve it, and a wildcard
// is checked against what it really matches on the machine now.
PathVerdict CheckPath(const std::string& path);

// True when `keyPath` below the root named `rootName` (any case) belongs to the registry's own
// structure: a root or a key directly below one (other than a class key below HKEY_CLASSES_ROOT),
// the SOFTWARE and SYSTEM trees' Windows parts, control sets, device classes, services and event
// logs, the Run, Uninstall and shell-extension containers, Windows' own classes and file types,
// HARDWARE, SAM and SECURITY. A vendor's key below such a container is not protected.
bool IsProtectedKey(const std::string& rootName, const std::string& keyPath);
