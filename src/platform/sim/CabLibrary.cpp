// cab.dll on the simulated machine: present when the program folder holds a file of that name;
// its functions are served in-process by our own MSZIP writer over the machine's file services.
#include "platform/CabLibrary.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/common/DosTime.h"

#include "cabformat/CabWriter.h"

#include <map>

namespace platform {

namespace {

// An open cabinet: where it goes and what was added so far.
struct OpenCabinet {
    std::string path;
    cabformat::CabWriter writer;
};

} // namespace

struct CabLibrary::Library {
    bool initialized = false;
    std::int32_t lastHandle = 0;
    std::map<std::int32_t, std::unique_ptr<OpenCabinet>> cabinets;
};

CabLibrary::CabLibrary() {
    std::uint64_t length = 0;
    if (fileLength(programFolder() + "\\cab.dll", length) == kOk) {
        library = std::make_unique<Library>();
    }
}

CabLibrary::~CabLibrary() = default;

std::int32_t CabLibrary::compressInitialize() {
    if (library == nullptr) {
        return 0;
    }
    library->initialized = true;
    return 1;
}

std::int32_t CabLibrary::create(const std::string& cabinetPath) {
    if (library == nullptr || !library->initialized || writeFile(cabinetPath, "") != kOk) {
        return 0;
    }
    auto cabinet = std::make_unique<OpenCabinet>();
    cabinet->path = cabinetPath;
    const std::int32_t handle = ++library->lastHandle;
    library->cabinets[handle] = std::move(cabinet);
    return handle;
}

std::int32_t CabLibrary::addFile(std::int32_t cabinet, const std::string& filePath,
                                 const std::string& nameInCabinet) {
    if (library == nullptr || library->cabinets.count(cabinet) == 0) {
        return 0;
    }
    std::string bytes;
    std::uint32_t attributes = 0;
    LocalTime written;
    if (readFile(filePath, bytes) != kOk || getAttributes(filePath, attributes) != kOk ||
        getFileTime(filePath, written) != kOk) {
        return 0;
    }
    cabformat::FileRecord record;
    record.name =
        nameInCabinet.empty() ? filePath.substr(filePath.find_last_of("\\/:") + 1) : nameInCabinet;
    record.attributes = static_cast<std::uint16_t>(
        attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive));
    detail::toDosTime(written, record.date, record.time);
    return library->cabinets[cabinet]->writer.addFile(
               record, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())
               ? 1
               : 0;
}

std::int32_t CabLibrary::close(std::int32_t cabinet) {
    if (library == nullptr || library->cabinets.count(cabinet) == 0) {
        return 0;
    }
    const std::unique_ptr<OpenCabinet> open = std::move(library->cabinets[cabinet]);
    library->cabinets.erase(cabinet);
    const std::string bytes = open->writer.finish();
    return !bytes.empty() && writeFile(open->path, bytes) == kOk ? 1 : 0;
}

std::int32_t CabLibrary::compressTerminate() {
    if (library == nullptr) {
        return 0;
    }
    library->cabinets.clear();
    library->initialized = false;
    return 1;
}

} // namespace platform
