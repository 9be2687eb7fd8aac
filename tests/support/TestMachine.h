// Scratch areas on the machine under test: a fresh simulated machine, or a private corner of a real
// one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace testsupport {

// Called once before any test with the test binary's argv[0].
void initialise(const char* argv0);

// Called once after the last test; removes what initialise made.
void shutdown();

// One test's private place on the machine; everything it made is removed when it dies.
class ScratchArea {
  public:
    ScratchArea();
    ~ScratchArea();
    ScratchArea(const ScratchArea&) = delete;
    ScratchArea& operator=(const ScratchArea&) = delete;

    // An existing empty folder on drive C:, no trailing backslash (e.g. C:\TvxTest\7).
    std::string folder;
    // An existing empty key below HKEY_CURRENT_USER (e.g. Software\TvxTest\7).
    std::string regKey;
};

// Keeps `path` open without sharing, so deleting or overwriting it fails as a file in use does.
class HoldOpen {
  public:
    explicit HoldOpen(const std::string& path);
    ~HoldOpen();
    HoldOpen(const HoldOpen&) = delete;
    HoldOpen& operator=(const HoldOpen&) = delete;
    // True when the file could be opened and is now held.
    bool held() const { return handle != 0; }

  private:
    std::uintptr_t handle = 0;
    std::string path;
};

// Command line that starts the test child program (quoted path), to which arguments are appended.
std::string childCommand();

// True on the simulated machine, false on Windows (for the few tests that need to know).
bool onSimulatedMachine();

} // namespace testsupport
