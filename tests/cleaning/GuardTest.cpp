// The guard of the cleaning engine: what no configuration line may take, judged on the path the
// file operations really touch, and the registry structure no line or search hit may delete.
#include <doctest/doctest.h>

#include "base/General.h"
#include "base/Registry.h"
#include "cleaning/Engine.h"
#include "cleaning/Guard.h"
#include "packs/Configuration.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "support/TestMachine.h"
#include "testkit/Sentinels.h"

#include <string>
#include <vector>

namespace {

struct Machine {
    std::string windows = GetWindowsFolder();
    std::string system = GetSystemFolder();
    std::string drive = windows.substr(0, 2);
    std::string windowsName = windows.substr(3);
    std::string programFiles = GetProgramFilesFolder();
    std::string program = platform::programFolder();
};

bool keyExists(std::uint64_t root, const std::string& path) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(root, path, platform::RegAccess::Read, key) != platform::kOk) {
        return false;
    }
    platform::regCloseKey(key);
    return true;
}

void createKey(std::uint64_t root, const std::string& path) {
    platform::RegKey key = 0;
    REQUIRE(platform::regCreateKey(root, path, key) == platform::kOk);
    platform::regCloseKey(key);
}

} // namespace

TEST_CASE("the guard judges the path the file operations resolve, and what a pattern matches") {
    const Machine m;
    REQUIRE(!m.programFiles.empty());
    struct Row {
        std::string path;
        PathVerdict verdict;
    };
    const Row rows[] = {
        {m.windows, PathVerdict::Protected},
        {m.windows + "\\", PathVerdict::Protected},
        {m.windows + "\\system32\\..", PathVerdict::Protected},
        {m.windows + "\\..", PathVerdict::Protected},
        {m.drive + "\\..\\" + m.windowsName + "\\system32", PathVerdict::Protected},
        {m.drive + "\\", PathVerdict::Protected},
        {m.drive + "\\" + m.windowsName + ". ", PathVerdict::Protected},
        {m.drive + "\\*", PathVerdict::Protected},
        {m.drive + "\\Win*.*", PathVerdict::Protected}, // "name.*" also matches names without a dot
        {m.drive + "\\" + m.windowsName.substr(0, 3) + "*", PathVerdict::Protected},
        {m.windows + "\\*.*", PathVerdict::Protected},
        {m.windows + "\\*.dll", PathVerdict::Protected},
        {m.system + "\\?v*.sys", PathVerdict::Protected},
        {m.system + "\\drivers\\*.sys", PathVerdict::Protected},
        {m.windows + "\\Inf", PathVerdict::Protected},
        {m.windows + "\\Fonts", PathVerdict::Protected},
        {m.system, PathVerdict::Protected},
        {m.programFiles, PathVerdict::Protected},
        {m.drive + "\\Program Files (x86)", PathVerdict::Protected},
        {m.windows + "\\SysWOW64", PathVerdict::Protected},
        {m.windows + "\\SysWOW64\\*.dll", PathVerdict::Protected},
        {m.program, PathVerdict::Protected},
        {m.program + "\\Backup", PathVerdict::Protected},
        {m.program + "\\Log\\x.log", PathVerdict::Protected},
        {m.program + "\\Backup\\05*", PathVerdict::Protected},
        {m.programFiles + "\\NVIDIA Corporation", PathVerdict::Allowed},
        {m.windows + "\\nv*.dll", PathVerdict::Allowed},
        {m.windows + "\\SysWOW64\\nv*.dll", PathVerdict::Allowed},
        {m.system + "\\drivers\\nv4_mini.sys", PathVerdict::Allowed},
        {m.windows + "\\Inf\\oem*.inf", PathVerdict::Allowed},
        {m.windows + "\\nview", PathVerdict::Allowed},
        {m.windows + "\\...\\system32", PathVerdict::Unresolvable},
        {m.windows + "\\.. \\system32\\x.dll", PathVerdict::Unresolvable},
        {m.windows + ".\\system32", PathVerdict::Unresolvable},
        {m.drive + m.windowsName + "\\system32", PathVerdict::Unresolvable},
        {"\\" + m.windowsName + "\\system32", PathVerdict::Unresolvable},
        {"\\\\server\\share\\x", PathVerdict::Unresolvable},
        {m.windows + "\\nul", PathVerdict::Unresolvable},
    };
    for (const Row& row : rows) {
        CAPTURE(row.path);
        CHECK(CheckPath(row.path) == row.verdict);
    }
    // A short name of a protected folder is the folder: the guard compares long names.
    std::string alias;
    if (platform::resolvePath(m.drive + "\\PROGRA~1", false, alias) == platform::kOk &&
        alias == m.programFiles) {
        CHECK(CheckPath(m.drive + "\\PROGRA~1") == PathVerdict::Protected);
        CHECK(CheckPath(m.drive + "\\PROGRA~1\\..\\" + m.windowsName) == PathVerdict::Protected);
    }
}

TEST_CASE("hostile file and folder lines leave every protected folder and its files in place") {
    const Machine m;
    const std::vector<std::string> folders = testkit::GuardedFolders();
    const std::vector<std::string> unplanted = testkit::PlantSentinels(folders);
    INFO("not planted: " << (unplanted.empty() ? std::string() : unplanted.front()));
    REQUIRE(unplanted.empty());
    const std::string pf = "\\Program Files";
    const std::vector<std::pair<const char*, std::string>> lines = {
        {"[FILES]", "\\...\\system32\\*.*"},
        {"[FILES]", "\\system32\\*.*"},
        {"[FILES]", "\\*.*"},
        {"[FILES]", "\\..\\*"},
        {"[FILES]", "\\.. \\*"},
        {"[FILES]", "\\Inf\\*"},
        {"[FILES]", "\\Help\\?*"},
        {"[SYSTEMFILES]", "\\..\\*.*"},
        {"[SYSTEMFILES]", "\\drivers\\*"},
        {"[SYSTEMFILES]", "\\..\\..\\*"},
        {"[SYSTEMFILES]", "\\*.dll"},
        {"[DIRECTORY]", m.windowsName + "\\system32"},
        {"[DIRECTORY]", "x\\..\\" + m.windowsName},
        {"[DIRECTORY]", "Program Files\\Tarvex\\Backup"},
        {"[DIRECTORY]", "\\" + m.windowsName + "\\...\\system32"},
        {"[DIRECTORY]", pf + "\\..."},
        {"[DIRECTORY]", pf + "\\..\\" + m.windowsName},
        {"[DIRECTORY]", "\\..\\" + m.windowsName + "\\system32"},
        {"[DIRECTORY]", "\\Win*.*"},
        {"[DIRECTORY]", "\\" + m.windowsName},
        {"[DIRECTORY]", "\\*"},
        {"[DIRECTORY]", "\\"},
        {"[DIRECTORY]", pf},
        {"[DIRECTORY]", pf + " (x86)"},
        {"[DIRECTORY]", "\\PROGRA~1"},
    };
    for (const auto& entry : lines) {
        CAPTURE(entry.first);
        CAPTURE(entry.second);
        testkit::RunFileLine(entry.first, entry.second);
        CHECK(testkit::MissingSentinels(folders).empty());
    }
    testkit::RemoveSentinels(folders);
}

TEST_CASE("registry structure is refused, what a vendor put below it is not") {
    struct Row {
        const char* root;
        const char* key;
        bool guarded;
    };
    const Row rows[] = {
        {"HKEY_LOCAL_MACHINE", "SOFTWARE", true},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\\\", true},
        {"hkey_local_machine", "software\\microsoft\\windows\\currentversion\\run", true},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\OpenGLDrivers",
         true},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\DirectDraw", true},
        {"HKEY_LOCAL_MACHINE",
         "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}", true},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\ControlSet001\\Control\\Video", true},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Services", true},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Services\\EventLog\\System", true},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Services\\Class\\Display", true},
        {"HKEY_LOCAL_MACHINE", "HARDWARE\\DEVICEMAP\\VIDEO", true},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes", true},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes\\CLSID", true},
        {"HKEY_LOCAL_MACHINE",
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\"
         "PropertySheetHandlers",
         true},
        {"HKEY_CLASSES_ROOT", "CLSID", true},
        {"HKEY_CLASSES_ROOT", "*", true},
        {"HKEY_CLASSES_ROOT", "Directory\\Background\\shellex\\ContextMenuHandlers", true},
        {"HKEY_CLASSES_ROOT", "exefile", true},
        {"HKEY_CLASSES_ROOT", ".dll", true},
        {"HKEY_CURRENT_USER", "Software", true},
        {"HKEY_CURRENT_USER", "Environment", true},
        {"HKEY_CURRENT_USER", "Control Panel\\Desktop", true},
        {"HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true},
        {"HKEY_USERS", ".DEFAULT", true},
        {"HKEY_USERS", ".DEFAULT\\Environment", true},
        {"HKEY_USERS", ".DEFAULT\\Software\\Microsoft", true},
        {"HKEY_CURRENT_CONFIG", "System\\CurrentControlSet\\Control", true},
        {"HKEY_DYN_DATA", "Config Manager\\Enum", true},
        {"HKEY_CURRENT_USER", "Software\\..\\Environment", true},
        {"HKEY_NOWHERE", "Software\\ATI", true},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Control\\Video\\{23A77BF7}", false},
        {"HKEY_LOCAL_MACHINE",
         "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000",
         false},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Services\\nv", false},
        {"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Services\\EventLog\\System\\nvsvc",
         false},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\NVIDIA Corporation", false},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak", false},
        {"HKEY_LOCAL_MACHINE",
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NVIDIA Drivers", false},
        {"HKEY_LOCAL_MACHINE",
         "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\OpenGLDrivers\\RIVATNT", false},
        {"HKEY_LOCAL_MACHINE",
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\"
         "PropertySheetHandlers\\NVIDIA CPL Extension",
         false},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes\\NvCpl.Document", false},
        {"HKEY_CLASSES_ROOT", "CLSID\\{3D1975AF-48C6-4f8e-A182-BE0E08FA86A9}", false},
        {"HKEY_CLASSES_ROOT", "ATI.ACE", false},
        {"HKEY_CLASSES_ROOT", ".tvp", false},
        {"HKEY_CLASSES_ROOT", "Directory\\Background\\shellex\\ContextMenuHandlers\\NvCplDesktop",
         false},
        {"HKEY_CURRENT_USER", "Software\\ATI", false},
        {"HKEY_CURRENT_USER", "Software\\Classes\\NvCpl.Document", false},
        {"HKEY_USERS", ".DEFAULT\\Software\\Matrox Graphics", false},
        {"HKEY_CURRENT_CONFIG", "System\\CurrentControlSet\\Services\\nv\\Device0", false},
    };
    for (const Row& row : rows) {
        CAPTURE(row.root);
        CAPTURE(row.key);
        CHECK(IsProtectedKey(row.root, row.key) == row.guarded);
    }
}

TEST_CASE("structure keys stay through the section cleaner, and search hits below a class key go "
          "without it") {
    testsupport::ScratchArea area;
    // Keys directly below a root and Windows' containers: refused with or without a backup.
    createKey(platform::kHkeyCurrentUser, "Environment");
    createKey(platform::kHkeyCurrentUser, "Control Panel\\Desktop");
    for (const bool backup : {false, true}) {
        RunContext context;
        context.backupReg = backup;
        context.configurationName = "TvxGuardTest";
        CleanRegSection(context, "HKEY_CURRENT_USER\\Environment");
        CleanRegSection(context, "HKEY_CURRENT_USER\\Control Panel\\Desktop");
        CleanRegSection(context, "HKEY_CURRENT_USER\\Control Panel");
        CHECK(keyExists(platform::kHkeyCurrentUser, "Environment"));
        CHECK(keyExists(platform::kHkeyCurrentUser, "Control Panel\\Desktop"));
    }

    // A vendor's ProgID at the first level of the classes root goes like any vendor key.
    createKey(platform::kHkeyClassesRoot, "TvxVendor.Document\\shell\\open\\command");
    RunContext vendor;
    CleanRegSection(vendor, "HKEY_CLASSES_ROOT\\TvxVendor.Document");
    CHECK_FALSE(keyExists(platform::kHkeyClassesRoot, "TvxVendor.Document"));

    // The ATI capture driver's key below an adapter's class key: trimming would name the class
    // key itself, so the hit is recorded as found.
    const std::string classKey =
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{7E57C1A5-0000-0000-0000-000000000001}";
    const std::string hit = classKey + "\\0000\\ATI WDM Configurations";
    createKey(platform::kHkeyLocalMachine, hit);
    createKey(platform::kHkeyLocalMachine, classKey + "\\0000\\Settings");
    RunContext context;
    context.configurationName = "TvxGuardTest";
    const std::string companion = platform::programFolder() + "\\TvxGuardTest.txr";
    platform::deleteFile(companion);
    CHECK(cReg_SearchFound(context, "HKEY_LOCAL_MACHINE", hit, "*") == 0);
    CHECK(cReg_SearchFound(context, "HKEY_LOCAL_MACHINE", classKey, "*") == 0);
    CHECK(cReg_SearchFound(context, "HKEY_CURRENT_USER",
                           area.regKey + "\\x\\0000\\ATI WDM Configurations", "*") == 0);
    CHECK(ReadTextFile(companion) ==
          "HKEY_LOCAL_MACHINE\\" + hit + "\r\nHKEY_CURRENT_USER\\" + area.regKey + "\\x\r\n");
    RunCompanionFile(EngineSections(context), companion);
    CHECK_FALSE(keyExists(platform::kHkeyLocalMachine, hit));
    CHECK(keyExists(platform::kHkeyLocalMachine, classKey + "\\0000\\Settings"));
    DeleteSubKeys(platform::kHkeyLocalMachine, classKey);
    DeleteKey(platform::kHkeyLocalMachine, classKey);
}
