// Writing the clean log record.
#include "cleaning/CleanLog.h"

#include "platform/Files.h"
#include "platform/System.h"

bool WriteCleanLog(const std::string& stamp, const std::string& suffix, const std::string& loadDate,
                   const std::string& loadTime, const std::vector<std::string>& slotLines,
                   const std::vector<std::string>& foundLines) {
    // The log folder is made by the run's preparation; the writer never creates it.
    const std::string path = platform::programFolder() + "\\Log\\" + stamp + suffix + ".log";
    std::string record = "-------- " + loadDate + " -- " + loadTime + "\r\n";
    for (const std::string& line : slotLines) {
        record += line + "\r\n";
    }
    for (const std::string& line : foundLines) {
        record += line + "\r\n";
    }
    return platform::appendFile(path, record) == platform::kOk;
}
