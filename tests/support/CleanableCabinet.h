// A cab configuration whose cabinet is on the machine, so the cab cleaner opens without its
// no-configuration box and offers Clean; all of it gone afterwards.
#pragma once

#include "base/General.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <string>

namespace testsupport {

class CleanableCabinet {
  public:
    CleanableCabinet()
        : configuration(platform::programFolder() + "\\tvxwindows.cab.ccf"),
          cache(GetWindowsFolder() + "\\Driver Cache"), cabinet(cache + "\\i386\\tvxwindows.cab") {
        platform::writeFile(configuration, "");
        madeCache = platform::createFolder(cache) == platform::kOk;
        platform::createFolder(cache + "\\i386");
        platform::writeFile(cabinet, "MSCF");
    }
    ~CleanableCabinet() {
        platform::deleteFile(configuration);
        platform::deleteFile(cabinet);
        if (madeCache) {
            platform::deleteTree(cache);
        }
    }
    CleanableCabinet(const CleanableCabinet&) = delete;
    CleanableCabinet& operator=(const CleanableCabinet&) = delete;

  private:
    std::string configuration;
    std::string cache;
    std::string cabinet;
    bool madeCache = false;
};

} // namespace testsupport
