// The regedit stand-in started as the program starts the registry editor: export, silent import,
// and the quirks of unquoted command lines.
#include <doctest/doctest.h>

#include "platform/Platform.h"
#include "support/TestMachine.h"

#include <string>

using namespace platform;

namespace {

std::string fileText(const std::string& path) {
    std::string bytes;
    return readFile(path, bytes) == kOk ? bytes : std::string("<missing>");
}

bool hasKey(const std::string& path) {
    RegKey key = 0;
    if (regOpenKey(kHkeyCurrentUser, path, RegAccess::Read, key) != kOk) {
        return false;
    }
    regCloseKey(key);
    return true;
}

std::uint32_t run(const std::string& commandLine) {
    std::uint32_t exitCode = 12345;
    REQUIRE(startAndWait(commandLine, kShowHidden, &exitCode) == kOk);
    return exitCode;
}

// A key "NVIDIA Corporation" with a subkey and typed values below the scratch key.
std::string plantVendorKey(const testsupport::ScratchArea& area) {
    const std::string vendor = area.regKey + "\\NVIDIA Corporation";
    RegKey key = 0;
    REQUIRE(regCreateKey(kHkeyCurrentUser, vendor + "\\Global", key) == kOk);
    CHECK(regSetValue(key, "Text", kRegSz, std::string("C:\\Path \"q\"\0", 12)) == kOk);
    CHECK(regSetValue(key, "Number", kRegDword, std::string("\x2A\0\0\0", 4)) == kOk);
    CHECK(regSetValue(key, "Blob", kRegBinary, std::string(100, '\x7F')) == kOk);
    CHECK(regSetValue(key, "", kRegExpandSz, std::string("%SystemRoot%\0", 13)) == kOk);
    regCloseKey(key);
    return vendor;
}

} // namespace

TEST_CASE("regedit exports a key with everything below it and imports it back") {
    testsupport::ScratchArea area;
    const std::string vendor = plantVendorKey(area);
    const std::string file = area.folder + "\\Global 1.dat";
    CHECK(run("regedit.exe /e \"" + file + "\" \"HKEY_CURRENT_USER\\" + vendor + "\"") == 0);
    const std::string text = fileText(file);
    CHECK(text.rfind("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + vendor +
                         "]\r\n\r\n[HKEY_CURRENT_USER\\" + vendor + "\\Global]\r\n",
                     0) == 0);
    CHECK(text.find("\"Text\"=\"C:\\\\Path \\\"q\\\"\"\r\n") != std::string::npos);
    CHECK(text.find("\"Number\"=dword:0000002a\r\n") != std::string::npos);

    RegKey key = 0;
    REQUIRE(regOpenKey(kHkeyCurrentUser, vendor, RegAccess::AllAccess, key) == kOk);
    CHECK(regDeleteKey(key, "Global") == kOk);
    regCloseKey(key);
    CHECK(regDeleteKey(kHkeyCurrentUser, vendor) == kOk);
    CHECK(run("Regedit /S \"" + file + "\"") == 0);
    REQUIRE(regOpenKey(kHkeyCurrentUser, vendor + "\\Global", RegAccess::Read, key) == kOk);
    std::uint32_t type = 0;
    std::string data;
    CHECK(regQueryValue(key, "blob", type, data) == kOk);
    CHECK(data == std::string(100, '\x7F'));
    CHECK(regQueryValue(key, "", type, data) == kOk);
    CHECK(type == kRegExpandSz);
    CHECK(data == std::string("%SystemRoot%\0", 13));
    regCloseKey(key);
}

TEST_CASE("regedit's silent import deletes keys and values marked with a minus") {
    testsupport::ScratchArea area;
    const std::string vendor = plantVendorKey(area);
    const std::string script = area.folder + "\\fix.reg";
    REQUIRE(writeFile(script, "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\" + vendor +
                                  "]\r\n\r\n[HKEY_CURRENT_USER\\" + area.regKey +
                                  "\\New]\r\n\"Kept\"=\"1\"\r\n\"Gone\"=\"2\"\r\n\"gone\"=-\r\n") ==
            kOk);
    CHECK(run("regedit -s " + script) == 0);
    CHECK_FALSE(hasKey(vendor));
    RegKey key = 0;
    REQUIRE(regOpenKey(kHkeyCurrentUser, area.regKey + "\\New", RegAccess::Read, key) == kOk);
    std::string name;
    std::uint32_t type = 0;
    std::string data;
    CHECK(regEnumValue(key, 0, name, type, data) == kOk);
    CHECK(name == "Kept");
    CHECK(regEnumValue(key, 1, name, type, data) == kErrorNoMoreItems);
    regCloseKey(key);
}

TEST_CASE("regedit ends with 0 whatever went wrong, and takes unquoted words as more exports") {
    testsupport::ScratchArea area;
    const std::string vendor = plantVendorKey(area);
    // A missing import file and a short root name do nothing.
    CHECK(run("regedit /s " + area.folder + "\\none.reg") == 0);
    CHECK(run("regedit /e \"" + area.folder + "\\short.dat\" HKCU\\" + vendor) == 0);
    CHECK(fileText(area.folder + "\\short.dat") == "<missing>");

    // Unquoted, "NVIDIA Corporation" falls apart: the key NVIDIA does not exist, and the word
    // Corporation becomes a file in the current folder holding the whole registry.
    const std::string stray = programFolder() + "\\Corporation";
    CHECK(run("regedit /e \"" + area.folder + "\\x.dat\" HKEY_CURRENT_USER\\" + vendor) == 0);
    CHECK(fileText(area.folder + "\\x.dat") == "<missing>");
    const std::string whole = fileText(stray);
    CHECK(whole.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]") !=
          std::string::npos);
    CHECK(deleteFile(stray) == kOk);

    // With everything quoted the same export works.
    CHECK(run("regedit /e \"" + area.folder + "\\x.dat\" \"HKEY_CURRENT_USER\\" + vendor + "\"") ==
          0);
    CHECK(fileText(area.folder + "\\x.dat").find("[HKEY_CURRENT_USER\\" + vendor + "\\Global]") !=
          std::string::npos);
}
