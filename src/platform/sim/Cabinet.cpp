// Reading cabinets on the simulated machine with libmspack, whose every file access goes through
// the machine's own file services: names without regard to case, attributes and fault marks hold.
#include "platform/Cabinet.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/common/CabinetPath.h"
#include "platform/common/DosTime.h"
#include "platform/sim/HostFs.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mspack.h>

namespace platform {

namespace {

struct MachineState;

// An open file: a cabinet being read (shared bytes) or an extracted file being collected.
struct MachineFile {
    MachineState* owner = nullptr;
    std::string path;
    std::shared_ptr<const std::string> input;
    std::string output;
    bool writing = false;
    std::size_t position = 0;
};

// What one reading keeps between libmspack's calls. libmspack's close cannot fail, so the first
// failure of writing an extracted file is kept here for the caller.
struct MachineState {
    // Set while files are unpacked into memory: closing a written file hands its bytes here.
    std::function<void(std::string&)> memory;
    Error writeError = kOk;
    Error openError = kOk;
    std::map<std::string, std::shared_ptr<const std::string>> read; // cabinets read so far
};

// libmspack's view of the machine: its function table followed by the reading's state.
struct MachineSystem {
    mspack_system base;
    MachineState* state;
};

MachineState& ownerOf(mspack_system* self) {
    return *reinterpret_cast<MachineSystem*>(self)->state;
}

mspack_file* openFile(mspack_system* self, const char* name, int mode) {
    MachineState& system = ownerOf(self);
    auto file = std::make_unique<MachineFile>();
    file->owner = &system;
    file->path = name;
    if (mode == MSPACK_SYS_OPEN_READ) {
        std::shared_ptr<const std::string>& cached = system.read[file->path];
        if (cached == nullptr) {
            auto bytes = std::make_shared<std::string>();
            const Error error = readFile(file->path, *bytes);
            if (error != kOk) {
                system.openError = error;
                system.read.erase(file->path);
                return nullptr;
            }
            cached = bytes;
        }
        file->input = cached;
    } else if (mode == MSPACK_SYS_OPEN_WRITE) {
        // Collected here and written whole when closed.
        file->writing = true;
    } else {
        return nullptr;
    }
    return reinterpret_cast<mspack_file*>(file.release());
}

void closeFile(mspack_file* handle) {
    std::unique_ptr<MachineFile> file(reinterpret_cast<MachineFile*>(handle));
    if (file->writing && file->owner->memory) {
        file->owner->memory(file->output);
    } else if (file->writing) {
        // A hidden, system or read-only file of the same name is replaced.
        Error error = writeFile(file->path, file->output);
        if (error == kErrorAccessDenied && setAttributes(file->path, kAttrNormal) == kOk) {
            error = writeFile(file->path, file->output);
        }
        if (error != kOk && file->owner->writeError == kOk) {
            file->owner->writeError = error;
        }
    }
}

int readBytes(mspack_file* handle, void* buffer, int count) {
    MachineFile& file = *reinterpret_cast<MachineFile*>(handle);
    if (file.writing || count < 0) {
        return -1;
    }
    const std::size_t left = file.input->size() - file.position;
    const std::size_t taken = static_cast<std::size_t>(count) < left ? count : left;
    std::memcpy(buffer, file.input->data() + file.position, taken);
    file.position += taken;
    return static_cast<int>(taken);
}

int writeBytes(mspack_file* handle, void* buffer, int count) {
    MachineFile& file = *reinterpret_cast<MachineFile*>(handle);
    if (!file.writing || count < 0) {
        return -1;
    }
    file.output.append(static_cast<const char*>(buffer), static_cast<std::size_t>(count));
    return count;
}

int seekTo(mspack_file* handle, off_t offset, int mode) {
    MachineFile& file = *reinterpret_cast<MachineFile*>(handle);
    const off_t size = static_cast<off_t>(file.writing ? file.output.size() : file.input->size());
    off_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR) {
        base = static_cast<off_t>(file.position);
    } else if (mode == MSPACK_SYS_SEEK_END) {
        base = size;
    }
    if (offset < -base || offset > size - base) {
        return -1;
    }
    file.position = static_cast<std::size_t>(base + offset);
    return 0;
}

off_t tellAt(mspack_file* handle) {
    return static_cast<off_t>(reinterpret_cast<MachineFile*>(handle)->position);
}

void ignoreMessage(mspack_file*, const char*, ...) {}

void* allocate(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void release(void* memory) {
    std::free(memory);
}

void copyBytes(void* from, void* to, size_t bytes) {
    std::memmove(to, from, bytes);
}

// True for a cabinet that holds no file (our writer makes one for a cabinet whose every file was
// taken out), which libmspack refuses: a plain header with no folder and no file.
bool isEmptyCabinet(const std::string& bytes) {
    const auto at = [&bytes](std::size_t offset) {
        return static_cast<unsigned char>(bytes[offset]) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[offset + 1])) << 8;
    };
    return bytes.size() >= 36 && bytes.compare(0, 4, "MSCF") == 0 && at(26) == 0 && at(28) == 0 &&
           (at(30) & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB)) == 0;
}

// The file's name in the ANSI code page: UTF-8 names are brought down to Latin-1 where they can
// be; false for a name with characters beyond it.
bool ansiName(const mscabd_file& file, std::string& name) {
    name = file.filename;
    if ((file.attribs & MSCAB_ATTRIB_UTF_NAME) == 0) {
        return true;
    }
    std::string latin;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x80) {
            latin.push_back(static_cast<char>(c));
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < name.size()) {
            latin.push_back(static_cast<char>(((c & 0x03) << 6) | (name[++i] & 0x3F)));
        } else {
            return false;
        }
    }
    name = latin;
    return true;
}

// A decompressor on the machine with the cabinet `path` open; closes both when it goes.
class OpenCabinet {
  public:
    explicit OpenCabinet(const std::string& path) {
        link.base = mspack_system{openFile,      closeFile, readBytes, writeBytes, seekTo, tellAt,
                                  ignoreMessage, allocate,  release,   copyBytes,  nullptr};
        link.state = &system;
        decompressor = mspack_create_cab_decompressor(&link.base);
        if (decompressor != nullptr) {
            cabinet = decompressor->open(decompressor, path.c_str());
        }
        const auto read = system.read.find(path);
        empty = cabinet == nullptr && read != system.read.end() && isEmptyCabinet(*read->second);
        // One name that cannot be given makes the whole cabinet unusable, before any file of it
        // is listed, unpacked or handed on.
        for (const mscabd_file* file = cabinet != nullptr ? cabinet->files : nullptr;
             file != nullptr; file = file->next) {
            std::string name;
            badName = badName || !ansiName(*file, name);
        }
    }
    ~OpenCabinet() {
        if (cabinet != nullptr) {
            decompressor->close(decompressor, cabinet);
        }
        if (decompressor != nullptr) {
            mspack_destroy_cab_decompressor(decompressor);
        }
    }
    OpenCabinet(const OpenCabinet&) = delete;
    OpenCabinet& operator=(const OpenCabinet&) = delete;

    // Why the cabinet cannot be used: unreadable, not a cabinet, a name beyond the ANSI code page,
    // or part of a set; kOk also for a cabinet without files (then `cabinet` stays null).
    Error problem() const {
        if (empty) {
            return kOk;
        }
        if (cabinet == nullptr) {
            return system.openError != kOk ? system.openError : kErrorBadFormat;
        }
        if (badName) {
            return kErrorBadFormat;
        }
        return (cabinet->flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB)) != 0 ? kErrorNotSupported
                                                                               : kOk;
    }

    MachineState system;
    MachineSystem link{};
    bool empty = false;
    bool badName = false;
    mscab_decompressor* decompressor = nullptr;
    mscabd_cabinet* cabinet = nullptr;
};

CabinetEntry entryOf(const mscabd_file& file, const std::string& name) {
    CabinetEntry entry;
    entry.path = name;
    entry.size = file.length;
    LocalTime stamp{file.date_y, file.date_m, file.date_d, file.time_h, file.time_m, file.time_s};
    detail::toDosTime(stamp, entry.dosDate, entry.dosTime);
    entry.attributes = static_cast<std::uint32_t>(file.attribs) &
                       (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
    return entry;
}

// Creates the folders of `parts` (all but the last) below `folder`; returns the file's path.
std::string makeInnerFolders(const std::string& folder, const std::vector<std::string>& parts) {
    std::string path = folder;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        path += "\\" + parts[i];
        createFolder(path);
    }
    return path + "\\" + parts.back();
}

} // namespace

Error listCabinet(const std::string& cabinet, std::vector<CabinetEntry>& entries) {
    entries.clear();
    OpenCabinet open(cabinet);
    if (open.problem() != kOk) {
        return open.problem();
    }
    for (const mscabd_file* file = open.empty ? nullptr : open.cabinet->files; file != nullptr;
         file = file->next) {
        std::string name;
        if (!ansiName(*file, name)) {
            entries.clear();
            return kErrorBadFormat;
        }
        entries.push_back(entryOf(*file, name));
    }
    return kOk;
}

Error extractCabinet(const std::string& cabinet, const std::string& folder, const std::string& only,
                     std::size_t& extracted) {
    extracted = 0;
    // Thousands of new files in one folder: listed once, not once per file.
    sim::FolderBatch batch;
    OpenCabinet open(cabinet);
    if (open.problem() != kOk) {
        return open.problem();
    }
    for (mscabd_file* file = open.empty ? nullptr : open.cabinet->files; file != nullptr;
         file = file->next) {
        std::string name;
        std::vector<std::string> parts;
        if (!ansiName(*file, name) || !detail::splitCabinetPath(name, parts)) {
            return kErrorBadFormat;
        }
        if (!only.empty() && !detail::sameCabinetPath(name, only)) {
            continue;
        }
        const std::string target = makeInnerFolders(folder, parts);
        open.system.openError = kOk;
        if (open.decompressor->extract(open.decompressor, file, target.c_str()) != MSPACK_ERR_OK) {
            return open.system.openError != kOk ? open.system.openError : kErrorBadFormat;
        }
        if (open.system.writeError != kOk) {
            return open.system.writeError;
        }
        const CabinetEntry entry = entryOf(*file, name);
        const Error timed = setFileTime(target, detail::fromDosTime(entry.dosDate, entry.dosTime));
        if (timed != kOk) {
            return timed;
        }
        const Error marked =
            setAttributes(target, entry.attributes != 0 ? entry.attributes : kAttrNormal);
        if (marked != kOk) {
            return marked;
        }
        ++extracted;
    }
    return kOk;
}

Error readCabinetFiles(const std::string& cabinet,
                       const std::function<bool(const CabinetEntry&, const std::string&)>& visit) {
    OpenCabinet open(cabinet);
    if (open.problem() != kOk) {
        return open.problem();
    }
    std::string bytes;
    open.system.memory = [&bytes](std::string& output) { bytes.swap(output); };
    for (mscabd_file* file = open.empty ? nullptr : open.cabinet->files; file != nullptr;
         file = file->next) {
        std::string name;
        if (!ansiName(*file, name)) {
            return kErrorBadFormat;
        }
        bytes.clear();
        // libmspack hands the name back to openFile, which opens nothing in memory.
        if (open.decompressor->extract(open.decompressor, file, name.c_str()) != MSPACK_ERR_OK) {
            return kErrorBadFormat;
        }
        if (!visit(entryOf(*file, name), bytes)) {
            break;
        }
    }
    return kOk;
}

} // namespace platform
