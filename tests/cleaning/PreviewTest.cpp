// The preview: every item a clean would take, in the clean's order, seen as the clean leaves the
// machine line by line, and not a byte changed.
#include <doctest/doctest.h>

#include "base/General.h"
#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
#include "packs/PackEncoder.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "support/TestMachine.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

void createKey(const std::string& path) {
    platform::RegKey key = 0;
    REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, path, key) == platform::kOk);
    platform::regCloseKey(key);
}

bool keyExists(const std::string& path) {
    return platform::OpenKey().open(platform::kHkeyCurrentUser, path, platform::RegAccess::Read) ==
           platform::kOk;
}

const char* outcomeWord(ItemOutcome outcome) {
    switch (outcome) {
    case ItemOutcome::Removes:
        return "removes";
    case ItemOutcome::Stays:
        return "stays";
    case ItemOutcome::Removed:
        return "removed";
    case ItemOutcome::NotRemoved:
        return "not-removed";
    case ItemOutcome::BackupFailed:
        return "backup-failed";
    case ItemOutcome::Refused:
        return "refused";
    }
    return "?";
}

// An item in one line: outcome, kind (search keys marked), path, then its numbers.
std::string describe(const RunItem& item) {
    static const char* const kKinds[] = {"file", "folder", "key", "value"};
    std::ostringstream text;
    text << outcomeWord(item.outcome) << ' ' << kKinds[static_cast<int>(item.kind)]
         << (item.fromSearch ? "*" : "") << ' ' << item.path;
    if (item.bytes != 0 || item.files != 0) {
        text << " bytes=" << item.bytes << " files=" << item.files;
    }
    if (item.kind == ItemKind::Key && item.outcome != ItemOutcome::Refused) {
        text << " subkeys=" << item.subkeys;
    }
    return text.str();
}

// A configuration in the program folder, and everything the test planted for it, gone after.
struct Planted {
    explicit Planted(const std::string& plain) {
        platform::deleteFile(companion);
        REQUIRE(
            platform::writeFile(encoded, *packs::encodePack(plain, packs::PackMethod::Huffman)) ==
            platform::kOk);
    }
    ~Planted() {
        platform::deleteFile(encoded);
        platform::deleteFile(companion);
        platform::deleteTree(folder);
    }
    const std::string name = "TvxPreviewTest";
    const std::string encoded = platform::programFolder() + "\\TvxPreviewTest.txf";
    const std::string companion = platform::programFolder() + "\\TvxPreviewTest.txr";
    const std::string folder = GetWindowsFolder() + "\\TvxPreview";
};

void plantFile(const std::string& path, const std::string& bytes, std::uint32_t attributes = 0) {
    REQUIRE(platform::writeFile(path, bytes) == platform::kOk);
    if (attributes != 0) {
        REQUIRE(platform::setAttributes(path, attributes) == platform::kOk);
    }
}

} // namespace

TEST_CASE("a preview lists what the clean would take, in its order, and changes nothing") {
    testsupport::ScratchArea area;
    const std::string windows = GetWindowsFolder();
    const std::string key = "HKEY_CURRENT_USER\\" + area.regKey;
    const std::string files = "\\TvxPreview";
    const std::string tree = windows + files + "\\Tree";
    const std::string configuration =
        "[FILES]\r\n" + files + "\\nv*.dll\r\n" + files + "\\hidden.dll\r\n" + files +
        "\\locked.dll\r\n" + files + "\\nvone.dll\r\n" + files + "\\Tree\\b.dat\r\n" +
        "\\*.dll\r\n" + "[DIRECTORY]\r\n" + tree.substr(2) + "\r\n" + tree.substr(2) + "\r\n" +
        "TvxNoBackslash\r\n" + "[FILES]\r\n" + files + "\\Tree\\Sub\\a.dat\r\n" +
        "[REGISTRY.SECTION]\r\n" + key + "\\Vendor\\A\r\n" + key + "\\Vendor\r\n" +
        "HKEY_CURRENT_USER\\Software\r\n" + "[REGISTRY.VALUE]\r\n" + key + "\\Keep\\Tray\r\n" +
        key + "\\Keep\\Missing\r\n" + key + "\\Vendor\\C\\Gone\r\n" + "[REGISTRY.SEARCH]\r\n" +
        "HKEY_CURRENT_USER,tvx-preview-marker\r\n";
    Planted planted(configuration);
    REQUIRE(platform::createFolder(planted.folder) == platform::kOk);
    REQUIRE(platform::createFolder(tree) == platform::kOk);
    REQUIRE(platform::createFolder(tree + "\\Sub") == platform::kOk);
    plantFile(planted.folder + "\\nvone.dll", "1");
    plantFile(planted.folder + "\\nvtwo.dll", "22");
    plantFile(planted.folder + "\\hidden.dll", "x", platform::kAttrHidden);
    plantFile(planted.folder + "\\locked.dll", "4444", platform::kAttrReadOnly);
    std::uint32_t plantedAttributes = 0;
    platform::getAttributes(planted.folder + "\\locked.dll", plantedAttributes);
    plantFile(tree + "\\b.dat", "55555");
    plantFile(tree + "\\Sub\\a.dat", "666666");
    plantFile(tree + "\\Sub\\c.dat", "7777777");
    createKey(area.regKey + "\\Vendor\\A\\B");
    createKey(area.regKey + "\\Vendor\\C\\tvx-Preview-Marker");
    createKey(area.regKey + "\\Keep\\TVX-PREVIEW-MARKER Two");
    createKey(area.regKey + "\\Leftover");
    platform::RegKey keep = 0;
    REQUIRE(platform::regOpenKey(platform::kHkeyCurrentUser, area.regKey + "\\Keep",
                                 platform::RegAccess::AllAccess, keep) == platform::kOk);
    REQUIRE(platform::regSetValue(keep, "Tray", platform::kRegSz, std::string("t") + '\0') ==
            platform::kOk);
    platform::regCloseKey(keep);
    REQUIRE(platform::regOpenKey(platform::kHkeyCurrentUser, area.regKey + "\\Vendor\\C",
                                 platform::RegAccess::AllAccess, keep) == platform::kOk);
    REQUIRE(platform::regSetValue(keep, "Gone", platform::kRegSz, std::string("g") + '\0') ==
            platform::kOk);
    platform::regCloseKey(keep);
    // A line an interrupted clean left in the companion file comes before this run's hits.
    const std::string leftover = key + "\\Leftover\r\n";
    REQUIRE(platform::writeFile(planted.companion, leftover) == platform::kOk);

    PreviewState state;
    RunContext context;
    cRegSearch search;
    clsProtection decoder;
    std::vector<std::string> items;
    context.preview = &state;
    context.search = &search;
    context.configurationName = planted.name;
    context.onItem = [&items](const RunItem& item) {
        CHECK(item.configuration == "TvxPreviewTest");
        items.push_back(describe(item));
    };
    REQUIRE(PreviewConfiguration(context, decoder, planted.name));

    const std::string folder = planted.folder;
    CHECK(items == std::vector<std::string>{
                       "removes file " + folder + "\\nvone.dll bytes=1 files=0",
                       "removes file " + folder + "\\nvtwo.dll bytes=2 files=0",
                       // hidden.dll: a file line does not see it
                       "stays file " + folder + "\\locked.dll bytes=4 files=0",
                       // nvone.dll again: the first line took it
                       "removes file " + tree + "\\b.dat bytes=5 files=0",
                       "refused file " + windows + "\\*.dll",
                       // b.dat went with its own line: the tree holds two files
                       "removes folder " + tree + " bytes=13 files=2",
                       "refused folder " + windows.substr(0, 2) + "TvxNoBackslash",
                       // a.dat went with the tree
                       "removes key " + key + "\\Vendor\\A subkeys=1",
                       "removes key " + key + "\\Vendor subkeys=2",
                       "refused key HKEY_CURRENT_USER\\Software",
                       "removes value " + key + "\\Keep\\Tray",
                       // Missing is no value; Vendor\C\Gone went with its key
                       "removes key* " + key + "\\Leftover subkeys=0",
                       // the marker below Vendor went with it before the search ran
                       "removes key* " + key + "\\Keep\\TVX-PREVIEW-MARKER Two subkeys=0",
                   });
    // Not a byte changed: files, attributes, keys, the companion file; no decoded copy.
    CHECK(FileExists(planted.folder + "\\nvone.dll"));
    CHECK(FileExists(tree + "\\Sub\\a.dat"));
    CHECK(keyExists(area.regKey + "\\Vendor\\A\\B"));
    CHECK(keyExists(area.regKey + "\\Leftover"));
    CHECK(ReadTextFile(planted.companion) == leftover);
    CHECK_FALSE(FileExists(windows + "\\xttxf.dll"));
    std::uint32_t attributes = 0;
    CHECK(platform::getAttributes(planted.folder + "\\locked.dll", attributes) == platform::kOk);
    CHECK(attributes == plantedAttributes);
    CHECK((attributes & platform::kAttrReadOnly) != 0);
    CHECK(state.hits.empty());
    platform::setAttributes(planted.folder + "\\locked.dll", platform::kAttrNormal);
}

TEST_CASE("a second configuration's preview sees the machine the first one's clean leaves") {
    testsupport::ScratchArea area;
    const std::string key = "HKEY_CURRENT_USER\\" + area.regKey;
    Planted planted("[REGISTRY.SECTION]\r\n" + key + "\\Shared\r\n");
    createKey(area.regKey + "\\Shared\\Below");
    PreviewState state;
    RunContext context;
    clsProtection decoder;
    std::vector<std::string> items;
    context.preview = &state;
    context.onItem = [&items](const RunItem& item) { items.push_back(describe(item)); };
    context.configurationName = planted.name;
    REQUIRE(PreviewConfiguration(context, decoder, planted.name));
    REQUIRE(PreviewConfiguration(context, decoder, planted.name));
    // The search object is missing here: a search line would simply find nothing.
    CHECK(items == std::vector<std::string>{"removes key " + key + "\\Shared subkeys=1"});

    // A configuration that cannot be decoded previews nothing and says so.
    REQUIRE(platform::writeFile(planted.encoded, "not an encoded file") == platform::kOk);
    PreviewState fresh;
    context.preview = &fresh;
    CHECK_FALSE(PreviewConfiguration(context, decoder, planted.name));
    CHECK(items.size() == 1);
}
