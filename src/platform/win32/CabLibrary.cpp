// cab.dll of the program folder, loaded by its full path and called through its five exports.
#include "platform/CabLibrary.h"
#include "platform/System.h"

#include <windows.h>

namespace platform {

namespace {

using Initialize = std::int32_t(WINAPI*)();
using Create = std::int32_t(WINAPI*)(const char*);
using AddFile = std::int32_t(WINAPI*)(std::int32_t, const char*, const char*);
using Close = std::int32_t(WINAPI*)(std::int32_t);

template <class Function> Function lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

struct CabLibrary::Library {
    HMODULE module = nullptr;
    Initialize initialize = nullptr;
    Create create = nullptr;
    AddFile addFile = nullptr;
    Close close = nullptr;
    Initialize terminate = nullptr;
};

CabLibrary::CabLibrary() : library(std::make_unique<Library>()) {
    library->module = LoadLibraryA((programFolder() + "\\cab.dll").c_str());
    if (library->module != nullptr) {
        library->initialize = lookUp<Initialize>(library->module, "CABCOMPRESSINITIALIZE");
        library->create = lookUp<Create>(library->module, "CABCREATE");
        library->addFile = lookUp<AddFile>(library->module, "CABADDFILE");
        library->close = lookUp<Close>(library->module, "CABCLOSE");
        library->terminate = lookUp<Initialize>(library->module, "CABCOMPRESSTERMINATE");
    }
}

CabLibrary::~CabLibrary() {
    if (library->module != nullptr) {
        FreeLibrary(library->module);
    }
}

std::int32_t CabLibrary::compressInitialize() {
    return library->initialize != nullptr ? library->initialize() : 0;
}

std::int32_t CabLibrary::create(const std::string& cabinetPath) {
    return library->create != nullptr ? library->create(cabinetPath.c_str()) : 0;
}

std::int32_t CabLibrary::addFile(std::int32_t cabinet, const std::string& filePath,
                                 const std::string& nameInCabinet) {
    return library->addFile != nullptr
               ? library->addFile(cabinet, filePath.c_str(), nameInCabinet.c_str())
               : 0;
}

std::int32_t CabLibrary::close(std::int32_t cabinet) {
    return library->close != nullptr ? library->close(cabinet) : 0;
}

std::int32_t CabLibrary::compressTerminate() {
    return library->terminate != nullptr ? library->terminate() : 0;
}

} // namespace platform
