// A second Tarvex process while this one holds the program's name: it shows and writes nothing.
#include <doctest/doctest.h>

#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/System.h"
#include "support/TestMachine.h"

#include <string>

TEST_CASE("a second Tarvex process ends at once, touching nothing") {
    // This process is the first instance from here on (it may already be, from earlier tests).
    platform::anotherInstanceRunning("Tarvex");

    testsupport::ScratchArea area;
    const std::string settings = platform::programFolder() + "\\Tarvex.ini";
    std::string saved;
    const bool hadSettings = platform::readFile(settings, saved) == platform::kOk;
    const std::string planted = "[PROGRAM]\r\nInterface=Normal\r\nWizard=No\r\n";
    REQUIRE(platform::writeFile(settings, planted) == platform::kOk);

    const std::string script = area.folder + "\\second.tvx";
    REQUIRE(platform::writeFile(script, "expect ended\nexpect not-loaded frmStart\n") ==
            platform::kOk);
    std::uint32_t exitCode = 99;
    REQUIRE(platform::startAndWait(testsupport::toolCommand("tvxdrive") + " \"" + script + "\"",
                                   platform::kShowHidden, &exitCode) == platform::kOk);
    // The driver exits 0 only when the program ended without a window and the checks held.
    CHECK(exitCode == 0);
    std::string after;
    CHECK(platform::readFile(settings, after) == platform::kOk);
    CHECK(after == planted);

    if (hadSettings) {
        platform::writeFile(settings, saved);
    } else {
        platform::deleteFile(settings);
    }
}
