// Backup index lines as a damaged disk may hold them: what the restore accepts as a name inside a
// set must resolve to a path inside that set.
#include "FuzzMachine.h"

#include "backup/SelectEntries.h"
#include "platform/Files.h"
#include "winrules/WinPath.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    fuzz::useMachine();
    const std::string line = fuzz::textOf(data, size);
    std::string item;
    std::string target;
    if (!splitIndexLine(line, item, target)) {
        return 0;
    }
    const std::string set = "C:\\Program Files\\Tarvex\\Backup\\07-12-2026_101530_X_FileBackup";
    winrules::FullPath setPath;
    winrules::foldPath(set, false, setPath);
    for (const bool wildcards : {false, true}) {
        for (const bool oneName : {false, true}) {
            if (!staysInsideSet(item, wildcards, oneName)) {
                continue;
            }
            std::string resolved;
            winrules::FullPath path;
            if (platform::resolvePath(set + "\\" + item, wildcards, resolved) == platform::kOk &&
                winrules::foldPath(resolved, wildcards, path) == winrules::PathFault::None &&
                (!winrules::isSameOrBelow(path, setPath) || winrules::samePath(path, setPath))) {
                std::abort(); // accepted, yet it names the set itself or a place outside it
            }
        }
    }
    return 0;
}
