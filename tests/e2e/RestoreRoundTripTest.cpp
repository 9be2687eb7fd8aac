// Back up and restore end to end: a clean with every backup on through the normal window, then
// everything put back through the restore windows, and the machine is as it was before the clean.
#include <doctest/doctest.h>

#include "e2e/CleanSetup.h"
#include "platform/Registry.h"
#include "support/Drive.h"
#include "support/TestMachine.h"
#include "testkit/Footprint.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using e2e::exists;
using e2e::listNames;
using e2e::programPath;

const char kConfiguration[] = "Tvx Round Trip";
// Below the Windows folder, so "[FILES]" entries reach it.
const char kWindowsCorner[] = "TvxRoundTrip";

std::string hexOf(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (unsigned char byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

// One line per folder and file below `path` (itself included): path, attributes and bytes.
void describeFolder(const std::string& path, std::vector<std::string>& lines) {
    std::uint32_t attributes = 0;
    if (platform::getAttributes(path, attributes) != platform::kOk) {
        lines.push_back("absent " + path);
        return;
    }
    if ((attributes & platform::kAttrDirectory) == 0) {
        std::string bytes;
        platform::readFile(path, bytes);
        lines.push_back("file " + path + " attr=" + std::to_string(attributes) + " " + bytes);
        return;
    }
    lines.push_back("folder " + path + " attr=" + std::to_string(attributes));
    std::vector<platform::FindEntry> entries;
    platform::findFiles(path + "\\*", entries);
    for (const platform::FindEntry& entry : entries) {
        if (entry.name != "." && entry.name != "..") {
            describeFolder(path + "\\" + entry.name, lines);
        }
    }
}

// One line per key and value below `path` of HKEY_CURRENT_USER (itself included).
void describeKey(const std::string& path, std::vector<std::string>& lines) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(platform::kHkeyCurrentUser, path, platform::RegAccess::Read, key) !=
        platform::kOk) {
        lines.push_back("no key " + path);
        return;
    }
    lines.push_back("key " + path);
    std::string name;
    std::uint32_t type = 0;
    std::string data;
    for (std::uint32_t i = 0; platform::regEnumValue(key, i, name, type, data) == platform::kOk;
         ++i) {
        lines.push_back("value " + path + " [" + name + "] type=" + std::to_string(type) + " " +
                        hexOf(data));
    }
    std::vector<std::string> subKeys;
    for (std::uint32_t i = 0; platform::regEnumKey(key, i, name) == platform::kOk; ++i) {
        subKeys.push_back(name);
    }
    platform::regCloseKey(key);
    for (const std::string& subKey : subKeys) {
        describeKey(path + "\\" + subKey, lines);
    }
}

// A driver's leftovers of our own making: files under the Windows and system folders (two of
// one name, patterns, one that a pattern line's restore must not take, one in a folder that a
// directory entry removes as well), folder trees with read-only, hidden and system files (two of
// one name, two taken by one pattern line), keys with every kind of value, a key whose name
// holds a comma, and single values; bystanders beside them.
struct RoundTrip {
    RoundTrip() {
        windows = GetWindowsFolder();
        system = GetSystemFolder();
        corner = windows + "\\" + kWindowsCorner;
        const std::string trees = scratch.folder;
        const std::string keys = "HKEY_CURRENT_USER\\" + scratch.regKey;
        footprint = "[FILES]\n" + corner + "\\nva.dat\n" + corner + "\\nvb.dat\n" + corner +
                    "\\Later\\nvz.dat\n" + corner + "\\vendor.dll\n" + corner +
                    "\\Sub\\vendor.dll|A\n" + corner + "\\Cache\\cache.bin\n" + corner +
                    "\\Cache\\index.dat\n" + windows + "\\Inf\\tvxrt.inf\n" + windows +
                    "\\Inf\\Other\\tvxrt.PNF\n" + windows + "\\Help\\tvxrt.hlp\n" + system +
                    "\\Drivers\\tvxrt.sys\n" + system + "\\tvxrt1.dll\n" + system +
                    "\\tvxrt2.dll\n" + "[FOLDERS]\n" + corner + "\\Cache\n" + trees +
                    "\\Vendor Tree\n" + trees + "\\One\\Tools\n" + trees + "\\Two\\Tools\n" +
                    trees + "\\Pattern.A\n" + trees + "\\Pattern.B\n" + "[FILES]\n" + trees +
                    "\\Pattern.A\\a.txt\n" + trees + "\\Pattern.B\\b.txt\n" + trees +
                    "\\Vendor Tree\\readme.txt|R\n" + trees + "\\Vendor Tree\\bin\\tool.exe|A\n" +
                    trees + "\\Vendor Tree\\bin\\deep\\hidden.ini|H\n" + trees +
                    "\\Vendor Tree\\sys.dat|RS\n" + trees + "\\One\\Tools\\one.cfg\n" + trees +
                    "\\Two\\Tools\\two.cfg\n" + "[REGISTRY]\n" + keys +
                    "\\Vendor Corp\\Global\n"
                    "\"Version\"=\"6.14.10.9371\"\n"
                    "\"Coolbits\"=dword:00000003\n"
                    "@=\"default text\"\n" +
                    keys +
                    "\\Vendor Corp\\Global\\Tweaks\\Deep Down\n"
                    "\"Flags\"=hex:01,00,ff,7f\n"
                    "\"Path\"=hex(2):25,00,53,00,79,00,73,00,00,00\n"
                    "\"List\"=hex(7):61,00,62,00,00,00\n"
                    "\"Value with spaces\"=\"a \\\"quoted\\\" word\"\n" +
                    keys +
                    "\\Vendor Corp\\Installer\n"
                    "\"InstallDir\"=\"C:\\\\Program Files\\\\Vendor Corp\"\n" +
                    keys +
                    "\\Other Vendor\\Settings\n"
                    "\"Empty\"=\"\"\n" +
                    keys +
                    "\\Other Vendor\\Odd,Leaf\n"
                    "\"Odd\"=dword:00000002\n" +
                    keys +
                    "\\Vendor Corp\\Run\n"
                    "\"Tray\"=\"nvtray.exe\"\n"
                    "\"a,b\"=dword:00000007\n"
                    "@=\"unnamed\"\n" +
                    "[KEEP]\n" + corner + "\\keep.dll\n" + trees + "\\Vendor Tree.txt\n" + keys +
                    "\\Vendor Corp\n"
                    "\"Bystander\"=dword:00000001\n" +
                    keys +
                    "\\Vendor Corp\\Run\n"
                    "\"Other\"=\"other.exe\"\n";
        const std::string treesEntry = trees.substr(2);
        const std::string cornerEntry = std::string("\\") + kWindowsCorner;
        configuration = "[FILES]\r\n" + cornerEntry + "\\nv*.dat\r\n" + cornerEntry +
                        "\\Later\\nvz.dat\r\n" + cornerEntry + "\\vendor.dll\r\n" + cornerEntry +
                        "\\Sub\\vendor.dll\r\n" + cornerEntry + "\\Cache\\cache.bin\r\n" +
                        "\\Inf\\tvxrt.inf\r\n\\Inf\\Other\\tvxrt.PNF\r\n\\Help\\tvxrt.hlp\r\n"
                        "[SYSTEMFILES]\r\n\\Drivers\\tvxrt.sys\r\n\\tvxrt*.dll\r\n"
                        "[DIRECTORY]\r\n" +
                        windows.substr(2) + cornerEntry + "\\Cache\r\n" + treesEntry +
                        "\\Vendor Tree\r\n" + treesEntry + "\\One\\Tools\r\n" + treesEntry +
                        "\\Two\\Tools\r\n" + treesEntry + "\\Pattern.*\r\n" +
                        "[REGISTRY.SECTION]\r\n" + keys + "\\Vendor Corp\\Global\r\n" + keys +
                        "\\Vendor Corp\\Installer\r\n" + keys + "\\Other Vendor\\Settings\r\n" +
                        keys + "\\Other Vendor\\Odd,Leaf\r\n" + "[REGISTRY.VALUE]\r\n" + keys +
                        "\\Vendor Corp\\Run\\Tray\r\n" + keys + "\\Vendor Corp\\Run\\a,b\r\n" +
                        keys + "\\Vendor Corp\\Run\\\r\n";
        setup.addConfiguration(kConfiguration, configuration);
        e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "No");

        std::string error;
        REQUIRE_MESSAGE(testkit::ParseFootprint(footprint, items, error), error);
        const std::vector<std::string> failures = testkit::PlantFootprint(items);
        REQUIRE_MESSAGE(failures.empty(), failures.front());
    }
    ~RoundTrip() {
        platform::deleteTree(corner);
        for (const std::string& file :
             {windows + "\\Inf\\tvxrt.inf", windows + "\\Help\\tvxrt.hlp",
              system + "\\Drivers\\tvxrt.sys", system + "\\tvxrt1.dll", system + "\\tvxrt2.dll"}) {
            platform::deleteFile(file);
        }
        platform::deleteFile(windows + "\\Inf\\Other\\tvxrt.PNF");
        // Made for the footprint where the machine had none; refused when anything is in it.
        platform::removeFolder(windows + "\\Inf\\Other");
    }
    RoundTrip(const RoundTrip&) = delete;
    RoundTrip& operator=(const RoundTrip&) = delete;

    // Everything the footprint touches, as lines to compare.
    std::vector<std::string> state() const {
        std::vector<std::string> lines;
        describeFolder(corner, lines);
        describeFolder(scratch.folder, lines);
        for (const std::string& file :
             {windows + "\\Inf\\tvxrt.inf", windows + "\\Inf\\Other\\tvxrt.PNF",
              windows + "\\Help\\tvxrt.hlp", system + "\\Drivers\\tvxrt.sys",
              system + "\\tvxrt1.dll", system + "\\tvxrt2.dll"}) {
            describeFolder(file, lines);
        }
        describeKey(scratch.regKey, lines);
        return lines;
    }

    e2e::CleanSetup setup;
    testsupport::ScratchArea scratch;
    std::string windows;
    std::string system;
    std::string corner;
    std::string footprint;
    std::string configuration;
    std::vector<testkit::FootprintItem> items;
};

// Lines of `after` missing from `before` and the other way round, for a readable failure.
std::string difference(const std::vector<std::string>& before,
                       const std::vector<std::string>& after) {
    std::string text;
    for (const std::string& line : before) {
        if (std::find(after.begin(), after.end(), line) == after.end()) {
            text += "lost:  " + line + "\n";
        }
    }
    for (const std::string& line : after) {
        if (std::find(before.begin(), before.end(), line) == before.end()) {
            text += "added: " + line + "\n";
        }
    }
    return text;
}

} // namespace

TEST_CASE("a clean with every backup on, restored through the restore windows, leaves the "
          "machine as it was") {
    RoundTrip trip;
    const std::vector<std::string> before = trip.state();

    const testsupport::DriveOutcome clean = testsupport::driveTarvex(std::string(R"(
        tick 2
        expect loaded frmMain
        select frmMain.cboConfigs ")") + kConfiguration + R"("
        answer Yes
        click frmMain.cmdClean
        click frmMain.cmdClose
        expect ended
    )");
    INFO(clean.output);
    REQUIRE(clean.ok);
    CHECK(testkit::CheckCleaned(trip.items) == std::vector<std::string>{});
    const std::vector<std::string> sets = listNames(programPath("Backup\\*"));
    REQUIRE(sets.size() == 3);
    const std::string stamp = sets[0].substr(0, 17);
    CHECK(sets == std::vector<std::string>{stamp + "_" + kConfiguration + "_DirBackup",
                                           stamp + "_" + kConfiguration + "_FileBackup",
                                           stamp + "_" + kConfiguration + "_RegBackup"});

    // Files first: the one whose folder went with a directory entry cannot go back yet and
    // stays in its set; after the folders it can.
    const testsupport::DriveOutcome restore = testsupport::driveTarvex(R"(
        tick 2
        expect loaded frmMain
        key frmMain Ctrl+U
        expect loaded frmRestore
        expect frmRestore.lstResFile.listcount 10
        click frmRestore.cmdFSelectAll
        click frmRestore.cmdFRestore
        expect frmRestore.cboResFile.listcount 1
        expect frmRestore.lstResFile.listcount 1
        expect frmRestore.lstResFile.item#0 contains "\cache.bin, "
        expect frmRestore.cmdFRestore.enabled true
        expect frmRestore.lstResDir.listcount 6
        click frmRestore.cmdDSelectAll
        click frmRestore.cmdDRestore
        expect frmRestore.cboResDir.listcount 0
        expect frmRestore.lstResDir.listcount 0
        click frmRestore.cmdFSelectAll
        click frmRestore.cmdFRestore
        expect frmRestore.cboResFile.listcount 0
        click frmRestore.cmdClose
        expect not-loaded frmRestore
        key frmMain Ctrl+Z
        expect loaded frmRegRest
        expect frmRegRest.lstResReg.listcount 7
        click frmRegRest.cmdRSelectAll
        during expect frmRegRest.cmdRRestore.enabled false
        during expect frmRegRest.cmdClose.enabled false
        during expect frmRegRest.lstResReg.enabled false
        click frmRegRest.cmdRRestore
        expect frmRegRest.cboResReg.listcount 0
        expect frmRegRest.cmdRRestore.enabled true
        click frmRegRest.cmdClose
        click frmMain.cmdClose
        expect ended
    )");
    INFO(restore.output);
    REQUIRE(restore.ok);

    const std::vector<std::string> after = trip.state();
    CHECK_MESSAGE(after == before, difference(before, after));
    // Every set was emptied and went with its last entry.
    CHECK(listNames(programPath("Backup\\*")) == std::vector<std::string>{});
}
