// The cab cleaner window: layout, menus, and the clean run that replaces a driver cabinet only by
// a new one that was packed, checked and (with file backups on) backed up first.
#include "cabcleaner/FrmCC.h"

#include "base/Folders.h"
#include "base/Font.h"
#include "base/General.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "cabcleaner/CabClean.h"
#include "language/ApplyLang.h"
#include "language/Language.h"
#include "language/OSLine.h"
#include "language/Prompts.h"
#include "language/TextIds.h"
#include "packs/Protection.h"
#include "platform/CabLibrary.h"
#include "platform/Cabinet.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/System.h"
#include "startup/Startup.h"
#include "system/Helpers.h"
#include "ui/App.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {

constexpr bool kSeparator = true;

// The scratch folders a run may leave in the temporary folder, one per cabinet base name the
// shipped cab configurations use.
constexpr const char* kScratchFolders[] = {"tmpDriver", "tmpSP1", "tmpSP2",
                                           "tmpSP3",    "tmpSP4", "tmpSP5"};
// The two places whose cabinets the shipped configurations name.
constexpr const char* kCabinetFolders[] = {"\\ServicePackFiles\\i386\\", "\\Driver Cache\\i386\\"};
const char kDecodedName[] = "\\xtccf.dll";

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The pieces of a decoded configuration between its CR LF pairs.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        pieces.push_back(text.substr(start, end - start));
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// The backup stamp of a window loaded now: "dd-mm-yyyy_hhmmss".
std::string loadStampNow() {
    const platform::LocalTime now = platform::localTime();
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d_%02d%02d%02d", now.day, now.month, now.year,
                  now.hour, now.minute, now.second);
    return text;
}

bool fileBackupsOn() {
    return ReadIni(settings::kFile, settings::kSectionProgram, settings::kBackupFiles,
                   settings::kMissing) == settings::kYes;
}

} // namespace

FrmCC::FrmCC(ui::App& app)
    : ui::Form(app, kFormName), cboConfig(*this, "cboConfig", ui::ComboBox::Style::DropDownCombo),
      lstCabNames(*this, "lstCabNames"), lstCAB(*this, "lstCAB"), cmdClean(*this, "cmdClean"),
      cmdClose(*this, "cmdClose"), lblOS(*this, "lblOS"), lblStatus(*this, "lblStatus"),
      lblStatus2(*this, "lblStatus2"), lblInfoMin(*this, "lblInfoMin"), mnuFile(*this, "mnuFile"),
      mnuFileClean(*this, "mnuFileClean", &mnuFile),
      mnuFileBar1(*this, "mnuFileBar1", &mnuFile, "", kSeparator),
      mnuFileExit(*this, "mnuFileExit", &mnuFile), mnuTools(*this, "mnuTools"),
      mnuToolsDriver(*this, "mnuToolsDriver", &mnuTools), mnuHelp(*this, "mnuHelp"),
      mnuHelpHelp(*this, "mnuHelpHelp", &mnuHelp),
      mnuHelpBar1(*this, "mnuHelpBar1", &mnuHelp, "", kSeparator),
      mnuHelpAbout(*this, "mnuHelpAbout", &mnuHelp) {
    caption = "Cab Cleaner";
    bounds = {0, 0, 400, 122};

    lblOS.bounds = {8, 8, 384, 13};
    cboConfig.bounds = {8, 30, 206, 21};
    cmdClean.caption = "Clean";
    cmdClean.bounds = {226, 29, 80, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {312, 29, 80, 23};
    lblStatus.bounds = {8, 62, 384, 13};
    lblStatus2.bounds = {8, 80, 384, 13};
    lblInfoMin.bounds = {8, 98, 384, 13};
    lstCabNames.visible = false;
    lstCabNames.bounds = {8, 62, 120, 40};
    lstCAB.visible = false;
    lstCAB.bounds = {136, 62, 120, 40};

    mnuFile.caption = "File";
    mnuFileClean.caption = "&Clean";
    mnuFileExit.caption = "E&xit";
    mnuTools.caption = "&Tools";
    mnuToolsDriver.caption = "&Tarvex";
    mnuHelp.caption = "Help";
    mnuHelpHelp.caption = "&Help";
    mnuHelpAbout.caption = "A&bout...";

    cmdClean.onClick = [this] { cmdClean_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    mnuFileClean.onClick = [this] { cmdClean_Click(); };
    mnuFileExit.onClick = [this] { cmdClose_Click(); };
    mnuToolsDriver.onClick = [this] { cmdClose_Click(); };
    mnuHelpHelp.onClick = [this] { mnuHelpHelp_Click(); };
    mnuHelpAbout.onClick = [this] { mnuHelpAbout_Click(); };
}

FrmCC::~FrmCC() = default;

void FrmCC::Form_Load() {
    ApplyLangCC(app);
    ApplyFont(*this);
    prepareCabCleaning();
}

void FrmCC::Form_Unload() {
    releaseCabCleaning();
    const std::string temp = GetTempFolder();
    if (!temp.empty()) {
        for (const char* scratch : kScratchFolders) {
            DeleteFolderIfExists(temp + scratch);
        }
    }
    const std::string windows = GetWindowsFolder();
    if (!windows.empty()) {
        platform::deleteFile(windows + kDecodedName);
    }
}

void FrmCC::closeRequested() {
    if (running) {
        closeAsked = true;
        return;
    }
    ui::Form::closeRequested();
}

void FrmCC::cmdClean_Click() {
    if (running) {
        return;
    }
    const std::string cabName = chosenConfiguration();
    if (cabName.empty()) {
        lblStatus.caption = GetLangString(textid::kCabChooseConfiguration);
        return;
    }
    if (!ConfirmClean(*this)) {
        return;
    }
    cleanRun(cabName);
}

void FrmCC::cmdClose_Click() {
    ShowCleaningWindow(app);
    app.unload(*this);
}

void FrmCC::mnuHelpAbout_Click() {
    app.showModalNamed("frmAbout", *this);
}

void FrmCC::mnuHelpHelp_Click() {
    openHelpFile(*this);
}

void FrmCC::prepareCabCleaning() {
    decoder = std::make_unique<clsProtection>();
    ShowOSInfo2(*this);
    loadStamp = loadStampNow();
    std::vector<platform::FindEntry> found;
    platform::findFiles(platform::programFolder() + "\\*.ccf", found);
    for (const platform::FindEntry& entry : found) {
        if ((entry.attributes & platform::kAttrDirectory) == 0) {
            lstCabNames.addItem(entry.name.substr(0, entry.name.rfind('.')));
        }
    }
    const std::string windows = GetWindowsFolder();
    for (const std::string& name : lstCabNames.items()) {
        for (const char* folder : kCabinetFolders) {
            if (VisibleFileExists(windows + folder + name)) {
                cboConfig.addItem(name);
                break;
            }
        }
    }
    if (cboConfig.listCount() > 0) {
        cboConfig.setListIndex(0);
        return;
    }
    app.msgBox(GetLangString(textid::kNoConfiguration), GetLangString(textid::kErrorBoxTitle),
               ui::MsgBoxButtons::Ok, ui::MsgBoxIcon::Critical, this);
    cmdClean.enabled = false;
    mnuFileClean.enabled = false;
}

void FrmCC::releaseCabCleaning() {
    decoder.reset();
}

std::string FrmCC::chosenConfiguration() const {
    if (cboConfig.listIndex() >= 0) {
        return cboConfig.item(cboConfig.listIndex());
    }
    for (const std::string& name : cboConfig.items()) {
        if (sameName(name, cboConfig.text)) {
            return name;
        }
    }
    return "";
}

void FrmCC::enableRunCommands(bool enabled) {
    for (ui::Control* command : std::initializer_list<ui::Control*>{
             &cmdClean, &cmdClose, &mnuFileClean, &mnuFileExit, &mnuToolsDriver}) {
        command->enabled = enabled;
    }
}

void FrmCC::cleanRun(const std::string& cabName) {
    windowsFolder = GetWindowsFolder();
    tempFolder = GetTempFolder();
    if (windowsFolder.empty() || tempFolder.empty() || decoder == nullptr) {
        lblStatus.caption = GetLangString(textid::kCabNoFolders);
        return;
    }
    running = true;
    closeAsked = false;
    firstFailure.clear();
    firstFailedCabinet.clear();
    enableRunCommands(false);
    const bool backups = fileBackupsOn();
    const std::string decoded = windowsFolder + kDecodedName;
    decoder->DecodeFile(platform::programFolder() + "\\" + cabName + ".ccf", decoded);
    for (const std::string& line : splitLines(ReadTextFile(decoded))) {
        if (closeAsked) {
            break;
        }
        oneCabinet(line, cabName);
    }
    platform::deleteFile(decoded);
    if (backups) {
        PruneEmptyFolders(platform::programFolder() + "\\Backup\\");
    }
    if (!firstFailure.empty()) {
        lblStatus.caption = firstFailure;
        lblStatus2.caption = firstFailedCabinet;
    }
    enableRunCommands(true);
    running = false;
    if (closeAsked) {
        app.unload(*this);
    }
}

FrmCC::Outcome FrmCC::oneCabinet(const std::string& line, const std::string& cabName) {
    if (!IsSafeCabinetLine(line)) {
        return Outcome::Skipped;
    }
    currentCabinet = windowsFolder + line;
    if (!VisibleFileExists(currentCabinet)) {
        return Outcome::Skipped;
    }
    lblStatus.caption = GetLangString(textid::kCabCleaning) + " " + cabName + " !";
    lblInfoMin.caption = GetLangString(textid::kCabPleaseWait);
    lblStatus2.caption = GetLangString(textid::kCabExtracting);
    const std::string scratch = MakeFreshFolder(tempFolder + "tmp" + CabBaseName(cabName));
    const Outcome outcome =
        scratch.empty() ? fail(textid::kCabExtractFailed) : cleanInScratch(line, cabName, scratch);
    if (!scratch.empty()) {
        DeleteFolderIfExists(scratch);
    }
    if (outcome == Outcome::Cleaned) {
        lblStatus.caption = GetLangString(textid::kCabFinished) + " " + cabName + " !";
        lblStatus2.caption = "";
        lblInfoMin.caption = "";
    }
    return outcome;
}

FrmCC::Outcome FrmCC::cleanInScratch(const std::string& line, const std::string& cabName,
                                     const std::string& scratch) {
    std::vector<platform::CabinetEntry> original;
    if (platform::listCabinet(currentCabinet, original) != platform::kOk) {
        return fail(textid::kCabExtractFailed);
    }
    if (original.empty()) {
        return fail(textid::kCabNothingToRemove);
    }
    // Both paths quoted: the program folder ("Program Files") and the temporary folder
    // ("Documents and Settings") hold blanks.
    std::uint32_t exitCode = 1;
    const std::string command = "\"" + platform::programFolder() + "\\extract.exe\" \"" +
                                currentCabinet + "\" /y /e /l \"" + scratch + "\"";
    if (StartAndWait(command, platform::kShowHidden, &exitCode) != platform::kOk || exitCode != 0 ||
        !ExtractedCompletely(scratch, original)) {
        return fail(textid::kCabExtractFailed);
    }
    if (closeAsked) {
        return fail(textid::kCabStopped);
    }
    lblStatus2.caption = GetLangString(textid::kCabRemoving);
    std::vector<platform::CabinetEntry> kept;
    lstCAB.clear();
    for (const platform::CabinetEntry& entry : original) {
        if (!IsVendorFile(entry.path)) {
            kept.push_back(entry);
            lstCAB.addItem(entry.path);
        }
    }
    if (kept.size() == original.size()) {
        return fail(textid::kCabNothingToRemove);
    }
    lblStatus2.caption = GetLangString(textid::kCabListing);
    lblStatus2.caption = GetLangString(textid::kCabPacking);
    const std::string packed = FreePath(currentCabinet + ".new");
    if (packed.empty()) {
        return fail(textid::kCabPackFailed);
    }
    const char* problem = nullptr;
    if (!pack(packed, scratch)) {
        problem = closeAsked ? textid::kCabStopped : textid::kCabPackFailed;
    } else if (closeAsked) {
        problem = textid::kCabStopped;
    } else if (!VerifyCabinet(packed, kept, scratch)) {
        problem = textid::kCabCheckFailed;
    } else if (fileBackupsOn() &&
               !BackUpCabinet(line, cabName, loadStamp, currentCabinet, windowsFolder)) {
        problem = textid::kCabBackupFailed;
    }
    std::uint32_t attributes = 0;
    if (problem == nullptr) {
        platform::getAttributes(currentCabinet, attributes);
        if (platform::moveFileReplacing(packed, currentCabinet) != platform::kOk) {
            problem = textid::kCabReplaceFailed;
        }
    }
    if (problem != nullptr) {
        platform::deleteFile(packed);
        return fail(problem);
    }
    // The new cabinet takes the place of the old one with the old one's hidden and system bits.
    platform::setAttributes(currentCabinet, attributes);
    return Outcome::Cleaned;
}

bool FrmCC::pack(const std::string& target, const std::string& scratch) {
    platform::CabLibrary cab;
    if (cab.compressInitialize() == 0) {
        ShowErrorReport(app, GetLangString(textid::kCabCompressorFailed));
        return false;
    }
    const std::int32_t handle = cab.create(target);
    if (handle == 0) {
        ShowErrorReport(app, GetLangString(textid::kCabCreateFailed));
        cab.compressTerminate();
        return false;
    }
    // A file left out would be lost with the old cabinet: the first one that fails ends the
    // packing, and the old cabinet stays.
    bool complete = true;
    for (const std::string& entry : lstCAB.items()) {
        if (cab.addFile(handle, scratch + "\\" + entry, entry) == 0) {
            ShowErrorReport(app, entry + " " + GetLangString(textid::kCabAddFailed));
            complete = false;
            break;
        }
        app.doEvents();
        if (closeAsked) {
            complete = false;
            break;
        }
    }
    const bool written = cab.close(handle) != 0;
    cab.compressTerminate();
    return complete && written;
}

FrmCC::Outcome FrmCC::fail(const char* textId) {
    const std::string text = GetLangString(textId);
    lblStatus.caption = text;
    lblStatus2.caption = currentCabinet;
    lblInfoMin.caption = "";
    if (textId != textid::kCabNothingToRemove && firstFailure.empty()) {
        firstFailure = text;
        firstFailedCabinet = currentCabinet;
    }
    return textId == textid::kCabNothingToRemove ? Outcome::NothingToRemove : Outcome::Failed;
}
