// The commands of TarvexCmd on top of the cleaning engine, the backups and their restore.
#include "command/TarvexCmd.h"

#include "backup/Backup.h"
#include "backup/Restore.h"
#include "base/Folders.h"
#include "base/General.h"
#include "base/Settings.h"
#include "cleaning/CleanLog.h"
#include "cleaning/Engine.h"
#include "cleaning/FrmShared.h"
#include "cleaning/RegSearch.h"
#include "command/Arguments.h"
#include "language/Language.h"
#include "packs/Configuration.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "winrules/WinText.h"

#include <map>
#include <ostream>

namespace {

using Action = CommandLine::Action;

// The instance name Tarvex claims: the windows and the command line never run side by side.
const char kInstanceName[] = "Tarvex";
// The temporary decoded configuration, as the normal cleaning window names it.
const char kDecodedCopy[] = "\\xttxf.dll";

const char* actionWord(const RunItem& item) {
    switch (item.refusal) {
    case Refusal::ProtectedFolder:
        return "refused-protected-folder";
    case Refusal::UnclearPath:
        return "refused-unclear-path";
    case Refusal::ProtectedKey:
        return "refused-protected-key";
    case Refusal::None:
        break;
    }
    switch (item.outcome) {
    case ItemOutcome::Removes:
        return "remove";
    case ItemOutcome::Stays:
        return "stays-read-only";
    case ItemOutcome::Removed:
        return "removed";
    case ItemOutcome::NotRemoved:
        return "not-removed";
    case ItemOutcome::BackupFailed:
        return "backup-failed";
    case ItemOutcome::Refused:
        break;
    }
    return "refused";
}

const char* kindWord(const RunItem& item) {
    switch (item.kind) {
    case ItemKind::File:
        return "file";
    case ItemKind::Folder:
        return "folder";
    case ItemKind::Key:
        return item.fromSearch ? "search-key" : "key";
    case ItemKind::Value:
        return "value";
    }
    return "file";
}

// One item as a line of six tab-separated fields.
void printItem(std::ostream& out, const RunItem& item) {
    const bool refused = item.outcome == ItemOutcome::Refused;
    std::string bytes = "-";
    std::string count = "-";
    if (!refused && (item.kind == ItemKind::File || item.kind == ItemKind::Folder)) {
        bytes = std::to_string(item.bytes);
    }
    if (!refused && item.kind == ItemKind::Folder) {
        count = std::to_string(item.files);
    } else if (!refused && item.kind == ItemKind::Key) {
        count = std::to_string(item.subkeys);
    }
    out << item.configuration << '\t' << actionWord(item) << '\t' << kindWord(item) << '\t' << bytes
        << '\t' << count << '\t' << item.path << '\n';
}

const char* setKindWord(SetKind kind) {
    switch (kind) {
    case SetKind::Files:
        return "files";
    case SetKind::Folders:
        return "folders";
    case SetKind::Registry:
        return "registry";
    }
    return "files";
}

// The configurations `asked` as the program folder spells them, each one that can be decoded;
// false, with the complaint written, for the first that is not there or cannot be read.
bool findConfigurations(const std::vector<std::string>& asked, std::vector<std::string>& names,
                        std::ostream& err) {
    const std::vector<std::string> listed = ListConfigurations();
    for (const std::string& name : asked) {
        const std::string* found = nullptr;
        for (const std::string& each : listed) {
            if (winrules::equalNoCase(each, name)) {
                found = &each;
                break;
            }
        }
        if (found == nullptr) {
            err << "TarvexCmd: there is no configuration \"" << name
                << "\" in the program folder (see TarvexCmd /list).\n";
            return false;
        }
        std::string data;
        clsProtection decoder;
        if (platform::readFile(platform::programFolder() + "\\" + *found + ".txf", data) !=
                platform::kOk ||
            decoder.DecodeByte(data, data.size())) {
            err << "TarvexCmd: the configuration \"" << *found
                << "\" cannot be read: its file is damaged.\n";
            return false;
        }
        names.push_back(*found);
    }
    return true;
}

int listCommand(std::ostream& out) {
    for (const std::string& name : ListConfigurations()) {
        out << name << '\n';
    }
    return kExitCleaned;
}

int previewCommand(const std::vector<std::string>& names, std::ostream& out) {
    PreviewState state;
    clsProtection decoder;
    cRegSearch search;
    RunContext context;
    context.preview = &state;
    context.search = &search;
    context.onItem = [&out](const RunItem& item) { printItem(out, item); };
    for (const std::string& name : names) {
        context.configurationName = name;
        PreviewConfiguration(context, decoder, name);
    }
    return kExitCleaned;
}

std::string yesNo(bool on) {
    return on ? settings::kYes : settings::kNo;
}

int cleanCommand(const CommandLine& command, const std::vector<std::string>& names,
                 std::ostream& out) {
    RunSettings values = ReadRunSettings();
    if (command.backupFiles) {
        values.backupFiles = yesNo(*command.backupFiles);
        values.backupDir = yesNo(*command.backupDir);
        values.backupReg = yesNo(*command.backupReg);
    }
    if (command.log) {
        values.logFile = yesNo(*command.log);
    }
    const bool logging = values.logFile == settings::kYes;
    // One stamp for the whole command, as for every run made from one opening of a window.
    const LoadTime started = TakeLoadTime();
    clsProtection decoder;
    cRegSearch search;
    RunContext context;
    context.backupStamp = started.stamp();
    context.search = &search;
    bool backupFailed = false;
    bool notRemoved = false;
    context.onItem = [&](const RunItem& item) {
        printItem(out, item);
        backupFailed = backupFailed || item.outcome == ItemOutcome::BackupFailed;
        notRemoved = notRemoved || item.outcome == ItemOutcome::NotRemoved;
    };
    // Each configuration's found lines, for its log record.
    std::vector<std::vector<std::string>> found(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        context.configurationName = names[i];
        ApplyRunSettings(context, values);
        context.foundLines = logging ? &found[i] : nullptr;
        if (values.any()) {
            PrepareBackupFolders(context.backupStamp, names[i], values.backupFiles,
                                 values.backupDir, values.backupReg, values.logFile);
        }
        CleanConfiguration(EngineSections(context), decoder, names[i],
                           GetWindowsFolder() + kDecodedCopy);
    }
    if (values.anyBackup()) {
        PruneEmptyFolders(platform::programFolder() + "\\Backup\\");
    }
    // Each configuration gets the record the normal window writes for it, in the file that
    // window would name after it.
    for (std::size_t i = 0; logging && i < names.size(); ++i) {
        WriteCleanLog(context.backupStamp, "_" + names[i], started.date, started.timeForLog, {},
                      found[i]);
    }
    // The found lines' words came from the language file, decoded for this run only.
    RemoveLangFile();
    return backupFailed ? kExitBackupFailed : notRemoved ? kExitNotRemoved : kExitCleaned;
}

int setsCommand(std::ostream& out) {
    for (const BackupSet& set : ListBackupSets()) {
        out << set.name << '\t' << setKindWord(set.kind) << '\t'
            << ReadIndexLines(SetIndexPath(set)).size() << '\n';
    }
    return kExitCleaned;
}

int restoreCommand(const std::string& asked, std::ostream& out, std::ostream& err) {
    for (const BackupSet& set : ListBackupSets()) {
        if (!winrules::equalNoCase(set.name, asked)) {
            continue;
        }
        const SetRestore outcome = RestoreWholeSet(set);
        for (const std::string& line : outcome.restored) {
            out << "restored\t" << line << '\n';
        }
        for (const std::string& line : outcome.kept) {
            out << "kept\t" << line << '\n';
        }
        return outcome.kept.empty() ? kExitCleaned : kExitNotRemoved;
    }
    err << "TarvexCmd: there is no backup set \"" << asked << "\" (see TarvexCmd /sets).\n";
    return kExitBadArguments;
}

} // namespace

int RunTarvexCmd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine command;
    std::string error;
    if (!ParseCommandLine(args, command, error)) {
        err << "TarvexCmd: " << error << '\n';
        return kExitBadArguments;
    }
    if (command.action == Action::Usage) {
        out << UsageText();
        return kExitCleaned;
    }
    if (platform::anotherInstanceRunning(kInstanceName)) {
        err << "TarvexCmd: Tarvex is running; close it and try again.\n";
        return kExitRunning;
    }
    std::vector<std::string> names;
    switch (command.action) {
    case Action::List:
        return listCommand(out);
    case Action::Preview:
        if (!findConfigurations(command.names, names, err)) {
            return kExitBadArguments;
        }
        return previewCommand(names, out);
    case Action::Clean:
        if (!findConfigurations(command.names, names, err)) {
            return kExitBadArguments;
        }
        return cleanCommand(command, names, out);
    case Action::Sets:
        return setsCommand(out);
    case Action::Restore:
        return restoreCommand(command.names.front(), out, err);
    case Action::Usage:
        break;
    }
    return kExitCleaned;
}
