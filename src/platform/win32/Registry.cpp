// Registry services on the Win32 API (ANSI functions), in the native registry view under WOW64.
#include "platform/Registry.h"
#include "platform/win32/NativeView.h"
#include "platform/win32/SystemFunction.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

constexpr RegKey kFirstRoot = 0x80000000;
constexpr RegKey kLastRoot = 0x800000FF;

// Enumeration buffers hold 260 characters, as the callers' own name buffers do.
constexpr DWORD kKeyNameBuffer = 260;
// The longest value name the registry allows, with its NUL.
constexpr DWORD kValueNameBuffer = 16384;

bool isRoot(RegKey key) {
    return key >= kFirstRoot && key <= kLastRoot;
}

// Root handles are 32-bit values that Windows sign-extends on 64-bit systems.
HKEY toHkey(RegKey key) {
    if (isRoot(key)) {
        return reinterpret_cast<HKEY>(
            static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<std::uint32_t>(key))));
    }
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
}

RegKey fromHkey(HKEY key) {
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(key);
    const RegKey low = static_cast<std::uint32_t>(value);
    if (isRoot(low) && toHkey(low) == key) {
        return low;
    }
    return value;
}

REGSAM samFor(RegAccess access) {
    switch (access) {
    case RegAccess::Read:
        return KEY_READ;
    case RegAccess::QueryValue:
        return KEY_QUERY_VALUE;
    case RegAccess::AllAccess:
        return KEY_ALL_ACCESS;
    case RegAccess::Default:
        break;
    }
    // RegOpenKeyA's own access on the NT family.
    return MAXIMUM_ALLOWED;
}

const BYTE* bytesOf(const std::string& data) {
    return reinterpret_cast<const BYTE*>(data.data());
}

} // namespace

Error regOpenKey(RegKey parent, const std::string& subKey, RegAccess access, RegKey& key) {
    // RegOpenKeyExA rather than RegOpenKeyA: for an empty subKey the latter hands back the
    // parent's own handle, which the caller would then close.
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(toHkey(parent), subKey.c_str(), 0,
                                      samFor(access) | win32::nativeKeyView(), &opened);
    if (status != ERROR_SUCCESS) {
        return static_cast<Error>(status);
    }
    key = fromHkey(opened);
    return kOk;
}

Error regCreateKey(RegKey parent, const std::string& subKey, RegKey& key) {
    HKEY created = nullptr;
    const LONG status =
        RegCreateKeyExA(toHkey(parent), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        MAXIMUM_ALLOWED | win32::nativeKeyView(), nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) {
        return static_cast<Error>(status);
    }
    key = fromHkey(created);
    return kOk;
}

Error regEnumKey(RegKey key, std::uint32_t index, std::string& name) {
    char nameBuffer[kKeyNameBuffer];
    char classBuffer[kKeyNameBuffer];
    DWORD nameLength = kKeyNameBuffer;
    DWORD classLength = kKeyNameBuffer;
    FILETIME written;
    const LONG status = RegEnumKeyExA(toHkey(key), index, nameBuffer, &nameLength, nullptr,
                                      classBuffer, &classLength, &written);
    if (status != ERROR_SUCCESS) {
        return static_cast<Error>(status);
    }
    name.assign(nameBuffer, nameLength);
    return kOk;
}

Error regEnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::string& data) {
    std::vector<char> nameBuffer(kValueNameBuffer);
    std::vector<BYTE> dataBuffer(256);
    for (;;) {
        DWORD nameLength = kValueNameBuffer;
        DWORD dataLength = static_cast<DWORD>(dataBuffer.size());
        DWORD found = 0;
        const LONG status = RegEnumValueA(toHkey(key), index, nameBuffer.data(), &nameLength,
                                          nullptr, &found, dataBuffer.data(), &dataLength);
        if (status == ERROR_MORE_DATA && dataLength > dataBuffer.size()) {
            dataBuffer.resize(dataLength);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return static_cast<Error>(status);
        }
        name.assign(nameBuffer.data(), nameLength);
        type = found;
        data.assign(reinterpret_cast<const char*>(dataBuffer.data()), dataLength);
        return kOk;
    }
}

Error regQueryValue(RegKey key, const std::string& name, std::uint32_t& type, std::string& data) {
    std::vector<BYTE> buffer(256);
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        DWORD found = 0;
        const LONG status =
            RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &found, buffer.data(), &length);
        if (status == ERROR_MORE_DATA && length > buffer.size()) {
            buffer.resize(length);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return static_cast<Error>(status);
        }
        type = found;
        data.assign(reinterpret_cast<const char*>(buffer.data()), length);
        return kOk;
    }
}

Error regSetValue(RegKey key, const std::string& name, std::uint32_t type,
                  const std::string& data) {
    return static_cast<Error>(RegSetValueExA(toHkey(key), name.c_str(), 0, type, bytesOf(data),
                                             static_cast<DWORD>(data.size())));
}

Error regDeleteKey(RegKey parent, const std::string& subKey) {
    return static_cast<Error>(win32::deleteNativeKey(toHkey(parent), subKey));
}

Error regDeleteValue(RegKey key, const std::string& name) {
    return static_cast<Error>(RegDeleteValueA(toHkey(key), name.c_str()));
}

Error regKeyIdentity(RegKey parent, const std::string& subKey, std::string& identity) {
    // NtQueryKey with KeyNameInformation: the kernel's name of the key object, which every path
    // to the key (a link, HKEY_CLASSES_ROOT, HKEY_CURRENT_USER) reaches. Windows 9x has none.
    using QueryKey = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
    constexpr int kKeyNameInformation = 3;
    static const QueryKey query = win32::systemFunction<QueryKey>("ntdll.dll", "NtQueryKey");
    if (query == nullptr) {
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
    HKEY key = nullptr;
    const LONG opened =
        RegOpenKeyExA(toHkey(parent), subKey.c_str(), 0, KEY_READ | win32::nativeKeyView(), &key);
    if (opened != ERROR_SUCCESS) {
        return static_cast<Error>(opened);
    }
    // A ULONG length, then the name in UTF-16, not terminated.
    std::vector<ULONG> buffer(16384);
    ULONG needed = 0;
    const LONG status = query(key, kKeyNameInformation, buffer.data(),
                              static_cast<ULONG>(buffer.size() * sizeof(ULONG)), &needed);
    RegCloseKey(key);
    if (status != 0) {
        return ERROR_MORE_DATA;
    }
    const auto* name = reinterpret_cast<const wchar_t*>(buffer.data() + 1);
    const int length = static_cast<int>(buffer[0] / sizeof(wchar_t));
    const int size = WideCharToMultiByte(CP_ACP, 0, name, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, name, length, text.data(), size, nullptr, nullptr);
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    identity = text;
    return kOk;
}

Error regCloseKey(RegKey key) {
    if (isRoot(key)) {
        return kOk;
    }
    return static_cast<Error>(RegCloseKey(toHkey(key)));
}

} // namespace platform
