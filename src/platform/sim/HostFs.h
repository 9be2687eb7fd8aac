// Windows paths on the simulated machine: parsing, case-insensitive lookup in the host folders,
// and the attribute bits kept in an extended attribute of each file and folder.
#pragma once

#include "platform/Error.h"
#include "winrules/WinPath.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace sim {

// A parsed absolute Windows path: drive letter and components (".", ".." and blanks resolved).
using WinPath = winrules::FullPath;

// Folds `text` into an absolute path by the Windows rules every file operation shares; what
// cannot be read as one absolute path on a drive gives kErrorInvalidName (kErrorBadPathName for
// network paths, kErrorPathNotFound for the empty text). Wildcards are allowed in the last
// component when `wildcardLast`.
platform::Error parseWinPath(const std::string& text, WinPath& path, bool wildcardLast = false);

// The path with every short 8.3 alias of an existing folder or file turned into its long name;
// other components keep the spelling they were given.
std::string resolvedPath(const WinPath& path);

// "C:\A\B" in upper case with existing components under their long names: the key of fault
// marks and comparisons, whatever alias the caller wrote.
std::string canonicalPath(const WinPath& path);

// "C:\a\b" as written.
std::string displayPath(const WinPath& path);

// Host folder of drive `drive` (may not exist).
std::string driveFolder(char drive);

// What a Windows path names on the host.
struct HostEntry {
    std::string host;       // host path (the name as given when it does not exist)
    std::string parentHost; // host path of the containing folder
    std::string name;       // the entry's name in the case it was created with
    bool exists = false;
    bool isDir = false;
    bool isLink = false;   // a host symbolic link: a reparse point, never followed
    std::string canonical; // the path as canonicalPath gives it, found on the same walk
};

// Finds `path` on the host: every folder on the way must exist (else kErrorPathNotFound); the
// last component may be missing (entry.exists false). A drive root is a folder.
// entry.canonical is set whenever the result is kOk.
platform::Error locate(const WinPath& path, HostEntry& entry);

// Actual name of the entry of host folder `hostDir` that matches `name` without regard to case,
// or whose short 8.3 alias is `name`; "" when there is none.
std::string findChild(const std::string& hostDir, const std::string& name);

// While one exists, a lookup that misses in a host folder lists that folder once and answers
// later misses there from that listing and the names looked up since (which the caller may have
// made), each confirmed on the host before it is given back: a folder of thousands of new files
// costs one listing instead of one per file. Only for a run of lookups that adds files and
// folders, made by one platform call while no other program of the machine runs (an extraction):
// an entry another program makes meanwhile, or one moved in from elsewhere, is not seen. One at
// a time; a second one made while the first lives has no effect.
class FolderBatch {
  public:
    FolderBatch();
    ~FolderBatch();
    FolderBatch(const FolderBatch&) = delete;
    FolderBatch& operator=(const FolderBatch&) = delete;

    // What findChild answers for a `name` not on the host under that exact spelling.
    std::string findMissing(const std::string& hostDir, const std::string& name);

  private:
    // Names of one folder by their upper case, in listing order, then in the order looked up.
    using Names = std::unordered_map<std::string, std::vector<std::string>>;
    std::map<std::string, Names> folders;
    bool active = false;
};

// Names in host folder `hostDir` (without "." and ".."), sorted without regard to case.
std::vector<std::string> listFolder(const std::string& hostDir);

// The short 8.3 aliases of `names` (a listing of one folder, in listing order): "" for a name
// that is an 8.3 name itself. Aliases are numbered in listing order.
std::vector<std::string> aliasesOf(const std::vector<std::string>& names);

// Windows attributes of a host entry (directory bit from the host, others from the xattr; a file
// without any bit reports kAttrNormal).
std::uint32_t hostAttributes(const std::string& host, bool isDir);

// Stores the read-only, hidden, system and archive bits of `attributes`.
bool storeAttributes(const std::string& host, std::uint32_t attributes);

// The canonical path of the folder holding `canonical` (a canonicalPath result); "" for a
// drive root.
std::string canonicalParent(const std::string& canonical);

// Byte size of a host file.
std::uint64_t hostSize(const std::string& host);

} // namespace sim
