// Recursive search of registry key names (and optionally value names and data) by a text.
#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <functional>
#include <string>

// The registry search object a cleaning window owns. The search runs synchronously, lets the
// windows process their pending messages in every loop pass (platform::processPendingMessages),
// and reports hits through SearchFound.
class cRegSearch {
  public:
    // Flag bits of SearchFlags.
    static constexpr std::int32_t kMatchValueNames = 1;
    static constexpr std::int32_t kMatchValueData = 2;
    static constexpr std::int32_t kWholeText = 4;

    cRegSearch() = default;
    // Releasing the object stops a search still running.
    ~cRegSearch() { stopCode = 1; }
    cRegSearch(const cRegSearch&) = delete;
    cRegSearch& operator=(const cRegSearch&) = delete;

    // Key path below the root where the search starts; empty: the root itself.
    void SubKey(const std::string& vData) { subKey = vData; }
    // The text to look for.
    void SearchString(const std::string& vData) { searchString = vData; }
    // The flag bits above.
    void SearchFlags(std::int32_t vData) { searchFlags = vData; }
    // The root as a number in text form, decimal or "&H" hexadecimal; 0 means all seven roots.
    void RootKey(const std::string& vData) { rootKey = vData; }

    // Runs the whole search, then raises SearchFinished. False (and no event) when RootKey is
    // not a number, so no search could start.
    bool DoSearch();
    // Asks a running search to stop; on an idle object the next search finds nothing.
    void StopSearch() { stopCode = 1; }

    // One hit: the root's name, the key path (or key path + "\" + value name) and "*" or the
    // value's data as text. Returns 0, or the number of an error that ends the search.
    std::function<std::int32_t(const std::string& sRootKey, const std::string& sKey,
                               const std::string& sValue)>
        SearchFound;
    // The search is over: 0 completed, 1 stopped, otherwise the number of the error that ended it.
    std::function<void(std::int32_t lReason)> SearchFinished;

    // True when `text` matches the search text under the current flags.
    bool IsMatch(const std::string& text) const;

  private:
    // Opens `path` for reading unless the search was stopped; false when it was or it failed.
    bool openToSearch(std::uint64_t root, const std::string& path, platform::OpenKey& key) const;
    void SearchKeys(std::uint64_t root, const std::string& path);
    // SearchKeys for a key already open, whose path below the root `fullPath` holds (and may
    // hold more on return).
    void searchOpenKey(std::uint64_t root, const platform::OpenKey& key, std::string& fullPath);
    void SearchValues(std::uint64_t root, const std::string& path);
    void report(std::uint64_t root, const std::string& key, const std::string& value);

    std::string rootKey = "0";
    std::string subKey;
    std::string searchString;
    std::int32_t searchFlags = 0;
    std::int32_t stopCode = 0;
};

// Registry value data as text: strings up to their first NUL, binary as hex pairs, a DWORD as
// 0x00000000(0), anything else "Temporary unsupported".
std::string FormatValueData(std::uint32_t type, const std::string& data);

// The name of a predefined root handle, or "" for anything else.
std::string RootKeyName(std::uint64_t handle);
