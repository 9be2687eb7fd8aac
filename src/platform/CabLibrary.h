// The cabinet compressor cab.dll of the program folder and its five compression functions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// cab.dll loaded from the program folder for as long as the object lives. A function the library
// lacks, or any function when the library could not be loaded, returns 0 (failure).
class CabLibrary {
  public:
    CabLibrary();
    ~CabLibrary();
    CabLibrary(const CabLibrary&) = delete;
    CabLibrary& operator=(const CabLibrary&) = delete;

    // CABCOMPRESSINITIALIZE: non-zero when the compressor is ready.
    std::int32_t compressInitialize();
    // CABCREATE: the handle of a new, open cabinet that will be written to `cabinetPath`; 0 when
    // it cannot be created.
    std::int32_t create(const std::string& cabinetPath);
    // CABADDFILE: adds the file `filePath` as `nameInCabinet` (empty: the file's own name), with
    // its date, time and attributes; non-zero when it was added.
    std::int32_t addFile(std::int32_t cabinet, const std::string& filePath,
                         const std::string& nameInCabinet);
    // CABCLOSE: writes the cabinet out; non-zero only when it is complete on disk.
    std::int32_t close(std::int32_t cabinet);
    // CABCOMPRESSTERMINATE: releases the compressor and every cabinet still open.
    std::int32_t compressTerminate();

  private:
    struct Library;
    std::unique_ptr<Library> library;
};

} // namespace platform
