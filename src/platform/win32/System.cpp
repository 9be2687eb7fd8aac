// System facts on the Win32 API: folders, version records, display, instance, clock, profiles.
#include "platform/System.h"
#include "platform/win32/NativeView.h"
#include "platform/win32/SystemFunction.h"

#include <windows.h>

#include <shellapi.h>

#include <set>
#include <vector>

namespace platform {

namespace {

// Calls one of the Get...DirectoryA/GetTempPathA style functions, growing the buffer when the
// answer is a required length; empty when the call fails.
template <typename Query> std::string folderFrom(Query query) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2 > length + 1 ? buffer.size() * 2 : length + 1);
    }
}

std::string textUpToNul(const char* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != '\0') {
        ++length;
    }
    return std::string(text, length);
}

} // namespace

bool windows64Bit() {
    return sizeof(void*) == 8 || win32::underWow64();
}

std::string programFolder() {
    const std::string path = folderFrom([](char* buffer, UINT size) {
        // GetModuleFileNameA answers a full buffer with the buffer's size, asking for a larger one.
        return static_cast<UINT>(GetModuleFileNameA(nullptr, buffer, size));
    });
    const std::string::size_type cut = path.find_last_of('\\');
    if (cut == std::string::npos) {
        return path;
    }
    // A drive root keeps its backslash.
    return cut > 0 && path[cut - 1] == ':' ? path.substr(0, cut + 1) : path.substr(0, cut);
}

std::string windowsDirectory() {
    return folderFrom([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string systemDirectory() {
    return folderFrom([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

std::string tempPath() {
    return folderFrom(
        [](char* buffer, UINT size) { return static_cast<UINT>(GetTempPathA(size, buffer)); });
}

bool getVersionInfo(bool extended, VersionInfo& info) {
    OSVERSIONINFOEXA record{};
    // The plain record is the leading part of the extended one; the size field says which.
    record.dwOSVersionInfoSize = extended ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record))) {
        return false;
    }
    info = VersionInfo{};
    info.major = record.dwMajorVersion;
    info.minor = record.dwMinorVersion;
    info.build = record.dwBuildNumber;
    info.platformId = record.dwPlatformId;
    info.csdVersion = textUpToNul(record.szCSDVersion, sizeof record.szCSDVersion);
    if (extended) {
        info.servicePackMajor = record.wServicePackMajor;
        info.servicePackMinor = record.wServicePackMinor;
        info.suiteMask = record.wSuiteMask;
        info.productType = record.wProductType;
    }
    return true;
}

using win32::systemFunction;

bool versionSatisfies(const VersionCheck& check, VersionCompare compare) {
    using SetMask = ULONGLONG(WINAPI*)(ULONGLONG, DWORD, BYTE);
    using Verify = BOOL(WINAPI*)(OSVERSIONINFOEXA*, DWORD, DWORDLONG);
    static const SetMask setMask = systemFunction<SetMask>("kernel32.dll", "VerSetConditionMask");
    static const Verify verify = systemFunction<Verify>("kernel32.dll", "VerifyVersionInfoA");
    if (setMask == nullptr || verify == nullptr) {
        return false;
    }
    OSVERSIONINFOEXA record{};
    record.dwOSVersionInfoSize = sizeof record;
    DWORD typeMask = 0;
    ULONGLONG conditions = 0;
    const struct {
        std::int32_t value;
        DWORD bit;
    } fields[] = {{check.major, VER_MAJORVERSION},
                  {check.minor, VER_MINORVERSION},
                  {check.build, VER_BUILDNUMBER},
                  {check.servicePackMajor, VER_SERVICEPACKMAJOR},
                  {check.servicePackMinor, VER_SERVICEPACKMINOR}};
    for (const auto& field : fields) {
        if (field.value >= 0) {
            typeMask |= field.bit;
            conditions = setMask(conditions, field.bit, static_cast<BYTE>(compare));
        }
    }
    record.dwMajorVersion = static_cast<DWORD>(check.major < 0 ? 0 : check.major);
    record.dwMinorVersion = static_cast<DWORD>(check.minor < 0 ? 0 : check.minor);
    record.dwBuildNumber = static_cast<DWORD>(check.build < 0 ? 0 : check.build);
    record.wServicePackMajor =
        static_cast<WORD>(check.servicePackMajor < 0 ? 0 : check.servicePackMajor);
    record.wServicePackMinor =
        static_cast<WORD>(check.servicePackMinor < 0 ? 0 : check.servicePackMinor);
    return typeMask != 0 && verify(&record, typeMask, conditions) != FALSE;
}

bool displayDeviceString(std::uint32_t index, std::string& description) {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    using Enumerate = BOOL(WINAPI*)(LPCSTR, DWORD, DISPLAY_DEVICEA*, DWORD);
    static const Enumerate enumerate =
        systemFunction<Enumerate>("user32.dll", "EnumDisplayDevicesA");
    if (enumerate == nullptr || !enumerate(nullptr, index, &device, 0)) {
        return false;
    }
    description = textUpToNul(device.DeviceString, sizeof device.DeviceString);
    return true;
}

bool anotherInstanceRunning(const std::string& instanceName) {
    // Names this process already claimed: asking again must not find ourselves.
    static std::set<std::string> claimed;
    if (claimed.count(instanceName) != 0) {
        return false;
    }
    // A backslash would name a kernel namespace; the name is used as a plain word.
    std::string mutexName = "TvxInstance_" + instanceName;
    for (char& c : mutexName) {
        if (c == '\\') {
            c = '_';
        }
    }
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    if (mutex == nullptr) {
        // The name exists but cannot be opened here (another user's instance, or an object of
        // another kind): someone else holds it.
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_HANDLE;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    // The handle stays open for the life of the process: that is the claim.
    claimed.insert(instanceName);
    return false;
}

LocalTime localTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    char buffer[kProfileValueLimit + 1] = {};
    const DWORD copied = GetPrivateProfileStringA(
        section.c_str(), key.c_str(), defaultValue.c_str(), buffer, sizeof buffer, path.c_str());
    return std::string(buffer, copied);
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           FALSE;
}

Error shellOpen(const std::string& target) {
    const HINSTANCE done =
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    const INT_PTR code = reinterpret_cast<INT_PTR>(done);
    if (code > 32) {
        return kOk;
    }
    // ShellExecuteA answers 0 when out of memory; its other small codes are Win32 error numbers.
    return code == 0 ? static_cast<Error>(ERROR_NOT_ENOUGH_MEMORY) : static_cast<Error>(code);
}

} // namespace platform
