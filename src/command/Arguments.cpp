// Reading TarvexCmd's command line: one command, its names, and the clean's two choices.
#include "command/Arguments.h"

#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <array>

namespace {

using Action = CommandLine::Action;

struct ActionSwitch {
    const char* name;
    Action action;
};

constexpr std::array<ActionSwitch, 6> kActions = {{
    {"?", Action::Usage},
    {"list", Action::List},
    {"preview", Action::Preview},
    {"clean", Action::Clean},
    {"sets", Action::Sets},
    {"restore", Action::Restore},
}};

// Reads a /backup: value: kinds joined by commas, or "all", or "none".
bool readBackupKinds(const std::string& value, CommandLine& command) {
    const std::string kinds = winrules::upper(value);
    if (kinds == "ALL" || kinds == "NONE") {
        const bool on = kinds == "ALL";
        command.backupFiles = command.backupDir = command.backupReg = on;
        return true;
    }
    command.backupFiles = command.backupDir = command.backupReg = false;
    for (std::size_t start = 0;;) {
        const std::size_t comma = kinds.find(',', start);
        const std::string kind =
            kinds.substr(start, comma == std::string::npos ? comma : comma - start);
        if (kind == "FILES" && !*command.backupFiles) {
            command.backupFiles = true;
        } else if (kind == "FOLDERS" && !*command.backupDir) {
            command.backupDir = true;
        } else if (kind == "REGISTRY" && !*command.backupReg) {
            command.backupReg = true;
        } else {
            return false; // empty, unknown or repeated
        }
        if (comma == std::string::npos) {
            return true;
        }
        start = comma + 1;
    }
}

bool fail(std::string& error, const std::string& sentence) {
    error = sentence;
    return false;
}

const char* actionName(Action action) {
    for (const ActionSwitch& each : kActions) {
        if (each.action == action) {
            return each.name;
        }
    }
    return "?";
}

} // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& command,
                      std::string& error) {
    command = CommandLine();
    bool haveAction = false;
    bool haveBackup = false;
    bool haveLog = false;
    for (const std::string& arg : args) {
        if (arg.empty() || (arg[0] != '/' && arg[0] != '-')) {
            // A configuration or set is a file or folder of the program folder: its name stays
            // there, whatever the script wrote.
            if (!winrules::isPlainFileName(arg)) {
                return fail(error, "\"" + arg + "\" cannot be the name of a configuration or set.");
            }
            command.names.push_back(arg);
            continue;
        }
        const std::string word = arg.substr(1);
        const std::size_t colon = word.find(':');
        const std::string name = winrules::upper(word.substr(0, colon));
        const std::string value =
            colon == std::string::npos ? std::string() : word.substr(colon + 1);
        if (name == "BACKUP") {
            if (haveBackup || colon == std::string::npos || !readBackupKinds(value, command)) {
                return fail(error, "\"" + arg +
                                       "\": give /backup: once, with files, folders or "
                                       "registry joined by commas, or all, or none.");
            }
            haveBackup = true;
            continue;
        }
        if (name == "LOG") {
            const std::string answer = winrules::upper(value);
            if (haveLog || colon == std::string::npos || (answer != "YES" && answer != "NO")) {
                return fail(error, "\"" + arg + "\": give /log:yes or /log:no, once.");
            }
            command.log = answer == "YES";
            haveLog = true;
            continue;
        }
        bool known = false;
        for (const ActionSwitch& each : kActions) {
            if (colon == std::string::npos && name == winrules::upper(each.name)) {
                if (haveAction) {
                    return fail(error, "\"" + arg + "\": give one command only.");
                }
                command.action = each.action;
                haveAction = known = true;
            }
        }
        if (!known) {
            return fail(error, "\"" + arg + "\" is not a switch of TarvexCmd (see TarvexCmd /?).");
        }
    }
    if (!haveAction) {
        return fail(error, "No command given (see TarvexCmd /?).");
    }
    const Action action = command.action;
    if ((haveBackup || haveLog) && action != Action::Clean) {
        return fail(error, "/backup: and /log: belong to /clean only.");
    }
    const std::string what = std::string("/") + actionName(action);
    switch (action) {
    case Action::Preview:
    case Action::Clean:
        if (command.names.empty()) {
            return fail(error, what + " needs the name of at least one configuration.");
        }
        break;
    case Action::Restore:
        if (command.names.size() != 1) {
            return fail(error, "/restore needs the name of exactly one backup set.");
        }
        break;
    case Action::Usage:
    case Action::List:
    case Action::Sets:
        if (!command.names.empty()) {
            return fail(error, what + " takes no names.");
        }
        break;
    }
    return true;
}

std::string UsageText() {
    return "TarvexCmd: Tarvex's cleaner for the command line and deployment scripts.\n"
           "\n"
           "  TarvexCmd /list                      the configurations in the program folder\n"
           "  TarvexCmd /preview NAME [NAME...]    what a clean would remove now; nothing "
           "changes\n"
           "  TarvexCmd /clean NAME [NAME...] [/backup:KINDS] [/log:yes|no]\n"
           "                                       cleans the configurations in the order given\n"
           "  TarvexCmd /sets                      the backup sets: name, kind, items\n"
           "  TarvexCmd /restore SET               puts back everything one backup set holds\n"
           "  TarvexCmd /?                         this text\n"
           "\n"
           "  KINDS: files, folders, registry (joined by commas), all or none. Without /backup:\n"
           "  or /log: the settings of Tarvex.ini (BackupFiles, BackupDir, BackupReg, LogFile)\n"
           "  decide, as they do for the windows.\n"
           "\n"
           "/preview and /clean print one item per line, in the order of the clean, six fields\n"
           "separated by tabs: configuration, action, kind, bytes, count, path.\n"
           "  action: remove, stays-read-only (preview); removed, not-removed, backup-failed\n"
           "          (clean); refused-protected-folder, refused-unclear-path,\n"
           "          refused-protected-key (both)\n"
           "  kind:   file, folder, key, search-key, value\n"
           "  bytes:  files and folders; count: a folder's files, a key's subkeys; - otherwise\n"
           "\n"
           "Exit codes: 0 cleaned (or nothing to clean), 1 some items could not be removed,\n"
           "2 bad arguments or no such configuration or set, 3 another Tarvex is running,\n"
           "4 a requested backup failed and nothing was deleted for it.\n";
}
