// Reading cabinets with the system's FDI (cabinet.dll), looked up when used: Windows 95 may lack
// it, and the program must still load there.
#include "platform/Cabinet.h"
#include "platform/common/CabinetPath.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <fdi.h>
#include <functional>
#include <vector>

namespace platform {

namespace {

using FdiCreate = decltype(&FDICreate);
using FdiIsCabinet = decltype(&FDIIsCabinet);
using FdiCopy = decltype(&FDICopy);
using FdiDestroy = decltype(&FDIDestroy);

constexpr USHORT kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// The cabinet header's size and where its flags are: a previous and a next cabinet of a set.
constexpr UINT kHeaderSize = 36;
constexpr std::size_t kFlagsOffset = 30;
constexpr unsigned char kPreviousCabinet = 0x01;
constexpr unsigned char kNextCabinet = 0x02;
// FDI's error for a cabinet file it could not open.
constexpr int kFdiCabinetNotFound = 1;

// FDI's open callback has no user pointer: why the last open failed.
Error lastOpenError = kOk;

struct Walk;
// The walk that unpacks into memory, and the handle its files are written to: a value no real
// handle has (those are multiples of four).
Walk* memoryWalk = nullptr;
constexpr INT_PTR kMemoryHandle = 1;

FNALLOC(fdiAlloc) {
    return HeapAlloc(GetProcessHeap(), 0, cb);
}

FNFREE(fdiFree) {
    HeapFree(GetProcessHeap(), 0, pv);
}

// FDI opens only the cabinet itself, for reading.
FNOPEN(fdiOpen) {
    (void)oflag;
    (void)pmode;
    const HANDLE file = CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        lastOpenError = static_cast<Error>(GetLastError());
        return -1;
    }
    return reinterpret_cast<INT_PTR>(file);
}

FNREAD(fdiRead) {
    DWORD done = 0;
    return ReadFile(reinterpret_cast<HANDLE>(hf), pv, cb, &done, nullptr) ? done : UINT(-1);
}

FNCLOSE(fdiClose) {
    return CloseHandle(reinterpret_cast<HANDLE>(hf)) ? 0 : -1;
}

FNSEEK(fdiSeek) {
    return static_cast<LONG>(SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, seektype));
}

// What one FDICopy is after, and what it found.
struct Walk {
    bool extracting = false;
    // Unpacking into memory: each file is handed here with its bytes.
    const std::function<bool(const CabinetEntry&, const std::string&)>* visit = nullptr;
    bool stopped = false;
    CabinetEntry current;
    std::string bytes;
    std::string folder;
    std::string only;
    std::vector<CabinetEntry>* entries = nullptr;
    std::size_t extracted = 0;
    Error error = kOk;
    std::string target; // the file being written
};

FNWRITE(fdiWrite) {
    if (hf == kMemoryHandle) {
        memoryWalk->bytes.append(static_cast<const char*>(pv), cb);
        return cb;
    }
    DWORD done = 0;
    return WriteFile(reinterpret_cast<HANDLE>(hf), pv, cb, &done, nullptr) ? done : UINT(-1);
}

// The name in the ANSI code page; UTF-8 names (flag 0x80) are converted.
bool ansiName(const char* name, USHORT attributes, std::string& result) {
    result = name;
    if ((attributes & _A_NAME_IS_UTF) == 0) {
        return true;
    }
    const int wide = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
    if (wide <= 0) {
        return false;
    }
    std::vector<wchar_t> text(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, name, -1, text.data(), wide);
    BOOL lossy = FALSE;
    const int narrow = WideCharToMultiByte(CP_ACP, 0, text.data(), -1, nullptr, 0, nullptr, &lossy);
    if (narrow <= 0 || lossy) {
        return false;
    }
    std::vector<char> ansi(static_cast<std::size_t>(narrow));
    WideCharToMultiByte(CP_ACP, 0, text.data(), -1, ansi.data(), narrow, nullptr, nullptr);
    result = ansi.data();
    return true;
}

// Opens the output file for an entry; -1 with the walk's error set when it cannot be.
INT_PTR startFile(Walk& walk, const std::string& name) {
    std::vector<std::string> parts;
    if (!detail::splitCabinetPath(name, parts)) {
        walk.error = kErrorBadFormat;
        return -1;
    }
    std::string path = walk.folder;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        path += "\\" + parts[i];
        CreateDirectoryA(path.c_str(), nullptr);
    }
    walk.target = path + "\\" + parts.back();
    SetFileAttributesA(walk.target.c_str(), FILE_ATTRIBUTE_NORMAL);
    const HANDLE file = CreateFileA(walk.target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        walk.error = static_cast<Error>(GetLastError());
        return -1;
    }
    return reinterpret_cast<INT_PTR>(file);
}

// Gives the finished file its time and attributes; false with the walk's error set.
bool finishFile(Walk& walk, const FDINOTIFICATION& note) {
    const HANDLE file = reinterpret_cast<HANDLE>(note.hf);
    FILETIME local;
    FILETIME universal;
    const bool timed = DosDateTimeToFileTime(note.date, note.time, &local) &&
                       LocalFileTimeToFileTime(&local, &universal) &&
                       SetFileTime(file, nullptr, nullptr, &universal);
    if (!timed) {
        walk.error = static_cast<Error>(GetLastError());
    }
    CloseHandle(file);
    const DWORD attributes = note.attribs & kKeptAttributes;
    if (timed && !SetFileAttributesA(walk.target.c_str(),
                                     attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL)) {
        walk.error = static_cast<Error>(GetLastError());
    }
    return walk.error == kOk;
}

FNFDINOTIFY(notify) {
    Walk& walk = *static_cast<Walk*>(pfdin->pv);
    switch (fdint) {
    case fdintCOPY_FILE: {
        std::string name;
        if (!ansiName(pfdin->psz1, pfdin->attribs, name)) {
            walk.error = kErrorBadFormat;
            return -1;
        }
        CabinetEntry entry;
        entry.path = name;
        entry.size = static_cast<std::uint64_t>(pfdin->cb);
        entry.dosDate = pfdin->date;
        entry.dosTime = pfdin->time;
        entry.attributes = pfdin->attribs & kKeptAttributes;
        if (walk.visit != nullptr) {
            walk.current = entry;
            walk.bytes.clear();
            return walk.stopped ? 0 : kMemoryHandle;
        }
        if (!walk.extracting) {
            walk.entries->push_back(entry);
            return 0;
        }
        if (!walk.only.empty() && !detail::sameCabinetPath(name, walk.only)) {
            return 0;
        }
        return startFile(walk, name);
    }
    case fdintCLOSE_FILE_INFO:
        if (walk.visit != nullptr) {
            walk.stopped = !(*walk.visit)(walk.current, walk.bytes);
            return TRUE;
        }
        if (!finishFile(walk, *pfdin)) {
            return FALSE;
        }
        ++walk.extracted;
        return TRUE;
    case fdintPARTIAL_FILE:
    case fdintNEXT_CABINET:
        walk.error = kErrorNotSupported;
        return -1;
    default:
        return 0;
    }
}

// cabinet.dll for one reading; released when it goes.
class CabinetModule {
  public:
    CabinetModule() : module(LoadLibraryA("cabinet.dll")) {
        if (module != nullptr) {
            create = look<FdiCreate>("FDICreate");
            isCabinet = look<FdiIsCabinet>("FDIIsCabinet");
            copy = look<FdiCopy>("FDICopy");
            destroy = look<FdiDestroy>("FDIDestroy");
        }
    }
    ~CabinetModule() {
        if (module != nullptr) {
            FreeLibrary(module);
        }
    }
    CabinetModule(const CabinetModule&) = delete;
    CabinetModule& operator=(const CabinetModule&) = delete;

    bool ready() const {
        return create != nullptr && isCabinet != nullptr && copy != nullptr && destroy != nullptr;
    }

    FdiCreate create = nullptr;
    FdiIsCabinet isCabinet = nullptr;
    FdiCopy copy = nullptr;
    FdiDestroy destroy = nullptr;

  private:
    template <class Function> Function look(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    HMODULE module;
};

// Runs one FDICopy over `cabinet` for `walk`: a single cabinet, not part of a set.
Error walkCabinet(const std::string& cabinet, Walk& walk) {
    CabinetModule fdi;
    if (!fdi.ready()) {
        return kErrorNotSupported;
    }
    ERF problem{};
    const HFDI context = fdi.create(fdiAlloc, fdiFree, fdiOpen, fdiRead, fdiWrite, fdiClose,
                                    fdiSeek, cpuUNKNOWN, &problem);
    if (context == nullptr) {
        return kErrorNotSupported;
    }
    Error error = kOk;
    lastOpenError = kOk;
    const INT_PTR file = fdiOpen(const_cast<char*>(cabinet.c_str()), _O_BINARY | _O_RDONLY, 0);
    if (file == -1) {
        error = lastOpenError;
    } else {
        FDICABINETINFO info{};
        const BOOL isCabinet = fdi.isCabinet(context, file, &info);
        // Read from the header itself: Wine's FDIIsCabinet does not report a following cabinet.
        unsigned char header[kHeaderSize] = {};
        const bool headerRead =
            fdiSeek(file, 0, SEEK_SET) == 0 && fdiRead(file, header, kHeaderSize) == kHeaderSize;
        fdiClose(file);
        if (!isCabinet || !headerRead) {
            error = kErrorBadFormat;
        } else if ((header[kFlagsOffset] & (kPreviousCabinet | kNextCabinet)) != 0) {
            error = kErrorNotSupported;
        }
    }
    if (error == kOk) {
        const std::size_t cut = cabinet.find_last_of("\\/:") + 1;
        std::vector<char> name(cabinet.begin() + static_cast<std::ptrdiff_t>(cut), cabinet.end());
        name.push_back('\0');
        std::vector<char> folder(cabinet.begin(),
                                 cabinet.begin() + static_cast<std::ptrdiff_t>(cut));
        folder.push_back('\0');
        memoryWalk = &walk;
        const BOOL copied =
            fdi.copy(context, name.data(), folder.data(), 0, notify, nullptr, &walk);
        memoryWalk = nullptr;
        if (!copied) {
            error = walk.error != kOk                        ? walk.error
                    : problem.erfOper == kFdiCabinetNotFound ? lastOpenError
                                                             : kErrorBadFormat;
        }
    }
    fdi.destroy(context);
    return error != kOk ? error : walk.error;
}

} // namespace

Error listCabinet(const std::string& cabinet, std::vector<CabinetEntry>& entries) {
    entries.clear();
    Walk walk;
    walk.entries = &entries;
    const Error error = walkCabinet(cabinet, walk);
    if (error != kOk) {
        entries.clear();
    }
    return error;
}

Error extractCabinet(const std::string& cabinet, const std::string& folder, const std::string& only,
                     std::size_t& extracted) {
    Walk walk;
    walk.extracting = true;
    walk.folder = folder;
    walk.only = only;
    const Error error = walkCabinet(cabinet, walk);
    extracted = walk.extracted;
    return error;
}

Error readCabinetFiles(const std::string& cabinet,
                       const std::function<bool(const CabinetEntry&, const std::string&)>& visit) {
    Walk walk;
    walk.visit = &visit;
    return walkCabinet(cabinet, walk);
}

} // namespace platform
