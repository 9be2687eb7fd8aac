// The native file system and registry under WOW64: redirection switched off around single calls,
// the native registry view, and a copy that needs no shell.
#include "platform/win32/NativeView.h"

#include "platform/win32/SystemFunction.h"
#include "winrules/Wildcard.h"
#include "winrules/WinPath.h"

#include <vector>

namespace platform::win32 {

namespace {

// SHFileOperation's result for a source it cannot find.
constexpr Error kShellNoSource = 0x402;

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

Error lastError() {
    return static_cast<Error>(GetLastError());
}

// The entries `pattern` matches, "." and ".." left out; an error when nothing matches.
Error listMatches(const std::string& pattern, std::vector<WIN32_FIND_DATAA>& entries) {
    NativeFiles native;
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    do {
        if (!winrules::isDotEntry(data.cFileName)) {
            entries.push_back(data);
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return kOk;
}

// Creates the resolved folder `folder` and every missing folder above it.
Error makeFolders(const std::string& folder) {
    winrules::FullPath path;
    if (winrules::foldPath(folder, false, path) != winrules::PathFault::None) {
        return kErrorInvalidName;
    }
    winrules::FullPath partial;
    partial.drive = path.drive;
    for (const std::string& part : path.parts) {
        partial.parts.push_back(part);
        const std::string text = winrules::joinPath(partial);
        NativeFiles native;
        if (!CreateDirectoryA(text.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return lastError();
        }
        const DWORD attributes = GetFileAttributesA(text.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return kErrorAccessDenied;
        }
    }
    return kOk;
}

// Copies one file, replacing a target whatever its attributes, as the shell does unasked.
Error copyOneFile(const std::string& from, const std::string& to) {
    NativeFiles native;
    const DWORD target = GetFileAttributesA(to.c_str());
    if (target != INVALID_FILE_ATTRIBUTES && (target & kKeptAttributes) != 0 &&
        (target & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    return CopyFileA(from.c_str(), to.c_str(), FALSE) ? kOk : lastError();
}

// Copies the file or folder tree `from` (with the attributes its search found) to `to`.
Error copyItem(const std::string& from, DWORD attributes, const std::string& to) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return copyOneFile(from, to);
    }
    {
        NativeFiles native;
        if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return lastError();
        }
    }
    std::vector<WIN32_FIND_DATAA> entries;
    const Error listed = listMatches(from + "\\*", entries);
    if (listed != kOk && listed != kErrorFileNotFound && listed != kErrorNoMoreFiles) {
        return listed;
    }
    for (const WIN32_FIND_DATAA& entry : entries) {
        const Error copied = copyItem(from + "\\" + entry.cFileName, entry.dwFileAttributes,
                                      to + "\\" + entry.cFileName);
        if (copied != kOk) {
            return copied;
        }
    }
    NativeFiles native;
    const DWORD kept = attributes & kKeptAttributes;
    SetFileAttributesA(to.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    return kOk;
}

} // namespace

bool underWow64() {
    static const bool wow64 = [] {
        using IsWow64 = BOOL(WINAPI*)(HANDLE, PBOOL);
        const IsWow64 isWow64 = systemFunction<IsWow64>("kernel32.dll", "IsWow64Process");
        BOOL result = FALSE;
        return isWow64 != nullptr && isWow64(GetCurrentProcess(), &result) && result != FALSE;
    }();
    return wow64;
}

NativeFiles::NativeFiles() {
    if (!underWow64()) {
        return;
    }
    using Disable = BOOL(WINAPI*)(PVOID*);
    static const Disable disable =
        systemFunction<Disable>("kernel32.dll", "Wow64DisableWow64FsRedirection");
    disabled = disable != nullptr && disable(&previous) != FALSE;
}

NativeFiles::~NativeFiles() {
    if (!disabled) {
        return;
    }
    using Revert = BOOL(WINAPI*)(PVOID);
    static const Revert revert =
        systemFunction<Revert>("kernel32.dll", "Wow64RevertWow64FsRedirection");
    // The last error belongs to the operation the scope was made for.
    const DWORD error = GetLastError();
    if (revert != nullptr) {
        revert(previous);
    }
    SetLastError(error);
}

REGSAM nativeKeyView() {
    return underWow64() ? KEY_WOW64_64KEY : 0;
}

LONG deleteNativeKey(HKEY parent, const std::string& subKey) {
    if (!underWow64()) {
        return RegDeleteKeyA(parent, subKey.c_str());
    }
    using DeleteEx = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    static const DeleteEx deleteEx = systemFunction<DeleteEx>("advapi32.dll", "RegDeleteKeyExA");
    // Without it only the 32-bit twin could be deleted: better nothing than the wrong key.
    return deleteEx != nullptr ? deleteEx(parent, subKey.c_str(), KEY_WOW64_64KEY, 0)
                               : ERROR_CALL_NOT_IMPLEMENTED;
}

ShellCopyResult copyWithoutShell(const std::string& source, const std::string& destination) {
    std::vector<WIN32_FIND_DATAA> matches;
    if (listMatches(source, matches) != kOk || matches.empty()) {
        return ShellCopyResult{kShellNoSource, false};
    }
    const std::string folder = winrules::folderPart(source);
    DWORD existing = INVALID_FILE_ATTRIBUTES;
    {
        NativeFiles native;
        existing = GetFileAttributesA(destination.c_str());
    }
    // One named source and a destination that does not exist: the destination is the copy's own
    // name, as the shell has it; otherwise the copies go into the destination folder.
    const bool renamed = existing == INVALID_FILE_ATTRIBUTES && matches.size() == 1 &&
                         !winrules::hasWildcard(source.substr(folder.size()));
    const Error made = makeFolders(renamed ? winrules::folderPart(destination) : destination);
    if (made != kOk) {
        return ShellCopyResult{made, true};
    }
    for (const WIN32_FIND_DATAA& match : matches) {
        const Error copied = copyItem(folder + match.cFileName, match.dwFileAttributes,
                                      renamed ? destination : destination + "\\" + match.cFileName);
        if (copied != kOk) {
            return ShellCopyResult{copied, true};
        }
    }
    return ShellCopyResult{kOk, false};
}

} // namespace platform::win32
