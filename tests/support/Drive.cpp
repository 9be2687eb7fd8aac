// The test side of tvxdrive: the same runs, with their output kept in a string.
#include "support/Drive.h"

#include "fixtool/QuellixWindows.h"
#include "main/TarvexWindows.h"
#include "ui/headless/Driver.h"

#include <sstream>

namespace testsupport {

namespace {

DriveOutcome drive(const std::string& script, void (*start)(ui::App&)) {
    std::ostringstream out;
    DriveOutcome outcome;
    outcome.ok = ui::headless::runScript(script, start, out);
    outcome.output = out.str();
    return outcome;
}

} // namespace

DriveOutcome driveTarvex(const std::string& script) {
    return drive(script, RunTarvex);
}

DriveOutcome driveQuellix(const std::string& script) {
    return drive(script, RunQuellix);
}

} // namespace testsupport
