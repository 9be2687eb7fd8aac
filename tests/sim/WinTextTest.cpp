// The simulated machine's text rules: wildcard matching, command-line splitting, case folding.
#include <doctest/doctest.h>

#include "platform/sim/WinText.h"

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
        CHECK(sim::matchPattern(row.name, row.pattern) == row.matches);
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
        CHECK(sim::splitArguments(row.text) == row.args);
    }
    std::string program;
    std::string rest;
    sim::splitProgram("\"C:\\Program Files\\x.exe\" /s a", program, rest);
    CHECK(program == "C:\\Program Files\\x.exe");
    CHECK(rest == " /s a");
    sim::splitProgram("Regedit /S C:\\x.dat", program, rest);
    CHECK(program == "Regedit");
    CHECK(sim::splitArguments(rest) == Args{"/S", "C:\\x.dat"});
}

TEST_CASE("case folding covers the Latin-1 letters and orders names as the platform does") {
    CHECK(sim::upper("abc\xE0\xFE\xF7\xFF\x9A") == "ABC\xC0\xDE\xF7\x9F\x8A");
    CHECK(sim::compareNoCase("ab", "AB") == 0);
    CHECK(sim::compareNoCase("AB", "a_b") < 0); // '_' sorts after the upper-case letters
    CHECK(sim::compareNoCase("a", "ab") < 0);
}
