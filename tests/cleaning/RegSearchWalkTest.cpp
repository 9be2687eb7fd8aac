// The registry search's matching rule and the paths and order of its hits on real key trees.
#include "cleaning/RegSearch.h"
#include "platform/Registry.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

void createKey(const std::string& path) {
    platform::RegKey key = 0;
    REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, path, key) == platform::kOk);
    platform::regCloseKey(key);
}

// The key paths a flags-0 search of `root`/`subKey` for `text` reports, in order.
std::vector<std::string> keyHits(const std::string& root, const std::string& subKey,
                                 const std::string& text) {
    std::vector<std::string> hits;
    cRegSearch search;
    search.SearchFound = [&hits](const std::string& rootName, const std::string& key,
                                 const std::string& value) {
        hits.push_back(rootName + "|" + key + "|" + value);
        return 0;
    };
    search.RootKey(root);
    search.SubKey(subKey);
    search.SearchString(text);
    search.SearchFlags(0);
    REQUIRE(search.DoSearch());
    return hits;
}

} // namespace

TEST_CASE("a search text matches key names anywhere, or whole with flag 4, ignoring case") {
    struct Row {
        const char* searchText;
        std::int32_t flags;
        const char* name;
        bool match;
    };
    const Row rows[] = {
        {"nvidia", 0, "NVIDIA CPL Extension", true},
        {"NVIDIA", 0, "Shader cache (nVidia)", true},
        {"nvidia", 0, "xnvidi", false},
        {"nvidia", 0, "nvidi", false},
        {"nvidia", 0, "", false},
        {"", 0, "", true},
        {"", 0, "anything", true},
        {"caf\xE9", 0, "CAF\xC9 au lait", true}, // Latin-1 letters have a case too
        {"\xF7", 0, "\xD7", false}, // the division sign is not a small multiplication sign
        {"ati", 4, "ATI", true},
        {"ati", 4, "ATI ", false},
        {"ati", 4, "xati", false},
        {"ati", 4, "at", false},
        {"", 4, "", true},
        {"", 4, "a", false},
    };
    cRegSearch search;
    for (const Row& row : rows) {
        CAPTURE(row.searchText);
        CAPTURE(row.flags);
        CAPTURE(row.name);
        search.SearchString(row.searchText);
        search.SearchFlags(row.flags);
        CHECK(search.IsMatch(row.name) == row.match);
    }
}

TEST_CASE("hits come depth first, each key before its subkeys, with full paths below the root") {
    testsupport::ScratchArea area;
    const std::string base = area.regKey;
    createKey(base + "\\A\\B\\nv deep");
    createKey(base + "\\A\\nv1");
    createKey(base + "\\nvZ\\x\\NVY");
    createKey(base + "\\z");
    const std::string prefix = "HKEY_CURRENT_USER|" + base;
    CHECK(keyHits("&H80000001", base, "nv") ==
          std::vector<std::string>{prefix + "\\A\\B\\nv deep|*", prefix + "\\A\\nv1|*",
                                   prefix + "\\nvZ|*", prefix + "\\nvZ\\x\\NVY|*"});
    // Starting one level further down gives the same keys with the longer start in the path.
    CHECK(keyHits("&H80000001", base + "\\nvZ", "NV") ==
          std::vector<std::string>{prefix + "\\nvZ\\x\\NVY|*"});
    // A search of the whole root reports paths without a leading backslash.
    createKey(base + "\\tvx-walk-marker-7f3e");
    CHECK(keyHits("&H80000001", "", "TVX-WALK-MARKER-7F3E") ==
          std::vector<std::string>{"HKEY_CURRENT_USER|" + base + "\\tvx-walk-marker-7f3e|*"});
}
