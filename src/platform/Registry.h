// Registry services with NT semantics: open, create, enumerate, query, set and delete keys and
// values. On 64-bit Windows every key is opened and deleted in the native registry view: a 32-bit
// program would otherwise see HKLM\SOFTWARE's 32-bit twin (Wow6432Node) in its place.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>

namespace platform {

// An open key: a root's 32-bit handle value below, or a key opened by regOpenKey/regCreateKey.
using RegKey = std::uint64_t;

constexpr RegKey kHkeyClassesRoot = 0x80000000;
constexpr RegKey kHkeyCurrentUser = 0x80000001;
constexpr RegKey kHkeyLocalMachine = 0x80000002;
constexpr RegKey kHkeyUsers = 0x80000003;
constexpr RegKey kHkeyPerformanceData = 0x80000004;
constexpr RegKey kHkeyCurrentConfig = 0x80000005;
constexpr RegKey kHkeyDynData = 0x80000006;

// Value types with their Windows numbers.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Access asked for when opening: RegOpenKeyA's default, KEY_READ, KEY_QUERY_VALUE, KEY_ALL_ACCESS.
enum class RegAccess { Default, Read, QueryValue, AllAccess };

// Opens `subKey` below `parent` (an empty subKey opens `parent` again).
Error regOpenKey(RegKey parent, const std::string& subKey, RegAccess access, RegKey& key);

// Opens or creates `subKey` below `parent`, with every missing key on the way.
Error regCreateKey(RegKey parent, const std::string& subKey, RegKey& key);

// Name of the subkey at `index` in the platform's order; kErrorNoMoreItems past the last one.
// Names longer than 259 characters give kErrorMoreData, as a 260-character buffer would.
Error regEnumKey(RegKey key, std::uint32_t index, std::string& name);

// One value at `index`: its name, type and data bytes (strings keep their terminating NULs).
Error regEnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::string& data);

// Type and data bytes of the value `name` ("" is the key's unnamed value).
Error regQueryValue(RegKey key, const std::string& name, std::uint32_t& type, std::string& data);

// Creates or replaces the value `name` with `type` and raw `data` bytes.
Error regSetValue(RegKey key, const std::string& name, std::uint32_t type, const std::string& data);

// Deletes `subKey` below `parent`; a key that still has subkeys refuses with kErrorAccessDenied.
Error regDeleteKey(RegKey parent, const std::string& subKey);

// Deletes the value `name` of `key`.
Error regDeleteValue(RegKey key, const std::string& name);

// A name of the existing key `subKey` below `parent` that is the same whichever path reached it
// (a link followed, HKEY_CLASSES_ROOT or HKEY_CURRENT_USER taken to the keys they show), in upper
// case, so that two paths to one key compare equal: the system's own name for the key. Fails
// where the system keeps no such name (Windows 9x) and for a key that is not there.
Error regKeyIdentity(RegKey parent, const std::string& subKey, std::string& identity);

// Closes a key opened by regOpenKey or regCreateKey; closing a root is a no-op.
Error regCloseKey(RegKey key);

// A key this object opened, closed when it goes (or is opened again): no close written by hand on
// every way out.
class OpenKey {
  public:
    OpenKey() = default;
    ~OpenKey() { close(); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    // regOpenKey; on failure the object holds no key.
    Error open(RegKey parent, const std::string& subKey, RegAccess access) {
        close();
        const Error error = regOpenKey(parent, subKey, access, key);
        opened = error == kOk;
        return error;
    }
    // regCreateKey; on failure the object holds no key.
    Error create(RegKey parent, const std::string& subKey) {
        close();
        const Error error = regCreateKey(parent, subKey, key);
        opened = error == kOk;
        return error;
    }
    // The open key, for the functions above.
    RegKey get() const { return key; }
    // Closes the key now, if one is open.
    void close() {
        if (opened) {
            regCloseKey(key);
            opened = false;
        }
    }

  private:
    RegKey key = 0;
    bool opened = false;
};

} // namespace platform
