// The guard as a property: random file lines, and hostile lines mutated at random, run through the
// three file sections on a machine of their own; not one sentinel of a protected folder may go.
#include <doctest/doctest.h>

#include "support/sim/OtherMachine.h"
#include "testkit/Sentinels.h"

#include <random>
#include <string>
#include <vector>

namespace {

// Pieces of paths that reach protected folders in every way Windows allows, and some it does not.
// No piece holds '#', the sentinels' first character.
const char* const kPieces[] = {
    "\\",
    "\\",
    "\\",
    "..",
    ".",
    "...",
    ". ",
    " ",
    "WINDOWS",
    "system32",
    "drivers",
    "Inf",
    "Help",
    "Program Files",
    "PROGRA~1",
    "WINDOW~1",
    "Tarvex",
    "Backup",
    "Log",
    "*",
    "?",
    "*.*",
    "*.",
    "nv",
    "ati",
    "x",
    "/",
    "C:",
    "~1",
    "Win",
    "Temp",
    "Documents and Settings",
    "Local Settings",
    "\\\\",
    "nul",
    "..\\..",
    "Common Files",
    "dllcache",
    "\t",
};

// Lines that break a guard which resolves paths its own way.
const char* const kHostile[] = {
    "WINDOWS\\system32",
    "x\\..\\WINDOWS",
    "Program Files\\Tarvex\\Backup",
    "\\WINDOWS\\...\\system32",
    "\\...\\system32\\*.*",
    "\\Program Files\\...\\Tarvex",
    "\\.. \\WINDOWS",
    "\\..\\WINDOWS\\system32",
    "\\Win*.*",
    "\\PROGRA~1\\Tarvex\\Backup",
    "\\system32\\*.dll",
    "\\..\\*",
};

std::string randomLine(std::mt19937& random) {
    std::uniform_int_distribution<int> count(1, 7);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string line;
    for (int n = count(random); n > 0; --n) {
        line += kPieces[piece(random)];
    }
    return line;
}

std::string mutated(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> hostile(0, std::size(kHostile) - 1);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string line = kHostile[hostile(random)];
    for (int edits = std::uniform_int_distribution<int>(1, 3)(random); edits > 0; --edits) {
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, line.size())(random);
        if (random() % 2 == 0 && at < line.size()) {
            line.erase(at, 1);
        } else {
            line.insert(at, kPieces[piece(random)]);
        }
    }
    return line;
}

} // namespace

TEST_CASE("no random or mutated file line takes a sentinel of a protected folder") {
    testsupport::OtherMachine machine("xp-sp2");
    REQUIRE(machine.created);
    const std::vector<std::string> folders = testkit::GuardedFolders();
    REQUIRE(testkit::PlantSentinels(folders).empty());
    std::mt19937 random(20261207);
    std::vector<std::string> lines(std::begin(kHostile), std::end(kHostile));
    for (int n = 0; n < 250; ++n) {
        lines.push_back(randomLine(random));
        lines.push_back(mutated(random));
    }
    for (const std::string& line : lines) {
        for (const char* section : {"[FILES]", "[SYSTEMFILES]", "[DIRECTORY]"}) {
            testkit::RunFileLine(section, line);
            const std::vector<std::string> missing = testkit::MissingSentinels(folders);
            if (!missing.empty()) {
                FAIL(section << " line \"" << line << "\" took " << missing.front());
            }
        }
    }
}
