// The cleaning, wizard, cab cleaner, restore and clearing windows: their controls and menus by
// name, and where their buttons and menu entries lead.
#include <doctest/doctest.h>

#include "backup/FrmClearB.h"
#include "backup/FrmRestore.h"
#include "base/Ini.h"
#include "cabcleaner/FrmCC.h"
#include "cleaning/FrmAdvanced.h"
#include "cleaning/FrmMain.h"
#include "cleaning/FrmWiz1.h"
#include "cleaning/FrmWiz2.h"
#include "language/Language.h"
#include "language/LanguageFixture.h"
#include "main/TarvexWindows.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/Drive.h"
#include "support/NullRenderer.h"
#include "support/TestMachine.h"
#include "ui/App.h"

#include <deque>
#include <string>
#include <vector>

namespace {

// A modal window as it was opened, and what its window-number label said at that moment.
struct ModalShown {
    std::string name;
    std::string windowNumber;
};

struct HelpOpened {
    std::string owner;
    std::string path;
    unsigned command = 0;
};

// Shows nothing; a modal window is closed by the "user" at once, confirmations are answered from
// a queue (an unexpected one fails the test), and help requests are kept.
class WindowRecorder : public testsupport::NullRenderer {
  public:
    void attach(ui::App& driven) { app = &driven; }

    void runModal(ui::Form& form) override {
        const ui::Control* identify = form.find("lblfIdentify");
        modals.push_back({form.name, identify != nullptr ? identify->caption : std::string()});
        app->unload(form);
    }
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest& request) override {
        boxes.push_back(request);
        if (request.buttons == ui::MsgBoxButtons::Ok) {
            return ui::MsgBoxResult::Ok;
        }
        if (answers.empty()) {
            FAIL_CHECK("a confirmation nobody expected: " << request.text);
            return ui::MsgBoxResult::No;
        }
        const ui::MsgBoxResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void openHelp(ui::Form& form, const std::string& path, unsigned command) override {
        helps.push_back({form.name, path, command});
    }

    std::deque<ui::MsgBoxResult> answers;
    std::vector<ModalShown> modals;
    std::vector<ui::MessageBoxRequest> boxes;
    std::vector<HelpOpened> helps;

  private:
    ui::App* app = nullptr;
};

// The program folder's full path of `name`.
std::string programPath(const std::string& name) {
    return platform::programFolder() + "\\" + name;
}

// The settings file moved aside for a test and put back afterwards, with no language decoded.
class SettingsAside {
  public:
    SettingsAside() {
        hadSettings = platform::readFile(programPath("Tarvex.ini"), saved) == platform::kOk;
        platform::deleteFile(programPath("Tarvex.ini"));
        RemoveLangFile();
    }
    ~SettingsAside() {
        RemoveLangFile();
        platform::deleteFile(programPath("Tarvex.ini"));
        if (hadSettings) {
            platform::writeFile(programPath("Tarvex.ini"), saved);
        }
    }
    SettingsAside(const SettingsAside&) = delete;
    SettingsAside& operator=(const SettingsAside&) = delete;

  private:
    bool hadSettings = false;
    std::string saved;
};

// A file planted in the program folder for one test.
class PlantedFile {
  public:
    explicit PlantedFile(const std::string& name) : path(programPath(name)) {
        platform::writeFile(path, "");
    }
    ~PlantedFile() { platform::deleteFile(path); }
    PlantedFile(const PlantedFile&) = delete;
    PlantedFile& operator=(const PlantedFile&) = delete;

  private:
    std::string path;
};

// Tarvex's windows on a program folder without settings, with the settings a test stores.
struct Session {
    Session() {
        recorder.attach(app);
        RegisterWindows(app);
    }
    // Stores "Interface", which decides where the wizard and the cab cleaner return to.
    static void setInterface(const std::string& value) {
        WriteIni("Tarvex.ini", "PROGRAM", "Interface", value);
    }
    // Loads and shows the window called `name`.
    ui::Form& show(const std::string& name) {
        ui::Form* form = app.formNamed(name);
        REQUIRE(form != nullptr);
        app.showModeless(*form);
        return *form;
    }
    bool loaded(const std::string& name) const { return app.findForm(name) != nullptr; }
    bool shown(const std::string& name) const {
        const ui::Form* form = app.findForm(name);
        return form != nullptr && form->visible;
    }

    SettingsAside settings;
    WindowRecorder recorder;
    ui::App app{recorder};
};

// Clicks the control `name` of `form` as a user would: it must exist and be reachable, and a
// check box changes its value before its click event.
void click(ui::Form& form, const std::string& name) {
    ui::Control* control = form.find(name);
    REQUIRE_MESSAGE(control != nullptr, form.name << " has no " << name);
    REQUIRE_MESSAGE(control->reachable(), form.name << "." << name << " cannot be reached");
    if (control->kind == ui::ControlKind::CheckBox) {
        auto& box = static_cast<ui::CheckBox&>(*control);
        box.value = box.value == 1 ? 0 : 1;
    }
    form.app.fire(control->onClick);
}

// Presses `key` in `form` as a user would: the reachable menu entry with that shortcut runs.
void pressShortcut(ui::Form& form, const std::string& key) {
    for (ui::Control* control : form.controls()) {
        if (control->kind == ui::ControlKind::MenuItem &&
            static_cast<const ui::MenuItem*>(control)->shortcut == key) {
            REQUIRE_MESSAGE(control->reachable(),
                            form.name << "." << control->name << " cannot be reached");
            form.app.fire(control->onClick);
            return;
        }
    }
    FAIL(form.name << " has no menu entry with the shortcut " << key);
}

// What a test expects of one control.
struct ControlSpec {
    const char* name;
    ui::ControlKind kind;
    const char* container; // "" for the window itself
    const char* traits;    // "multi": several entries selectable, "hidden", "list" or "combo"
};

using K = ui::ControlKind;

struct WindowSpec {
    const char* form;
    std::vector<ControlSpec> controls;
};

// Every control except the menus, by the names the caption, font and run code look them up by.
const std::vector<WindowSpec>& windowSpecs() {
    static const std::vector<WindowSpec> specs = {
        {"frmMain",
         {{"lblOS", K::Label, "", ""},
          {"lblGPU", K::Label, "", ""},
          {"cboConfigs", K::ComboBox, "", "list"},
          {"cmdClean", K::Button, "", ""},
          {"cmdClose", K::Button, "", ""},
          {"lblStatus", K::Label, "", ""},
          {"lblDetails", K::Label, "", ""},
          {"lblDetinfo", K::Label, "", ""},
          {"lstDetail", K::ListBox, "", ""},
          {"lstDetails", K::ListBox, "", ""}}},
        {"frmAdvanced",
         {{"fraSelection", K::Frame, "", ""},
          {"picSelection", K::Picture, "fraSelection", ""},
          {"chkConfig1", K::CheckBox, "picSelection", ""},
          {"chkConfig2", K::CheckBox, "picSelection", ""},
          {"chkConfig3", K::CheckBox, "picSelection", ""},
          {"chkConfig4", K::CheckBox, "picSelection", ""},
          {"cboConfigs4", K::ComboBox, "picSelection", "list"},
          {"cboConfigs3", K::ComboBox, "picSelection", "list"},
          {"cboConfigs2", K::ComboBox, "picSelection", "list"},
          {"cboConfigs1", K::ComboBox, "picSelection", "list"},
          {"lstDetail", K::ListBox, "", ""},
          {"cmdClose", K::Button, "", ""},
          {"cmdClean", K::Button, "", ""},
          {"lstDetails", K::ListBox, "", ""},
          {"lblStatusFile", K::Label, "", ""},
          {"lblDetinfo", K::Label, "", ""},
          {"lblStatus", K::Label, "", ""},
          {"lblGPU", K::Label, "", ""},
          {"lblDetails", K::Label, "", ""},
          {"lblOS", K::Label, "", ""}}},
        {"frmWiz1",
         {{"cmdCancel", K::Button, "", ""},
          {"cmdNext", K::Button, "", ""},
          {"fraWiz1", K::Frame, "", ""},
          {"cboConfigsWiz", K::ComboBox, "fraWiz1", "list"},
          {"lblWizFilInfo", K::Label, "fraWiz1", ""},
          {"lblWizInfo", K::Label, "", ""}}},
        {"frmWiz2",
         {{"cmdBack", K::Button, "", ""},
          {"cmdClose", K::Button, "", ""},
          {"cmdClean", K::Button, "", ""},
          {"lblWizCFilter", K::Label, "", ""},
          {"lblWizStatus", K::Label, "", ""},
          {"lblWizSelected", K::Label, "", ""},
          {"lblWiz2Info", K::Label, "", ""}}},
        {"frmCC",
         {{"cboConfig", K::ComboBox, "", "combo"},
          {"lstCabNames", K::ListBox, "", "hidden"},
          {"lstCAB", K::ListBox, "", "hidden"},
          {"cmdClean", K::Button, "", ""},
          {"cmdClose", K::Button, "", ""},
          {"lblOS", K::Label, "", ""},
          {"lblStatus", K::Label, "", ""},
          {"lblStatus2", K::Label, "", ""},
          {"lblInfoMin", K::Label, "", ""}}},
        {"frmRestore",
         {{"fraFileRestoreOpt", K::Frame, "", ""},
          {"lblFileResInfo", K::Label, "fraFileRestoreOpt", ""},
          {"cboResFile", K::ComboBox, "fraFileRestoreOpt", "list"},
          {"lstResFile", K::ListBox, "fraFileRestoreOpt", "multi"},
          {"lstResFile2", K::ListBox, "fraFileRestoreOpt", "hidden"},
          {"cmdFRestore", K::Button, "fraFileRestoreOpt", ""},
          {"cmdFSelectAll", K::Button, "fraFileRestoreOpt", ""},
          {"cmdFSelectNon", K::Button, "fraFileRestoreOpt", ""},
          {"fraDirRestoreOpt", K::Frame, "", ""},
          {"lblDirResInfo", K::Label, "fraDirRestoreOpt", ""},
          {"cboResDir", K::ComboBox, "fraDirRestoreOpt", "list"},
          {"lstResDir", K::ListBox, "fraDirRestoreOpt", "multi"},
          {"lstResDir2", K::ListBox, "fraDirRestoreOpt", "hidden"},
          {"cmdDRestore", K::Button, "fraDirRestoreOpt", ""},
          {"cmdDSelectAll", K::Button, "fraDirRestoreOpt", ""},
          {"cmdDSelectNon", K::Button, "fraDirRestoreOpt", ""},
          {"cmdClose", K::Button, "", ""}}},
        {"frmRegRest",
         {{"fraRegRestoreOpt", K::Frame, "", ""},
          {"lblRegResInfo", K::Label, "fraRegRestoreOpt", ""},
          {"cboResReg", K::ComboBox, "fraRegRestoreOpt", "list"},
          {"lstResReg", K::ListBox, "fraRegRestoreOpt", "multi"},
          {"LstResReg2", K::ListBox, "fraRegRestoreOpt", "hidden"},
          {"cmdRRestore", K::Button, "fraRegRestoreOpt", ""},
          {"cmdRSelectAll", K::Button, "fraRegRestoreOpt", ""},
          {"cmdRSelectNon", K::Button, "fraRegRestoreOpt", ""},
          {"cmdClose", K::Button, "", ""}}},
        {"frmClearB",
         {{"fraBackupCleanOpt", K::Frame, "", ""},
          {"lblBackupClearInfo", K::Label, "fraBackupCleanOpt", ""},
          {"lstBackup", K::ListBox, "fraBackupCleanOpt", "multi"},
          {"cmdDelete", K::Button, "fraBackupCleanOpt", ""},
          {"cmdSelectAll", K::Button, "fraBackupCleanOpt", ""},
          {"cmdSelectNon", K::Button, "fraBackupCleanOpt", ""},
          {"cmdClose", K::Button, "", ""}}},
        {"frmClearR",
         {{"fraRegBackupCleanOpt", K::Frame, "", ""},
          {"lblGegBackupClearInfo", K::Label, "fraRegBackupCleanOpt", ""},
          {"lstRegBackup", K::ListBox, "fraRegBackupCleanOpt", "multi"},
          {"cmdDelete", K::Button, "fraRegBackupCleanOpt", ""},
          {"cmdSelectAll", K::Button, "fraRegBackupCleanOpt", ""},
          {"cmdSelectNon", K::Button, "fraRegBackupCleanOpt", ""},
          {"cmdClose", K::Button, "", ""}}},
        {"frmClearL",
         {{"fraLogCleanOpt", K::Frame, "", ""},
          {"lblBackupClearInfo", K::Label, "fraLogCleanOpt", ""},
          {"lstLog", K::ListBox, "fraLogCleanOpt", "multi"},
          {"cmdDelete", K::Button, "fraLogCleanOpt", ""},
          {"cmdSelectAll", K::Button, "fraLogCleanOpt", ""},
          {"cmdSelectNon", K::Button, "fraLogCleanOpt", ""},
          {"cmdClose", K::Button, "", ""}}},
    };
    return specs;
}

// The menu bar as an outline: one line per entry, indented two spaces a level, with its
// shortcut, and separators marked "---".
std::vector<std::string> menuOutline(const ui::Form& form) {
    std::vector<std::string> lines;
    struct Walker {
        std::vector<std::string>& lines;
        void walk(const ui::MenuItem& item, int depth) {
            std::string line(static_cast<std::size_t>(depth) * 2, ' ');
            line += item.name;
            if (!item.shortcut.empty()) {
                line += " " + item.shortcut;
            }
            if (item.separator) {
                line += " ---";
            }
            lines.push_back(line);
            for (const ui::MenuItem* child : item.children) {
                walk(*child, depth + 1);
            }
        }
    } walker{lines};
    for (const ui::MenuItem* menu : form.menuBar()) {
        walker.walk(*menu, 0);
    }
    return lines;
}

const std::vector<std::string> kCleaningMenus = {
    "mnuFile",
    "  mnuFileClean Ctrl+R",
    "  mnuFileBar1 ---",
    "  mnuFileExit Ctrl+X",
    "mnuOptions",
    "  mnuOptionsWizard Ctrl+W",
    "  mnuOptionsBar1 ---",
    "  mnuOptionsBC",
    "    mnuOptionsBCFD",
    "    mnuOptionsBCRC",
    "    mnuOptionsBCLC",
    "  mnuOptionRestore",
    "    mnuOptionsRestoreFD Ctrl+U",
    "    mnuOptionsRestoreReg Ctrl+Z",
    "  mnuOptionsBar3 ---",
    "  mnuOptionsLanguage Ctrl+L",
    "  mnuOptionsOptions Ctrl+O",
    "  mnuOptionsFont Ctrl+F",
    "mnuTools",
    "  mnuToolsCab",
    "mnuHelp",
    "  mnuHelpHelp F1",
    "  mnuHelpBar1 ---",
    "  mnuHelpAbout",
};

} // namespace

TEST_CASE("each window loads by name with every control under its name, kind and container") {
    Session session;
    for (const WindowSpec& spec : windowSpecs()) {
        INFO("spec.form: " << spec.form);
        ui::Form* form = session.app.formNamed(spec.form);
        REQUIRE(form != nullptr);
        CHECK(form->name == spec.form);
        for (const ControlSpec& expected : spec.controls) {
            INFO("expected.name: " << expected.name);
            const ui::Control* control = form->find(expected.name);
            REQUIRE(control != nullptr);
            CHECK(control->kind == expected.kind);
            const std::string container =
                control->container != nullptr ? control->container->name : std::string();
            CHECK(container == expected.container);
            const std::string traits = expected.traits;
            CHECK(control->visible == (traits != "hidden"));
            if (expected.kind == K::ListBox) {
                CHECK(static_cast<const ui::ListBox*>(control)->multiSelect == (traits == "multi"));
            }
            if (expected.kind == K::ComboBox) {
                CHECK(static_cast<const ui::ComboBox*>(control)->style ==
                      (traits == "combo" ? ui::ComboBox::Style::DropDownCombo
                                         : ui::ComboBox::Style::DropDownList));
            }
        }
        // Nothing beyond the expected controls and the menus, and in the same order.
        std::vector<std::string> actual;
        for (const ui::Control* control : form->controls()) {
            if (control->kind != K::MenuItem) {
                actual.push_back(control->name);
            }
        }
        std::vector<std::string> wanted;
        for (const ControlSpec& expected : spec.controls) {
            wanted.push_back(expected.name);
        }
        CHECK(actual == wanted);
        session.app.unload(*form);
    }
}

TEST_CASE("the detail lists show found items green and missing items red") {
    Session session;
    for (const char* name : {"frmMain", "frmAdvanced"}) {
        INFO("name: " << name);
        ui::Form* form = session.app.formNamed(name);
        REQUIRE(form != nullptr);
        CHECK(form->find("lstDetail")->foreColor == ui::rgb(0, 128, 0));
        CHECK(form->find("lstDetails")->foreColor == ui::rgb(255, 0, 0));
    }
}

TEST_CASE("menu bars have their entries, submenus, separators and shortcuts in order") {
    Session session;
    CHECK(menuOutline(*session.app.formNamed("frmMain")) == kCleaningMenus);
    CHECK(menuOutline(*session.app.formNamed("frmAdvanced")) == kCleaningMenus);
    CHECK(menuOutline(*session.app.formNamed("frmCC")) ==
          std::vector<std::string>{"mnuFile", "  mnuFileClean", "  mnuFileBar1 ---",
                                   "  mnuFileExit", "mnuTools", "  mnuToolsDriver", "mnuHelp",
                                   "  mnuHelpHelp", "  mnuHelpBar1 ---", "  mnuHelpAbout"});
    CHECK(menuOutline(*session.app.formNamed("frmWiz1")) ==
          std::vector<std::string>{"mnuOptions", "  mnuOptionsLanguage Ctrl+L",
                                   "  mnuOptionsOptions Ctrl+O", "  mnuOptionsFont Ctrl+F"});
    CHECK(session.app.formNamed("frmWiz2")->menuBar().empty());
}

TEST_CASE("the cleaning windows' menus open the secondary windows modally") {
    struct Row {
        const char* entry;
        const char* opens;
    };
    const Row rows[] = {
        {"mnuOptionsBCFD", "frmClearB"},        {"mnuOptionsBCRC", "frmClearR"},
        {"mnuOptionsBCLC", "frmClearL"},        {"mnuOptionsRestoreFD", "frmRestore"},
        {"mnuOptionsRestoreReg", "frmRegRest"}, {"mnuOptionsOptions", "frmOptions"},
        {"mnuHelpAbout", "frmAbout"},
    };
    for (const char* window : {"frmMain", "frmAdvanced"}) {
        INFO("window: " << window);
        Session session;
        ui::Form& form = session.show(window);
        for (const Row& row : rows) {
            INFO("row.entry: " << row.entry);
            session.recorder.modals.clear();
            click(form, row.entry);
            REQUIRE(session.recorder.modals.size() == 1);
            CHECK(session.recorder.modals[0].name == row.opens);
            // The cleaning window stays and is usable again once the modal window is gone.
            CHECK(session.shown(window));
            CHECK(form.enabled);
        }
    }
}

TEST_CASE("the language and font windows learn which window opened them") {
    struct Row {
        const char* window;
        const char* number;
    };
    const Row rows[] = {{"frmMain", "1"}, {"frmAdvanced", "2"}, {"frmWiz1", "3"}};
    for (const Row& row : rows) {
        INFO("row.window: " << row.window);
        Session session;
        ui::Form& form = session.show(row.window);
        click(form, "mnuOptionsLanguage");
        click(form, "mnuOptionsFont");
        REQUIRE(session.recorder.modals.size() == 2);
        CHECK(session.recorder.modals[0].name == "frmLanguage");
        CHECK(session.recorder.modals[0].windowNumber == row.number);
        CHECK(session.recorder.modals[1].name == "frmFont");
        CHECK(session.recorder.modals[1].windowNumber == row.number);
    }
}

TEST_CASE("the wizard's options menu opens the options window") {
    Session session;
    ui::Form& wizard = session.show("frmWiz1");
    click(wizard, "mnuOptionsOptions");
    REQUIRE(session.recorder.modals.size() == 1);
    CHECK(session.recorder.modals[0].name == "frmOptions");
    CHECK(session.shown("frmWiz1"));
}

TEST_CASE("the cleaning windows switch to the wizard and to the cab cleaner, and close") {
    struct Row {
        const char* entry;
        const char* opens; // "" when the window just closes
    };
    const Row rows[] = {
        {"mnuOptionsWizard", "frmWiz1"},
        {"mnuToolsCab", "frmCC"},
        {"cmdClose", ""},
        {"mnuFileExit", ""},
    };
    for (const char* window : {"frmMain", "frmAdvanced"}) {
        for (const Row& row : rows) {
            INFO("window: " << window);
            INFO("row.entry: " << row.entry);
            Session session;
            click(session.show(window), row.entry);
            CHECK_FALSE(session.loaded(window));
            if (*row.opens != '\0') {
                CHECK(session.shown(row.opens));
            } else {
                CHECK(session.app.ended());
            }
        }
    }
}

TEST_CASE("the help entry and F1 open the file text 0019 names: WinHelp for .hlp, else the shell") {
    struct Name {
        const char* fileName;
        bool winHelp;
    };
    const Name names[] = {{"Tarvex.hlp", true},
                          {"TARVEX.HLP", true},
                          {"Tarvex_de.htm", false},
                          {"Tarvex.hlp.htm", false}};
    struct Route {
        const char* window;
        const char* how; // the menu entry, or the key F1
    };
    const Route routes[] = {{"frmMain", "mnuHelpHelp"},
                            {"frmMain", "F1"},
                            {"frmAdvanced", "mnuHelpHelp"},
                            {"frmAdvanced", "F1"},
                            {"frmCC", "mnuHelpHelp"}};
    for (const Name& name : names) {
        // Under Wine the shell would really open the page: the prefix's browser would start.
        if (!name.winHelp && !testsupport::onSimulatedMachine()) {
            continue;
        }
        for (const Route& route : routes) {
            INFO("help file: " << name.fileName << ", window: " << route.window << ", by "
                               << route.how);
            Session session;
            langtest::ProgramFolder folder;
            folder.addLanguage("TvxHelpTest", {std::string("0019=") + name.fileName});
            folder.choose("TvxHelpTest");
            ui::Form& window = session.show(route.window);
            const std::string shellBefore = testsupport::shellRequests();
            if (std::string(route.how) == "F1") {
                pressShortcut(window, "F1");
            } else {
                click(window, route.how);
            }
            const std::string path = programPath(name.fileName);
            const std::string shellAfter = testsupport::shellRequests().substr(shellBefore.size());
            if (name.winHelp) {
                REQUIRE(session.recorder.helps.size() == 1);
                const HelpOpened& help = session.recorder.helps[0];
                CHECK(help.owner == route.window);
                CHECK(help.path == path);
                CHECK(help.command == 11);
                CHECK(shellAfter.empty());
            } else {
                CHECK(session.recorder.helps.empty());
                CHECK(shellAfter == "open " + path + "\n");
            }
        }
    }
}

TEST_CASE("Clean asks first, and No leaves the window as it was") {
    struct Row {
        const char* window;
        const char* command;
    };
    const Row rows[] = {
        {"frmMain", "cmdClean"},         {"frmMain", "mnuFileClean"}, {"frmAdvanced", "cmdClean"},
        {"frmAdvanced", "mnuFileClean"}, {"frmCC", "cmdClean"},       {"frmCC", "mnuFileClean"},
    };
    // A configuration to choose, so the cleaning windows offer Clean at all.
    const PlantedFile configuration("TvxWindowsTest.txf");
    for (const Row& row : rows) {
        INFO("row.window: " << row.window);
        INFO("row.command: " << row.command);
        Session session;
        ui::Form& form = session.show(row.window);
        const std::size_t boxesAtLoad = session.recorder.boxes.size();
        session.recorder.answers.push_back(ui::MsgBoxResult::No);
        click(form, row.command);
        REQUIRE(session.recorder.boxes.size() == boxesAtLoad + 1);
        const ui::MessageBoxRequest& box = session.recorder.boxes.back();
        CHECK(box.text == GetLangString("0009"));
        CHECK(box.title == GetLangString("0010"));
        CHECK(box.buttons == ui::MsgBoxButtons::YesNo);
        CHECK(box.icon == ui::MsgBoxIcon::Exclamation);
        CHECK(session.recorder.answers.empty());
        CHECK(session.shown(row.window));
        CHECK(form.find("cmdClean")->enabled);
        CHECK(form.find("cmdClose")->enabled);
    }
}

TEST_CASE("a declined clean keeps the detail lists of the last run") {
    const PlantedFile configuration("TvxWindowsTest.txf");
    Session session;
    auto& main = static_cast<FrmMain&>(session.show("frmMain"));
    main.lstDetail.addItem("found");
    main.lstDetails.addItem("missing");
    session.recorder.answers.push_back(ui::MsgBoxResult::No);
    click(main, "cmdClean");
    CHECK(main.lstDetail.items() == std::vector<std::string>{"found"});
    CHECK(main.lstDetails.items() == std::vector<std::string>{"missing"});
}

TEST_CASE("an advanced slot's list is usable exactly while its check box is checked") {
    Session session;
    auto& advanced = static_cast<FrmAdvanced&>(session.show("frmAdvanced"));
    ui::ComboBox* lists[] = {&advanced.cboConfigs1, &advanced.cboConfigs2, &advanced.cboConfigs3,
                             &advanced.cboConfigs4};
    ui::CheckBox* boxes[] = {&advanced.chkConfig1, &advanced.chkConfig2, &advanced.chkConfig3,
                             &advanced.chkConfig4};
    for (int slot = 0; slot < 4; ++slot) {
        CHECK(boxes[slot]->value == 0);
        CHECK_FALSE(lists[slot]->enabled);
    }

    click(advanced, "chkConfig3");
    click(advanced, "chkConfig1");
    for (int slot = 0; slot < 4; ++slot) {
        CAPTURE(slot + 1);
        CHECK(lists[slot]->enabled == (slot == 0 || slot == 2));
    }

    click(advanced, "chkConfig3");
    CHECK(advanced.chkConfig3.value == 0);
    CHECK_FALSE(advanced.cboConfigs3.enabled);
    CHECK(advanced.cboConfigs1.enabled);
}

TEST_CASE("the wizard goes forward with the chosen configuration and back again") {
    Session session;
    auto& first = static_cast<FrmWiz1&>(session.show("frmWiz1"));
    // The list as the configuration listing leaves it, the user then picking the second name.
    first.cboConfigsWiz.clear();
    first.cboConfigsWiz.addItem("NVIDIA");
    first.cboConfigsWiz.addItem("ATI");
    first.cboConfigsWiz.setListIndex(1);
    first.cmdNext.enabled = true;

    click(first, "cmdNext");
    CHECK_FALSE(session.loaded("frmWiz1"));
    REQUIRE(session.shown("frmWiz2"));
    auto& second = static_cast<FrmWiz2&>(*session.app.findForm("frmWiz2"));
    CHECK(second.lblWizCFilter.caption == "ATI");

    click(second, "cmdBack");
    CHECK_FALSE(session.loaded("frmWiz2"));
    CHECK(session.shown("frmWiz1"));
}

TEST_CASE("leaving the wizard or the cab cleaner opens the window the Interface setting names") {
    struct Row {
        const char* interface;
        const char* opens; // "" when no cleaning window opens
    };
    const Row interfaces[] = {{"Normal", "frmMain"}, {"Advanced", "frmAdvanced"}, {"normal", ""}};
    struct Exit {
        const char* window;
        const char* command;
    };
    const Exit exits[] = {
        {"frmWiz1", "cmdCancel"}, {"frmWiz2", "cmdClose"},     {"frmCC", "cmdClose"},
        {"frmCC", "mnuFileExit"}, {"frmCC", "mnuToolsDriver"},
    };
    for (const Row& row : interfaces) {
        for (const Exit& exit : exits) {
            INFO("row.interface: " << row.interface);
            INFO("exit.window: " << exit.window);
            INFO("exit.command: " << exit.command);
            Session session;
            Session::setInterface(row.interface);
            click(session.show(exit.window), exit.command);
            CHECK_FALSE(session.loaded(exit.window));
            if (*row.opens != '\0') {
                CHECK(session.shown(row.opens));
            } else {
                CHECK(session.app.ended());
            }
        }
    }
}

TEST_CASE("the cab cleaner's about entry opens the about window") {
    Session session;
    click(session.show("frmCC"), "mnuHelpAbout");
    REQUIRE(session.recorder.modals.size() == 1);
    CHECK(session.recorder.modals[0].name == "frmAbout");
}

TEST_CASE("select all and select none mark every entry of their list") {
    struct Row {
        const char* window;
        const char* list;
        const char* all;
        const char* none;
    };
    const Row rows[] = {
        {"frmRestore", "lstResFile", "cmdFSelectAll", "cmdFSelectNon"},
        {"frmRestore", "lstResDir", "cmdDSelectAll", "cmdDSelectNon"},
        {"frmRegRest", "lstResReg", "cmdRSelectAll", "cmdRSelectNon"},
        {"frmClearB", "lstBackup", "cmdSelectAll", "cmdSelectNon"},
        {"frmClearR", "lstRegBackup", "cmdSelectAll", "cmdSelectNon"},
        {"frmClearL", "lstLog", "cmdSelectAll", "cmdSelectNon"},
    };
    for (const Row& row : rows) {
        INFO("row.window: " << row.window);
        INFO("row.list: " << row.list);
        Session session;
        ui::Form& form = session.show(row.window);
        auto& list = static_cast<ui::ListBox&>(*form.find(row.list));
        // Entries as a fill would leave them, which also makes the commands usable.
        for (const char* entry : {"first", "second", "third"}) {
            list.addItem(entry);
        }
        for (ui::Control* control :
             {static_cast<ui::Control*>(&list), form.find(row.all), form.find(row.none)}) {
            control->enabled = true;
        }
        list.setSelected(1, true);

        click(form, row.all);
        for (int i = 0; i < list.listCount(); ++i) {
            CHECK(list.selected(i));
        }
        click(form, row.none);
        for (int i = 0; i < list.listCount(); ++i) {
            CHECK_FALSE(list.selected(i));
        }
    }
}

TEST_CASE("the restore and clearing windows close with their Close button") {
    for (const char* window : {"frmRestore", "frmRegRest", "frmClearB", "frmClearR", "frmClearL"}) {
        INFO("window: " << window);
        Session session;
        click(session.show(window), "cmdClose");
        CHECK_FALSE(session.loaded(window));
    }
}

TEST_CASE(
    "a user's tour from the start through every window these menus reach, by mouse and keys") {
    SettingsAside settings;
    const PlantedFile configuration("TvxWindowsTest.txf");
    WriteIni("Tarvex.ini", "WARNING", "ReadmeStart", "No");
    WriteIni("Tarvex.ini", "PROGRAM", "Wizard", "No");
    WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Normal");
    const testsupport::DriveOutcome run = testsupport::driveTarvex(R"(
        tick
        tick
        expect loaded frmMain
        click frmMain.mnuOptionsBCFD
        expect frmMain.enabled false
        click frmClearB.cmdClose
        expect not-loaded frmClearB
        expect frmMain.enabled true
        key frmMain Ctrl+U
        expect loaded frmRestore
        key frmRestore Escape
        expect not-loaded frmRestore
        key frmMain Ctrl+Z
        key frmRegRest Escape
        click frmMain.mnuOptionsBCRC
        key frmClearR Escape
        click frmMain.mnuOptionsBCLC
        key frmClearL Escape
        key frmMain Ctrl+W
        expect not-loaded frmMain
        key frmWiz1 Enter
        expect not-loaded frmWiz1
        expect loaded frmWiz2
        click frmWiz2.cmdBack
        key frmWiz1 Escape
        expect loaded frmMain
        click frmMain.mnuToolsCab
        expect not-loaded frmMain
        click frmCC.mnuToolsDriver
        expect not-loaded frmCC
        key frmMain Ctrl+X
        expect ended
    )");
    INFO(run.output);
    CHECK(run.ok);
}
