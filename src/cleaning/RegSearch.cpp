// The registry search walk: depth first, a key reported before its subkeys are searched.
#include "cleaning/RegSearch.h"

#include "platform/Process.h"
#include "platform/Registry.h"
#include "winrules/RegRoots.h"
#include "winrules/WinText.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// Stop code of a search that is running or idle.
constexpr std::int32_t kNoError = 0;

// Names a 260-character buffer can hold, and value data a 4096-byte buffer can hold.
constexpr std::size_t kNameLimit = 259;
constexpr std::size_t kDataLimit = 4096;

// True when `text` at `offset` holds `part`, ignoring case.
bool sameNoCaseAt(const std::string& text, std::size_t offset, const std::string& part) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (winrules::upperChar(text[offset + i]) != winrules::upperChar(part[i])) {
            return false;
        }
    }
    return true;
}

// Reads "&H" hexadecimal or decimal text as a number; false when it is not one.
bool parseRoot(const std::string& text, std::uint64_t& value) {
    if (text.empty()) {
        return false;
    }
    const bool hex = text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty()) {
        return false;
    }
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(digits.c_str(), &end, hex ? 16 : 10);
    if (end == nullptr || *end != '\0') {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

std::string RootKeyName(std::uint64_t handle) {
    const winrules::RegRoot* root = winrules::findRoot(handle);
    return root != nullptr ? root->name : std::string();
}

std::string FormatValueData(std::uint32_t type, const std::string& data) {
    switch (type) {
    case platform::kRegSz:
    case platform::kRegMultiSz:
        return data.substr(0, data.find('\0'));
    case platform::kRegBinary: {
        std::string text;
        char pair[4];
        for (std::size_t i = 0; i < data.size(); ++i) {
            std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(data[i]));
            if (i > 0) {
                text += ' ';
            }
            text += pair;
        }
        return text;
    }
    case platform::kRegDword: {
        // Missing bytes of a short DWORD count as zero; the data is never read past its end.
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
            number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
        }
        char text[40];
        std::snprintf(text, sizeof text, "0x%08X(%d)", number, static_cast<std::int32_t>(number));
        return text;
    }
    default:
        return "Temporary unsupported";
    }
}

// Compared in place: this runs once for every key of the registry, so no copies are made.
bool cRegSearch::IsMatch(const std::string& text) const {
    if (searchFlags & kWholeText) {
        return text.size() == searchString.size() && sameNoCaseAt(text, 0, searchString);
    }
    for (std::size_t offset = 0; offset + searchString.size() <= text.size(); ++offset) {
        if (sameNoCaseAt(text, offset, searchString)) {
            return true;
        }
    }
    return false;
}

bool cRegSearch::DoSearch() {
    std::uint64_t root = 0;
    if (!parseRoot(rootKey, root)) {
        return false;
    }
    if (root == 0) {
        for (const winrules::RegRoot& each : winrules::regRoots()) {
            if (stopCode != kNoError) {
                break;
            }
            SearchKeys(each.handle, subKey);
        }
    } else {
        if (searchFlags & (kMatchValueNames | kMatchValueData)) {
            SearchValues(root, subKey);
        }
        SearchKeys(root, subKey);
    }
    const std::int32_t reason = stopCode;
    if (SearchFinished) {
        SearchFinished(reason);
    }
    stopCode = kNoError;
    return true;
}

void cRegSearch::report(std::uint64_t root, const std::string& key, const std::string& value) {
    if (!SearchFound) {
        return;
    }
    const std::int32_t error = SearchFound(RootKeyName(root), key, value);
    // An error in the handler ends the walk as a stop request does, with its number as reason.
    if (error != kNoError && stopCode == kNoError) {
        stopCode = error;
    }
}

bool cRegSearch::openToSearch(std::uint64_t root, const std::string& path,
                              platform::OpenKey& key) const {
    return stopCode == kNoError && key.open(root, path, platform::RegAccess::Read) == platform::kOk;
}

void cRegSearch::SearchKeys(std::uint64_t root, const std::string& path) {
    platform::OpenKey key;
    if (!openToSearch(root, path, key)) {
        return;
    }
    std::string fullPath = path;
    searchOpenKey(root, key, fullPath);
}

void cRegSearch::searchOpenKey(std::uint64_t root, const platform::OpenKey& key,
                               std::string& fullPath) {
    std::string name;
    // One buffer for the subkeys' paths: the part up to the last backslash stays in place.
    if (!fullPath.empty()) {
        fullPath += '\\';
    }
    const std::size_t prefix = fullPath.size();
    for (std::uint32_t index = 0;; ++index) {
        platform::processPendingMessages();
        if (platform::regEnumKey(key.get(), index, name) != platform::kOk) {
            break;
        }
        fullPath.resize(prefix);
        fullPath += name;
        if (IsMatch(name)) {
            report(root, fullPath, "*");
        }
        if (searchFlags & (kMatchValueNames | kMatchValueData)) {
            SearchValues(root, fullPath);
        }
        // The subkey is opened below the key already open rather than from the root again: the
        // same key, without walking its whole path once more at every level.
        platform::OpenKey subKey;
        if (stopCode == kNoError &&
            subKey.open(key.get(), name, platform::RegAccess::Read) == platform::kOk) {
            searchOpenKey(root, subKey, fullPath);
        }
    }
}

void cRegSearch::SearchValues(std::uint64_t root, const std::string& path) {
    platform::OpenKey key;
    if (!openToSearch(root, path, key)) {
        return;
    }
    std::string name;
    std::string data;
    std::uint32_t type = 0;
    for (std::uint32_t index = 0;; ++index) {
        if (platform::regEnumValue(key.get(), index, name, type, data) != platform::kOk ||
            name.size() > kNameLimit || data.size() > kDataLimit) {
            break; // a value too large for the buffers ends this key's values
        }
        if (data.empty()) {
            data.assign(1, '\0');
        }
        const std::string text = FormatValueData(type, data);
        if ((searchFlags & kMatchValueNames) && IsMatch(name)) {
            report(root, path + "\\" + name, text);
        }
        if (searchFlags & kMatchValueData) {
            const std::string shown = text.substr(0, text.find('\0'));
            if (IsMatch(shown)) {
                report(root, path + "\\" + name, shown);
            }
        }
    }
}
