// The language routines of every window: one table per window, applied through the window's name
// so that no window's class needs to be known here.
#include "language/ApplyLang.h"

#include "base/Version.h"
#include "language/CaptionTables.h"
#include "language/Language.h"
#include "language/TextIds.h"
#include "ui/App.h"

#include <cstring>
#include <string>

namespace captions {

namespace {

using namespace textid;

// The menus and buttons frmMain and frmAdvanced share, in the order both routines set them.
std::vector<Caption> cleaningWindowCaptions() {
    return {{"cmdClose", kClose},
            {"cmdClean", kClean},
            {"lblDetinfo", kDetailInfo},
            {"lblDetails", kDetails},
            {"mnuFile", kMenuFile},
            {"mnuFileClean", kMenuFileClean},
            {"mnuFilePreview", kMenuFilePreview},
            {"mnuFileExit", kMenuFileExit},
            {"mnuOptions", kMenuOptions},
            {"mnuOptionsWizard", kMenuOptionsWizard},
            {"mnuOptionsBC", kMenuBackupCleaner},
            {"mnuOptionsBCFD", kMenuBackupCleanerFiles},
            {"mnuOptionsBCRC", kMenuBackupCleanerRegistry},
            {"mnuOptionsBCLC", kMenuBackupCleanerLog},
            {"mnuOptionRestore", kMenuRestore},
            {"mnuOptionsRestoreFD", kMenuRestoreFiles},
            {"mnuOptionsRestoreReg", kMenuRestoreRegistry},
            {"mnuOptionsLanguage", kMenuLanguage},
            {"mnuOptionsOptions", kMenuOptionsOptions},
            {"mnuOptionsFont", kMenuFont},
            {"mnuTools", kMenuTools},
            {"mnuToolsCab", kMenuToolsCab},
            {"mnuHelp", kMenuHelp},
            {"mnuHelpHelp", kMenuHelpHelp},
            {"mnuHelpAbout", kMenuHelpAbout}};
}

std::vector<Caption> advancedWindowCaptions() {
    std::vector<Caption> result{{"fraSelection", kSelectFilters}};
    const std::vector<Caption> shared = cleaningWindowCaptions();
    result.insert(result.end(), shared.begin(), shared.end());
    return result;
}

std::vector<WindowTexts> buildTables() {
    return {
        {"frmMain", Title::WithVersion, kTitleTarvex, cleaningWindowCaptions()},
        {"frmAdvanced", Title::Advanced, kTitleTarvex, advancedWindowCaptions()},
        {"frmCC",
         Title::WithVersion,
         kTitleCabCleaner,
         {{"cmdClose", kClose},
          {"cmdClean", kClean},
          {"mnuFile", kMenuFile},
          {"mnuFileClean", kMenuFileClean},
          {"mnuFileExit", kMenuFileExit},
          {"mnuTools", kMenuTools},
          {"mnuToolsDriver", kMenuToolsDriver},
          {"mnuHelp", kMenuHelp},
          {"mnuHelpHelp", kMenuHelpHelp},
          {"mnuHelpAbout", kMenuHelpAbout}}},
        {"frmWiz1",
         Title::WithVersion,
         kTitleWizard,
         {{"cmdCancel", kCancel},
          {"cmdNext", kNext},
          {"fraWiz1", kWizardFrame},
          {"lblWizFilInfo", kWizardFilterInfo},
          {"lblWizInfo", kWizardWelcome},
          {"mnuOptions", kMenuOptions},
          {"mnuOptionsLanguage", kMenuLanguage},
          {"mnuOptionsOptions", kMenuOptionsOptions},
          {"mnuOptionsFont", kMenuFont}}},
        {"frmWiz2",
         Title::WithVersion,
         kTitleWizard,
         {{"cmdClose", kClose},
          {"cmdClean", kClean},
          {"cmdBack", kBack},
          {"lblWizSelected", kWizardSelected},
          {"lblWiz2Info", kWizardPage2Info}}},
        {"frmWarning",
         Title::Designed,
         nullptr,
         {{"fraWarning", kImportant},
          {"lblWarning", kWarningText},
          {"cmdOK", kOk},
          {"chkWarning", kWarningCheck}}},
        {"frmAbout",
         Title::Designed,
         nullptr,
         {{"fraAbout", nullptr}, {"cmdOK", kOk}, {"lblVersion", kVersionWord, true}}},
        {"frmClearB",
         Title::Plain,
         kTitleClearBackup,
         {{"cmdClose", kClose},
          {"fraBackupCleanOpt", kClearBackupFrame},
          {"cmdDelete", kDelete},
          {"cmdSelectNon", kSelectNone},
          {"cmdSelectAll", kSelectAll},
          {"lblBackupClearInfo", kClearBackupInfo}}},
        {"frmClearL",
         Title::Plain,
         kTitleClearLog,
         {{"cmdClose", kClose},
          {"cmdDelete", kDelete},
          {"cmdSelectNon", kSelectNone},
          {"cmdSelectAll", kSelectAll},
          {"fraLogCleanOpt", kClearLogFrame},
          {"lblBackupClearInfo", kClearLogInfo}}},
        {"frmClearR",
         Title::Plain,
         kTitleClearRegBackup,
         {{"cmdClose", kClose},
          {"fraRegBackupCleanOpt", kClearRegBackupFrame},
          {"cmdDelete", kDelete},
          {"cmdSelectNon", kSelectNone},
          {"cmdSelectAll", kSelectAll},
          {"lblGegBackupClearInfo", kClearBackupInfo}}},
        {"frmFont",
         Title::Plain,
         kTitleFont,
         {{"cmdClose", kClose}, {"cmdSave", kSave}, {"lblfontInfo", kFontInfo}}},
        {"frmLanguage",
         Title::Plain,
         kTitleLanguage,
         {{"cmdClose", kClose}, {"cmdSave", kSave}, {"lbllngInfo", kLanguageInfo}}},
        {"frmOptions",
         Title::Plain,
         kTitleOptions,
         {{"fraRegBackup", kOptionsRegBackup},
          {"cmdClose", kClose},
          {"optRegBYes", kYes},
          {"optRegBNo", kNo},
          {"fraLogFile", kOptionsLogFile},
          {"optLogYes", kYes},
          {"optLogNo", kNo},
          {"fraDirBackup", kOptionsDirBackup},
          {"optDirBYes", kYes},
          {"optDirBNo", kNo},
          {"fraFileBackup", kOptionsFileBackup},
          {"optFileBYes", kYes},
          {"optFileBNo", kNo},
          {"fraWiz", kOptionsWizard},
          {"optWizSYes", kYes},
          {"optWizSNo", kNo},
          {"fraInterface", kOptionsInterface},
          {"optGUINorm", kOptionsNormal},
          {"optGUIAdv", kOptionsAdvanced},
          {"lblBackupInfo", kOptionsBackupInfo},
          {"lblOptionsInfo", kOptionsInterfaceInfo}}},
        {"frmRegRest",
         Title::Plain,
         kTitleRegRestore,
         {{"cmdClose", kClose},
          {"fraRegRestoreOpt", kRegRestoreFrame},
          {"cmdRRestore", kRestore},
          {"cmdRSelectNon", kSelectNone},
          {"cmdRSelectAll", kSelectAll},
          {"lblRegResInfo", kRegRestoreInfo}}},
        {"frmPreview",
         Title::Plain,
         kTitlePreview,
         {{"lblPreviewInfo", kPreviewInfo}, {"cmdClose", kClose}}},
        {"frmRestore",
         Title::Plain,
         kTitleRestore,
         {{"fraDirRestoreOpt", kDirRestoreFrame},
          {"cmdDSelectAll", kSelectAll},
          {"cmdDSelectNon", kSelectNone},
          {"cmdDRestore", kRestore},
          {"cmdClose", kClose},
          {"fraFileRestoreOpt", kFileRestoreFrame},
          {"cmdFRestore", kRestore},
          {"cmdFSelectNon", kSelectNone},
          {"cmdFSelectAll", kSelectAll},
          {"lblDirResInfo", kDirRestoreInfo},
          {"lblFileResInfo", kFileRestoreInfo}}},
    };
}

std::string versionText() {
    return std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
}

std::string titleText(const WindowTexts& texts) {
    std::string title = GetLangString(texts.titleId);
    if (texts.title == Title::WithVersion || texts.title == Title::Advanced) {
        title += " " + versionText();
    }
    if (texts.title == Title::Advanced) {
        title += " " + GetLangString(kAdvancedTitleSuffix);
    }
    return title;
}

// Every text is looked up anew, as the routine reaches it; a control the window lacks is passed
// over like any step that fails.
void applyTexts(ui::App& app, const char* formName) {
    const WindowTexts* texts = windowTexts(formName);
    ui::Form* form = app.formNamed(formName);
    if (texts == nullptr || form == nullptr) {
        return;
    }
    if (texts->title != Title::Designed) {
        form->caption = titleText(*texts);
    }
    for (const Caption& entry : texts->captions) {
        ui::Control* control = form->find(entry.control);
        if (control == nullptr) {
            continue;
        }
        std::string text = entry.id != nullptr ? GetLangString(entry.id) : std::string();
        if (entry.withVersion) {
            text += " " + versionText();
        }
        control->caption = text;
    }
}

} // namespace

const std::vector<WindowTexts>& allWindowTexts() {
    static const std::vector<WindowTexts> tables = buildTables();
    return tables;
}

const WindowTexts* windowTexts(const char* formName) {
    for (const WindowTexts& texts : allWindowTexts()) {
        if (std::strcmp(texts.form, formName) == 0) {
            return &texts;
        }
    }
    return nullptr;
}

} // namespace captions

void ApplyLangMain(ui::App& app) {
    captions::applyTexts(app, "frmMain");
}
void ApplyLangAdvanced(ui::App& app) {
    captions::applyTexts(app, "frmAdvanced");
}
void ApplyLangCC(ui::App& app) {
    captions::applyTexts(app, "frmCC");
}
void ApplyLangWiz1(ui::App& app) {
    captions::applyTexts(app, "frmWiz1");
}
void ApplyLangWiz2(ui::App& app) {
    captions::applyTexts(app, "frmWiz2");
}
void ApplyLangWarning(ui::App& app) {
    captions::applyTexts(app, "frmWarning");
}
void ApplyLangAbout(ui::App& app) {
    captions::applyTexts(app, "frmAbout");
}
void ApplyLangClearB(ui::App& app) {
    captions::applyTexts(app, "frmClearB");
}
void ApplyLangClearL(ui::App& app) {
    captions::applyTexts(app, "frmClearL");
}
void ApplyLangClearR(ui::App& app) {
    captions::applyTexts(app, "frmClearR");
}
void ApplyLangFont(ui::App& app) {
    captions::applyTexts(app, "frmFont");
}
void ApplyLangLanguage(ui::App& app) {
    captions::applyTexts(app, "frmLanguage");
}
void ApplyLangOptions(ui::App& app) {
    captions::applyTexts(app, "frmOptions");
}
void ApplyLangRegRest(ui::App& app) {
    captions::applyTexts(app, "frmRegRest");
}
void ApplyLangRestore(ui::App& app) {
    captions::applyTexts(app, "frmRestore");
}
void ApplyLangPreview(ui::App& app) {
    captions::applyTexts(app, "frmPreview");
}
