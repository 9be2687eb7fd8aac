// The section operations of the cleaning engine against files, folders and keys on the machine.
#include <doctest/doctest.h>

#include "base/General.h"
#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
#include "packs/Configuration.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "support/RecordingRenderer.h"
#include "support/TestMachine.h"

#include <string>
#include <vector>

namespace {

// A window with the two detail lists, and a run context writing into them.
class ListsForm : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmTestLists";
    explicit ListsForm(ui::App& app) : ui::Form(app, kFormName) {}
    ui::ListBox lstDetail{*this, "lstDetail"};
    ui::ListBox lstDetails{*this, "lstDetails"};
};

struct Fixture {
    Fixture() {
        context.configurationName = "TvxEngineTest";
        context.backupStamp = "07-12-2026_101530";
        context.foundList = &form.lstDetail;
        context.missingList = &form.lstDetails;
        context.search = &search;
        // A folder of its own inside the Windows folder, so "[FILES]" entries can reach it.
        windows = GetWindowsFolder();
        relative = "\\TvxEngine" + std::to_string(++counter);
        platform::deleteTree(windows + relative);
        REQUIRE(platform::createFolder(windows + relative) == platform::kOk);
    }
    ~Fixture() {
        platform::deleteTree(windows + relative);
        platform::deleteFile(platform::programFolder() + "\\TvxEngineTest.txr");
    }
    void plant(const std::string& name, std::uint32_t attributes = 0) {
        REQUIRE(platform::writeFile(windows + relative + "\\" + name, "data") == platform::kOk);
        if (attributes != 0) {
            REQUIRE(platform::setAttributes(windows + relative + "\\" + name, attributes) ==
                    platform::kOk);
        }
    }
    bool exists(const std::string& name) const {
        return FileExists(windows + relative + "\\" + name);
    }
    std::string line(const std::string& name) const {
        return "? (" + windows + relative + "\\" + name + ")";
    }

    static int counter;
    testsupport::RecordingRenderer renderer;
    ui::App app{renderer};
    ListsForm& form = app.form<ListsForm>();
    cRegSearch search;
    RunContext context;
    std::string windows;
    std::string relative;
};
int Fixture::counter = 0;

std::vector<std::string> items(const ui::ListBox& list) {
    return list.items();
}

// A key below the scratch area, created with the given subkeys.
void createKey(const std::string& path) {
    platform::RegKey key = 0;
    REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, path, key) == platform::kOk);
    platform::regCloseKey(key);
}

bool keyExists(const std::string& path) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(platform::kHkeyCurrentUser, path, platform::RegAccess::Read, key) !=
        platform::kOk) {
        return false;
    }
    platform::regCloseKey(key);
    return true;
}

} // namespace

TEST_CASE_FIXTURE(Fixture, "file entries: found, missing, hidden, read-only, patterns, repeats") {
    plant("nvone.dll");
    plant("nvtwo.dll");
    plant("nvthree.dll");
    plant("hidden.dll", platform::kAttrHidden);
    plant("locked.dll", platform::kAttrReadOnly);
    REQUIRE(platform::createFolder(windows + relative + "\\folder.dll") == platform::kOk);

    CleanFile(context, relative + "\\nv*.dll");
    CleanFile(context, relative + "\\hidden.dll");
    CleanFile(context, relative + "\\locked.dll");
    CleanFile(context, relative + "\\missing.dll");
    CleanFile(context, relative + "\\folder.dll");
    plant("twice.dll");
    CleanFile(context, relative + "\\twice.dll");
    CleanFile(context, relative + "\\twice.dll");

    CHECK(items(form.lstDetail) ==
          std::vector<std::string>{line("nv*.dll"), line("locked.dll"), line("twice.dll")});
    CHECK(items(form.lstDetails) ==
          std::vector<std::string>{line("hidden.dll"), line("missing.dll"), line("folder.dll"),
                                   line("twice.dll")});
    CHECK_FALSE(exists("nvone.dll"));
    CHECK_FALSE(exists("nvthree.dll"));
    CHECK(exists("hidden.dll")); // not visible, so not present: neither listed as found nor deleted
    CHECK(exists("locked.dll")); // found, but Windows refuses to delete a read-only file
    CHECK(FolderExists(windows + relative + "\\folder.dll"));
    platform::setAttributes(windows + relative + "\\locked.dll", platform::kAttrNormal);
}

TEST_CASE_FIXTURE(Fixture, "system file entries resolve below the system folder") {
    const std::string system = GetSystemFolder();
    const std::string name = "\\tvxsys" + std::to_string(counter) + ".dll";
    REQUIRE(platform::writeFile(system + name, "x") == platform::kOk);
    CleanSystemFile(context, name);
    CHECK_FALSE(FileExists(system + name));
    CHECK(items(form.lstDetail) == std::vector<std::string>{"? (" + system + name + ")"});
}

TEST_CASE_FIXTURE(Fixture,
                  "without lists a found file is deleted and a missing one passes silently") {
    plant("quiet.dll");
    context.foundList = nullptr;
    context.missingList = nullptr;
    CleanFile(context, relative + "\\quiet.dll");
    CleanFile(context, relative + "\\absent.dll");
    CHECK_FALSE(exists("quiet.dll"));
    CHECK(form.lstDetail.listCount() == 0);
    CHECK(form.lstDetails.listCount() == 0);
}

TEST_CASE_FIXTURE(Fixture, "directory entries resolve and go with read-only contents") {
    const std::string drive = windows.substr(0, 2);
    CHECK(ResolveDirectoryEntry("\\Program Files\\Vendor") == GetProgramFilesFolder() + "\\Vendor");
    CHECK(ResolveDirectoryEntry("\\program files\\Vendor") == drive + "\\program files\\Vendor");
    CHECK(ResolveDirectoryEntry("\\Vendor") == drive + "\\Vendor");

    const std::string tree = windows + relative + "\\Tree";
    REQUIRE(platform::createFolder(tree) == platform::kOk);
    REQUIRE(platform::createFolder(tree + "\\Sub") == platform::kOk);
    REQUIRE(platform::writeFile(tree + "\\Sub\\ro.dat", "x") == platform::kOk);
    REQUIRE(platform::setAttributes(tree + "\\Sub\\ro.dat", platform::kAttrReadOnly) ==
            platform::kOk);
    // A drive-root entry that walks into the test's folder.
    const std::string entry = tree.substr(2);
    CleanDirectory(context, entry);
    CleanDirectory(context, entry);
    CHECK_FALSE(FolderExists(tree));
    CHECK(items(form.lstDetail) == std::vector<std::string>{"? (" + tree + ")"});
    CHECK(items(form.lstDetails) == std::vector<std::string>{"? (" + tree + ")"});
}

TEST_CASE("registry key and value entries") {
    testsupport::ScratchArea area;
    RunContext context;
    const std::string root = "HKEY_CURRENT_USER\\" + area.regKey;
    createKey(area.regKey + "\\Vendor\\A\\B\\C");
    createKey(area.regKey + "\\Vendor\\A\\D");
    createKey(area.regKey + "\\Keep");

    CleanRegSection(context, "hkey_current_user\\" + area.regKey + "\\Vendor");
    CHECK_FALSE(keyExists(area.regKey + "\\Vendor"));
    CHECK(keyExists(area.regKey + "\\Keep"));

    // A root with nothing after it would name the whole root: refused.
    CleanRegSection(context, "HKEY_CURRENT_USER\\");
    CleanRegSection(context, "HKEY_CURRENT_USER\\\\");
    CleanRegSection(context, "HKEY_CURRENT_USER");
    CHECK(keyExists(area.regKey + "\\Keep"));

    platform::RegKey key = 0;
    REQUIRE(platform::regOpenKey(platform::kHkeyCurrentUser, area.regKey + "\\Keep",
                                 platform::RegAccess::AllAccess, key) == platform::kOk);
    const std::string data = std::string("x") + '\0';
    REQUIRE(platform::regSetValue(key, "", platform::kRegSz, data) == platform::kOk);
    REQUIRE(platform::regSetValue(key, "Tray", platform::kRegSz, data) == platform::kOk);
    CleanRegValue(context, "HKEY_CURRENT_USER\\Tray");
    CleanRegValue(context, root + "\\Keep\\Tray");
    CleanRegValue(context, root + "\\Keep\\");
    std::uint32_t type = 0;
    std::string read;
    CHECK(platform::regQueryValue(key, "Tray", type, read) != platform::kOk);
    CHECK(platform::regQueryValue(key, "", type, read) != platform::kOk);
    platform::regCloseKey(key);
}

TEST_CASE("registry search records trimmed hits in the companion file, which the run removes") {
    testsupport::ScratchArea area;
    testsupport::RecordingRenderer renderer;
    RunContext context;
    cRegSearch search;
    context.search = &search;
    context.configurationName = "TvxSearchTest";
    const std::string companion = platform::programFolder() + "\\TvxSearchTest.txr";
    platform::deleteFile(companion);
    createKey(area.regKey + "\\Class\\0001\\0000\\ATI WDM Configurations");
    createKey(area.regKey +
              "\\Video\\{1}\\0000\\Display\\shellex\\PropertySheetHandlers\\NVIDIA CPL Extension");
    createKey(area.regKey + "\\Other\\tvx-Unique-Marker-Key");

    CleanRegSearch(context, "HKEY_CURRENT_USER,ATI WDM Configurations");
    CleanRegSearch(context, "HKEY_CURRENT_USER,NVIDIA CPL Extension");
    CleanRegSearch(context, "HKEY_CURRENT_USER,TVX-UNIQUE-marker");
    CleanRegSearch(context, "hkey_current_user,tvx-unique-marker"); // root must be upper case
    CleanRegSearch(context, "HKEY_CURRENT_USER,");                  // empty text: refused
    CleanRegSearch(context, "HKEY_CURRENT_USER");                   // no comma: nothing

    const std::string prefix = "HKEY_CURRENT_USER\\" + area.regKey;
    CHECK(ReadTextFile(companion) == prefix + "\\Class\\0001\r\n" + prefix + "\\Video\\{1}\r\n" +
                                         prefix + "\\Other\\tvx-Unique-Marker-Key\r\n");

    RunCompanionFile(EngineSections(context), companion);
    CHECK_FALSE(FileExists(companion));
    CHECK_FALSE(keyExists(area.regKey + "\\Class\\0001"));
    CHECK_FALSE(keyExists(area.regKey + "\\Video\\{1}"));
    CHECK_FALSE(keyExists(area.regKey + "\\Other\\tvx-Unique-Marker-Key"));
    CHECK(keyExists(area.regKey + "\\Class"));
    CHECK(keyExists(area.regKey + "\\Other"));
}

TEST_CASE("search matching, value data as text, and stop requests") {
    CHECK(FormatValueData(platform::kRegDword, std::string("\xFF\xFF\xFF\xFF", 4)) ==
          "0xFFFFFFFF(-1)");
    CHECK(FormatValueData(platform::kRegDword, std::string("\xFF\x00\x00\x00", 4)) ==
          "0x000000FF(255)");
    CHECK(FormatValueData(platform::kRegDword, std::string("\x01", 1)) == "0x00000001(1)");
    CHECK(FormatValueData(platform::kRegBinary, std::string("\x01\xAB", 2)) == "01 AB");
    CHECK(FormatValueData(platform::kRegSz, std::string("one\0two\0", 8)) == "one");
    CHECK(FormatValueData(platform::kRegMultiSz, std::string("one\0two\0\0", 9)) == "one");
    CHECK(FormatValueData(11, "x") == "Temporary unsupported");

    cRegSearch search;
    search.SearchString("ati");
    CHECK(search.IsMatch("xATIx"));
    CHECK_FALSE(search.IsMatch("xAT"));
    search.SearchFlags(cRegSearch::kWholeText);
    CHECK_FALSE(search.IsMatch("xATIx"));
    CHECK(search.IsMatch("AtI"));

    testsupport::ScratchArea area;
    createKey(area.regKey + "\\Match\\Deeper\\Match2");
    platform::RegKey key = 0;
    REQUIRE(platform::regOpenKey(platform::kHkeyCurrentUser, area.regKey + "\\Match",
                                 platform::RegAccess::AllAccess, key) == platform::kOk);
    REQUIRE(platform::regSetValue(key, "MatchValue", platform::kRegSz,
                                  std::string("Match data") + '\0') == platform::kOk);
    platform::regCloseKey(key);

    std::vector<std::string> hits;
    std::vector<std::int32_t> finished;
    search.SearchFound = [&hits](const std::string& root, const std::string& k,
                                 const std::string& v) {
        hits.push_back(root + "|" + k + "|" + v);
        return 0;
    };
    search.SearchFinished = [&finished](std::int32_t reason) { finished.push_back(reason); };
    search.RootKey("&H80000001");
    search.SubKey(area.regKey);
    search.SearchString("match");
    search.SearchFlags(cRegSearch::kMatchValueNames | cRegSearch::kMatchValueData);
    REQUIRE(search.DoSearch());
    const std::string base = "HKEY_CURRENT_USER|" + area.regKey;
    CHECK(hits == std::vector<std::string>{
                      base + "\\Match|*", base + "\\Match\\MatchValue|Match data",
                      base + "\\Match\\MatchValue|Match data", base + "\\Match\\Deeper\\Match2|*"});
    CHECK(finished == std::vector<std::int32_t>{0});

    // A stop asked for while idle makes the next search find nothing and report 1.
    hits.clear();
    search.StopSearch();
    REQUIRE(search.DoSearch());
    CHECK(hits.empty());
    CHECK(finished.back() == 1);

    // An error from the handler ends the walk and is reported as the reason.
    search.SearchFound = [&hits](const std::string&, const std::string& k, const std::string&) {
        hits.push_back(k);
        return 75;
    };
    search.SearchFlags(0);
    REQUIRE(search.DoSearch());
    CHECK(hits.size() == 1);
    CHECK(finished.back() == 75);

    search.RootKey("");
    CHECK_FALSE(search.DoSearch());
}

TEST_CASE_FIXTURE(Fixture, "configuration lines reach their sections exactly as written") {
    plant("implicit.dll");
    plant("lower.dll");
    const std::string config = windows + relative + "\\config.txt";
    const std::string text = relative + "\\implicit.dll\r\n" + "\r\n" + "[DIRECTORY]\r\n" +
                             "[files]\r\n" + "[FILES]\r\n" + relative + "\\lower.dll\r\n" +
                             relative + "\\a.dll\n" + relative + "\\b.dll\r\n";
    REQUIRE(platform::writeFile(config, text) == platform::kOk);
    RunConfigurationFile(EngineSections(context), config);
    CHECK_FALSE(exists("implicit.dll"));
    CHECK_FALSE(exists("lower.dll"));
    // "[files]" in lower case is a directory entry of the section before it.
    const std::string drive = windows.substr(0, 2);
    CHECK(items(form.lstDetails) ==
          std::vector<std::string>{"? (" + drive + "[files])",
                                   line("a.dll\n" + relative + "\\b.dll")});
}
