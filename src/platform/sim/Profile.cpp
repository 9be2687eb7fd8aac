// The profile reader and writer on files of the simulated machine.
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

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    std::string bytes;
    std::string value;
    const bool found =
        readFile(profilePath(path), bytes) == kOk && sim::IniText(bytes).find(section, key, value);
    if (!found) {
        // The default loses its trailing blanks and surrounding quotes, not its leading blanks.
        value = unquoted(winrules::trimTrailingBlanks(defaultValue));
    }
    if (value.size() > kProfileValueLimit) {
        value.resize(kProfileValueLimit);
    }
    return value;
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
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
