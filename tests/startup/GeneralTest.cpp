// Existence tests, text reading and system folders with the attribute rules the cleaning relies on.
#include <doctest/doctest.h>

#include "base/General.h"
#include "base/Registry.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "support/TestMachine.h"

#include <string>

namespace {

void plant(const std::string& path, std::uint32_t attributes, const std::string& content = "x") {
    REQUIRE(platform::writeFile(path, content) == platform::kOk);
    if (attributes != 0) {
        REQUIRE(platform::setAttributes(path, attributes) == platform::kOk);
    }
}

} // namespace

TEST_CASE("existence tests see files by their attributes") {
    testsupport::ScratchArea area;
    const std::string dir = area.folder;
    plant(dir + "\\plain.dll", 0);
    plant(dir + "\\readonly.dll", platform::kAttrReadOnly);
    plant(dir + "\\hidden.dll", platform::kAttrHidden);
    plant(dir + "\\system.dll", platform::kAttrSystem);
    REQUIRE(platform::createFolder(dir + "\\Folder") == platform::kOk);
    REQUIRE(platform::createFolder(dir + "\\HiddenFolder") == platform::kOk);
    REQUIRE(platform::setAttributes(dir + "\\HiddenFolder", platform::kAttrHidden) ==
            platform::kOk);

    struct Row {
        const char* name;
        bool file;
        bool visibleFile;
        bool folder;
    };
    const Row rows[] = {
        {"plain.dll", true, true, true}, // an ordinary file also counts as a folder
        {"readonly.dll", true, true, true},
        {"hidden.dll", true, false, false},
        {"system.dll", true, false, false},
        {"PLAIN.DLL", true, true, true},
        {"missing.dll", false, false, false},
        {"Folder", false, false, true},
        {"HiddenFolder", false, false, false},
        {"*.dll", false, true, true}, // patterns only where the rule allows them
        {"h*.dll", false, false, false},
        {"?lain.dll", false, true, true},
        {"Fold*", false, false, true},
        {"Folder\\", false, false, true}, // a trailing backslash still names the folder
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        const std::string path = dir + "\\" + row.name;
        CHECK(FileExists(path) == row.file);
        CHECK(VisibleFileExists(path) == row.visibleFile);
        CHECK(FolderExists(path) == row.folder);
    }
    CHECK_FALSE(VisibleFileExists(dir + "\\nofolder\\plain.dll"));
    CHECK_FALSE(FolderExists("Q:\\nodrive\\x"));
    CHECK_FALSE(FolderExists("Q:\\"));
    CHECK(FolderExists(dir.substr(0, 3)));
    CHECK(FolderExists(dir.substr(0, 2)));
    platform::setAttributes(dir + "\\readonly.dll", platform::kAttrNormal);
}

TEST_CASE("ReadTextFile returns the whole file or nothing") {
    testsupport::ScratchArea area;
    const std::string text = "[FILES]\r\n\\inf\\oem5.inf\r\nlast line without end";
    plant(area.folder + "\\config.txt", 0, text);
    plant(area.folder + "\\empty.txt", 0, "");
    CHECK(ReadTextFile(area.folder + "\\config.txt") == text);
    CHECK(ReadTextFile(area.folder + "\\empty.txt").empty());
    CHECK(ReadTextFile(area.folder + "\\missing.txt").empty());
}

TEST_CASE("system folders follow their trailing-backslash rules") {
    const std::string windows = GetWindowsFolder();
    const std::string system = GetSystemFolder();
    const std::string temp = GetTempFolder();
    REQUIRE(windows.size() > 3);
    REQUIRE(system.size() > windows.size());
    CHECK(windows.back() != '\\');
    CHECK(system.back() != '\\');
    CHECK(temp.back() == '\\');
    CHECK(FolderExists(windows));
    CHECK(FolderExists(system));
}

TEST_CASE("GetProgramFilesFolder reads ProgramFilesDir and is empty without it") {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion";
    const std::string stored = ReadRegString(platform::kHkeyLocalMachine, key, "ProgramFilesDir");
    REQUIRE_FALSE(stored.empty());
    CHECK(GetProgramFilesFolder() == stored);
    CHECK(FolderExists(stored));

    platform::RegKey opened = 0;
    REQUIRE(platform::regOpenKey(platform::kHkeyLocalMachine, key, platform::RegAccess::AllAccess,
                                 opened) == platform::kOk);
    // Not a plain string: treated as missing.
    REQUIRE(platform::regSetValue(opened, "ProgramFilesDir", platform::kRegExpandSz,
                                  stored + std::string(1, '\0')) == platform::kOk);
    CHECK(GetProgramFilesFolder().empty());
    REQUIRE(platform::regDeleteValue(opened, "ProgramFilesDir") == platform::kOk);
    CHECK(GetProgramFilesFolder().empty());
    REQUIRE(platform::regSetValue(opened, "ProgramFilesDir", platform::kRegSz,
                                  stored + std::string(1, '\0')) == platform::kOk);
    platform::regCloseKey(opened);
    CHECK(GetProgramFilesFolder() == stored);
}

TEST_CASE("RootKeyFromName knows the seven full names in any case and nothing else") {
    CHECK(RootKeyFromName("HKEY_CLASSES_ROOT") == 0x80000000u);
    CHECK(RootKeyFromName("hkey_local_machine") == 0x80000002u);
    CHECK(RootKeyFromName("HKEY_Dyn_Data") == 0x80000006u);
    CHECK(RootKeyFromName("HKLM") == 0u);
    CHECK(RootKeyFromName("HKEY_LOCAL_MACHINE ") == 0u);
    CHECK(RootKeyFromName("") == 0u);
}
