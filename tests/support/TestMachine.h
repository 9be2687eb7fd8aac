// Scratch areas on the machine under test: a fresh simulated machine, or a private corner of a real
// one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// While it lives, the shell's copy passes over a target held open and still reports success, as
// Wine's shell does (on Windows itself nothing changes).
class ShellSkipsInUse {
  public:
    ShellSkipsInUse();
    ~ShellSkipsInUse();
    ShellSkipsInUse(const ShellSkipsInUse&) = delete;
    ShellSkipsInUse& operator=(const ShellSkipsInUse&) = delete;
};

// Command line that starts the test child program (quoted path), to which arguments are appended.
std::string childCommand();

// Command line that starts our tool `name` (e.g. "tvxosinfo") built beside the test binary.
std::string toolCommand(const std::string& name);

// While it lives, programs started from then on run on the Windows version Wine calls `wineName`
// ("win95", "win98", "winme", "nt40", "win2k", "winxp", "win2003", "vista"), with the numbers
// Wine 8 reports for it; the machine's own version comes back when it dies. The test process
// itself keeps the version it started with.
class WindowsVersion {
  public:
    explicit WindowsVersion(const std::string& wineName);
    ~WindowsVersion();
    WindowsVersion(const WindowsVersion&) = delete;
    WindowsVersion& operator=(const WindowsVersion&) = delete;
    // False when the version could not be switched (unknown name, or Windows that is not Wine).
    bool switched() const { return active; }

  private:
    bool active = false;
    // The settings replaced, to be put back: name and value, and whether each existed.
    struct Saved {
        std::string name;
        std::string value;
        bool existed = false;
    };
    std::vector<Saved> saved;
};

// Marks `path` as denied to the program (or takes the mark away); false where the machine keeps
// no such marks (Windows).
bool denyAccess(const std::string& path, bool denied);

// True on the simulated machine, false on Windows (for the few tests that need to know).
bool onSimulatedMachine();

// Every shell request the simulated machine has recorded so far, one "open TARGET" line each;
// empty on Windows, which keeps no such record.
std::string shellRequests();

} // namespace testsupport
