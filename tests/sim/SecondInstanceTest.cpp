// A second Tarvex on a machine where one is already running: nothing shown, nothing written.
#include <doctest/doctest.h>

#include "language/LanguageFixture.h"
#include "platform/sim/SimMachine.h"
#include "support/Drive.h"

#include <string>

namespace {

// Makes the machine report another running instance for as long as it lives.
struct OtherInstance {
    OtherInstance() { REQUIRE(sim::setSetting("Simulation", "OtherInstance", "Yes")); }
    ~OtherInstance() { sim::setSetting("Simulation", "OtherInstance", "No"); }
};

} // namespace

TEST_CASE("a second instance ends at once without showing or writing anything") {
    for (const bool firstStart : {true, false}) {
        CAPTURE(firstStart);
        langtest::ProgramFolder folder;
        if (!firstStart) {
            WriteIni("Tarvex.ini", "PROGRAM", "Wizard", "No");
        }
        const std::string before = langtest::fileText("Tarvex.ini");
        OtherInstance running;
        const testsupport::DriveOutcome run =
            testsupport::driveTarvex("expect ended\nexpect not-loaded frmStart\n");
        INFO(run.output);
        CHECK(run.ok);
        CHECK(run.output.find("show ") == std::string::npos);
        CHECK(langtest::exists("Tarvex.ini") == !firstStart);
        CHECK(langtest::fileText("Tarvex.ini") == before);
    }
}
