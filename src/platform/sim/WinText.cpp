// Windows text rules of the simulated machine: case folding, wildcards, command lines.
#include "platform/sim/WinText.h"

#include <cstring>

namespace sim {

char upperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') {
        return static_cast<char>(u - 0x20);
    }
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) {
        return static_cast<char>(u - 0x20);
    }
    switch (u) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

std::string upper(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        c = upperChar(c);
    }
    return result;
}

int compareNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upperChar(a[i]));
        const auto y = static_cast<unsigned char>(upperChar(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool equalNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

bool hasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

// The backtracking matcher of the NT directory search as Wine implements it: a star remembers
// its position, a mismatch retries one character further on.
bool matchPattern(const std::string& name, const std::string& pattern) {
    std::size_t n = 0;
    std::size_t m = 0;
    const std::size_t nameEnd = name.size();
    const std::size_t maskEnd = pattern.size();
    std::size_t lastJoker = std::string::npos;
    std::size_t nextToRetry = 0;
    while (n < nameEnd && m < maskEnd) {
        if (pattern[m] == '*') {
            ++m;
            while (m < maskEnd && pattern[m] == '*') {
                ++m;
            }
            if (m == maskEnd) {
                return true;
            }
            lastJoker = m;
            while (n < nameEnd && upperChar(name[n]) != upperChar(pattern[m])) {
                ++n;
            }
            nextToRetry = n;
        } else if (pattern[m] == '?') {
            ++m;
            ++n;
        } else if (upperChar(pattern[m]) == upperChar(name[n])) {
            ++m;
            ++n;
            if (m == maskEnd) {
                if (n == nameEnd) {
                    return true;
                }
                if (lastJoker != std::string::npos) {
                    m = lastJoker;
                }
            }
        } else if (lastJoker != std::string::npos) {
            m = lastJoker;
            ++nextToRetry;
            n = nextToRetry;
        } else {
            return false;
        }
    }
    while (m < maskEnd && (pattern[m] == '.' || pattern[m] == '*')) {
        ++m;
    }
    return n == nameEnd && m == maskEnd;
}

namespace {

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

bool isBlank(char c) {
    return c != '\0' && std::strchr(" \t\r\n\v\f", c) != nullptr;
}

} // namespace

void splitProgram(const std::string& commandLine, std::string& program, std::string& rest) {
    std::size_t i = 0;
    while (i < commandLine.size() && isSpaceOrTab(commandLine[i])) {
        ++i;
    }
    program.clear();
    if (i < commandLine.size() && commandLine[i] == '"') {
        const std::size_t close = commandLine.find('"', i + 1);
        if (close == std::string::npos) {
            program = commandLine.substr(i + 1);
            i = commandLine.size();
        } else {
            program = commandLine.substr(i + 1, close - i - 1);
            i = close + 1;
        }
    } else {
        while (i < commandLine.size() && !isSpaceOrTab(commandLine[i])) {
            program += commandLine[i++];
        }
    }
    rest = commandLine.substr(i);
}

// CommandLineToArgvW's rules for the arguments after the program token: 2n backslashes before a
// quote give n backslashes and toggle quoting, 2n+1 give n and a literal quote; inside quotes a
// doubled quote gives a literal one.
std::vector<std::string> splitArguments(const std::string& arguments) {
    std::vector<std::string> result;
    std::size_t i = 0;
    const std::size_t size = arguments.size();
    while (true) {
        while (i < size && isSpaceOrTab(arguments[i])) {
            ++i;
        }
        if (i >= size) {
            break;
        }
        std::string arg;
        int quoteCount = 0;
        std::size_t backslashes = 0;
        while (i < size) {
            const char c = arguments[i];
            if (isSpaceOrTab(c) && quoteCount == 0) {
                break;
            }
            if (c == '\\') {
                arg += c;
                ++backslashes;
                ++i;
            } else if (c == '"') {
                if (backslashes % 2 == 0) {
                    arg.erase(arg.size() - backslashes / 2);
                    ++quoteCount;
                } else {
                    arg.erase(arg.size() - backslashes / 2 - 1);
                    arg += '"';
                }
                ++i;
                backslashes = 0;
                while (i < size && arguments[i] == '"') {
                    if (++quoteCount == 3) {
                        arg += '"';
                        quoteCount = 0;
                    }
                    ++i;
                }
                if (quoteCount == 2) {
                    quoteCount = 0;
                }
            } else {
                arg += c;
                backslashes = 0;
                ++i;
            }
        }
        result.push_back(arg);
    }
    return result;
}

std::string trimBlanks(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) {
        ++begin;
    }
    return trimTrailingBlanks(text.substr(begin));
}

std::string trimTrailingBlanks(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

} // namespace sim
