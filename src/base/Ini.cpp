// Settings access one key at a time through the platform's private-profile functions.
#include "base/Ini.h"

#include "platform/System.h"

namespace {

// The size handed to the platform: it copies at most 254 characters and a terminating NUL.
constexpr std::uint32_t kValueBufferSize = 255;

std::string settingsPath(const std::string& fileName) {
    return platform::programFolder() + "\\" + fileName;
}

} // namespace

std::string ReadIni(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& defaultValue) {
    std::string value;
    const std::uint32_t copied = platform::getPrivateProfileString(
        section, key, defaultValue, value, kValueBufferSize, settingsPath(fileName));
    return value.substr(0, copied);
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
    platform::writePrivateProfileString(section, key, oneLine, settingsPath(fileName));
}
