// The options window: the stored settings selected at load, and each click stored at once.
#include <doctest/doctest.h>

#include "language/LanguageFixture.h"
#include "startup/FrmOptions.h"
#include "support/RecordingRenderer.h"
#include "support/User.h"
#include "ui/App.h"

#include <string>

using testsupport::clickOn;

namespace {

struct OptionRow {
    const char* option;
    const char* key;
    const char* value;
};

// Every option button with the key and value it stores.
const OptionRow kOptions[] = {
    {"optGUINorm", "Interface", "Normal"}, {"optGUIAdv", "Interface", "Advanced"},
    {"optWizSYes", "Wizard", "Yes"},       {"optWizSNo", "Wizard", "No"},
    {"optFileBYes", "BackupFiles", "Yes"}, {"optFileBNo", "BackupFiles", "No"},
    {"optDirBYes", "BackupDir", "Yes"},    {"optDirBNo", "BackupDir", "No"},
    {"optRegBYes", "BackupReg", "Yes"},    {"optRegBNo", "BackupReg", "No"},
    {"optLogYes", "LogFile", "Yes"},       {"optLogNo", "LogFile", "No"},
};

ui::OptionButton& option(ui::Form& form, const std::string& name) {
    ui::Control* control = form.find(name);
    REQUIRE(control != nullptr);
    REQUIRE(control->kind == ui::ControlKind::OptionButton);
    return static_cast<ui::OptionButton&>(*control);
}

std::string stored(const char* key) {
    return ReadIni("Tarvex.ini", "PROGRAM", key, "?");
}

} // namespace

TEST_CASE("the options window selects exactly the stored values") {
    langtest::ProgramFolder folder;
    struct Stored {
        const char* key;
        const char* value; // nullptr: missing
    };
    const Stored settings[] = {
        {"Interface", "normal"}, // lower case matches neither option
        {"Wizard", "Yes"},       {"BackupFiles", "No"}, {"BackupDir", nullptr},
        {"BackupReg", "YES"},    {"LogFile", "Yes"},
    };
    for (const Stored& setting : settings) {
        if (setting.value != nullptr) {
            WriteIni("Tarvex.ini", "PROGRAM", setting.key, setting.value);
        }
    }
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    FrmOptions& window = app.form<FrmOptions>();
    app.showModeless(window);

    const char* const selected[] = {"optWizSYes", "optFileBNo", "optLogYes"};
    for (const OptionRow& row : kOptions) {
        CAPTURE(std::string(row.option));
        bool expected = false;
        for (const char* name : selected) {
            expected = expected || std::string(name) == row.option;
        }
        CHECK(option(window, row.option).value == expected);
    }
}

TEST_CASE("each option click stores its value at once and leaves the other groups alone") {
    langtest::ProgramFolder folder;
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    FrmOptions& window = app.form<FrmOptions>();
    app.showModeless(window);
    for (const OptionRow& row : kOptions) {
        CAPTURE(std::string(row.option));
        clickOn(option(window, row.option));
        CHECK(stored(row.key) == row.value);
        CHECK(option(window, row.option).value);
    }
    // The last click of each pair was its second option; the first ones of the pairs stay off.
    for (const OptionRow& row : kOptions) {
        CAPTURE(std::string(row.option));
        const bool second = std::string(row.value) == "No" || std::string(row.value) == "Advanced";
        CHECK(option(window, row.option).value == second);
    }
    CHECK(stored("Interface") == "Advanced");
    CHECK(ReadIni("Tarvex.ini", "WARNING", "ReadmeStart", "?") == "?");
}

TEST_CASE("a click repairs a value that matched neither option") {
    langtest::ProgramFolder folder;
    WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Classic");
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    FrmOptions& window = app.form<FrmOptions>();
    app.showModeless(window);
    CHECK_FALSE(window.optGUINorm.value);
    CHECK_FALSE(window.optGUIAdv.value);
    clickOn(window.optGUINorm);
    CHECK(stored("Interface") == "Normal");
    CHECK_FALSE(window.optGUIAdv.value);
}

TEST_CASE("closing the options window writes nothing more") {
    langtest::ProgramFolder folder;
    WriteIni("Tarvex.ini", "PROGRAM", "Wizard", "No");
    const std::string before = langtest::fileText("Tarvex.ini");
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    FrmOptions& window = app.form<FrmOptions>();
    app.showModeless(window);
    clickOn(window.cmdClose);
    CHECK_FALSE(app.isLoaded<FrmOptions>());
    CHECK(langtest::fileText("Tarvex.ini") == before);
}
