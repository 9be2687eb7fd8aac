// The real start of Tarvex driven headless: defaults on a first start, the splash countdown, the
// warning, the choice of the start window, and languages switched or missing.
#include <doctest/doctest.h>

#include "language/CaptionTables.h"
#include "language/LanguageFixture.h"
#include "language/ShippedLanguages.h"
#include "support/Drive.h"
#include "ui/headless/Script.h"

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Texts = std::map<std::string, std::string>;

// The program folder with the English language built from its shipped source, and one
// configuration so the cleaning windows have something to list.
struct Installation : langtest::ProgramFolder {
    explicit Installation(bool withEnglish = true) {
        if (withEnglish) {
            const std::string shipped =
                langtest::shippedForm(langtest::sourcePath("data/languages/English.txt"));
            plant("English.lng", *packs::encodePack(shipped, packs::PackMethod::Huffman));
            expect("English.dlf");
            english = langtest::textsOf(shipped);
        }
        plant("TvxSample.txf",
              *packs::encodePack("[FILES]\r\n\\TvxNoSuchFile.sys\r\n", packs::PackMethod::Huffman));
    }
    Texts english;
};

// "expect" lines for the title and every caption the language routine of `form` sets, with the
// texts `lookup` gives for each id.
std::string expectTexts(const char* form, const std::function<std::string(const char*)>& lookup) {
    const captions::WindowTexts& texts = *captions::windowTexts(form);
    std::ostringstream lines;
    if (texts.title == captions::Title::WithVersion) {
        lines << "expect " << form << ".caption "
              << ui::headless::quote(lookup(texts.titleId) + " 2.7") << "\n";
    }
    for (const captions::Caption& entry : texts.captions) {
        std::string text = entry.id != nullptr ? lookup(entry.id) : std::string();
        if (entry.withVersion) {
            text += " 2.7";
        }
        lines << "expect " << form << "." << entry.control << ".caption "
              << ui::headless::quote(text) << "\n";
    }
    return lines.str();
}

// The lines of the settings file that hold something, in file order.
std::vector<std::string> settingsLines() {
    std::istringstream text(langtest::fileText("Tarvex.ini"));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

void store(const char* section, const char* key, const char* value) {
    WriteIni("Tarvex.ini", section, key, value);
}

testsupport::DriveOutcome drive(const std::string& script) {
    const testsupport::DriveOutcome run = testsupport::driveTarvex(script);
    INFO(run.output);
    CHECK(run.ok);
    return run;
}

} // namespace

TEST_CASE("a first start writes the defaults, warns after two ticks and opens the normal window") {
    Installation folder;
    const auto english = [&folder](const char* id) { return folder.english.at(id); };
    drive("expect loaded frmStart\n"
          "tick\n"
          "expect loaded frmStart\n"
          "expect not-loaded frmWarning\n"
          "tick\n"
          "expect not-loaded frmStart\n"
          "expect loaded frmWarning\n"
          "expect frmWarning.caption \"Important\"\n"
          "expect frmWarning.chkWarning.value 1\n" +
          expectTexts("frmWarning", english) +
          "click frmWarning.cmdOK\n"
          "expect not-loaded frmWarning\n"
          "expect frmMain.caption \"Tarvex 2.7\"\n" +
          expectTexts("frmMain", english) + "expect running\n");

    const std::vector<std::string> expected = {"[PROGRAM]",
                                               "Interface=Normal",
                                               "Wizard=No",
                                               "LogFile=No",
                                               "BackupFiles=No",
                                               "BackupDir=No",
                                               "BackupReg=No",
                                               "[WARNING]",
                                               "ReadmeStart=Yes",
                                               "[LANGUAGE]",
                                               "CurrentLanguage=English"};
    CHECK(settingsLines() == expected);
}

TEST_CASE("present settings are kept, however unexpected their values") {
    Installation folder;
    store("PROGRAM", "Interface", "");
    store("PROGRAM", "Wizard", "?"); // a stored question mark counts as missing
    store("WARNING", "ReadmeStart", "No");
    store("LANGUAGE", "CurrentLanguage", "English");
    // The empty interface opens no window, so the program ends after the splash.
    drive("tick 2\nexpect ended\n");
    CHECK(ReadIni("Tarvex.ini", "PROGRAM", "Interface", "?").empty());
    CHECK(ReadIni("Tarvex.ini", "PROGRAM", "Wizard", "?") == "No");
    CHECK(ReadIni("Tarvex.ini", "PROGRAM", "BackupReg", "?") == "No");
    CHECK(ReadIni("Tarvex.ini", "WARNING", "ReadmeStart", "?") == "No");
}

TEST_CASE("the settings choose the start window, or none") {
    struct Row {
        const char* wizard;
        const char* userInterface;
        const char* opened; // nullptr: no window opens and the program ends
        const char* title;
    };
    const Row rows[] = {
        {"Yes", "Advanced", "frmWiz1", "Tarvex Wizard 2.7"}, // the wizard wins
        {"Yes", "normal", "frmWiz1", "Tarvex Wizard 2.7"},
        {"No", "Normal", "frmMain", "Tarvex 2.7"},
        {"No", "Advanced", "frmAdvanced", "Tarvex 2.7 Advanced"},
        {"No", "normal", nullptr, nullptr}, // values are compared case-sensitively
        {"no", "Normal", nullptr, nullptr},
        {"No", "Classic", nullptr, nullptr},
    };
    for (const char* readme : {"No", "Yes"}) {
        for (const Row& row : rows) {
            CAPTURE(std::string(readme));
            CAPTURE(std::string(row.wizard));
            CAPTURE(std::string(row.userInterface));
            Installation folder;
            store("PROGRAM", "Wizard", row.wizard);
            store("PROGRAM", "Interface", row.userInterface);
            store("WARNING", "ReadmeStart", readme);
            std::string script = "tick 2\nexpect not-loaded frmStart\n";
            if (std::string(readme) == "Yes") {
                script += "expect loaded frmWarning\nclick frmWarning.cmdOK\n";
            }
            if (row.opened != nullptr) {
                script += "expect loaded " + std::string(row.opened) + "\nexpect " + row.opened +
                          ".caption " + ui::headless::quote(row.title) + "\n";
                for (const char* other : {"frmWiz1", "frmMain", "frmAdvanced"}) {
                    if (std::string(other) != row.opened) {
                        script += "expect not-loaded " + std::string(other) + "\n";
                    }
                }
            } else {
                script += "expect ended\n";
            }
            drive(script);
        }
    }
}

TEST_CASE("the warning's check box decides whether the next start warns") {
    Installation folder;
    drive("tick 2\n"
          "click frmWarning.chkWarning\n"
          "expect frmWarning.chkWarning.value 0\n"
          "click frmWarning.cmdOK\n"
          "expect loaded frmMain\n");
    CHECK(ReadIni("Tarvex.ini", "WARNING", "ReadmeStart", "?") == "No");

    // The next start goes straight to the interface; checking the box again restores the warning.
    drive("tick 2\nexpect not-loaded frmWarning\nexpect loaded frmMain\n");
    store("WARNING", "ReadmeStart", "Yes");
    drive("tick 2\n"
          "click frmWarning.chkWarning\n"
          "click frmWarning.chkWarning\n"
          "expect frmWarning.chkWarning.value 1\n"
          "close frmWarning\n"
          "expect ended\n");
    CHECK(ReadIni("Tarvex.ini", "WARNING", "ReadmeStart", "?") == "Yes");
}

TEST_CASE("closing the warning with its close box opens nothing and ends the program") {
    Installation folder;
    drive("tick 2\nclose frmWarning\nexpect ended\n");
    CHECK(ReadIni("Tarvex.ini", "WARNING", "ReadmeStart", "?") == "Yes");
}

TEST_CASE("a language chosen from the advanced window re-texts it and replaces the decoded copy") {
    Installation folder;
    folder.addLanguage("TvxDeutsch", {"1000=Tarvex DE", "0005=Erweitert", "1001=Schliessen",
                                      "1024=Filter", "1041=Sprache", "1042=Speichern"});
    store("PROGRAM", "Wizard", "No");
    store("PROGRAM", "Interface", "Advanced");
    store("WARNING", "ReadmeStart", "No");
    store("LANGUAGE", "CurrentLanguage", "English");
    const Texts deutsch = {
        {"1000", "Tarvex DE"}, {"0005", "Erweitert"}, {"1001", "Schliessen"}, {"1024", "Filter"}};
    const auto german = [&deutsch](const char* id) {
        const auto found = deutsch.find(id);
        return found != deutsch.end() ? found->second : std::string("?");
    };
    drive("tick 2\n"
          "expect frmAdvanced.caption \"Tarvex 2.7 Advanced\"\n"
          "click frmAdvanced.mnuOptionsLanguage\n"
          "expect frmLanguage.lblfIdentify.caption \"2\"\n"
          "expect frmLanguage.cmdSave.enabled true\n"
          "select frmLanguage.cboLanguage \"TvxDeutsch\"\n"
          "click frmLanguage.cmdSave\n"
          "expect not-loaded frmLanguage\n"
          "expect frmAdvanced.caption \"Tarvex DE 2.7 Erweitert\"\n" +
          expectTexts("frmAdvanced", german) + "expect running\n");
    CHECK(ReadIni("Tarvex.ini", "LANGUAGE", "CurrentLanguage", "?") == "TvxDeutsch");
    CHECK_FALSE(langtest::exists("English.dlf"));
}

TEST_CASE("without the language file every caption is a question mark") {
    Installation folder(false);
    const auto missing = [](const char*) { return std::string("?"); };
    drive("tick 2\n" + expectTexts("frmWarning", missing) +
          "expect frmWarning.caption \"Important\"\n"
          "click frmWarning.cmdOK\n"
          "expect frmMain.caption \"? 2.7\"\n" +
          expectTexts("frmMain", missing) + "expect running\n");
    CHECK_FALSE(langtest::exists("English.dlf"));
    CHECK(ReadIni("Tarvex.ini", "LANGUAGE", "CurrentLanguage", "?") == "English");
}

TEST_CASE("the options, font and about windows opened from the normal window") {
    Installation folder;
    store("WARNING", "ReadmeStart", "No");
    drive("tick 2\n"
          "key frmMain Ctrl+O\n"
          "expect frmOptions.caption \"Tarvex Options\"\n"
          "expect frmOptions.optGUINorm.value true\n"
          "click frmOptions.optGUIAdv\n"
          "click frmOptions.optLogYes\n"
          "click frmOptions.cmdClose\n"
          "expect not-loaded frmOptions\n"
          "expect frmMain.caption \"Tarvex 2.7\"\n" // the running window stays what it is
          "key frmMain Ctrl+F\n"
          "expect frmFont.lblfIdentify.caption \"1\"\n"
          "expect frmFont.cmdSave.enabled false\n"
          "select frmFont.cboFont \"Tahoma\"\n"
          "click frmFont.cmdSave\n"
          "expect frmMain.font \"Tahoma\"\n"
          "expect frmMain.cmdClean.font \"Tahoma\"\n"
          "click frmMain.mnuHelpAbout\n"
          "expect frmAbout.caption \"\"\n"
          "expect frmAbout.fraAbout.caption \"\"\n"
          "expect frmAbout.lblVersion.caption \"Version 2.7\"\n"
          "expect frmAbout.cmdOK.caption \"OK\"\n"
          "expect frmAbout.lblVersion.font \"Tahoma\"\n"
          "click frmAbout.cmdOK\n"
          "expect not-loaded frmAbout\n"
          "expect running\n");
    CHECK(ReadIni("Tarvex.ini", "PROGRAM", "Interface", "?") == "Advanced");
    CHECK(ReadIni("Tarvex.ini", "PROGRAM", "LogFile", "?") == "Yes");
    CHECK(ReadIni("Tarvex.ini", "FONT", "Name", "?") == "Tahoma");
    // The next start opens the advanced window.
    drive("tick 2\nexpect loaded frmAdvanced\nexpect frmAdvanced.font \"Tahoma\"\n");
}
