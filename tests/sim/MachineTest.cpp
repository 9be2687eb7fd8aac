// The simulated machine itself: templates, persistence, fault marks, clock, stand-ins and state.
#include <doctest/doctest.h>

#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"
#include "support/TestMachine.h"
#include "support/sim/OtherMachine.h"

#include <cstdlib>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using testsupport::OtherMachine;

namespace {

std::string stringValue(RegKey root, const std::string& path, const std::string& name) {
    RegKey key = 0;
    if (regOpenKey(root, path, RegAccess::Read, key) != kOk) {
        return "<no key>";
    }
    std::uint32_t type = 0;
    std::string data;
    const Error error = regQueryValue(key, name, type, data);
    regCloseKey(key);
    return error == kOk ? data : "<no value>";
}

bool setString(RegKey root, const std::string& path, const std::string& name,
               const std::string& text) {
    RegKey key = 0;
    if (regCreateKey(root, path, key) != kOk) {
        return false;
    }
    const Error error = regSetValue(key, name, kRegSz, text + '\0');
    regCloseKey(key);
    return error == kOk;
}

} // namespace

TEST_CASE("the xp-sp2 template: folders, version, display and linked control set") {
    OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    CHECK(windowsDirectory() == "C:\\WINDOWS");
    CHECK(systemDirectory() == "C:\\WINDOWS\\system32");
    CHECK(tempPath() == "C:\\WINDOWS\\TEMP\\");
    CHECK(programFolder() == "C:\\Program Files\\Tarvex");
    std::uint32_t attributes = 0;
    CHECK(getAttributes(programFolder(), attributes) == kOk);
    CHECK(stringValue(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                      "ProgramFilesDir") == std::string("C:\\Program Files\0", 17));
    VersionInfo info;
    REQUIRE(getVersionInfo(true, info));
    CHECK(info.major == 5);
    CHECK(info.minor == 1);
    CHECK(info.build == 2600);
    CHECK(info.platformId == 2);
    CHECK(info.csdVersion == "Service Pack 2");
    CHECK(info.servicePackMajor == 2);
    CHECK(info.productType == 1);
    std::string device;
    CHECK(displayDeviceString(0, device));
    CHECK(device == "NVIDIA GeForce4 MX 440");
    CHECK_FALSE(displayDeviceString(1, device));

    // A value written through CurrentControlSet is the one in ControlSet001, and
    // HKEY_CURRENT_CONFIG is the current hardware profile.
    CHECK(setString(kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\nv", "x", "1"));
    CHECK(stringValue(kHkeyLocalMachine, "SYSTEM\\ControlSet001\\Services\\nv", "x") ==
          std::string("1\0", 2));
    CHECK(setString(kHkeyCurrentConfig, "Software", "y", "2"));
    CHECK(stringValue(kHkeyLocalMachine, "SYSTEM\\ControlSet001\\Hardware Profiles\\0001\\Software",
                      "y") == std::string("2\0", 2));
}

TEST_CASE("the wine8 template keeps CurrentControlSet as a key of its own") {
    OtherMachine machine("wine8");
    REQUIRE(machine.created);
    CHECK(windowsDirectory() == "C:\\windows");
    CHECK(setString(kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\nv", "x", "1"));
    RegKey key = 0;
    CHECK(regOpenKey(kHkeyLocalMachine, "SYSTEM\\ControlSet001", RegAccess::Read, key) ==
          kErrorFileNotFound);
}

TEST_CASE("the registry survives the process: saved to the machine folder and read back") {
    OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    const std::string binary = std::string("\x01\x00\xFF", 3);
    RegKey key = 0;
    REQUIRE(regCreateKey(kHkeyCurrentUser, "Software\\Keep\\Deep", key) == kOk);
    CHECK(regSetValue(key, "Bin", kRegBinary, binary) == kOk);
    CHECK(regSetValue(key, "Odd \"name\" \\ here", 0x1234, "raw\r\nbytes") == kOk);
    CHECK(regSetValue(key, "", kRegSz, std::string("line\r\nbreak\0", 12)) == kOk);
    sim::flushRegistry();
    // Selecting the machine again forgets the memory copy; the open handle finds its key again.
    sim::selectMachine(machine.folder + "/m");
    std::uint32_t type = 0;
    std::string data;
    CHECK(regQueryValue(key, "bin", type, data) == kErrorInvalidHandle);
    RegKey again = 0;
    REQUIRE(regOpenKey(kHkeyCurrentUser, "SOFTWARE\\KEEP\\deep", RegAccess::Read, again) == kOk);
    CHECK(regQueryValue(again, "BIN", type, data) == kOk);
    CHECK(type == kRegBinary);
    CHECK(data == binary);
    CHECK(regQueryValue(again, "odd \"NAME\" \\ here", type, data) == kOk);
    CHECK(type == 0x1234);
    CHECK(data == "raw\r\nbytes");
    CHECK(regQueryValue(again, "", type, data) == kOk);
    CHECK(data == std::string("line\r\nbreak\0", 12));
    regCloseKey(again);
}

TEST_CASE("fault marks: files in use, files, folders and keys denied") {
    testsupport::ScratchArea area;
    std::uint64_t length = 0;
    const std::string file = area.folder + "\\locked.dll";
    REQUIRE(writeFile(file, "x") == kOk);
    REQUIRE(sim::markInUse(file, true));
    CHECK(deleteFile(file) == kErrorSharingViolation);
    std::string bytes;
    CHECK(readFile(file, bytes) == kErrorSharingViolation);
    REQUIRE(sim::markInUse(file, false));
    REQUIRE(sim::markAccessDenied(file, true));
    CHECK(deleteFile(file) == kErrorAccessDenied);
    CHECK(writeFile(file, "y") == kErrorAccessDenied);
    REQUIRE(sim::markAccessDenied(file, false));
    CHECK(deleteFile(file) == kOk);

    // A denied folder refuses every change inside it, as an inherited access list does.
    const std::string folder = area.folder + "\\Guarded";
    REQUIRE(createFolder(folder) == kOk);
    REQUIRE(writeFile(folder + "\\old.dll", "x") == kOk);
    REQUIRE(writeFile(area.folder + "\\new.dll", "x") == kOk);
    REQUIRE(sim::markAccessDenied(folder, true));
    CHECK(writeFile(folder + "\\added.dll", "y") == kErrorAccessDenied);
    CHECK(appendFile(folder + "\\old.dll", "y") == kErrorAccessDenied);
    CHECK(deleteFile(folder + "\\old.dll") == kErrorAccessDenied);
    CHECK(createFolder(folder + "\\Sub") == kErrorAccessDenied);
    CHECK(shellCopy(area.folder + "\\new.dll", folder, false).result != kOk);
    CHECK(deleteTree(folder).error == kErrorAccessDenied);
    REQUIRE(sim::markAccessDenied(folder, false));
    CHECK(fileLength(folder + "\\added.dll", length) != kOk);
    CHECK(deleteTree(folder).error == kOk);

    RegKey key = 0;
    REQUIRE(regCreateKey(kHkeyCurrentUser, area.regKey + "\\Guarded\\Leaf", key) == kOk);
    regCloseKey(key);
    const std::string guarded = "HKEY_CURRENT_USER\\" + area.regKey + "\\Guarded\\Leaf";
    REQUIRE(sim::markAccessDenied(guarded, true));
    CHECK(regOpenKey(kHkeyCurrentUser, area.regKey + "\\Guarded\\Leaf", RegAccess::AllAccess,
                     key) == kErrorAccessDenied);
    CHECK(regDeleteKey(kHkeyCurrentUser, area.regKey + "\\Guarded\\Leaf") == kErrorAccessDenied);
    REQUIRE(regOpenKey(kHkeyCurrentUser, area.regKey + "\\Guarded\\Leaf", RegAccess::Default,
                       key) == kOk);
    CHECK(regSetValue(key, "v", kRegSz, std::string("1\0", 2)) == kErrorAccessDenied);
    regCloseKey(key);
    REQUIRE(sim::markAccessDenied(guarded, false));
    CHECK(regDeleteKey(kHkeyCurrentUser, area.regKey + "\\Guarded\\Leaf") == kOk);
}

TEST_CASE("fault marks hold whatever spelling or short alias names the entry") {
    testsupport::ScratchArea area;
    const std::string folder = area.folder + "\\Guarded Folder";
    REQUIRE(createFolder(folder) == kOk);
    REQUIRE(createFolder(folder + "\\Inner") == kOk);
    REQUIRE(writeFile(folder + "\\Inner\\locked.dll", "x") == kOk);
    REQUIRE(writeFile(area.folder + "\\moved.dll", "x") == kOk);
    LocalTime time{2004, 5, 6, 7, 8, 10};
    for (const std::string& spelling :
         {folder, area.folder + "\\GUARDED FOLDER", area.folder + "\\guarde~1"}) {
        CAPTURE(spelling);
        const std::string locked = spelling + "\\INNER\\Locked.DLL";
        REQUIRE(sim::markInUse(folder + "\\Inner\\locked.dll", true));
        std::string bytes;
        CHECK(readFile(locked, bytes) == kErrorSharingViolation);
        CHECK(setFileTime(locked, time) == kErrorSharingViolation);
        REQUIRE(sim::markInUse(folder + "\\Inner\\locked.dll", false));
        CHECK(readFile(locked, bytes) == kOk);

        REQUIRE(sim::markAccessDenied(folder, true));
        CHECK(writeFile(spelling + "\\Inner\\added.dll", "y") == kErrorAccessDenied);
        CHECK(createFolder(spelling + "\\Sub") == kErrorAccessDenied);
        CHECK(deleteFile(locked) == kErrorAccessDenied);
        CHECK(setAttributes(locked, kAttrHidden) == kErrorAccessDenied);
        CHECK(moveFileReplacing(area.folder + "\\moved.dll", spelling + "\\moved.dll") ==
              kErrorAccessDenied);
        REQUIRE(sim::markAccessDenied(folder, false));
        CHECK(createFolder(spelling + "\\Sub") == kOk);
        CHECK(removeFolder(spelling + "\\sub") == kOk);
    }
}

TEST_CASE("a deleted key's open handles report it deleted") {
    testsupport::ScratchArea area;
    RegKey key = 0;
    REQUIRE(regCreateKey(kHkeyCurrentUser, area.regKey + "\\Gone", key) == kOk);
    REQUIRE(regDeleteKey(kHkeyCurrentUser, area.regKey + "\\Gone") == kOk);
    std::string name;
    CHECK(regEnumKey(key, 0, name) == kErrorKeyDeleted);
    CHECK(regSetValue(key, "v", kRegDword, std::string(4, '\0')) == kErrorKeyDeleted);
    CHECK(regCloseKey(key) == kOk);
    CHECK(regCloseKey(key) == kErrorInvalidHandle);
}

TEST_CASE("clock, version refusal and other instances come from the machine's settings") {
    OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    REQUIRE(sim::setClock(LocalTime{2026, 12, 7, 10, 15, 30}));
    const LocalTime now = localTime();
    CHECK(now.year == 2026);
    CHECK(now.month == 12);
    CHECK(now.day == 7);
    CHECK(now.hour == 10);
    CHECK(now.minute == 15);
    CHECK(now.second == 30);

    REQUIRE(sim::setSetting("Version", "Extended", "No"));
    VersionInfo info;
    CHECK_FALSE(getVersionInfo(true, info));
    CHECK(getVersionInfo(false, info));
    VersionCheck anyVersion;
    anyVersion.major = 0;
    CHECK_FALSE(versionSatisfies(anyVersion, VersionCompare::GreaterOrEqual));

    // Another process claims the name first; asking for it then finds that process. The child
    // holds the name until it is killed, so nothing depends on which pipe ends it inherited.
    int ready[2];
    REQUIRE(pipe(ready) == 0);
    const pid_t child = fork();
    if (child == 0) {
        char byte = anotherInstanceRunning("SimTestOne") ? 'y' : 'n';
        (void)!write(ready[1], &byte, 1);
        for (;;) {
            pause();
        }
    }
    char answer = 0;
    REQUIRE(read(ready[0], &answer, 1) == 1);
    CHECK(answer == 'n');
    CHECK(anotherInstanceRunning("simtestone"));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    close(ready[1]);
    // Once that process has ended the name is free, and this process keeps it.
    CHECK_FALSE(anotherInstanceRunning("SimTestOne"));
    CHECK_FALSE(anotherInstanceRunning("SimTestOne"));
    REQUIRE(sim::setSetting("Simulation", "OtherInstance", "Yes"));
    CHECK(anotherInstanceRunning("SimTestTwo"));
}

TEST_CASE("version checks compare major, minor and service pack as one number") {
    // The machine is 5.1 with service pack 2.0.
    struct Row {
        std::int32_t major;
        std::int32_t minor;
        std::int32_t spMajor;
        std::uint8_t condition;
        bool expected;
    };
    const Row rows[] = {
        {5, 1, 2, 3, true},  {5, 0, 9, 3, true}, {5, 2, 0, 3, false}, {4, 9, 9, 3, true},
        {5, 1, 3, 3, false}, {5, 1, 2, 1, true}, {5, 1, 1, 2, true},  {6, 0, 0, 4, true},
        {5, 1, 2, 4, false}, {5, 1, 2, 5, true},
    };
    for (const Row& row : rows) {
        CAPTURE(row.major);
        CAPTURE(row.minor);
        CAPTURE(row.spMajor);
        CAPTURE(static_cast<int>(row.condition));
        VersionCheck check;
        check.major = row.major;
        check.minor = row.minor;
        check.servicePackMajor = row.spMajor;
        CHECK(versionSatisfies(check, static_cast<VersionCompare>(row.condition)) == row.expected);
    }
}

TEST_CASE("shell requests are recorded in the machine folder") {
    OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    CHECK(shellOpen("mailto:support@example.com?subject=Tarvex Support") == kOk);
    CHECK(sim::machineState().find("[shell]\nopen mailto:support@example.com?subject=Tarvex "
                                   "Support\n") != std::string::npos);
}

TEST_CASE("the machine state lists files with attributes, sizes and hashes in order") {
    OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    REQUIRE(sim::plantFile("C:\\WINDOWS\\inf\\oem5.inf", "abc", kAttrReadOnly | kAttrArchive));
    REQUIRE(sim::plantFile("c:\\windows\\INF\\Oem1.PNF", "", kAttrHidden));
    REQUIRE(sim::plantFolder("C:\\Hidden Dir", kAttrHidden | kAttrSystem));
    const std::string state = sim::machineState();
    const std::string files =
        state.substr(state.find("[files]"), state.find("[registry]") - state.find("[files]"));
    CHECK(files == "[files]\n"
                   "D C:\n"
                   "D C:\\Hidden Dir -HS-\n"
                   "D C:\\Program Files ----\n"
                   "D C:\\Program Files\\Tarvex ----\n"
                   "D C:\\WINDOWS ----\n"
                   "D C:\\WINDOWS\\inf ----\n"
                   "F C:\\WINDOWS\\inf\\Oem1.PNF -H-- 0 cbf29ce484222325\n"
                   "F C:\\WINDOWS\\inf\\oem5.inf R--A 3 e71fa2190541574b\n"
                   "D C:\\WINDOWS\\system32 ----\n"
                   "D C:\\WINDOWS\\TEMP ----\n");
    CHECK(state.find("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet]\n;link="
                     "HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\n") != std::string::npos);
}

TEST_CASE("a registry link back into its own path ends every walk of the registry") {
    OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    std::string problem;
    REQUIRE_MESSAGE(sim::importRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Loop]\r\n"
                                        "\"v\"=\"1\"\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Loop\\Back]\r\n"
                                        ";link=HKEY_CURRENT_USER\\Software\\Loop\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Loop\\Self]\r\n"
                                        ";link=HKEY_CURRENT_USER\\Software\\Loop\\Self\r\n",
                                        problem),
                    problem);
    CHECK(sim::machineState().find("[HKEY_CURRENT_USER\\Software\\Loop\\Back]") !=
          std::string::npos);
    std::string text;
    REQUIRE(sim::exportRegistry("HKEY_CURRENT_USER\\Software\\Loop", text));
    CHECK(text.find("[HKEY_CURRENT_USER\\Software\\Loop\\Back]\r\n\r\n") != std::string::npos);
}
