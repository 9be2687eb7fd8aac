// Putting backed-up files, folders and registry keys back, line by line or a whole set at once.
#include "backup/Restore.h"

#include "backup/SelectEntries.h"
#include "base/Folders.h"
#include "base/General.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "system/Helpers.h"
#include "winrules/WinPath.h"

namespace {

// True when a search for `pattern` finds anything, hidden copies too.
bool anythingAt(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    return platform::findFiles(pattern, entries) == platform::kOk && !entries.empty();
}

bool sameBytes(const std::string& original, const std::string& copy) {
    std::string expected;
    std::string found;
    return platform::readFile(original, expected) == platform::kOk &&
           platform::readFile(copy, found) == platform::kOk && expected == found;
}

// True when every file matching `pattern` is in `folder` with the same bytes.
bool filesArrived(const std::string& pattern, const std::string& folder) {
    std::vector<platform::FindEntry> entries;
    if (platform::findFiles(pattern, entries) != platform::kOk) {
        return false;
    }
    const std::string from = winrules::folderPart(pattern);
    for (const platform::FindEntry& entry : entries) {
        if ((entry.attributes & platform::kAttrDirectory) == 0 &&
            !sameBytes(from + entry.name, folder + "\\" + entry.name)) {
            return false;
        }
    }
    return true;
}

// True when `copy` is a folder holding every file and folder below `original`, files with the
// same bytes.
bool treeArrived(const std::string& original, const std::string& copy) {
    std::uint32_t attributes = 0;
    std::vector<platform::FindEntry> entries;
    if (platform::getAttributes(copy, attributes) != platform::kOk ||
        (attributes & platform::kAttrDirectory) == 0 ||
        platform::findFiles(original + "\\*", entries) != platform::kOk) {
        return false;
    }
    for (const platform::FindEntry& entry : entries) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        const std::string from = original + "\\" + entry.name;
        const std::string to = copy + "\\" + entry.name;
        const bool arrived = (entry.attributes & platform::kAttrDirectory) == 0
                                 ? sameBytes(from, to)
                             : (entry.attributes & platform::kAttrReparsePoint) != 0
                                 ? platform::getAttributes(to, attributes) == platform::kOk
                                 : treeArrived(from, to);
        if (!arrived) {
            return false;
        }
    }
    return true;
}

// Puts the file(s) of one ".dfb" line of the set in `folder` back.
bool restoreFile(const std::string& folder, const std::string& line) {
    std::string item;
    std::string target;
    // A line without a comma, or one whose item would reach outside the set, is not one the
    // backup wrote: it restores nothing and stays in the index as it is.
    if (!splitIndexLine(line, item, target) || item.empty() || item[0] != '\\' ||
        !staysInsideSet(item.substr(1), true, false)) {
        return false;
    }
    const std::string source = folder + item;
    if (!anythingAt(source)) {
        return true; // no copy in the set: nothing to put back, and the line has served
    }
    // A copy that did not get back (its folder gone, the file in use, access denied) must not
    // cost the only copy: copy and line stay for a later try. The shell's word is not enough
    // (Wine's reports success when a file in use was not replaced), so the place is looked at.
    if (!CopyFile(source, target) || !filesArrived(source, target)) {
        return false;
    }
    // Every copy that arrived goes from the set, read-only, hidden and system ones too: a copy
    // left behind would keep the set listed with nothing in its index.
    std::vector<platform::FindEntry> copies;
    platform::findFiles(source, copies);
    const std::string setFolderOfItem = winrules::folderPart(source);
    for (const platform::FindEntry& copy : copies) {
        if ((copy.attributes & platform::kAttrDirectory) == 0) {
            platform::setAttributes(setFolderOfItem + copy.name, platform::kAttrNormal);
            platform::deleteFile(setFolderOfItem + copy.name);
        }
    }
    return true;
}

// Puts the folder of one ".ddb" line of the set in `folder` back.
bool restoreFolder(const std::string& folder, const std::string& line) {
    std::string item;
    std::string target;
    if (!splitIndexLine(line, item, target) || !staysInsideSet(item, false, false) ||
        target.empty()) {
        return false;
    }
    const std::string source = folder + "\\" + item;
    std::uint32_t attributes = 0;
    if (platform::getAttributes(source, attributes) != platform::kOk) {
        return true;
    }
    // Into a folder that is not there the shell copies the folder as that folder itself, so
    // Tree restored into a vanished C:\Place would become C:\Place: the place is made first.
    makeFolderPath(target);
    const std::string name = winrules::lastComponent(item);
    if (!CopyFolder(source, target) || !treeArrived(source, target + "\\" + name)) {
        return false;
    }
    DeleteFolderIfExists(source);
    return true;
}

// Imports the export of one ".drb" line of the set in `folder`; the line may go once the
// registry editor ran (whatever it made of the file): the export has served.
bool restoreKey(const std::string& folder, const std::string& line) {
    std::string keyName;
    std::string exportName;
    // A line without a comma, or an export name that is not a plain file name of the set, is
    // not one the backup wrote: it restores nothing and stays in the index as it is.
    if (!splitIndexLine(line, keyName, exportName) || !staysInsideSet(exportName, false, true)) {
        return false;
    }
    const std::string exportPath = folder + "\\" + exportName;
    // The set lies below the program folder (Program Files) and names hold spaces: the path is
    // quoted, or the editor would take its words for several files. The editor is the one that
    // works on the registry view the backup was exported from.
    if (StartAndWait(platform::registryEditorProgram() + " /S \"" + exportPath + "\"",
                     platform::kShowHidden) != platform::kOk) {
        // No editor ran: the export is still the only copy of the key.
        return false;
    }
    platform::deleteFile(exportPath);
    return true;
}

std::string indexExtension(SetKind kind) {
    switch (kind) {
    case SetKind::Files:
        return ".dfb";
    case SetKind::Folders:
        return ".ddb";
    case SetKind::Registry:
        return ".drb";
    }
    return ".dfb";
}

} // namespace

const char* SetNameEnd(SetKind kind) {
    switch (kind) {
    case SetKind::Files:
        return "FileBackup";
    case SetKind::Folders:
        return "DirBackup";
    case SetKind::Registry:
        return "RegBackup";
    }
    return "FileBackup";
}

std::vector<std::string> BackupSetNames(SetKind kind) {
    return namesEndingWith(backupFolder(), SetNameEnd(kind));
}

std::vector<BackupSet> ListBackupSets() {
    std::vector<BackupSet> sets;
    for (const SetKind kind : {SetKind::Files, SetKind::Folders, SetKind::Registry}) {
        for (const std::string& name : BackupSetNames(kind)) {
            sets.push_back({name, kind});
        }
    }
    return sets;
}

std::string BackupSetPath(const std::string& setName) {
    return backupFolder() + "\\" + setName;
}

std::string SetIndexPath(const BackupSet& set) {
    return BackupSetPath(set.name) + "\\" + set.name + indexExtension(set.kind);
}

bool RestoreIndexLine(SetKind kind, const std::string& setFolder, const std::string& line) {
    switch (kind) {
    case SetKind::Files:
        return restoreFile(setFolder, line);
    case SetKind::Folders:
        return restoreFolder(setFolder, line);
    case SetKind::Registry:
        return restoreKey(setFolder, line);
    }
    return false;
}

void RemoveEmptiedSet(SetKind kind, const std::string& setFolder) {
    switch (kind) {
    case SetKind::Files:
        // The emptied set holds its empty backup subfolders: they go, the set folder with
        // them, but anything still holding a file stays.
        removeEmptyFolders(setFolder);
        break;
    case SetKind::Folders:
        DeleteFolderIfExists(setFolder);
        break;
    case SetKind::Registry:
        // Refused while the set still holds any file.
        platform::removeFolder(setFolder);
        break;
    }
}

std::vector<std::string> ReadIndexLines(const std::string& indexPath) {
    std::vector<std::string> lines;
    const std::string text = ReadTextFile(indexPath);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            lines.push_back(text.substr(start, end - start));
        }
        start = end + 2;
    }
    return lines;
}

bool RewriteIndexLines(const std::string& indexPath, const std::vector<std::string>& lines) {
    if (lines.empty()) {
        platform::deleteFile(indexPath);
        return true;
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    platform::writeFile(indexPath, text);
    return false;
}

SetRestore RestoreWholeSet(const BackupSet& set) {
    SetRestore outcome;
    const std::string folder = BackupSetPath(set.name);
    for (const std::string& line : ReadIndexLines(SetIndexPath(set))) {
        (RestoreIndexLine(set.kind, folder, line) ? outcome.restored : outcome.kept)
            .push_back(line);
    }
    // A restore that took no line out leaves the disk alone: the index may have been unreadable
    // and read as empty, and rewriting it would lose every line.
    if (!outcome.restored.empty() && RewriteIndexLines(SetIndexPath(set), outcome.kept)) {
        RemoveEmptiedSet(set.kind, folder);
    }
    return outcome;
}
