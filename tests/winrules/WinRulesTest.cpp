// The Windows rules: wildcard matching, command-line splitting, case folding, path folding,
// short names, registration-file values.
#include <doctest/doctest.h>

#include "winrules/CommandLine.h"
#include "winrules/RegFile.h"
#include "winrules/ShortName.h"
#include "winrules/Wildcard.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <string>
#include <vector>

TEST_CASE("directory patterns match as the platform's search does") {
    struct Row {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Row rows[] = {
        {"a.txt", "*", true},
        {"noext", "*.*", true},
        {"a.txt", "*.", true},
        {"noext", "*.", true},
        {"a.txt", "?.txt", true},
        {"ab.txt", "?.txt", false},
        {"ab.txt", "a?.txt", true},
        {"a.txt", "a.txt?", false}, // a trailing ? needs a char
        {"A.TXT", "a.txt", true},
        {"oem12.inf", "oem*.inf", true},
        {"oem12.inf", "OEM*.INF", true},
        {"x.info", "*.inf", false},
        {"nvdisp.dll.bak", "*.dll", false},
        {"nv4_disp.dll", "nv*_disp.*", true},
        {"abcabd", "*abd", true},
        {"abcab", "*abd", false},
        {".", "*", true},
        {"..", "*.", true},
        {".", "*.txt", false},
        {"\xE9t\xE9", "\xC9T\xC9", true},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        CAPTURE(row.pattern);
        CHECK(winrules::matchPattern(row.name, row.pattern) == row.matches);
    }
}

TEST_CASE("command lines split by the argument rules") {
    using Args = std::vector<std::string>;
    struct Row {
        const char* text;
        Args args;
    };
    const Row rows[] = {
        {"/e C:\\a b.dat HKEY_X\\NVIDIA Corporation",
         Args{"/e", "C:\\a", "b.dat", "HKEY_X\\NVIDIA", "Corporation"}},
        {"/e \"C:\\a b.dat\" \"HKEY_X\\NVIDIA Corporation\"",
         Args{"/e", "C:\\a b.dat", "HKEY_X\\NVIDIA Corporation"}},
        {"  a\t b  ", Args{"a", "b"}},
        {"\"a\\\"b\"", Args{"a\"b"}},
        {"a\\\\\"b c\"", Args{"a\\b c"}},
        {"a\\b\\\\c", Args{"a\\b\\\\c"}},
        {"\"\"", Args{""}},
        {"\"C:\\dir\\\\\" x", Args{"C:\\dir\\", "x"}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.text);
        CHECK(winrules::splitArguments(row.text) == row.args);
    }
    std::string program;
    std::string rest;
    winrules::splitProgram("\"C:\\Program Files\\x.exe\" /s a", program, rest);
    CHECK(program == "C:\\Program Files\\x.exe");
    CHECK(rest == " /s a");
    winrules::splitProgram("Regedit /S C:\\x.dat", program, rest);
    CHECK(program == "Regedit");
    CHECK(winrules::splitArguments(rest) == Args{"/S", "C:\\x.dat"});
}

TEST_CASE("case folding covers the Latin-1 letters and orders names as the platform does") {
    CHECK(winrules::upper("abc\xE0\xFE\xF7\xFF\x9A") == "ABC\xC0\xDE\xF7\x9F\x8A");
    CHECK(winrules::compareNoCase("ab", "AB") == 0);
    CHECK(winrules::compareNoCase("AB", "a_b") < 0); // '_' sorts after the upper-case letters
    CHECK(winrules::compareNoCase("a", "ab") < 0);
}

TEST_CASE("path texts fold into one absolute path, or are refused where Windows could read them "
          "two ways") {
    using winrules::PathFault;
    struct Row {
        const char* text;
        bool wildcardLast;
        PathFault fault;
        const char* folded;
    };
    const Row rows[] = {
        {"C:\\WINDOWS\\system32", false, PathFault::None, "C:\\WINDOWS\\system32"},
        {"c:/windows//system32/", false, PathFault::None, "C:\\windows\\system32\\"},
        {"C:\\x\\..\\WINDOWS\\.\\system32", false, PathFault::None, "C:\\WINDOWS\\system32"},
        {"C:\\..\\..\\WINDOWS", false, PathFault::None, "C:\\WINDOWS"}, // never above the drive
        {"C:\\WINDOWS\\nv4_disp.dll. .", false, PathFault::None, "C:\\WINDOWS\\nv4_disp.dll"},
        {"C:\\WINDOWS\\*.", true, PathFault::None, "C:\\WINDOWS\\*."},
        {"C:\\", false, PathFault::None, "C:\\"},
        {"C:\\..", false, PathFault::None, "C:\\"},
        {"", false, PathFault::Empty, ""},
        {"WINDOWS\\system32", false, PathFault::NotAbsolute, ""},
        {"\\WINDOWS\\system32", false, PathFault::NotAbsolute, ""},
        {"\\Program Files\\Tarvex", false, PathFault::NotAbsolute, ""},
        {"C:WINDOWS\\system32", false, PathFault::NotAbsolute, ""},
        {"C:", false, PathFault::NotAbsolute, ""},
        {"\\\\server\\share\\x", false, PathFault::Network, ""},
        {"\\\\.\\C:\\x", false, PathFault::Device, ""},
        {"\\\\?\\C:\\x", false, PathFault::Device, ""},
        {"C:\\WINDOWS\\nul.txt", false, PathFault::Device, ""},
        {"C:\\x\\COM1", false, PathFault::Device, ""},
        {"C:\\WINDOWS\\...\\system32", false, PathFault::DotsOnly, ""},
        {"C:\\WINDOWS\\...", true, PathFault::DotsOnly, ""},
        {"C:\\WINDOWS\\.. \\x", false, PathFault::DotsOnly, ""},
        {"C:\\ \\x", false, PathFault::DotsOnly, ""},
        {"C:\\WINDOWS.\\system32", false, PathFault::TrailingDot, ""},
        {"C:\\WINDOWS \\system32", false, PathFault::TrailingDot, ""},
        {"C:\\WIN*\\system32", true, PathFault::BadCharacter, ""},
        {"C:\\WINDOWS\\nv*.dll", false, PathFault::BadCharacter, ""},
        {"C:\\a<b", false, PathFault::BadCharacter, ""},
    };
    for (const Row& row : rows) {
        CAPTURE(row.text);
        winrules::FullPath path;
        CHECK(winrules::foldPath(row.text, row.wildcardLast, path) == row.fault);
        if (row.fault == PathFault::None) {
            CHECK(winrules::joinPath(path) == row.folded);
        }
    }
    winrules::FullPath path;
    CHECK(winrules::foldPath("C:\\" + std::string(260, 'a'), false, path) == PathFault::TooLong);
}

TEST_CASE("long names get the 8.3 aliases Windows gives them, numbered in listing order") {
    const std::vector<std::string> names = {
        "Documents and Settings", "Program Files",      "PROGRA~1", "Program Data", "WINDOWS",
        "nv4_disp.dll",           "nvidia.display.inf", "a+b.txt"};
    const std::vector<std::string> aliases = winrules::shortNames(names);
    const std::vector<std::string> expected = {"DOCUME~1",     "PROGRA~2", "", "PROGRA~3", "", "",
                                               "NVIDIA~1.INF", "A_B~1.TXT"};
    CHECK(aliases == expected);
}

TEST_CASE("registration-file values are written as the registry editor writes them") {
    CHECK(winrules::formatRegValue("Path", 1, std::string("C:\\a \"b\"\0", 9), false) ==
          "\"Path\"=\"C:\\\\a \\\"b\\\"\"\r\n");
    CHECK(winrules::formatRegValue("", 4, std::string("\xFF\0\0\x80", 4), false) ==
          "@=dword:800000ff\r\n");
    CHECK(winrules::formatRegValue("B", 3, "\x01\xAB", false) == "\"B\"=hex:01,ab\r\n");
    CHECK(winrules::formatRegValue("M", 7, std::string("a\0b\0\0", 5), false) ==
          "\"M\"=hex(7):61,00,62,00,00\r\n");
    const std::string wrapped = winrules::formatRegValue("W", 3, std::string(40, 'x'), true);
    CHECK(wrapped.find("\\\r\n  78,") != std::string::npos);
}
