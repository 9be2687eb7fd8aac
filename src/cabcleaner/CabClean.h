// The steps of cleaning one cabinet that keep the original safe: checked configuration lines,
// scratch folders of the run's own, the vendor-file filter, checks of the extraction, of the new
// cabinet and of the backup.
#pragma once

#include "platform/Cabinet.h"

#include <string>
#include <vector>

// True for a configuration line that names a file below the Windows folder: it begins with "\"
// and holds no "..", drive or wildcard.
bool IsSafeCabinetLine(const std::string& line);

// The base name of a cab configuration name: the text before its first "." (driver.cab: driver).
std::string CabBaseName(const std::string& cabName);

// The first of `path`, `path`2, `path`3... that names nothing yet; "" when none of the first 100
// is free.
std::string FreePath(const std::string& path);

// Creates a new, empty folder at the first free path of `path` (as FreePath) and returns it; ""
// when none could be made.
std::string MakeFreshFolder(const std::string& path);

// True for a file whose own name (the last part of its path inside the cabinet) begins with "ati"
// or "nv", without regard to case: the ATI and NVIDIA files (nForce chipset files included).
bool IsVendorFile(const std::string& innerPath);

// True when `folder` holds every file of `entries` at its inner path, with its size.
bool ExtractedCompletely(const std::string& folder,
                         const std::vector<platform::CabinetEntry>& entries);

// Checks the new cabinet `cabinet` against `added`, the files packed from `scratch`: the same
// paths in the same order with their sizes, dates and read-only, hidden and system bits, and,
// unpacked again in memory, the same bytes.
bool VerifyCabinet(const std::string& cabinet, const std::vector<platform::CabinetEntry>& added,
                   const std::string& scratch);

// Keeps the cabinet `fullPath` (configuration line `line` below `windowsFolder`) in the file-backup
// set of `cabName` and `stamp`, and checks it as the restore will find it: the set's last index
// line names the cabinet's folder, and the copy it points to has the cabinet's bytes.
bool BackUpCabinet(const std::string& line, const std::string& cabName, const std::string& stamp,
                   const std::string& fullPath, const std::string& windowsFolder);
