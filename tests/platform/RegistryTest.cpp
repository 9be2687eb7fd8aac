// Registry services on both machines: keys, values, their order, types and failures.
#include "platform/Registry.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace platform;
using Names = std::vector<std::string>;

namespace {

// The test's own key below HKEY_CURRENT_USER, opened with full access for the test's life.
struct KeyArea {
    testsupport::ScratchArea area;
    RegKey key = 0;

    KeyArea() {
        REQUIRE(regOpenKey(kHkeyCurrentUser, area.regKey, RegAccess::AllAccess, key) == kOk);
    }
    ~KeyArea() { regCloseKey(key); }
};

Names subkeyNames(RegKey key) {
    Names result;
    std::string name;
    for (std::uint32_t index = 0; regEnumKey(key, index, name) == kOk; ++index) {
        result.push_back(name);
    }
    return result;
}

Names valueNames(RegKey key) {
    Names result;
    std::string name;
    std::uint32_t type = 0;
    std::string data;
    for (std::uint32_t index = 0; regEnumValue(key, index, name, type, data) == kOk; ++index) {
        result.push_back(name);
    }
    return result;
}

void createKey(RegKey parent, const std::string& subKey) {
    RegKey key = 0;
    REQUIRE(regCreateKey(parent, subKey, key) == kOk);
    CHECK(regCloseKey(key) == kOk);
}

} // namespace

TEST_CASE("keys are made with every missing key on the way and listed without regard to case") {
    KeyArea area;
    // Names between "Z" and "a" ("_" and the like) are left out: Wine orders them after the
    // lower-case comparison and Windows after the upper-case one.
    for (const char* name : {"beta", "Alpha", "gamma", "Zeta", "delta2", "ALPHA2"}) {
        createKey(area.key, name);
    }
    createKey(area.key, "New\\Deeper\\Deepest");
    CHECK(subkeyNames(area.key) ==
          Names{"Alpha", "ALPHA2", "beta", "delta2", "gamma", "New", "Zeta"});

    RegKey deep = 0;
    REQUIRE(regOpenKey(area.key, "NEW\\deeper", RegAccess::Read, deep) == kOk);
    CHECK(subkeyNames(deep) == Names{"Deepest"});
    CHECK(regCloseKey(deep) == kOk);

    // Creating an existing key opens it.
    RegKey again = 0;
    REQUIRE(regCreateKey(area.key, "ALPHA", again) == kOk);
    CHECK(regCloseKey(again) == kOk);
    CHECK(subkeyNames(area.key).size() == 7);

    std::string name = "unchanged";
    CHECK(regEnumKey(area.key, 7, name) == kErrorNoMoreItems);
    CHECK(regEnumKey(area.key, 1000, name) == kErrorNoMoreItems);
}

TEST_CASE("opening keys with each access, and the failures") {
    KeyArea area;
    createKey(area.key, "Sub");
    const RegAccess accesses[] = {RegAccess::Default, RegAccess::Read, RegAccess::QueryValue,
                                  RegAccess::AllAccess};
    for (RegAccess access : accesses) {
        CAPTURE(static_cast<int>(access));
        RegKey key = 0;
        CHECK(regOpenKey(area.key, "sub", access, key) == kOk);
        CHECK(regCloseKey(key) == kOk);
        CHECK(regOpenKey(area.key, "Missing", access, key) == kErrorFileNotFound);
        CHECK(regOpenKey(area.key, "Missing\\Sub", access, key) == kErrorFileNotFound);
    }

    // An empty subkey opens the key again: closing that handle leaves the first one usable.
    RegKey same = 0;
    REQUIRE(regOpenKey(area.key, "", RegAccess::Default, same) == kOk);
    CHECK(regCloseKey(same) == kOk);
    CHECK(subkeyNames(area.key) == Names{"Sub"});

    // Roots open and close as themselves; the unknown root 0 is no key at all.
    RegKey root = 0;
    CHECK(regOpenKey(kHkeyCurrentUser, area.area.regKey, RegAccess::Read, root) == kOk);
    CHECK(regCloseKey(root) == kOk);
    CHECK(regCloseKey(kHkeyCurrentUser) == kOk);
    RegKey none = 0;
    CHECK(regOpenKey(0, "Software", RegAccess::Default, none) == kErrorInvalidHandle);
    CHECK(regCreateKey(0, "Software", none) == kErrorInvalidHandle);
}

TEST_CASE("a key opened for reading refuses writes") {
    KeyArea area;
    RegKey readOnly = 0;
    REQUIRE(regOpenKey(kHkeyCurrentUser, area.area.regKey, RegAccess::Read, readOnly) == kOk);
    CHECK(regSetValue(readOnly, "v", kRegSz, std::string("x\0", 2)) == kErrorAccessDenied);
    CHECK(regCloseKey(readOnly) == kOk);
}

TEST_CASE("typed values round trip with their raw bytes") {
    KeyArea area;
    struct Row {
        const char* name;
        std::uint32_t type;
        std::string data;
    };
    const Row rows[] = {
        {"Text", kRegSz, std::string("C:\\Program Files\0", 17)},
        {"Expand", kRegExpandSz, std::string("%SystemRoot%\\inf\0", 18)},
        {"Binary", kRegBinary, std::string("\x00\x01\xfe\xff\x00", 5)},
        {"Number", kRegDword, std::string("\x78\x56\x34\x12", 4)},
        {"Multi", kRegMultiSz, std::string("first\0second\0\0", 14)},
        {"Odd", 0x12345, std::string("odd\0bytes", 9)},
        {"Nothing", kRegNone, std::string()},
        {"", kRegSz, std::string("unnamed\0", 8)},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        CHECK(regSetValue(area.key, row.name, row.type, row.data) == kOk);
        std::uint32_t type = 0;
        std::string data;
        CHECK(regQueryValue(area.key, row.name, type, data) == kOk);
        CHECK(type == row.type);
        CHECK(data == row.data);
    }

    // Replacing a value may change its type.
    CHECK(regSetValue(area.key, "number", kRegSz, std::string("now text\0", 9)) == kOk);
    std::uint32_t type = 0;
    std::string data;
    CHECK(regQueryValue(area.key, "NUMBER", type, data) == kOk);
    CHECK(type == kRegSz);
    CHECK(data == std::string("now text\0", 9));

    // A value larger than any first guess of a buffer comes back whole.
    const std::string large(100000, 'L');
    CHECK(regSetValue(area.key, "Large", kRegBinary, large) == kOk);
    CHECK(regQueryValue(area.key, "Large", type, data) == kOk);
    CHECK(data == large);

    CHECK(regQueryValue(area.key, "Missing", type, data) == kErrorFileNotFound);
}

TEST_CASE("values are listed by index with their names, types and data") {
    KeyArea area;
    // Wine lists values sorted without regard to case, as it does keys; Windows lists them in
    // the order they were made.
    const std::string dword("\x01\x00\x00\x00", 4);
    REQUIRE(regSetValue(area.key, "beta", kRegSz, std::string("b\0", 2)) == kOk);
    REQUIRE(regSetValue(area.key, "Alpha", kRegDword, dword) == kOk);
    REQUIRE(regSetValue(area.key, "", kRegSz, std::string("default\0", 8)) == kOk);
    REQUIRE(regSetValue(area.key, "GAMMA", kRegBinary, "g") == kOk);
    CHECK(valueNames(area.key) == Names{"", "Alpha", "beta", "GAMMA"});

    std::string name;
    std::uint32_t type = 0;
    std::string data;
    CHECK(regEnumValue(area.key, 1, name, type, data) == kOk);
    CHECK(name == "Alpha");
    CHECK(type == kRegDword);
    CHECK(data == dword);
    CHECK(regEnumValue(area.key, 4, name, type, data) == kErrorNoMoreItems);
}

TEST_CASE("long key and value names") {
    KeyArea area;
    const std::string longest(255, 'K');
    createKey(area.key, longest);
    std::string name;
    CHECK(regEnumKey(area.key, 0, name) == kOk);
    CHECK(name == longest);

    RegKey tooLong = 0;
    CHECK(regCreateKey(area.key, std::string(300, 'T'), tooLong) != kOk);
    CHECK(subkeyNames(area.key) == Names{longest});

    const std::string valueName(300, 'V');
    CHECK(regSetValue(area.key, valueName, kRegSz, std::string("v\0", 2)) == kOk);
    std::uint32_t type = 0;
    std::string data;
    CHECK(regEnumValue(area.key, 0, name, type, data) == kOk);
    CHECK(name == valueName);
    CHECK(regQueryValue(area.key, valueName, type, data) == kOk);
    CHECK(data == std::string("v\0", 2));
}

TEST_CASE("deleting keys and values") {
    KeyArea area;
    createKey(area.key, "Parent\\Child");
    REQUIRE(regSetValue(area.key, "Doomed", kRegSz, std::string("x\0", 2)) == kOk);

    CHECK(regDeleteKey(area.key, "Parent") == kErrorAccessDenied);
    CHECK(subkeyNames(area.key) == Names{"Parent"});
    CHECK(regDeleteKey(area.key, "PARENT\\child") == kOk);
    CHECK(regDeleteKey(area.key, "Parent") == kOk);
    CHECK(regDeleteKey(area.key, "Parent") == kErrorFileNotFound);
    CHECK(subkeyNames(area.key).empty());

    CHECK(regDeleteValue(area.key, "doomed") == kOk);
    CHECK(regDeleteValue(area.key, "Doomed") == kErrorFileNotFound);
    CHECK(valueNames(area.key).empty());
}

TEST_CASE("subkeys are all deleted by asking for index 0 after each deletion") {
    KeyArea area;
    const Names made = {"a", "B", "c", "D", "e"};
    for (const std::string& name : made) {
        createKey(area.key, name);
    }
    Names deleted;
    std::string name;
    Error error = kOk;
    while ((error = regEnumKey(area.key, 0, name)) == kOk && deleted.size() < 10) {
        REQUIRE(regDeleteKey(area.key, name) == kOk);
        deleted.push_back(name);
    }
    CHECK(error == kErrorNoMoreItems);
    CHECK(deleted == made);
}

TEST_CASE("HKEY_CLASSES_ROOT shows the classes below HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes") {
    testsupport::ScratchArea area;
    const std::string name = "TvxTest_" + area.regKey.substr(area.regKey.find_last_of('\\') + 1);
    RegKey machine = 0;
    REQUIRE(regCreateKey(kHkeyLocalMachine, "SOFTWARE\\Classes\\" + name, machine) == kOk);
    CHECK(regSetValue(machine, "", kRegSz, std::string("shown\0", 6)) == kOk);
    CHECK(regCloseKey(machine) == kOk);

    RegKey classes = 0;
    REQUIRE(regOpenKey(kHkeyClassesRoot, name, RegAccess::Read, classes) == kOk);
    std::uint32_t type = 0;
    std::string data;
    CHECK(regQueryValue(classes, "", type, data) == kOk);
    CHECK(data == std::string("shown\0", 6));
    CHECK(regCloseKey(classes) == kOk);

    CHECK(regDeleteKey(kHkeyClassesRoot, name) == kOk);
    CHECK(regOpenKey(kHkeyLocalMachine, "SOFTWARE\\Classes\\" + name, RegAccess::Read, machine) ==
          kErrorFileNotFound);
}
