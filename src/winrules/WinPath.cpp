// Folding path texts into absolute paths, by the rules Windows applies to full paths.
#include "winrules/WinPath.h"

#include "winrules/WinText.h"

#include <cstring>

namespace winrules {

namespace {

// MAX_PATH: the ANSI file functions take 259 characters and the terminating NUL.
constexpr std::size_t kMaxPath = 260;

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool forbiddenInName(char c, bool wildcards) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32) {
        return true;
    }
    if (c == '*' || c == '?') {
        return !wildcards;
    }
    return std::strchr("<>:\"|", c) != nullptr;
}

bool dotsAndBlanksOnly(const std::string& part) {
    return part.find_first_not_of(". ") == std::string::npos;
}

bool endsInDotOrBlank(const std::string& part) {
    return !part.empty() && (part.back() == '.' || part.back() == ' ');
}

} // namespace

bool isDeviceName(const std::string& name) {
    // The base name is what counts: "nul.txt" and "COM1 " are the devices too.
    std::string base = upper(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (base == device) {
            return true;
        }
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

PathFault foldPath(const std::string& text, bool wildcardLast, FullPath& path) {
    path = FullPath();
    if (text.empty()) {
        return PathFault::Empty;
    }
    if (text.size() >= 2 && isSeparator(text[0]) && isSeparator(text[1])) {
        // "\\.\" and "\\?\" reach devices and raw names; anything else is a network share.
        const bool device = text.size() >= 3 && (text[2] == '.' || text[2] == '?') &&
                            (text.size() == 3 || isSeparator(text[3]));
        return device ? PathFault::Device : PathFault::Network;
    }
    const char letter = upperChar(text[0]);
    if (text.size() < 3 || text[1] != ':' || letter < 'A' || letter > 'Z' ||
        !isSeparator(text[2])) {
        return PathFault::NotAbsolute;
    }
    path.drive = letter;
    std::vector<std::string> raw;
    std::string current;
    for (std::size_t i = 3; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            if (!current.empty()) {
                raw.push_back(current);
            }
            current.clear();
        } else {
            current += text[i];
        }
    }
    path.trailingSeparator = isSeparator(text.back()) && !raw.empty();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::string part = raw[i];
        const bool last = i + 1 == raw.size() && !path.trailingSeparator;
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!path.parts.empty()) {
                path.parts.pop_back();
            }
            continue;
        }
        if (dotsAndBlanksOnly(part)) {
            return PathFault::DotsOnly;
        }
        const bool pattern = last && wildcardLast && part.find_first_of("*?") != std::string::npos;
        if (endsInDotOrBlank(part) && !pattern) {
            if (!last) {
                return PathFault::TrailingDot;
            }
            // The one rule every version agrees on: a final name loses its trailing dots and
            // blanks ("nv4_disp.dll." is nv4_disp.dll). A pattern keeps them ("*." means names
            // without an extension).
            while (endsInDotOrBlank(part)) {
                part.pop_back();
            }
        }
        for (char c : part) {
            if (forbiddenInName(c, last && wildcardLast)) {
                return PathFault::BadCharacter;
            }
        }
        if (isDeviceName(part)) {
            return PathFault::Device;
        }
        path.parts.push_back(part);
    }
    if (joinPath(path).size() >= kMaxPath) {
        return PathFault::TooLong;
    }
    return PathFault::None;
}

std::string joinPath(const FullPath& path) {
    std::string result(1, path.drive);
    result += ":";
    if (path.parts.empty()) {
        return result + "\\";
    }
    for (const std::string& part : path.parts) {
        result += "\\" + part;
    }
    if (path.trailingSeparator) {
        result += "\\";
    }
    return result;
}

bool isSameOrBelow(const FullPath& inner, const FullPath& outer) {
    if (inner.drive != outer.drive || inner.parts.size() < outer.parts.size()) {
        return false;
    }
    for (std::size_t i = 0; i < outer.parts.size(); ++i) {
        if (!equalNoCase(inner.parts[i], outer.parts[i])) {
            return false;
        }
    }
    return true;
}

bool samePath(const FullPath& a, const FullPath& b) {
    return a.parts.size() == b.parts.size() && isSameOrBelow(a, b);
}

bool splitLast(const std::string& path, std::string& head, std::string& tail) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return false;
    }
    head = path.substr(0, slash);
    tail = path.substr(slash + 1);
    return true;
}

std::string lastComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPart(const std::string& pattern) {
    const std::size_t cut = pattern.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
}

bool isPlainFileName(const std::string& name) {
    if (name.empty() || dotsAndBlanksOnly(name) || endsInDotOrBlank(name) || isDeviceName(name)) {
        return false;
    }
    for (char c : name) {
        if (forbiddenInName(c, false) || isSeparator(c)) {
            return false;
        }
    }
    return true;
}

std::string replaceForbiddenNameCharacters(const std::string& name) {
    std::string usable;
    for (char c : name) {
        usable += forbiddenInName(c, false) || isSeparator(c) ? '_' : c;
    }
    return usable;
}

bool isDotEntry(const std::string& name) {
    return name == "." || name == "..";
}

} // namespace winrules
