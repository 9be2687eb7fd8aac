// What the cab cleaner takes from a configuration line and from a cabinet: the lines it follows,
// the files it removes, and the shipped cab configurations.
#include "cabcleaner/CabClean.h"
#include "language/ShippedLanguages.h"

#include <doctest/doctest.h>

#include <filesystem>
#include <string>

TEST_CASE("only lines naming a file below the Windows folder are followed") {
    struct Row {
        const char* line;
        bool safe;
    };
    const Row rows[] = {
        {"\\Driver Cache\\i386\\driver.cab", true},
        {"\\ServicePackFiles\\i386\\sp2.cab", true},
        {"", false},
        {"Driver Cache\\i386\\driver.cab", false},
        {"\\..\\driver.cab", false},
        {"\\Driver Cache\\..\\..\\boot.ini", false},
        {"C:\\driver.cab", false},
        {"\\Driver Cache\\i386\\*.cab", false},
        {"\\Driver Cache\\i386\\sp?.cab", false},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.line));
        CHECK(IsSafeCabinetLine(row.line) == row.safe);
    }
}

TEST_CASE("the files whose own name begins with ati or nv are the vendor files") {
    struct Row {
        const char* path;
        bool vendor;
    };
    const Row rows[] = {
        {"ati2dvag.dll", true}, {"ATI2MTAG.SYS", true},        {"nv4_disp.dll", true},
        {"NVATABUS.SYS", true}, {"sub\\nvraid.sys", true},     {"atapi.sys", false},
        {"anvil.sys", false},   {"nvidia\\readme.txt", false}, {"at.sys", false},
        {"n.sys", false},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.path));
        CHECK(IsVendorFile(row.path) == row.vendor);
    }
    CHECK(CabBaseName("driver.cab") == "driver");
    CHECK(CabBaseName("sp2.cab") == "sp2");
}

TEST_CASE("the shipped cab configurations name their own cabinet in safe lines") {
    int checked = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(langtest::sourcePath("data/cabconfigs"))) {
        const std::string cabName = entry.path().stem().string();
        CAPTURE(cabName);
        const std::string text = langtest::shippedForm(entry.path());
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            const std::string line = text.substr(start, end - start);
            CAPTURE(line);
            CHECK(IsSafeCabinetLine(line));
            CHECK(line.substr(line.rfind('\\') + 1) == cabName);
            ++checked;
        }
        CHECK(start == text.size());
    }
    CHECK(checked >= 5);
}
