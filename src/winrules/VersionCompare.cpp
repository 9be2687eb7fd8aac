// Version comparison by VerifyVersionInfo's codes.
#include "winrules/VersionCompare.h"

namespace winrules {

bool compareVersionNumbers(std::int64_t actual, std::int64_t wanted, int comparison) {
    switch (comparison) {
    case 1:
        return actual == wanted;
    case 2:
        return actual > wanted;
    case 3:
        return actual >= wanted;
    case 4:
        return actual < wanted;
    case 5:
        return actual <= wanted;
    default:
        return false;
    }
}

bool compareVersionFields(const std::vector<std::pair<std::int64_t, std::int64_t>>& fields,
                          int comparison) {
    for (const auto& field : fields) {
        if (field.second >= 0 && field.first != field.second) {
            return compareVersionNumbers(field.first, field.second, comparison);
        }
    }
    return compareVersionNumbers(0, 0, comparison);
}

} // namespace winrules
