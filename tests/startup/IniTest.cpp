// Settings file reads and writes as the program relies on them, on the machine's own profile
// functions.
#include <doctest/doctest.h>

#include "base/Ini.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <string>

namespace {

// A settings file of its own in the program folder, removed again at the end of the test.
struct SettingsFile {
    explicit SettingsFile(const std::string& name, const std::string& content = std::string())
        : name(name), path(platform::programFolder() + "\\" + name) {
        platform::deleteFile(path);
        if (!content.empty()) {
            platform::writeFile(path, content);
        }
    }
    ~SettingsFile() { platform::deleteFile(path); }
    std::string text() const {
        std::string bytes;
        platform::readFile(path, bytes);
        return bytes;
    }
    std::string name;
    std::string path;
};

} // namespace

TEST_CASE("ReadIni returns stored values, the default when missing, and at most 254 characters") {
    const std::string longValue(300, 'x');
    SettingsFile file("TvxIniRead.ini", "[PROGRAM]\r\nInterface=Normal\r\nWizard=\r\nLogFile=?\r\n"
                                        "Long=" +
                                            longValue + "\r\n[lowercase]\r\nbackupfiles=yes\r\n");
    struct Row {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Row rows[] = {
        {"PROGRAM", "Interface", "Normal"},
        {"program", "INTERFACE", "Normal"}, // names match whatever their case
        {"PROGRAM", "Wizard", ""},          // present but empty is not missing
        {"PROGRAM", "LogFile", "?"},        // a stored "?" reads like a missing key
        {"PROGRAM", "Missing", "?"},
        {"NOSECTION", "Interface", "?"},
        {"LOWERCASE", "BackupFiles", "yes"}, // values come back exactly as stored
    };
    for (const Row& row : rows) {
        CAPTURE(row.section);
        CAPTURE(row.key);
        CHECK(ReadIni(file.name, row.section, row.key, "?") == row.expected);
    }
    CHECK(ReadIni(file.name, "PROGRAM", "Long", "?") == longValue.substr(0, 254));
}

TEST_CASE("ReadIni of a missing settings file gives the default") {
    SettingsFile file("TvxIniMissing.ini");
    CHECK(ReadIni(file.name, "PROGRAM", "Interface", "?") == "?");
}

TEST_CASE("WriteIni creates the file, replaces values in place and keeps values on one line") {
    SettingsFile file("TvxIniWrite.ini");
    WriteIni(file.name, "PROGRAM", "Interface", "Normal");
    WriteIni(file.name, "PROGRAM", "Wizard", "No");
    WriteIni(file.name, "WARNING", "ReadmeStart", "Yes");
    WriteIni(file.name, "program", "interface", "Advanced");
    CHECK(ReadIni(file.name, "PROGRAM", "Interface", "?") == "Advanced");
    CHECK(ReadIni(file.name, "PROGRAM", "Wizard", "?") == "No");

    WriteIni(file.name, "LANGUAGE", "CurrentLanguage", "two\r\nlines\nhere");
    CHECK(ReadIni(file.name, "LANGUAGE", "CurrentLanguage", "?") == "two  lines here");

    const std::string text = file.text();
    // Order of first writing is kept: later writes replace, they do not append.
    CHECK(text.find("Wizard") > text.find("nterface"));
    CHECK(text.find("ReadmeStart") > text.find("Wizard"));
    CHECK(text.find("Normal") == std::string::npos);
}
