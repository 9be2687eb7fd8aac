// The file and directory restore window: which sets it lists, how it reads an index, what a
// restore puts back, takes out and keeps.
#include "backup/BackupWindows.h"

#include "backup/FrmRestore.h"
#include "support/TestMachine.h"

#include <string>
#include <vector>

using namespace backuptest;

namespace {

const char kFileSet[] = "07-12-2026_101530_Tvx Test_FileBackup";
const char kDirSet[] = "07-12-2026_101530_Tvx Test_DirBackup";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        result.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return result;
}

// The controls of both halves that are usable only while the half has a set.
std::vector<ui::Control*> setCommands(FrmRestore& form) {
    return {&form.cboResFile,    &form.cmdFRestore,  &form.lstResFile,  &form.cmdFSelectAll,
            &form.cmdFSelectNon, &form.cboResDir,    &form.cmdDRestore, &form.lstResDir,
            &form.cmdDSelectAll, &form.cmdDSelectNon};
}

} // namespace

TEST_CASE("the restore window lists sets by the exact end of their names, files named so too") {
    Windows windows;
    for (const char* name : {"01-01-2026_000000_B_FileBackup", "01-01-2026_000000_A_DirBackup",
                             "01-01-2026_000000_A_FileBackup", "01-01-2026_000000_C_filebackup",
                             "01-01-2026_000000_D_FileBackup.old", "01-01-2026_000000_E_RegBackup",
                             "01-01-2026_000000_F_DIRBACKUP"}) {
        makeFolders(backupFolder() + "\\" + name);
    }
    // A plain file is found by the listing as well; a hidden folder is not.
    put(backupFolder() + "\\Stray FileBackup", "not a set");
    makeFolders(backupFolder() + "\\01-01-2026_000000_G_FileBackup");
    REQUIRE(platform::setAttributes(backupFolder() + "\\01-01-2026_000000_G_FileBackup",
                                    platform::kAttrDirectory | platform::kAttrHidden) ==
            platform::kOk);

    FrmRestore& form = windows.open<FrmRestore>();
    CHECK(form.cboResFile.items() == std::vector<std::string>{"01-01-2026_000000_A_FileBackup",
                                                              "01-01-2026_000000_B_FileBackup",
                                                              "Stray FileBackup"});
    CHECK(form.cboResDir.items() == std::vector<std::string>{"01-01-2026_000000_A_DirBackup"});
    CHECK(form.cboResFile.listIndex() == 0);
    CHECK(form.cboResFile.text == "01-01-2026_000000_A_FileBackup");
    CHECK(form.cboResDir.listIndex() == 0);
    for (ui::Control* control : setCommands(form)) {
        CHECK_MESSAGE(control->enabled, control->name);
    }
}

TEST_CASE("without a backup folder both halves are disabled and empty, Close still works") {
    Windows windows;
    FrmRestore& form = windows.open<FrmRestore>();
    for (ui::Control* control : setCommands(form)) {
        CHECK_FALSE_MESSAGE(control->enabled, control->name);
    }
    CHECK(form.lstResFile.listCount() == 0);
    CHECK(form.lstResDir.listCount() == 0);
    clickOn(form.cmdClose);
    CHECK_FALSE(windows.app.isLoaded<FrmRestore>());
}

TEST_CASE("an index loads line by line into both lists, blank lines left out, scrolled to fit") {
    Windows windows;
    const Set set = makeSet(kFileSet, ".dfb", {});
    put(set.index, "\\Inf\\a.inf, C:\\WINDOWS\\Inf\r\n\r\n\\Windows\\b, c.dll, C:\\WINDOWS\r\n"
                   "\\System\\last.dll, C:\\WINDOWS\\system32");
    FrmRestore& form = windows.open<FrmRestore>();
    const std::vector<std::string> expected = {"\\Inf\\a.inf, C:\\WINDOWS\\Inf",
                                               "\\Windows\\b, c.dll, C:\\WINDOWS",
                                               "\\System\\last.dll, C:\\WINDOWS\\system32"};
    CHECK(form.lstResFile.items() == expected);
    CHECK(form.lstResFile2.items() == expected);
    // The longest line and eight spaces, six pixels each in the test's measure.
    CHECK(form.lstResFile.horizontalExtent == static_cast<int>(expected[2].size() + 8) * 6);
    CHECK(form.lstResDir.listCount() == 0);
}

TEST_CASE("choosing another set loads its index; after a restore the first set is shown again") {
    Windows windows;
    const std::string target = windows.scratch.folder + "\\target";
    makeFolders(target);
    const Set first =
        makeSet("01-01-2026_000000_A_FileBackup", ".dfb", {"\\Windows\\a.dll, " + target});
    const Set second = makeSet("01-01-2026_000000_B_FileBackup", ".dfb",
                               {"\\Windows\\b.dll, " + target, "\\Windows\\c.dll, " + target});
    put(first.folder + "\\Windows\\a.dll", "a");
    put(second.folder + "\\Windows\\b.dll", "b");
    put(second.folder + "\\Windows\\c.dll", "c");
    FrmRestore& form = windows.open<FrmRestore>();
    testsupport::pick(form.cboResFile, 1);
    CHECK(form.lstResFile.items() ==
          std::vector<std::string>{"\\Windows\\b.dll, " + target, "\\Windows\\c.dll, " + target});

    selectOnly(form.lstResFile, {1});
    clickOn(form.cmdFRestore);
    CHECK(bytesOf(target + "\\c.dll") == "c");
    CHECK_FALSE(exists(target + "\\b.dll"));
    CHECK_FALSE(exists(target + "\\a.dll"));
    CHECK(bytesOf(second.index) == indexText({"\\Windows\\b.dll, " + target}));
    CHECK(form.cboResFile.listIndex() == 0);
    CHECK(form.lstResFile.items() == std::vector<std::string>{"\\Windows\\a.dll, " + target});
}

TEST_CASE("restoring the first and third of four files leaves the second and fourth line") {
    Windows windows;
    const std::string windowsTarget = windows.scratch.folder + "\\WINDOWS";
    const std::string infTarget = windowsTarget + "\\Inf";
    makeFolders(infTarget);
    const std::vector<std::string> index = {
        "\\Windows\\one.dll, " + windowsTarget, "\\Windows\\two.dll, " + windowsTarget,
        "\\Inf\\three.inf, " + infTarget, "\\Windows (2)\\one.dll, " + windowsTarget};
    const Set set = makeSet(kFileSet, ".dfb", index);
    put(set.folder + "\\Windows\\one.dll", "first one");
    put(set.folder + "\\Windows\\two.dll", "two");
    put(set.folder + "\\Inf\\three.inf", "three", platform::kAttrArchive);
    put(set.folder + "\\Windows (2)\\one.dll", "second one");
    put(windowsTarget + "\\one.dll", "newer, replaced");

    FrmRestore& form = windows.open<FrmRestore>();
    selectOnly(form.lstResFile, {0, 2});
    clickOn(form.cmdFRestore);

    CHECK(bytesOf(windowsTarget + "\\one.dll") == "first one");
    CHECK(bytesOf(infTarget + "\\three.inf") == "three");
    CHECK(attributesOf(infTarget + "\\three.inf") == platform::kAttrArchive);
    CHECK_FALSE(exists(windowsTarget + "\\two.dll"));
    CHECK_FALSE(exists(set.folder + "\\Windows\\one.dll"));
    CHECK_FALSE(exists(set.folder + "\\Inf\\three.inf"));
    CHECK(bytesOf(set.folder + "\\Windows\\two.dll") == "two");
    CHECK(bytesOf(set.folder + "\\Windows (2)\\one.dll") == "second one");
    CHECK(bytesOf(set.index) == indexText({index[1], index[3]}));
    CHECK(form.lstResFile.items() == std::vector<std::string>{index[1], index[3]});
    CHECK(form.lstResFile2.items() == form.lstResFile.items());
    CHECK(form.cmdFRestore.enabled);
    CHECK(form.cmdClose.enabled);
}

TEST_CASE("restoring nothing leaves the index as it was") {
    Windows windows;
    const std::vector<std::string> index = {"\\Windows\\a.dll, C:\\Nowhere",
                                            "\\Windows\\b.dll, C:\\Nowhere"};
    const Set files = makeSet(kFileSet, ".dfb", index);
    const Set folders = makeSet(kDirSet, ".ddb", {"Tree, C:\\Nowhere"});
    put(files.folder + "\\Windows\\a.dll", "a");
    put(folders.folder + "\\Tree\\x.txt", "x");
    FrmRestore& form = windows.open<FrmRestore>();
    clickOn(form.cmdFRestore);
    clickOn(form.cmdDRestore);
    CHECK(bytesOf(files.index) == indexText(index));
    CHECK(bytesOf(folders.index) == indexText({"Tree, C:\\Nowhere"}));
    CHECK(bytesOf(files.folder + "\\Windows\\a.dll") == "a");
    CHECK(bytesOf(folders.folder + "\\Tree\\x.txt") == "x");
}

TEST_CASE("restoring every file of a set removes its index and its emptied folders") {
    Windows windows;
    const std::string target = windows.scratch.folder + "\\sys";
    makeFolders(target);
    const Set set = makeSet(kFileSet, ".dfb",
                            {"\\Inf\\Other\\x.PNF, " + target, "\\System\\nv*.dll, " + target});
    put(set.folder + "\\Inf\\Other\\x.PNF", "pnf");
    put(set.folder + "\\System\\nvone.dll", "1");
    put(set.folder + "\\System\\nvtwo.dll", "2");
    // A read-only copy goes from the set as well once it is back.
    REQUIRE(platform::setAttributes(set.folder + "\\System\\nvtwo.dll", platform::kAttrReadOnly) ==
            platform::kOk);
    const Set other = makeSet("01-01-2026_000000_Other_FileBackup", ".dfb", {});

    FrmRestore& form = windows.open<FrmRestore>();
    REQUIRE(form.cboResFile.item(1) == kFileSet);
    testsupport::pick(form.cboResFile, 1);
    clickOn(form.cmdFSelectAll);
    clickOn(form.cmdFRestore);

    CHECK(bytesOf(target + "\\x.PNF") == "pnf");
    CHECK(bytesOf(target + "\\nvone.dll") == "1");
    CHECK(bytesOf(target + "\\nvtwo.dll") == "2");
    CHECK_FALSE(exists(set.folder));
    CHECK(form.cboResFile.items() == std::vector<std::string>{other.name});
}

TEST_CASE("an emptied file set that still holds a file keeps that file and the folders above it") {
    Windows windows;
    const std::string target = windows.scratch.folder + "\\target";
    makeFolders(target);
    const Set set = makeSet(kFileSet, ".dfb", {"\\Windows\\y.dll, " + target});
    put(set.folder + "\\Windows\\y.dll", "y");
    put(set.folder + "\\Drivers\\stray.sys", "stray");
    FrmRestore& form = windows.open<FrmRestore>();
    clickOn(form.cmdFSelectAll);
    clickOn(form.cmdFRestore);
    CHECK(bytesOf(target + "\\y.dll") == "y");
    CHECK_FALSE(exists(set.index));
    CHECK_FALSE(exists(set.folder + "\\Windows"));
    CHECK(bytesOf(set.folder + "\\Drivers\\stray.sys") == "stray");
    CHECK(form.cboResFile.items() == std::vector<std::string>{kFileSet});
    CHECK(form.lstResFile.listCount() == 0);
}

TEST_CASE("a file that cannot be put back keeps its copy and its line; nothing else is lost") {
    Windows windows;
    const std::string target = windows.scratch.folder + "\\target";
    makeFolders(target);
    put(target + "\\busy.dll", "in use");
    put(backupFolder() + "\\outside.dll", "not in any set");
    const std::vector<std::string> index = {"\\Windows\\gone.dll, " + windows.scratch.folder +
                                                "\\removed folder",
                                            "\\Windows\\busy.dll, " + target,
                                            "\\Windows\\lost.dll, " + target,
                                            "a line without any comma",
                                            "\\..\\outside.dll, " + target,
                                            "Windows\\nobackslash.dll, " + target,
                                            "\\Windows\\fine.dll, " + target};
    const Set set = makeSet(kFileSet, ".dfb", index);
    put(set.folder + "\\Windows\\gone.dll", "only copy of gone");
    put(set.folder + "\\Windows\\busy.dll", "only copy of busy");
    put(set.folder + "\\Windows\\fine.dll", "fine");
    put(set.folder + "Windows\\nobackslash.dll", "beside the set");
    {
        // Wine's shell reports success for the file it could not replace; the simulated one is
        // told to do the same, so only the restore's own check can notice.
        testsupport::ShellSkipsInUse lyingShell;
        testsupport::HoldOpen busy(target + "\\busy.dll");
        REQUIRE(busy.held());
        FrmRestore& form = windows.open<FrmRestore>();
        clickOn(form.cmdFSelectAll);
        clickOn(form.cmdFRestore);
    }
    CHECK(bytesOf(set.folder + "\\Windows\\gone.dll") == "only copy of gone");
    CHECK(bytesOf(set.folder + "\\Windows\\busy.dll") == "only copy of busy");
    CHECK(bytesOf(target + "\\busy.dll") == "in use");
    CHECK(bytesOf(target + "\\fine.dll") == "fine");
    CHECK_FALSE(exists(set.folder + "\\Windows\\fine.dll"));
    // Lines the backup never writes restore nothing and touch nothing outside the set.
    CHECK(bytesOf(backupFolder() + "\\outside.dll") == "not in any set");
    CHECK(bytesOf(set.folder + "Windows\\nobackslash.dll") == "beside the set");
    CHECK_FALSE(exists(target + "\\outside.dll"));
    CHECK_FALSE(exists(target + "\\nobackslash.dll"));
    // The missing copy restores nothing and its line goes; the failed ones stay, in order.
    CHECK(lines(bytesOf(set.index)) ==
          std::vector<std::string>{index[0], index[1], index[3], index[4], index[5]});
}

TEST_CASE("restoring the first and third of three folders merges them into their places") {
    Windows windows;
    const std::string one = windows.scratch.folder + "\\one";
    const std::string three = windows.scratch.folder + "\\three place";
    const std::vector<std::string> index = {"Vendor Tree, " + one, "Other, " + one,
                                            "(2)\\Vendor Tree, " + three};
    const Set set = makeSet(kDirSet, ".ddb", index);
    put(set.folder + "\\Vendor Tree\\top.txt", "top");
    put(set.folder + "\\Vendor Tree\\sub\\deep\\low.bin", std::string("\0\1\2", 3));
    makeFolders(set.folder + "\\Vendor Tree\\empty");
    put(set.folder + "\\Other\\o.txt", "o");
    put(set.folder + "\\(2)\\Vendor Tree\\second.txt", "second");
    // The target already holds a folder of that name: same names are replaced, others stay.
    put(one + "\\Vendor Tree\\top.txt", "newer");
    put(one + "\\Vendor Tree\\mine.txt", "mine");

    FrmRestore& form = windows.open<FrmRestore>();
    selectOnly(form.lstResDir, {0, 2});
    clickOn(form.cmdDRestore);

    CHECK(bytesOf(one + "\\Vendor Tree\\top.txt") == "top");
    CHECK(bytesOf(one + "\\Vendor Tree\\mine.txt") == "mine");
    CHECK(bytesOf(one + "\\Vendor Tree\\sub\\deep\\low.bin") == std::string("\0\1\2", 3));
    CHECK((attributesOf(one + "\\Vendor Tree\\empty") & platform::kAttrDirectory) != 0);
    CHECK(bytesOf(three + "\\Vendor Tree\\second.txt") == "second");
    CHECK_FALSE(exists(one + "\\Other"));
    CHECK_FALSE(exists(set.folder + "\\Vendor Tree"));
    CHECK_FALSE(exists(set.folder + "\\(2)\\Vendor Tree"));
    CHECK(bytesOf(set.folder + "\\Other\\o.txt") == "o");
    CHECK(bytesOf(set.index) == indexText({index[1]}));
    CHECK(form.lstResDir.items() == std::vector<std::string>{index[1]});
    CHECK(form.lstResDir2.items() == std::vector<std::string>{index[1]});
}

TEST_CASE("restoring every folder of a set removes the set; a failed one keeps it") {
    Windows windows;
    const std::string place = windows.scratch.folder + "\\place";
    const Set set = makeSet(kDirSet, ".ddb", {"Tree, " + place, "Missing, " + place});
    put(set.folder + "\\Tree\\t.txt", "t");

    SUBCASE("all back: the set goes") {
        FrmRestore& form = windows.open<FrmRestore>();
        clickOn(form.cmdDSelectAll);
        clickOn(form.cmdDRestore);
        CHECK(bytesOf(place + "\\Tree\\t.txt") == "t");
        CHECK_FALSE(exists(set.folder));
        CHECK(form.cboResDir.listCount() == 0);
        // The click gives every command back, though no set is left to work on.
        CHECK(form.cmdDRestore.enabled);
        CHECK(form.cboResDir.enabled);
        clickOn(form.cmdDRestore);
        CHECK(exists(backupFolder()));
    }
    SUBCASE("a file of the place in use: the copy, its line and the set stay") {
        put(place + "\\Tree\\t.txt", "held");
        testsupport::HoldOpen held(place + "\\Tree\\t.txt");
        REQUIRE(held.held());
        FrmRestore& form = windows.open<FrmRestore>();
        clickOn(form.cmdDSelectAll);
        clickOn(form.cmdDRestore);
        CHECK(bytesOf(set.folder + "\\Tree\\t.txt") == "t");
        CHECK(bytesOf(set.index) == indexText({"Tree, " + place}));
        CHECK(form.lstResDir.items() == std::vector<std::string>{"Tree, " + place});
    }
}

TEST_CASE("a set whose index lists nothing keeps its copies when Restore is pressed") {
    Windows windows;
    const Set set = makeSet(kDirSet, ".ddb", {});
    put(set.folder + "\\Tree\\t.txt", "only copy");
    FrmRestore& form = windows.open<FrmRestore>();
    REQUIRE(form.lstResDir.listCount() == 0);
    clickOn(form.cmdDRestore);
    CHECK(bytesOf(set.folder + "\\Tree\\t.txt") == "only copy");
    CHECK(form.cboResDir.items() == std::vector<std::string>{kDirSet});
}
