// Quellix's version text and data folder.
#include "fixtool/Quellix.h"

#include "platform/System.h"

namespace quellix {

std::string VersionText() {
    return std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
}

std::string DataFolder() {
    return platform::programFolder() + "\\quellix";
}

} // namespace quellix
