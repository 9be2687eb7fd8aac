// Test machine on real Windows: scratch folders below C:\TvxTest and keys below
// HKCU\Software\TvxTest.
#include "support/TestMachine.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace testsupport {

namespace {

const char* const kScratchRoot = "C:\\TvxTest";
const char* const kScratchKey = "Software\\TvxTest";

std::string binaryFolder;
int scratchCount = 0;
const char kWineKey[] = "Software\\Wine";
const char kWineVersionValue[] = "Version";

bool runningOnWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Deletes `folder` with everything in it; cleanup goes on past failures so that as much as
// possible is gone.
void removeFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        std::vector<WIN32_FIND_DATAA> entries;
        do {
            entries.push_back(data);
        } while (FindNextFileA(search, &data));
        FindClose(search);
        for (const WIN32_FIND_DATAA& entry : entries) {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            const bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !isLink) {
                removeFolderTree(path);
            } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveDirectoryA(path.c_str());
            } else {
                DeleteFileA(path.c_str());
            }
        }
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

// Deletes `subKey` of `parent` with all its subkeys (RegDeleteKeyA refuses keys with subkeys);
// false when something stays.
bool removeKeyTree(HKEY parent, const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[MAX_PATH];
        for (;;) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                    ERROR_SUCCESS ||
                !removeKeyTree(key, std::string(name, length))) {
                break;
            }
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyA(parent, subKey.c_str()) == ERROR_SUCCESS;
}

} // namespace

void initialise(const char*) {
    // The module's own path rather than argv[0], which may be relative or lack ".exe".
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    binaryFolder.assign(path, length);
    binaryFolder.erase(binaryFolder.find_last_of('\\'));
}

void shutdown() {
    // Only removed when empty: a parallel run of the tests may still use them.
    RemoveDirectoryA(kScratchRoot);
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
}

ScratchArea::ScratchArea() {
    const std::string name =
        std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++scratchCount);
    CreateDirectoryA(kScratchRoot, nullptr);
    folder = std::string(kScratchRoot) + "\\" + name;
    removeFolderTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    regKey = std::string(kScratchKey) + "\\" + name;
    removeKeyTree(HKEY_CURRENT_USER, regKey);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, regKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
}

ScratchArea::~ScratchArea() {
    removeFolderTree(folder);
    removeKeyTree(HKEY_CURRENT_USER, regKey);
}

HoldOpen::HoldOpen(const std::string& path) : path(path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        handle = reinterpret_cast<std::uintptr_t>(file);
    }
}

HoldOpen::~HoldOpen() {
    if (held()) {
        CloseHandle(reinterpret_cast<HANDLE>(handle));
    }
}

ShellSkipsInUse::ShellSkipsInUse() = default;

ShellSkipsInUse::~ShellSkipsInUse() = default;

std::string childCommand() {
    return "\"" + binaryFolder + "\\tvxchild.exe\"";
}

std::string toolCommand(const std::string& name) {
    return "\"" + binaryFolder + "\\" + name + ".exe\"";
}

WindowsVersion::WindowsVersion(const std::string& wineName) {
    // Wine reads the version a program sees from this value when the program starts.
    if (!runningOnWine()) {
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kWineKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    Saved old;
    old.name = kWineVersionValue;
    char value[64];
    DWORD length = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(key, kWineVersionValue, nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &length) == ERROR_SUCCESS &&
        type == REG_SZ) {
        old.value.assign(value, strnlen(value, length));
        old.existed = true;
    }
    saved.push_back(old);
    active = RegSetValueExA(key, kWineVersionValue, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wineName.c_str()),
                            static_cast<DWORD>(wineName.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
}

WindowsVersion::~WindowsVersion() {
    HKEY key = nullptr;
    if (saved.empty() ||
        RegOpenKeyExA(HKEY_CURRENT_USER, kWineKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    const Saved& old = saved.front();
    if (old.existed) {
        RegSetValueExA(key, kWineVersionValue, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(old.value.c_str()),
                       static_cast<DWORD>(old.value.size() + 1));
    } else {
        RegDeleteValueA(key, kWineVersionValue);
    }
    RegCloseKey(key);
}

bool denyAccess(const std::string&, bool) {
    return false;
}

bool onSimulatedMachine() {
    return false;
}

std::string shellRequests() {
    return {};
}

} // namespace testsupport
