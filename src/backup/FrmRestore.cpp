// The file and directory restore window: layout and the window's own events.
#include "backup/FrmRestore.h"

#include "backup/SelectEntries.h"
#include "base/Folders.h"
#include "base/Font.h"
#include "language/ApplyLang.h"
#include "platform/Files.h"
#include "system/Helpers.h"
#include "ui/App.h"
#include "winrules/WinPath.h"

#include <vector>

namespace {

// Sets are told apart by the end of their folder names.
const char kFileSetEnd[] = "FileBackup";
const char kDirSetEnd[] = "DirBackup";

std::string setFolder(const std::string& setName) {
    return backupFolder() + "\\" + setName;
}

// True when a search for `pattern` finds anything, hidden copies too.
bool anythingAt(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    return platform::findFiles(pattern, entries) == platform::kOk && !entries.empty();
}

// Links are listed with this bit; a folder link is never entered.
constexpr std::uint32_t kAttrReparsePoint = 0x400;

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
                             : (entry.attributes & kAttrReparsePoint) != 0
                                 ? platform::getAttributes(to, attributes) == platform::kOk
                                 : treeArrived(from, to);
        if (!arrived) {
            return false;
        }
    }
    return true;
}

// Puts the file(s) of one ".dfb" line of the set in `folder` back. True when the line may go:
// the copy is back in its folder, or the set holds no copy to put back.
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

// Puts the folder of one ".ddb" line of the set in `folder` back; true as for restoreFile.
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

} // namespace

FrmRestore::FrmRestore(ui::App& app)
    : ui::Form(app, kFormName), fraFileRestoreOpt(*this, "fraFileRestoreOpt"),
      lblFileResInfo(*this, "lblFileResInfo", &fraFileRestoreOpt),
      cboResFile(*this, "cboResFile", ui::ComboBox::Style::DropDownList, &fraFileRestoreOpt),
      lstResFile(*this, "lstResFile", &fraFileRestoreOpt),
      lstResFile2(*this, "lstResFile2", &fraFileRestoreOpt),
      cmdFRestore(*this, "cmdFRestore", &fraFileRestoreOpt),
      cmdFSelectAll(*this, "cmdFSelectAll", &fraFileRestoreOpt),
      cmdFSelectNon(*this, "cmdFSelectNon", &fraFileRestoreOpt),
      fraDirRestoreOpt(*this, "fraDirRestoreOpt"),
      lblDirResInfo(*this, "lblDirResInfo", &fraDirRestoreOpt),
      cboResDir(*this, "cboResDir", ui::ComboBox::Style::DropDownList, &fraDirRestoreOpt),
      lstResDir(*this, "lstResDir", &fraDirRestoreOpt),
      lstResDir2(*this, "lstResDir2", &fraDirRestoreOpt),
      cmdDRestore(*this, "cmdDRestore", &fraDirRestoreOpt),
      cmdDSelectAll(*this, "cmdDSelectAll", &fraDirRestoreOpt),
      cmdDSelectNon(*this, "cmdDSelectNon", &fraDirRestoreOpt), cmdClose(*this, "cmdClose") {
    caption = "Tarvex File / Directory Restore";
    bounds = {0, 0, 480, 441};

    // Both halves share one layout: help text on top, set and entries on the left, commands on
    // the right, wide enough for the longer French and German words.
    fraFileRestoreOpt.caption = "File Restore Options";
    fraFileRestoreOpt.bounds = {8, 8, 464, 194};
    lblFileResInfo.caption = "Select the file(s) and press restore. It will restore the file(s) "
                             "to the right place !";
    lblFileResInfo.bounds = {10, 18, 444, 40};
    cboResFile.bounds = {10, 62, 318, 21};
    lstResFile.bounds = {10, 88, 318, 96};
    lstResFile.multiSelect = true;
    lstResFile2.bounds = {10, 88, 318, 96};
    lstResFile2.visible = false;
    cmdFRestore.caption = "Restore";
    cmdFRestore.bounds = {336, 61, 118, 23};
    cmdFSelectAll.caption = "Select All";
    cmdFSelectAll.bounds = {336, 90, 118, 23};
    cmdFSelectNon.caption = "Select Non";
    cmdFSelectNon.bounds = {336, 119, 118, 23};

    fraDirRestoreOpt.caption = "Directory Restore Options";
    fraDirRestoreOpt.bounds = {8, 208, 464, 194};
    lblDirResInfo.caption = "Select the directory(s) and press restore. It will restore the "
                            "directory(s) and everything in it to the right place !";
    lblDirResInfo.bounds = {10, 18, 444, 40};
    cboResDir.bounds = {10, 62, 318, 21};
    lstResDir.bounds = {10, 88, 318, 96};
    lstResDir.multiSelect = true;
    lstResDir2.bounds = {10, 88, 318, 96};
    lstResDir2.visible = false;
    cmdDRestore.caption = "Restore";
    cmdDRestore.bounds = {336, 61, 118, 23};
    cmdDSelectAll.caption = "Select All";
    cmdDSelectAll.bounds = {336, 90, 118, 23};
    cmdDSelectNon.caption = "Select Non";
    cmdDSelectNon.bounds = {336, 119, 118, 23};

    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 410, 80, 23};
    cmdClose.isCancel = true;

    cboResFile.onChange = [this] { cboResFile_Change(); };
    cboResDir.onChange = [this] { cboResDir_Change(); };
    cmdFRestore.onClick = [this] { cmdFRestore_Click(); };
    cmdDRestore.onClick = [this] { cmdDRestore_Click(); };
    cmdFSelectAll.onClick = [this] { cmdFSelectAll_Click(); };
    cmdFSelectNon.onClick = [this] { cmdFSelectNon_Click(); };
    cmdDSelectAll.onClick = [this] { cmdDSelectAll_Click(); };
    cmdDSelectNon.onClick = [this] { cmdDSelectNon_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmRestore::Form_Load() {
    ApplyLangRestore(app);
    ApplyFont(*this);
    FillFileSets();
    FillDirSets();
}

void FrmRestore::cmdFSelectAll_Click() {
    selectEveryEntry(lstResFile, true);
}

void FrmRestore::cmdFSelectNon_Click() {
    selectEveryEntry(lstResFile, false);
}

void FrmRestore::cmdDSelectAll_Click() {
    selectEveryEntry(lstResDir, true);
}

void FrmRestore::cmdDSelectNon_Click() {
    selectEveryEntry(lstResDir, false);
}

void FrmRestore::cmdClose_Click() {
    app.unload(*this);
}

void FrmRestore::FillFileSets() {
    cboResFile.clear();
    for (const std::string& name : namesEndingWith(backupFolder(), kFileSetEnd)) {
        cboResFile.addItem(name);
    }
    if (cboResFile.listCount() > 0) {
        cboResFile.setListIndex(0);
        cboResFile_Change();
    } else {
        setEnabled({&cboResFile, &cmdFRestore, &lstResFile, &cmdFSelectAll, &cmdFSelectNon}, false);
    }
}

void FrmRestore::FillDirSets() {
    cboResDir.clear();
    for (const std::string& name : namesEndingWith(backupFolder(), kDirSetEnd)) {
        cboResDir.addItem(name);
    }
    if (cboResDir.listCount() > 0) {
        cboResDir.setListIndex(0);
        cboResDir_Change();
    } else {
        setEnabled({&cboResDir, &cmdDRestore, &lstResDir, &cmdDSelectAll, &cmdDSelectNon}, false);
    }
}

void FrmRestore::cboResFile_Change() {
    lstResFile.clear();
    lstResFile2.clear();
    const std::string setName = cboResFile.item(cboResFile.listIndex());
    LoadRestoreFiles(setFolder(setName) + "\\" + setName + ".dfb");
}

void FrmRestore::cboResDir_Change() {
    lstResDir.clear();
    lstResDir2.clear();
    const std::string setName = cboResDir.item(cboResDir.listIndex());
    LoadRestoreDir(setFolder(setName) + "\\" + setName + ".ddb");
}

void FrmRestore::LoadRestoreFiles(const std::string& Filename) {
    loadIndexLines(Filename, lstResFile, lstResFile2);
}

void FrmRestore::LoadRestoreDir(const std::string& Filename) {
    loadIndexLines(Filename, lstResDir, lstResDir2);
}

void FrmRestore::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdDRestore, &cmdDSelectNon, &cmdDSelectAll, &cmdFRestore,
                &cmdFSelectNon, &cmdFSelectAll, &cboResDir, &cboResFile, &lstResFile, &lstResDir},
               on);
}

void FrmRestore::cmdFRestore_Click() {
    enableCommands(false);
    // With no set left (the last one was restored) there is nothing to work on; the backup
    // folder itself must never be taken for a set.
    if (cboResFile.listIndex() >= 0) {
        const std::string setName = cboResFile.item(cboResFile.listIndex());
        const std::string folder = setFolder(setName);
        const int taken = restoreSelected(lstResFile, lstResFile2, [&](const std::string& line) {
            return restoreFile(folder, line);
        });
        // A click that took no line out leaves the disk alone: the index may have been unreadable
        // and listed as empty, and rewriting it would lose every line.
        if (taken > 0 && rewriteIndex(folder + "\\" + setName + ".dfb", lstResFile2)) {
            // The emptied set holds its empty backup subfolders: they go, the set folder with
            // them, but anything still holding a file stays.
            removeEmptyFolders(folder);
        }
    }
    lstResFile.clear();
    lstResFile2.clear();
    FillFileSets();
    enableCommands(true);
}

void FrmRestore::cmdDRestore_Click() {
    enableCommands(false);
    if (cboResDir.listIndex() >= 0) {
        const std::string setName = cboResDir.item(cboResDir.listIndex());
        const std::string folder = setFolder(setName);
        const int taken = restoreSelected(lstResDir, lstResDir2, [&](const std::string& line) {
            return restoreFolder(folder, line);
        });
        if (taken > 0 && rewriteIndex(folder + "\\" + setName + ".ddb", lstResDir2)) {
            DeleteFolderIfExists(folder);
        }
    }
    lstResDir.clear();
    lstResDir2.clear();
    FillDirSets();
    enableCommands(true);
}
