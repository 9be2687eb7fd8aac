// Any bytes as a cabinet: listing and extracting must fail cleanly or succeed, and nothing may be
// written outside the destination folder.
#include "FuzzMachine.h"

#include "platform/Files.h"

#include "platform/Cabinet.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::useMachine();
    const std::string folder = "C:\\Fuzz";
    platform::deleteTree(folder);
    platform::createFolder(folder);
    const std::string cabinet = folder + "\\in.cab";
    const std::string destination = folder + "\\out";
    platform::writeFile(cabinet, std::string(reinterpret_cast<const char*>(data), size));
    platform::createFolder(destination);
    std::vector<platform::CabinetEntry> entries;
    const platform::Error listed = platform::listCabinet(cabinet, entries);
    std::size_t extracted = 0;
    const platform::Error unpacked = platform::extractCabinet(cabinet, destination, "", extracted);
    if (unpacked == platform::kOk && (listed != platform::kOk || extracted != entries.size())) {
        std::abort(); // an extraction that worked must agree with the listing
    }
    std::size_t read = 0;
    const platform::Error inMemory = platform::readCabinetFiles(
        cabinet, [&](const platform::CabinetEntry& entry, const std::string& bytes) {
            if (read >= entries.size() || entry.path != entries[read].path ||
                bytes.size() != entries[read].size) {
                std::abort(); // what is unpacked must be what the listing announced
            }
            ++read;
            return true;
        });
    if (unpacked == platform::kOk && (inMemory != platform::kOk || read != entries.size())) {
        std::abort();
    }
    std::vector<platform::FindEntry> found;
    platform::findFiles(folder + "\\*", found);
    if (found.size() != 4) { // ".", "..", in.cab, out
        std::abort();
    }
    return 0;
}
