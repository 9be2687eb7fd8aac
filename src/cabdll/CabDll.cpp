// cab.dll: the five cabinet compression functions of the cab cleaner on the system's FCI
// (cabinet.dll, looked up when the compressor starts). Files are packed with MSZIP into one
// folder of one cabinet. Handles are small numbers, so they fit the callers' 32-bit integers on
// 64-bit Windows too.
#include <windows.h>

#include <fci.h>
#include <fcntl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Exported by cab.def under these names.
extern "C" {
// Non-zero when the compressor is ready.
std::int32_t WINAPI CABCOMPRESSINITIALIZE();
// The handle of a new cabinet to be written to `path`; 0 when it cannot be created.
std::int32_t WINAPI CABCREATE(const char* path);
// Adds the file `path` under `name` (empty: its own name); non-zero when added.
std::int32_t WINAPI CABADDFILE(std::int32_t cabinet, const char* path, const char* name);
// Writes the cabinet out; non-zero only when it is complete on disk.
std::int32_t WINAPI CABCLOSE(std::int32_t cabinet);
// Releases the compressor and every cabinet still open.
std::int32_t WINAPI CABCOMPRESSTERMINATE();
// The decompression half is declared by the callers but never used: this library compresses
// only, and each of these reports failure (0).
std::int32_t WINAPI CABDECOMPRESSINITIALIZE();
std::int32_t WINAPI CABENUM(const char* path);
std::int32_t WINAPI CABEXTRACT(const char* path, const char* destination);
std::int32_t WINAPI CABDECOMPRESSTERMINATE();
std::int32_t WINAPI CABABOUT();
}

namespace {

using FciCreate = decltype(&FCICreate);
using FciAddFile = decltype(&FCIAddFile);
using FciFlushCabinet = decltype(&FCIFlushCabinet);
using FciDestroy = decltype(&FCIDestroy);

// No cabinet is split and no folder is started anew below these sizes.
constexpr ULONG kNoLimit = 0x7FFFFFFF;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// cabinet.dll's compression functions while the compressor is initialised.
struct Compressor {
    HMODULE module = nullptr;
    FciCreate create = nullptr;
    FciAddFile addFile = nullptr;
    FciFlushCabinet flush = nullptr;
    FciDestroy destroy = nullptr;
};

// One cabinet between CABCREATE and CABCLOSE.
struct Cabinet {
    HFCI context = nullptr;
    ERF problem{};
    CCAB target{};
    std::string path;
};

Compressor compressor;
std::vector<std::unique_ptr<Cabinet>> cabinets; // handle n is cabinets[n - 1]

INT_PTR handleOf(HANDLE file) {
    return file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(file);
}

FNFCIFILEPLACED(filePlaced) {
    (void)pccab;
    (void)pszFile;
    (void)cbFile;
    (void)fContinuation;
    (void)pv;
    return 0;
}

FNFCIALLOC(fciAlloc) {
    return HeapAlloc(GetProcessHeap(), 0, cb);
}

FNFCIFREE(fciFree) {
    HeapFree(GetProcessHeap(), 0, memory);
}

// FCI asks in the C runtime's open flags for the cabinet and its own temporary files.
FNFCIOPEN(fciOpen) {
    (void)pmode;
    (void)pv;
    const DWORD access = (oflag & (_O_RDWR | _O_WRONLY)) == 0 ? GENERIC_READ
                         : (oflag & _O_WRONLY) != 0           ? GENERIC_WRITE
                                                              : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    if ((oflag & _O_CREAT) != 0) {
        disposition = (oflag & _O_EXCL) != 0    ? CREATE_NEW
                      : (oflag & _O_TRUNC) != 0 ? CREATE_ALWAYS
                                                : OPEN_ALWAYS;
    } else if ((oflag & _O_TRUNC) != 0) {
        disposition = TRUNCATE_EXISTING;
    }
    const HANDLE file = CreateFileA(pszFile, access, FILE_SHARE_READ, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *err = static_cast<int>(GetLastError());
    }
    return handleOf(file);
}

FNFCIREAD(fciRead) {
    (void)pv;
    DWORD done = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(hf), memory, cb, &done, nullptr)) {
        *err = static_cast<int>(GetLastError());
        return UINT(-1);
    }
    return done;
}

FNFCIWRITE(fciWrite) {
    (void)pv;
    DWORD done = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(hf), memory, cb, &done, nullptr) || done != cb) {
        *err = static_cast<int>(GetLastError());
        return UINT(-1);
    }
    return done;
}

FNFCICLOSE(fciClose) {
    (void)pv;
    if (!CloseHandle(reinterpret_cast<HANDLE>(hf))) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    return 0;
}

FNFCISEEK(fciSeek) {
    (void)pv;
    const DWORD position = SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, seektype);
    if (position == INVALID_SET_FILE_POINTER) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    return static_cast<long>(position);
}

FNFCIDELETE(fciDelete) {
    (void)pv;
    if (!DeleteFileA(pszFile)) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    return 0;
}

// A free name in the temporary folder for FCI's scratch files (FCI creates them itself).
FNFCIGETTEMPFILE(tempFile) {
    (void)pv;
    char folder[MAX_PATH];
    char name[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || GetTempFileNameA(folder, "tvx", 0, name) == 0) {
        return FALSE;
    }
    DeleteFileA(name);
    if (lstrlenA(name) >= cbTempName) {
        return FALSE;
    }
    lstrcpyA(pszTempName, name);
    return TRUE;
}

// One cabinet only: a set is never started.
FNFCIGETNEXTCABINET(nextCabinet) {
    (void)pccab;
    (void)cbPrevCab;
    (void)pv;
    return FALSE;
}

FNFCISTATUS(status) {
    (void)typeStatus;
    (void)cb1;
    (void)cb2;
    (void)pv;
    return 0;
}

// Opens a file to add and tells FCI its local DOS date and time and its attributes.
FNFCIGETOPENINFO(openInfo) {
    (void)pv;
    const HANDLE file = CreateFileA(pszName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    FILETIME local;
    if (file == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file, &information) ||
        !FileTimeToLocalFileTime(&information.ftLastWriteTime, &local) ||
        !FileTimeToDosDateTime(&local, pdate, ptime)) {
        *err = static_cast<int>(GetLastError());
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        return -1;
    }
    *pattribs = static_cast<USHORT>(information.dwFileAttributes & kKeptAttributes);
    return handleOf(file);
}

Cabinet* cabinetOf(std::int32_t handle) {
    if (handle < 1 || static_cast<std::size_t>(handle) > cabinets.size()) {
        return nullptr;
    }
    return cabinets[static_cast<std::size_t>(handle) - 1].get();
}

template <class Function> Function look(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(compressor.module, name)));
}

// Copies `text` into a fixed field of FCI's records; false when it does not fit.
bool fill(char* field, std::size_t size, const std::string& text) {
    if (text.size() >= size) {
        return false;
    }
    lstrcpynA(field, text.c_str(), static_cast<int>(size));
    return true;
}

} // namespace

std::int32_t WINAPI CABCOMPRESSINITIALIZE() {
    if (compressor.module == nullptr) {
        compressor.module = LoadLibraryA("cabinet.dll");
    }
    if (compressor.module == nullptr) {
        return 0;
    }
    compressor.create = look<FciCreate>("FCICreate");
    compressor.addFile = look<FciAddFile>("FCIAddFile");
    compressor.flush = look<FciFlushCabinet>("FCIFlushCabinet");
    compressor.destroy = look<FciDestroy>("FCIDestroy");
    return compressor.create != nullptr && compressor.addFile != nullptr &&
                   compressor.flush != nullptr && compressor.destroy != nullptr
               ? 1
               : 0;
}

std::int32_t WINAPI CABCREATE(const char* path) {
    if (compressor.create == nullptr || path == nullptr) {
        return 0;
    }
    auto cabinet = std::make_unique<Cabinet>();
    cabinet->path = path;
    const std::size_t cut = cabinet->path.find_last_of("\\/:") + 1;
    cabinet->target.cb = kNoLimit;
    cabinet->target.cbFolderThresh = kNoLimit;
    if (!fill(cabinet->target.szCabPath, sizeof cabinet->target.szCabPath,
              cabinet->path.substr(0, cut)) ||
        !fill(cabinet->target.szCab, sizeof cabinet->target.szCab, cabinet->path.substr(cut))) {
        return 0;
    }
    // Made now, so that a place that takes no file fails here and not after all the packing.
    const HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    CloseHandle(file);
    cabinet->context = compressor.create(&cabinet->problem, filePlaced, fciAlloc, fciFree, fciOpen,
                                         fciRead, fciWrite, fciClose, fciSeek, fciDelete, tempFile,
                                         &cabinet->target, nullptr);
    if (cabinet->context == nullptr) {
        DeleteFileA(path);
        return 0;
    }
    cabinets.push_back(std::move(cabinet));
    return static_cast<std::int32_t>(cabinets.size());
}

std::int32_t WINAPI CABADDFILE(std::int32_t handle, const char* path, const char* name) {
    Cabinet* cabinet = cabinetOf(handle);
    if (cabinet == nullptr || path == nullptr) {
        return 0;
    }
    std::string source = path;
    std::string inside = name != nullptr && *name != '\0'
                             ? std::string(name)
                             : source.substr(source.find_last_of("\\/:") + 1);
    return compressor.addFile(cabinet->context, &source[0], &inside[0], FALSE, nextCabinet, status,
                              openInfo, tcompTYPE_MSZIP)
               ? 1
               : 0;
}

std::int32_t WINAPI CABCLOSE(std::int32_t handle) {
    Cabinet* cabinet = cabinetOf(handle);
    if (cabinet == nullptr) {
        return 0;
    }
    const bool flushed = compressor.flush(cabinet->context, FALSE, nextCabinet, status) != FALSE;
    compressor.destroy(cabinet->context);
    const std::string path = cabinet->path;
    cabinets[static_cast<std::size_t>(handle) - 1].reset();
    // Searched rather than opened: Windows 95 has no GetFileAttributesExA.
    WIN32_FIND_DATAA written;
    const HANDLE search = FindFirstFileA(path.c_str(), &written);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    FindClose(search);
    return flushed && (written.nFileSizeLow != 0 || written.nFileSizeHigh != 0) ? 1 : 0;
}

std::int32_t WINAPI CABCOMPRESSTERMINATE() {
    for (std::unique_ptr<Cabinet>& cabinet : cabinets) {
        if (cabinet != nullptr) {
            compressor.destroy(cabinet->context);
        }
    }
    cabinets.clear();
    if (compressor.module != nullptr) {
        FreeLibrary(compressor.module);
    }
    compressor = Compressor();
    return 1;
}

std::int32_t WINAPI CABDECOMPRESSINITIALIZE() {
    return 0;
}

std::int32_t WINAPI CABENUM(const char*) {
    return 0;
}

std::int32_t WINAPI CABEXTRACT(const char*, const char*) {
    return 0;
}

std::int32_t WINAPI CABDECOMPRESSTERMINATE() {
    return 0;
}

std::int32_t WINAPI CABABOUT() {
    return 0;
}
