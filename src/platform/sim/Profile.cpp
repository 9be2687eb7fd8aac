// GetPrivateProfileStringA and WritePrivateProfileStringA on files of the simulated machine.
#include "platform/Files.h"
#include "platform/System.h"

#include "platform/sim/IniText.h"
#include "winrules/WinText.h"

namespace platform {

namespace {

// A profile named without a folder lives in the Windows folder.
std::string profilePath(const std::string& path) {
    if (path.find_first_of("\\/") == std::string::npos) {
        return windowsDirectory() + "\\" + path;
    }
    return path;
}

std::string unquoted(const std::string& text) {
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

} // namespace

std::uint32_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::string& result,
                                      std::uint32_t size, const std::string& path) {
    result.clear();
    if (size == 0) {
        return 0;
    }
    std::string bytes;
    std::string value;
    const bool found =
        readFile(profilePath(path), bytes) == kOk && sim::IniText(bytes).find(section, key, value);
    if (!found) {
        // The default loses its trailing blanks and surrounding quotes, not its leading blanks.
        value = unquoted(winrules::trimTrailingBlanks(defaultValue));
    }
    if (value.size() > size - 1) {
        value.resize(size - 1);
    }
    result = value;
    return static_cast<std::uint32_t>(value.size());
}

bool writePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
    const std::string file = profilePath(path);
    std::string bytes;
    const Error read = readFile(file, bytes);
    if (read != kOk && read != kErrorFileNotFound) {
        return false;
    }
    sim::IniText ini(bytes);
    ini.set(section, key, value);
    return writeFile(file, ini.text()) == kOk;
}

} // namespace platform
