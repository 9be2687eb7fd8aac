// File and folder services on the Win32 API (ANSI functions), on the native file system under
// WOW64: redirection is off around each call that touches a path.
#include "platform/Files.h"
#include "platform/win32/NativeView.h"
#include "platform/win32/SystemFunction.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <windows.h>

#include <shellapi.h>

namespace platform {

using win32::NativeFiles;

namespace {

// SHFileOperation's result for a source it cannot find.
constexpr Error kShellNoSource = 0x402;

Error lastError() {
    return static_cast<Error>(GetLastError());
}

// Closes a handle when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle(handle) {}
    ~FileHandle() {
        if (valid()) {
            CloseHandle(handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle; }

  private:
    HANDLE handle;
};

Error writeAll(HANDLE handle, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) {
            return lastError();
        }
        done += written;
    }
    return kOk;
}

// Refuses to write into an existing file whose attributes forbid it (read-only; hidden or system
// when the file is to be replaced), as Windows does. Asked explicitly because a file system
// without these bits, or Wine run by root, would otherwise let the write through.
Error checkWritable(const std::string& path, bool replacing) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return kOk;
    }
    DWORD refused = FILE_ATTRIBUTE_READONLY;
    if (replacing) {
        refused |= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    }
    return (attributes & refused) != 0 ? kErrorAccessDenied : kOk;
}

// GetLongPathNameA, which Windows 95 and NT 4.0 lack: looked up when first needed.
using GetLongPathNameFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

GetLongPathNameFn longPathName() {
    static const GetLongPathNameFn function =
        win32::systemFunction<GetLongPathNameFn>("kernel32.dll", "GetLongPathNameA");
    return function;
}

// Turns the short (8.3) names of the existing part of `path` into long ones: the longest prefix
// that exists is expanded, the rest appended as it is. False when that cannot be told.
bool expandShortNames(winrules::FullPath& path) {
    const GetLongPathNameFn expand = longPathName();
    if (expand == nullptr) {
        return false; // without the function an alias cannot be told from a name: refuse
    }
    for (std::size_t count = path.parts.size(); count > 0; --count) {
        winrules::FullPath prefix = path;
        prefix.parts.resize(count);
        prefix.trailingSeparator = false;
        const std::string text = winrules::joinPath(prefix);
        char buffer[MAX_PATH];
        DWORD length = 0;
        {
            NativeFiles native;
            length = expand(text.c_str(), buffer, MAX_PATH);
        }
        if (length == 0 || length >= MAX_PATH) {
            continue;
        }
        winrules::FullPath expanded;
        if (winrules::foldPath(std::string(buffer, length), false, expanded) !=
                winrules::PathFault::None ||
            expanded.parts.size() != count) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            path.parts[i] = expanded.parts[i];
        }
        return true;
    }
    return true; // nothing of it exists: no alias to expand
}

// The resolved full path every operation below works on; see resolvePath.
Error resolve(const std::string& text, bool wildcardLast, std::string& full) {
    full.clear();
    winrules::FullPath path;
    switch (winrules::foldPath(text, wildcardLast, path)) {
    case winrules::PathFault::None:
        break;
    case winrules::PathFault::Empty:
        return kErrorPathNotFound;
    case winrules::PathFault::Network:
        return kErrorBadPathName;
    default:
        return kErrorInvalidName;
    }
    const std::string folded = winrules::joinPath(path);
    // The system's own reading must be the same path; where it is not, nobody can tell which one
    // an operation would touch.
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(folded.c_str(), MAX_PATH, buffer, &filePart);
    if (length == 0 || length >= MAX_PATH ||
        winrules::upper(std::string(buffer, length)) != winrules::upper(folded)) {
        return kErrorInvalidName;
    }
    bool alias = false;
    for (const std::string& part : path.parts) {
        alias = alias || part.find('~') != std::string::npos;
    }
    if (alias) {
        // A wildcard component is no name to expand; it is put back afterwards.
        std::string mask;
        const bool pattern = wildcardLast && !path.parts.empty() &&
                             path.parts.back().find_first_of("*?") != std::string::npos;
        if (pattern) {
            mask = path.parts.back();
            path.parts.pop_back();
        }
        if (!expandShortNames(path)) {
            return kErrorInvalidName;
        }
        if (pattern) {
            path.parts.push_back(mask);
        }
    }
    full = winrules::joinPath(path);
    return kOk;
}

} // namespace

Error resolvePath(const std::string& text, bool wildcardLast, std::string& full) {
    return resolve(text, wildcardLast, full);
}

Error findFiles(const std::string& pattern, std::vector<FindEntry>& entries) {
    entries.clear();
    std::string full;
    const Error unresolved = resolve(pattern, true, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(full.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        const Error error = lastError();
        return error == kErrorNoMoreFiles ? kErrorFileNotFound : error;
    }
    do {
        FindEntry entry;
        entry.name = data.cFileName;
        entry.attributes = data.dwFileAttributes;
        entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back(entry);
    } while (FindNextFileA(search, &data));
    const Error ended = lastError();
    FindClose(search);
    return ended == kErrorNoMoreFiles ? kOk : ended;
}

Error fileLength(const std::string& path, std::uint64_t& length) {
    // A wildcard would let the search below report some other file. The attributes keep a folder
    // from being taken for a file; the size then comes from a search, which Windows 95 has (it
    // lacks GetFileAttributesExA) and which also reads a file held open without sharing.
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    const DWORD attributes = GetFileAttributesA(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return lastError();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return kErrorFileNotFound;
    }
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(full.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    FindClose(search);
    length = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return kOk;
}

Error getAttributes(const std::string& path, std::uint32_t& attributes) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    const DWORD found = GetFileAttributesA(full.c_str());
    if (found == INVALID_FILE_ATTRIBUTES) {
        return lastError();
    }
    attributes = found;
    return kOk;
}

Error setAttributes(const std::string& path, std::uint32_t attributes) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    return SetFileAttributesA(full.c_str(), attributes) ? kOk : lastError();
}

Error readFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    FileHandle file(CreateFileA(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return lastError();
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            return lastError();
        }
        if (got == 0) {
            break;
        }
        contents.append(buffer, got);
    }
    bytes.swap(contents);
    return kOk;
}

Error writeFile(const std::string& path, const std::string& bytes) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    const Error refused = checkWritable(full, true);
    if (refused != kOk) {
        return refused;
    }
    FileHandle file(CreateFileA(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return lastError();
    }
    return writeAll(file.get(), bytes);
}

Error appendFile(const std::string& path, const std::string& bytes) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    const Error refused = checkWritable(full, false);
    if (refused != kOk) {
        return refused;
    }
    FileHandle file(CreateFileA(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return lastError();
    }
    // SetFilePointer rather than SetFilePointerEx, which Windows 9x lacks; the high word given
    // lets files past 4 GB seek correctly.
    LONG high = 0;
    SetLastError(NO_ERROR);
    if (SetFilePointer(file.get(), 0, &high, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        return lastError();
    }
    return writeAll(file.get(), bytes);
}

Error deleteFile(const std::string& path) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    return DeleteFileA(full.c_str()) ? kOk : lastError();
}

Error createFolder(const std::string& path) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    return CreateDirectoryA(full.c_str(), nullptr) ? kOk : lastError();
}

Error removeFolder(const std::string& path) {
    std::string full;
    const Error unresolved = resolve(path, false, full);
    if (unresolved != kOk) {
        return unresolved;
    }
    NativeFiles native;
    return RemoveDirectoryA(full.c_str()) ? kOk : lastError();
}

ShellCopyResult shellCopy(const std::string& source, const std::string& destination,
                          bool showProgress) {
    std::string fromPath;
    std::string toPath;
    if (resolve(source, true, fromPath) != kOk || resolve(destination, false, toPath) != kOk) {
        return ShellCopyResult{kShellNoSource, false};
    }
    if (win32::underWow64()) {
        return win32::copyWithoutShell(fromPath, toPath);
    }
    // The shell takes lists of paths, each ended by a NUL and the list by a second NUL.
    const std::string from = fromPath + '\0' + '\0';
    const std::string to = toPath + '\0' + '\0';
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
    if (!showProgress) {
        operation.fFlags |= FOF_SILENT;
    }
    ShellCopyResult result;
    result.result = static_cast<Error>(SHFileOperationA(&operation));
    result.anyAborted = operation.fAnyOperationsAborted != FALSE;
    return result;
}

} // namespace platform
