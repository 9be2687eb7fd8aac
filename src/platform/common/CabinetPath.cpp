// Inner paths of cabinet files: split and refused before extraction writes anything.
#include "platform/common/CabinetPath.h"

#include <cctype>

namespace platform::detail {

namespace {

bool forbidden(unsigned char c) {
    return c < 0x20 || std::string("<>:\"|?*").find(static_cast<char>(c)) != std::string::npos;
}

} // namespace

bool splitCabinetPath(const std::string& name, std::vector<std::string>& parts) {
    parts.clear();
    std::string part;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '\\' || name[i] == '/') {
            // Windows drops trailing dots and blanks, so "..." and ". " name the parent too.
            const std::size_t kept = part.find_last_not_of(". ");
            if (part.empty() || kept == std::string::npos) {
                return false;
            }
            parts.push_back(part);
            part.clear();
        } else if (forbidden(static_cast<unsigned char>(name[i]))) {
            return false;
        } else {
            part.push_back(name[i]);
        }
    }
    return true;
}

bool sameCabinetPath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] == '/' ? '\\' : a[i];
        const char y = b[i] == '/' ? '\\' : b[i];
        if (std::tolower(static_cast<unsigned char>(x)) !=
            std::tolower(static_cast<unsigned char>(y))) {
            return false;
        }
    }
    return true;
}

} // namespace platform::detail
