// Generating 8.3 aliases: upper case, blanks and inner dots dropped, characters 8.3 names cannot
// hold made '_', six characters of the stem, "~" and a number, three of the extension.
#include "winrules/ShortName.h"

#include "winrules/WinText.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace winrules {

namespace {

bool shortNameCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return true;
    }
    return c != '\0' && std::strchr("$%'-_@~`!(){}^#&", c) != nullptr;
}

// The alias's stem and extension before numbering.
void aliasParts(const std::string& name, std::string& stem, std::string& extension) {
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string base = hasExtension ? name.substr(0, dot) : name;
    const std::string ext = hasExtension ? name.substr(dot + 1) : std::string();
    auto clean = [](const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == ' ' || c == '.') {
                continue;
            }
            out += shortNameCharacter(c) ? upperChar(c) : '_';
        }
        return out;
    };
    stem = clean(base);
    extension = clean(ext).substr(0, 3);
}

} // namespace

bool isValidShortName(const std::string& name) {
    if (name == "." || name == "..") {
        return true;
    }
    const std::size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (name.empty() || base.empty() || base.size() > 8 || ext.size() > 3 ||
        (dot != std::string::npos && (ext.empty() || ext.find('.') != std::string::npos))) {
        return false;
    }
    for (char c : base + ext) {
        if (!shortNameCharacter(c)) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> shortNames(const std::vector<std::string>& names) {
    std::vector<std::string> aliases(names.size());
    std::map<std::string, int> used; // stem and extension taken so far, by the last number given
    std::set<std::string> taken;     // names that are 8.3 names themselves
    for (const std::string& name : names) {
        if (isValidShortName(name)) {
            taken.insert(upper(name));
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (isValidShortName(names[i])) {
            continue;
        }
        std::string stem;
        std::string extension;
        aliasParts(names[i], stem, extension);
        if (stem.empty()) {
            stem = "_";
        }
        const std::string key = stem.substr(0, 6) + "." + extension;
        std::string alias;
        do {
            const std::string suffix = "~" + std::to_string(++used[key]);
            alias = stem.substr(0, std::min<std::size_t>(6, 8 - suffix.size())) + suffix;
            if (!extension.empty()) {
                alias += "." + extension;
            }
        } while (taken.count(alias) != 0);
        taken.insert(alias);
        aliases[i] = alias;
    }
    return aliases;
}

} // namespace winrules
