// Settings access one key at a time through the platform's private-profile functions.
#include "base/Ini.h"

#include "platform/System.h"

namespace {

std::string settingsPath(const std::string& fileName) {
    return platform::programFolder() + "\\" + fileName;
}

} // namespace

std::string ReadIni(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& defaultValue) {
    return platform::readProfileString(settingsPath(fileName), section, key, defaultValue);
}

void WriteIni(const std::string& fileName, const std::string& section, const std::string& key,
              const std::string& value) {
    std::string oneLine = value;
    for (char& c : oneLine) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    // A write that fails (read-only file or folder) leaves the old value; nobody is told.
    platform::writeProfileString(settingsPath(fileName), section, key, oneLine);
}
