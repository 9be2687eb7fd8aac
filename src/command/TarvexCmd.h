// TarvexCmd, the cleaner for the command line: the configurations, their preview and clean, the
// backup sets and their restore, with the engine, settings file, backups and logs of the windows.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The exit codes a deployment script can act on.
constexpr int kExitCleaned = 0;      // done: cleaned, or nothing to clean
constexpr int kExitNotRemoved = 1;   // some items could not be removed (or restored)
constexpr int kExitBadArguments = 2; // bad arguments, or no such configuration or set
constexpr int kExitRunning = 3;      // another Tarvex is running
constexpr int kExitBackupFailed = 4; // a requested backup failed and its item was kept

// Runs one command line (`args`: the words after the program's name), writing its results to
// `out` and its complaints to `err`, and returns the exit code. Bad arguments change nothing; a
// clean takes the single-instance claim of Tarvex for as long as the process lives.
int RunTarvexCmd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
