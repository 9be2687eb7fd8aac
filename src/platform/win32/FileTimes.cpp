// File times and replacing moves on the Win32 API, on the native file system under WOW64.
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/win32/NativeView.h"

#include <windows.h>

namespace platform {

namespace {

Error lastError() {
    return static_cast<Error>(GetLastError());
}

} // namespace

Error getFileTime(const std::string& path, LocalTime& time) {
    // A search reads the time without opening the file, so a file in use still answers.
    if (path.find_first_of("*?") != std::string::npos) {
        return kErrorInvalidName;
    }
    WIN32_FIND_DATAA data;
    {
        win32::NativeFiles native;
        const HANDLE search = FindFirstFileA(path.c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) {
            return lastError();
        }
        FindClose(search);
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return kErrorAccessDenied;
    }
    FILETIME local;
    SYSTEMTIME fields;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &fields)) {
        return lastError();
    }
    time = LocalTime{fields.wYear, fields.wMonth,  fields.wDay,
                     fields.wHour, fields.wMinute, fields.wSecond};
    return kOk;
}

Error setFileTime(const std::string& path, const LocalTime& time) {
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(time.year);
    fields.wMonth = static_cast<WORD>(time.month);
    fields.wDay = static_cast<WORD>(time.day);
    fields.wHour = static_cast<WORD>(time.hour);
    fields.wMinute = static_cast<WORD>(time.minute);
    fields.wSecond = static_cast<WORD>(time.second);
    FILETIME local;
    FILETIME universal;
    if (!SystemTimeToFileTime(&fields, &local) || !LocalFileTimeToFileTime(&local, &universal)) {
        return kErrorInvalidParameter;
    }
    win32::NativeFiles native;
    const HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    const Error error = SetFileTime(file, nullptr, nullptr, &universal) ? kOk : lastError();
    CloseHandle(file);
    return error;
}

Error moveFileReplacing(const std::string& from, const std::string& to) {
    win32::NativeFiles native;
    // Asked explicitly: Wine run by root would replace a read-only file.
    const DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return kErrorAccessDenied;
    }
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return kOk;
    }
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return lastError();
    }
    // Windows 9x has no MoveFileEx: the file goes first, then the new one takes its name. Callers
    // hold a verified copy of `to` before they replace it.
    if (attributes != INVALID_FILE_ATTRIBUTES && !DeleteFileA(to.c_str())) {
        return lastError();
    }
    return MoveFileA(from.c_str(), to.c_str()) ? kOk : lastError();
}

} // namespace platform
