// The test helper that drives the real Tarvex: its start, the splash timer and the warning.
#include <doctest/doctest.h>

#include "language/LanguageFixture.h"
#include "support/Drive.h"

#include <string>

TEST_CASE("driveTarvex runs the real start: the splash, two ticks, then the warning") {
    langtest::ProgramFolder folder;
    const testsupport::DriveOutcome run = testsupport::driveTarvex(R"(
        expect loaded frmStart
        expect frmStart.Timer1.interval 1000
        tick
        expect loaded frmStart
        tick
        expect not-loaded frmStart
        expect loaded frmWarning
        expect frmWarning.caption "Important"
        expect frmWarning.chkWarning.value 1
    )");
    INFO(run.output);
    CHECK(run.ok);
    CHECK(run.output.rfind("tvxdrive: 9 actions, OK\n") != std::string::npos);
}

TEST_CASE("driveTarvex reports a script that does not parse without starting Tarvex") {
    const testsupport::DriveOutcome run = testsupport::driveTarvex("tick\nexpect\n");
    CHECK_FALSE(run.ok);
    CHECK(run.output == "tvxdrive: line 2: wrong number of words for 'expect'\n");
}
