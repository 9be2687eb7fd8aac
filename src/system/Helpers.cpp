// Process and copy helpers shared by the backup, restore and cab-cleaning code.
#include "system/Helpers.h"

#include "base/General.h"
#include "platform/Files.h"
#include "platform/Process.h"

platform::Error StartAndWait(const std::string& commandLine, int windowStyle,
                             std::uint32_t* exitCode) {
    return platform::startAndWait(commandLine, windowStyle, exitCode);
}

bool CopyFolder(const std::string& source, const std::string& destination) {
    // The shell reports a missing source through its result, not through the aborted flag;
    // a copy that did not happen must not pass for one that did.
    const platform::ShellCopyResult result = platform::shellCopy(source, destination, false);
    return result.result == platform::kOk && !result.anyAborted;
}

bool CopyFile(const std::string& source, const std::string& destination) {
    std::string from = source;
    if (!from.empty() && from.back() == '\\') {
        from.pop_back();
    }
    if (!FolderExists(destination)) {
        return false;
    }
    return platform::shellCopy(from, destination, true).result == platform::kOk;
}
