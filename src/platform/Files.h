// File and folder services: directory search, attributes, whole-file I/O, deletion and the shell
// copy. On 64-bit Windows every operation here works on the native file system: a 32-bit program
// would otherwise see the system folder's 32-bit twin (SysWOW64) in its place.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// File attribute bits with their Windows values.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kAttrNormal = 0x80;
constexpr std::uint32_t kAttrReparsePoint = 0x400; // a link: never followed by a tree deletion

// One entry of a directory search.
struct FindEntry {
    std::string name; // the entry's own name, in the case it was created with
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// The full path `text` names as every operation of this layer resolves it: an absolute path on a
// drive, separators and "." and ".." folded by the Windows rules, the trailing dots and blanks of
// the last name dropped, and short (8.3) names of existing folders and files given as their long
// names. Wildcards are allowed in the last component when `wildcardLast`. What cannot be read as
// one such path (relative or drive-relative text, network and device paths, a component of dots
// and blanks only, a folder name ending in a dot or blank) is refused with kErrorInvalidName
// (kErrorBadPathName for network paths) and `full` left empty. Every operation below refuses the
// same texts.
Error resolvePath(const std::string& text, bool wildcardLast, std::string& full);

// Directory search of `pattern` (a full path whose last component may hold * and ?), every entry
// whatever its attributes, in the platform's order (NTFS and Wine: by the names compared in upper
// case); "." and ".." come first where the platform returns them. Nothing found gives
// kErrorFileNotFound and an empty list; a missing folder on the way gives kErrorPathNotFound.
Error findFiles(const std::string& pattern, std::vector<FindEntry>& entries);

// Length of the file `path` (no wildcards); a folder or a missing file fails.
Error fileLength(const std::string& path, std::uint64_t& length);

// Attributes of the file or folder `path`.
Error getAttributes(const std::string& path, std::uint32_t& attributes);

// Sets the attributes of `path`; kAttrNormal alone clears them all.
Error setAttributes(const std::string& path, std::uint32_t attributes);

// Reads the whole file `path` into `bytes`; `bytes` is left empty on failure.
Error readFile(const std::string& path, std::string& bytes);

// Creates or truncates `path` and writes `bytes`; a read-only, hidden or system target refuses
// as on Windows.
Error writeFile(const std::string& path, const std::string& bytes);

// Appends `bytes` to `path`, creating it when missing; a read-only target refuses.
Error appendFile(const std::string& path, const std::string& bytes);

// Deletes the one file `path` whatever its hidden or system bits; a read-only file refuses.
Error deleteFile(const std::string& path);

// Deletes every ordinary file matching `pattern` (hidden, system and folder entries are passed
// over); a match that cannot be deleted is left and the first such error is returned after the
// others were tried. No match gives kErrorFileNotFound.
Error deleteFiles(const std::string& pattern);

// Creates the one folder `path`; its parent must exist.
Error createFolder(const std::string& path);

// Removes the empty folder `path`.
Error removeFolder(const std::string& path);

// Outcome of a tree deletion: the first failure and the path it happened on.
struct TreeResult {
    Error error = kOk;
    std::string failedPath;
};

// Deletes the folder `path` (wildcards allowed in its last component; each match is deleted) with
// all files and subfolders, read-only ones too, never following links or reparse points. Stops at
// the first item it cannot delete and leaves everything not yet deleted in place. No folder
// matching gives kErrorPathNotFound; an empty, "." or ".." last component is refused.
TreeResult deleteTree(const std::string& path);

// Outcome of a shell copy: the shell's own result and its "any operation aborted" flag.
struct ShellCopyResult {
    Error result = kOk;
    bool anyAborted = false;
};

// The shell's silent copy (FO_COPY without confirmations, missing folders created): `source` is a
// file, a folder or a pattern in its last component; `destination` the folder to copy into.
// `showProgress` lets the shell show its progress window for a long copy.
ShellCopyResult shellCopy(const std::string& source, const std::string& destination,
                          bool showProgress);

} // namespace platform

// File times and replacing one file by another (cabinet extraction and the cab cleaner).
namespace platform {

struct LocalTime;

// The last-write time of the file `path`, in local time.
Error getFileTime(const std::string& path, LocalTime& time);

// Sets the last-write time of the file `path` (local time); refused where a write would be.
Error setFileTime(const std::string& path, const LocalTime& time);

// Moves the file `from` onto `to` on the same drive, replacing a file `to` unless it is read-only
// or in use; on failure both stay as they were, except on Windows 9x, which cannot replace in one
// step: there `to` goes first, so callers keep a verified copy of it.
Error moveFileReplacing(const std::string& from, const std::string& to);

} // namespace platform
