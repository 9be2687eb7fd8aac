// TarvexCmd's command line as a script may write it: any words are read without harm, and what is
// accepted is a command the cleaner can carry out.
#include "FuzzMachine.h"

#include "command/Arguments.h"
#include "winrules/WinPath.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    // Words separated by NUL bytes, as a program's arguments arrive.
    const std::string text = fuzz::textOf(data, size);
    std::vector<std::string> args;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1) {
        args.push_back(text.substr(start, end - start));
    }
    args.push_back(text.substr(start));
    CommandLine command;
    std::string error;
    const bool accepted = ParseCommandLine(args, command, error);
    if (accepted != error.empty()) {
        std::abort();
    }
    if (!accepted) {
        return 0;
    }
    using Action = CommandLine::Action;
    const bool needsNames = command.action == Action::Preview || command.action == Action::Clean;
    const bool oneName = command.action == Action::Restore;
    if ((needsNames && command.names.empty()) || (oneName && command.names.size() != 1) ||
        (!needsNames && !oneName && !command.names.empty())) {
        std::abort();
    }
    // Every name stays a plain name in the program folder, whatever the script wrote.
    for (const std::string& name : command.names) {
        if (!winrules::isPlainFileName(name)) {
            std::abort();
        }
    }
    // The clean's choices come whole or not at all, and with /clean only.
    const bool backups = command.backupFiles.has_value();
    if (backups != command.backupDir.has_value() || backups != command.backupReg.has_value() ||
        ((backups || command.log) && command.action != Action::Clean)) {
        std::abort();
    }
    return 0;
}
