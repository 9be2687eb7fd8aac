// The machine folder this process works on: its settings file, fault marks and registry store.
#pragma once

#include "platform/sim/IniText.h"

#include <memory>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace sim {

class RegistryStore;

// One simulated machine, chosen by TVX_MACHINE or by the control API; a process without one sees
// an empty machine on which every file operation fails.
class Machine {
  public:
    Machine();
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // The machine of this process (first use reads TVX_MACHINE).
    static Machine& current();

    // Switches to the machine in host folder `folder` ("" for none), saving the old registry first.
    void select(const std::string& folder);

    // True when a machine folder is selected.
    bool present() const { return !folderPath.empty(); }

    // Host folder of the machine, without a trailing slash.
    const std::string& folder() const { return folderPath; }

    // A value of machine.ini, or `fallback` when missing.
    std::string setting(const std::string& section, const std::string& key,
                        const std::string& fallback = "");

    // Every key and value of a machine.ini section in file order.
    std::vector<std::pair<std::string, std::string>> settings(const std::string& section);

    // Stores a machine.ini value; false when the file cannot be written.
    bool changeSetting(const std::string& section, const std::string& key,
                       const std::string& value);

    // Removes a machine.ini key.
    bool removeSetting(const std::string& section, const std::string& key);

    // True when `canonicalPath` (upper case, as canonicalFilePath or the registry gives it) is
    // listed in the machine.ini section `section` ("InUse", "AccessDenied").
    bool marked(const std::string& section, const std::string& canonicalPath);

    // True when this process is one of Windows' own 32-bit programs on a 64-bit machine
    // ([Machine] Wow64=Yes, started with TVX_VIEW=32): it sees the 32-bit twins, SysWOW64 for the
    // system folder and Wow6432Node for HKLM\SOFTWARE.
    bool view32();

    // The registry, loaded from registry.txt on first use.
    RegistryStore& registry();

    // Saves the registry when it changed since it was loaded or saved.
    void flush();

    // Loads registry.txt again when another process changed it.
    void reloadRegistry();

  private:
    void refreshIni();
    bool saveIni();

    std::string folderPath;
    IniText ini;
    bool iniLoaded = false;
    long long iniStamp = -1;
    std::unique_ptr<RegistryStore> store;
    bool storeLoaded = false;
    long long registryStamp = -1;
};

// Environment variable naming the file in which a started program leaves its full exit code.
constexpr char kExitFileVariable[] = "TVX_EXIT_FILE";

// Environment variable that makes a started program a 32-bit one that sees the 32-bit twins
// (value "32"); see Machine::view32.
constexpr char kViewVariable[] = "TVX_VIEW";

// Modification stamp of a host file (nanoseconds mixed with size and inode), -1 when missing.
long long fileStamp(const std::string& hostPath);

// Reads a whole host file; false when it cannot be read.
bool readHostFile(const std::string& hostPath, std::string& bytes);

// Writes a whole host file through a temporary file and a rename, so readers never see half of it.
bool writeHostFileAtomically(const std::string& hostPath, const std::string& bytes);

} // namespace sim
