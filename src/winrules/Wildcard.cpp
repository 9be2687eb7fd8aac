// Wildcard matching as the NT directory search does it.
#include "winrules/Wildcard.h"

#include "winrules/WinText.h"

namespace winrules {

bool hasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

// The backtracking matcher of the NT directory search: a star remembers its position, a mismatch
// retries one character further on.
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

bool matchesEveryName(const std::string& pattern) {
    return pattern.find('*') != std::string::npos &&
           pattern.find_first_not_of("*?.") == std::string::npos;
}

std::size_t literalPrefixLength(const std::string& pattern) {
    const std::size_t wild = pattern.find_first_of("*?");
    return wild == std::string::npos ? pattern.size() : wild;
}

} // namespace winrules
