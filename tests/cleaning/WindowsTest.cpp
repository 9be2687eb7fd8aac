// The cleaning, wizard, cab cleaner, restore and clearing windows: where their buttons, menu
// entries and keys lead.
#include <doctest/doctest.h>

#include "base/General.h"
#include "cleaning/FrmAdvanced.h"
#include "cleaning/FrmMain.h"
#include "cleaning/FrmWiz1.h"
#include "cleaning/FrmWiz2.h"
#include "language/Language.h"
#include "language/LanguageFixture.h"
#include "main/TarvexWindows.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/CleanableCabinet.h"
#include "support/Drive.h"
#include "support/RecordingRenderer.h"
#include "support/TestMachine.h"
#include "support/User.h"
#include "ui/App.h"

#include <string>
#include <vector>

using testsupport::clickOn;
using testsupport::pressKey;

namespace {

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

// Tarvex's windows on a program folder with one configuration and without settings, with the
// settings a test stores.
struct Session {
    Session() { RegisterWindows(app); }
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
    // A configuration to choose, so the cleaning windows open without their no-configuration box.
    const PlantedFile configuration{"TvxWindowsTest.txf"};
    // And a cab configuration whose cabinet is there, so the cab cleaner opens without its box.
    const testsupport::CleanableCabinet cabinet;
    testsupport::RecordingRenderer recorder;
    ui::App app{recorder};
};

} // namespace

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
            clickOn(form, row.entry);
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
        // No language is installed here, which the language window says as it opens.
        session.recorder.answer(ui::MsgBoxResult::Ok);
        clickOn(form, "mnuOptionsLanguage");
        clickOn(form, "mnuOptionsFont");
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
    clickOn(wizard, "mnuOptionsOptions");
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
            clickOn(session.show(window), row.entry);
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
                pressKey(window, "F1");
            } else {
                clickOn(window, route.how);
            }
            const std::string path = programPath(name.fileName);
            const std::string shellAfter = testsupport::shellRequests().substr(shellBefore.size());
            if (name.winHelp) {
                REQUIRE(session.recorder.helps.size() == 1);
                const testsupport::RecordingRenderer::Help& help = session.recorder.helps[0];
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
    for (const Row& row : rows) {
        INFO("row.window: " << row.window);
        INFO("row.command: " << row.command);
        Session session;
        ui::Form& form = session.show(row.window);
        const std::size_t boxesAtLoad = session.recorder.boxes.size();
        session.recorder.answer(ui::MsgBoxResult::No);
        clickOn(form, row.command);
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
    Session session;
    auto& main = static_cast<FrmMain&>(session.show("frmMain"));
    main.lstDetail.addItem("found");
    main.lstDetails.addItem("missing");
    session.recorder.answer(ui::MsgBoxResult::No);
    clickOn(main, "cmdClean");
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

    clickOn(advanced, "chkConfig3");
    clickOn(advanced, "chkConfig1");
    for (int slot = 0; slot < 4; ++slot) {
        CAPTURE(slot + 1);
        CHECK(lists[slot]->enabled == (slot == 0 || slot == 2));
    }

    clickOn(advanced, "chkConfig3");
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

    clickOn(first, "cmdNext");
    CHECK_FALSE(session.loaded("frmWiz1"));
    REQUIRE(session.shown("frmWiz2"));
    auto& second = static_cast<FrmWiz2&>(*session.app.findForm("frmWiz2"));
    CHECK(second.lblWizCFilter.caption == "ATI");

    clickOn(second, "cmdBack");
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
            clickOn(session.show(exit.window), exit.command);
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
    clickOn(session.show("frmCC"), "mnuHelpAbout");
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

        clickOn(form, row.all);
        for (int i = 0; i < list.listCount(); ++i) {
            CHECK(list.selected(i));
        }
        clickOn(form, row.none);
        for (int i = 0; i < list.listCount(); ++i) {
            CHECK_FALSE(list.selected(i));
        }
    }
}

TEST_CASE("the restore and clearing windows close with their Close button") {
    for (const char* window : {"frmRestore", "frmRegRest", "frmClearB", "frmClearR", "frmClearL"}) {
        INFO("window: " << window);
        Session session;
        clickOn(session.show(window), "cmdClose");
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
        answer OK
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
