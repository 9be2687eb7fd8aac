// The about window's support addresses hand a mail link to the shell (recorded by the simulated
// machine, which has no mail program).
#include <doctest/doctest.h>

#include "language/LanguageFixture.h"
#include "platform/sim/Machine.h"
#include "support/Drive.h"

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string shellLog() {
    std::ifstream in(sim::Machine::current().folder() + "/shell.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST_CASE("each support address opens a new mail with the support subject") {
    langtest::ProgramFolder folder;
    // One configuration, so the normal window has something to list.
    folder.plant("TvxSample.txf", *packs::encodePack("[FILES]\r\n", packs::PackMethod::Huffman));
    WriteIni("Tarvex.ini", "WARNING", "ReadmeStart", "No");
    const std::string before = shellLog();
    const testsupport::DriveOutcome run = testsupport::driveTarvex("tick 2\n"
                                                                   "click frmMain.mnuHelpAbout\n"
                                                                   "click frmAbout.lblMail1\n"
                                                                   "click frmAbout.lblMail2\n"
                                                                   "expect loaded frmAbout\n"
                                                                   "click frmAbout.cmdOK\n");
    INFO(run.output);
    CHECK(run.ok);
    CHECK(shellLog().substr(before.size()) ==
          "open mailto:support@tarvex.example?subject=Tarvex Support\n"
          "open mailto:help@tarvex.example?subject=Tarvex Support\n");
}
