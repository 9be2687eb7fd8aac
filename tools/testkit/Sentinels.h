// Sentinels in every folder the cleaning guard protects: planted before hostile configuration lines
// run, and counted afterwards. Shared by the guard tests and the guard's fuzz harness.
#pragma once

#include <string>
#include <vector>

namespace testkit {

// The folders the guard must keep, as this machine names them: the Windows drive's root, the
// Windows, system and Program Files folders with some Windows-owned folders below them, the
// temporary folder, the program folder with its Backup and Log folders, and the 32-bit Program
// Files folder of 64-bit Windows (those below the Windows, system and program folders and the
// last one made when missing).
std::vector<std::string> GuardedFolders();

// Plants a file "#sentinel.dat" and a folder "#sentinel" holding one file in each of `folders`.
// The names begin with '#', which no generated line writes, so only a line that breaks the
// guard's rules can reach them. Returns the paths that could not be planted.
std::vector<std::string> PlantSentinels(const std::vector<std::string>& folders);

// The sentinels of `folders` that are gone, as full paths.
std::vector<std::string> MissingSentinels(const std::vector<std::string>& folders);

// Removes the sentinels again.
void RemoveSentinels(const std::vector<std::string>& folders);

// Runs `line` as a line of `section` ("[FILES]", "[SYSTEMFILES]" or "[DIRECTORY]") through the
// cleaning engine, backups and lists off.
void RunFileLine(const std::string& section, const std::string& line);

} // namespace testkit
