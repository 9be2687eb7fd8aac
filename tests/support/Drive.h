// Running driver scripts against the real Tarvex or Quellix from tests, as tvxdrive would.
#pragma once

#include <string>

namespace testsupport {

// What a driven run printed (window events, message boxes, prints, the verdict line) and whether
// the whole script succeeded.
struct DriveOutcome {
    bool ok = false;
    std::string output;
};

// Runs `script` against Tarvex started with StartTarvex on this test's machine (the simulated
// machine, or the real prefix under Wine); the program folder is the test binary's.
DriveOutcome driveTarvex(const std::string& script);

// The same against Quellix, started with its splash as Quellix.exe starts.
DriveOutcome driveQuellix(const std::string& script);

} // namespace testsupport
