// Private-profile files kept as lines: lookups without regard to case, changes made in place.
#include "platform/sim/IniText.h"

#include "winrules/WinText.h"

namespace sim {

namespace {

// Name of the section a header line opens, or false when the line is no header.
bool sectionHeader(const std::string& line, std::string& name) {
    const std::string trimmed = winrules::trimBlanks(line);
    if (trimmed.empty() || trimmed[0] != '[') {
        return false;
    }
    const std::size_t close = trimmed.find(']');
    name = winrules::trimBlanks(
        trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// Splits a key line into its key and value; false for blank lines and comments.
bool keyValue(const std::string& line, std::string& key, std::string& value) {
    const std::string trimmed = winrules::trimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';') {
        return false;
    }
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string::npos) {
        key = trimmed;
        value.clear();
        return true;
    }
    key = winrules::trimBlanks(trimmed.substr(0, eq));
    value = winrules::trimBlanks(trimmed.substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return true;
}

} // namespace

IniText::IniText(const std::string& text) : lines(winrules::splitLines(text)) {}

bool IniText::sectionRange(const std::string& section, std::size_t& first,
                           std::size_t& last) const {
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (sectionHeader(lines[i], name) && winrules::equalNoCase(name, section)) {
            first = i + 1;
            last = first;
            while (last < lines.size() && !sectionHeader(lines[last], name)) {
                ++last;
            }
            return true;
        }
    }
    return false;
}

std::size_t IniText::keyLine(std::size_t first, std::size_t last, const std::string& key) const {
    std::string name;
    std::string value;
    for (std::size_t i = first; i < last; ++i) {
        if (keyValue(lines[i], name, value) && winrules::equalNoCase(name, key)) {
            return i;
        }
    }
    return std::string::npos;
}

bool IniText::find(const std::string& section, const std::string& key, std::string& value) const {
    std::size_t first = 0;
    std::size_t last = 0;
    if (!sectionRange(section, first, last)) {
        return false;
    }
    const std::size_t line = keyLine(first, last, key);
    if (line == std::string::npos) {
        return false;
    }
    std::string name;
    return keyValue(lines[line], name, value);
}

std::vector<std::pair<std::string, std::string>>
IniText::entries(const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> result;
    std::size_t first = 0;
    std::size_t last = 0;
    if (!sectionRange(section, first, last)) {
        return result;
    }
    std::string name;
    std::string value;
    for (std::size_t i = first; i < last; ++i) {
        if (keyValue(lines[i], name, value)) {
            result.emplace_back(name, value);
        }
    }
    return result;
}

std::vector<std::string> IniText::sections() const {
    std::vector<std::string> result;
    std::string name;
    for (const std::string& line : lines) {
        if (sectionHeader(line, name)) {
            result.push_back(name);
        }
    }
    return result;
}

void IniText::set(const std::string& section, const std::string& key, const std::string& value) {
    // The platform drops the blanks before a written value but keeps those after it.
    std::size_t skip = 0;
    while (skip < value.size() && (value[skip] == ' ' || value[skip] == '\t')) {
        ++skip;
    }
    const std::string stored = value.substr(skip);
    std::size_t first = 0;
    std::size_t last = 0;
    if (!sectionRange(section, first, last)) {
        lines.push_back("[" + section + "]");
        lines.push_back(key + "=" + stored);
        return;
    }
    const std::size_t line = keyLine(first, last, key);
    if (line != std::string::npos) {
        std::string name;
        std::string old;
        keyValue(lines[line], name, old);
        lines[line] = name + "=" + stored;
        return;
    }
    std::size_t insertAt = last;
    while (insertAt > first && winrules::trimBlanks(lines[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), key + "=" + stored);
}

void IniText::remove(const std::string& section, const std::string& key) {
    std::size_t first = 0;
    std::size_t last = 0;
    if (!sectionRange(section, first, last)) {
        return;
    }
    const std::size_t line = keyLine(first, last, key);
    if (line != std::string::npos) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
    }
}

std::string IniText::text() const {
    std::string result;
    for (const std::string& line : lines) {
        result += line;
        result += "\r\n";
    }
    return result;
}

} // namespace sim
