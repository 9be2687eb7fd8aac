// The AGP fixes: one chipset's AGP driver file put into the system folder.
#pragma once

#include <string>

class FixBackup;

// How an AGP fix ended.
enum class AgpResult {
    Done,      // the system folder holds the file now
    NotFound,  // the file is nowhere Quellix looks for it; nothing was copied
    NotKept,   // a file of that name in the system folder could not be kept; nothing was copied
    NotCopied, // the copy into the system folder failed
};

// Copies the AGP driver `fileName` into the system folder. The file is taken from the data folder
// or, when it is not there, from the machine itself: the Windows folder's
// "ServicePackFiles\i386", then the cabinets of "Driver Cache\i386" (the service packs' newest
// first, then driver.cab and the others). A file of the same name already in the system folder is
// kept in `backup` first.
AgpResult InstallAgpFile(const std::string& fileName, FixBackup& backup);
