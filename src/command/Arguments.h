// The command line of TarvexCmd: what a deployment script may ask for, read strictly.
#pragma once

#include <optional>
#include <string>
#include <vector>

// One command line, read.
struct CommandLine {
    enum class Action { Usage, List, Preview, Clean, Sets, Restore };
    Action action = Action::Usage;
    // The configurations of /preview and /clean, in the order given; the one set of /restore.
    std::vector<std::string> names;
    // /backup: given with /clean: which of the three backups the clean makes; unset: the
    // settings file decides.
    std::optional<bool> backupFiles;
    std::optional<bool> backupDir;
    std::optional<bool> backupReg;
    // /log: given with /clean; unset: the settings file decides.
    std::optional<bool> log;
};

// Reads `args` (the words after the program's name). Switches begin with "/" or "-" and are
// matched without regard to case; other words are names. False, with a sentence for the user in
// `error`, for an unknown or repeated switch, a missing or extra name, a switch that does not
// belong to the command, a malformed value, or a name that cannot be a file's.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& command,
                      std::string& error);

// The usage text printed for /?.
std::string UsageText();
