// The test side of tvxdrive: the same run, with its output kept in a string.
#include "support/Drive.h"

#include "main/TarvexWindows.h"
#include "ui/headless/Driver.h"

#include <sstream>

namespace testsupport {

DriveOutcome driveTarvex(const std::string& script) {
    std::ostringstream out;
    DriveOutcome outcome;
    outcome.ok = ui::headless::runScript(script, RunTarvex, out);
    outcome.output = out.str();
    return outcome;
}

} // namespace testsupport
