// File services on both machines: directory search, attributes, whole-file I/O and deletion.
#include "platform/Files.h"
#include "support/TestMachine.h"

#include "Listing.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace platform;
using platformtest::contents;
using platformtest::exists;
using platformtest::names;
using Names = std::vector<std::string>;

namespace {

// The attribute bits the program looks at. Wine reports every file with the archive bit (and
// never as kAttrNormal) whatever was set; Windows reports exactly what was set.
constexpr std::uint32_t kMeaningful = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;

// A folder with one entry of each kind the searches must tell apart.
struct SearchFolder {
    testsupport::ScratchArea area;
    std::string dir = area.folder + "\\Search";

    SearchFolder() {
        REQUIRE(createFolder(dir) == kOk);
        for (const char* name : {"Alpha.txt", "beta.TXT", "Hidden.txt", "Sys.txt", "_x.txt",
                                 "Zed.txt", "a1.dat", "noext", "x.y.z"}) {
            REQUIRE(writeFile(dir + "\\" + name, "hello") == kOk);
        }
        REQUIRE(createFolder(dir + "\\Sub") == kOk);
        REQUIRE(createFolder(dir + "\\HidDir") == kOk);
        REQUIRE(setAttributes(dir + "\\beta.TXT", kAttrReadOnly) == kOk);
        REQUIRE(setAttributes(dir + "\\Hidden.txt", kAttrHidden) == kOk);
        REQUIRE(setAttributes(dir + "\\Sys.txt", kAttrSystem) == kOk);
        REQUIRE(setAttributes(dir + "\\HidDir", kAttrHidden) == kOk);
    }
    ~SearchFolder() { setAttributes(dir + "\\beta.TXT", kAttrNormal); }
};

} // namespace

TEST_CASE("a directory search finds what its pattern names, in order without regard to case") {
    SearchFolder search;
    // Sorted as NTFS and Wine sort: by the upper-case names, so "_" comes after "Z". (On FAT
    // volumes Windows returns entries in the order they were made.)
    const Names all = {".",     "..",  "a1.dat",  "Alpha.txt", "beta.TXT", "Hidden.txt", "HidDir",
                       "noext", "Sub", "Sys.txt", "x.y.z",     "Zed.txt",  "_x.txt"};
    // Only patterns on which Wine and Windows agree: Windows lets a "?" before a dot match no
    // character ("????.txt" finds "Sys.txt") and "*." find names without a dot; Wine does not.
    struct Row {
        const char* pattern;
        Names expected;
    };
    const Row rows[] = {
        {"*", all},
        {"*.*", all},
        {"*.txt", {"Alpha.txt", "beta.TXT", "Hidden.txt", "Sys.txt", "Zed.txt", "_x.txt"}},
        {"*.TXT", {"Alpha.txt", "beta.TXT", "Hidden.txt", "Sys.txt", "Zed.txt", "_x.txt"}},
        {"a?.dat", {"a1.dat"}},
        {"b*.t?t", {"beta.TXT"}},
        {"*e*", {"beta.TXT", "Hidden.txt", "noext", "Zed.txt"}},
        {"x.*", {"x.y.z"}},
        {"*.z", {"x.y.z"}},
        {"noext.*", {"noext"}},
        {"ALPHA.TXT", {"Alpha.txt"}},
        {"sub", {"Sub"}},
        {"hiddir", {"HidDir"}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.pattern);
        CHECK(names(search.dir + "\\" + row.pattern) == row.expected);
    }
}

TEST_CASE("a directory search reports attributes, sizes and its failures") {
    SearchFolder search;
    std::vector<FindEntry> entries;
    REQUIRE(findFiles(search.dir + "\\*", entries) == kOk);
    struct Row {
        const char* name;
        std::uint32_t attributes;
        std::uint64_t size;
    };
    const Row rows[] = {
        {".", kAttrDirectory, 0},
        {"Alpha.txt", 0, 5},
        {"beta.TXT", kAttrReadOnly, 5},
        {"Hidden.txt", kAttrHidden, 5},
        {"Sys.txt", kAttrSystem, 5},
        {"Sub", kAttrDirectory, 0},
        {"HidDir", kAttrDirectory | kAttrHidden, 0},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        bool found = false;
        for (const FindEntry& entry : entries) {
            if (entry.name == row.name) {
                found = true;
                CHECK((entry.attributes & kMeaningful) == row.attributes);
                CHECK(entry.size == row.size);
            }
        }
        CHECK(found);
    }

    entries.push_back(FindEntry{});
    CHECK(findFiles(search.dir + "\\nomatch*", entries) == kErrorFileNotFound);
    CHECK(entries.empty());
    CHECK(findFiles(search.dir + "\\Missing\\*", entries) == kErrorPathNotFound);
    CHECK(findFiles(search.dir + "\\Missing\\file.txt", entries) == kErrorPathNotFound);
    // A folder named without wildcard and without trailing backslash is found as itself.
    CHECK(names(search.dir) == Names{"Search"});
}

TEST_CASE("a drive root lists no \".\" or \"..\" entries") {
    testsupport::ScratchArea area;
    const Names root = names("C:\\*");
    REQUIRE_FALSE(root.empty());
    for (const std::string& name : root) {
        CHECK(name != ".");
        CHECK(name != "..");
    }
}

TEST_CASE("paths match without regard to case and names keep the case they were made with") {
    testsupport::ScratchArea area;
    REQUIRE(createFolder(area.folder + "\\MixedCase") == kOk);
    REQUIRE(writeFile(area.folder + "\\MIXEDCASE\\File.Txt", "abc") == kOk);
    CHECK(contents(area.folder + "\\mixedcase\\FILE.TXT") == "abc");
    CHECK(names(area.folder + "\\mixedcase\\*.txt") == Names{"File.Txt"});
    CHECK(names(area.folder + "\\MIXEDCASE") == Names{"MixedCase"});

    // Writing through another case replaces the file and keeps its first name.
    REQUIRE(writeFile(area.folder + "\\mixedcase\\file.txt", "x") == kOk);
    CHECK(names(area.folder + "\\MixedCase\\*") == Names{".", "..", "File.Txt"});
    CHECK(createFolder(area.folder + "\\mixedCASE") == kErrorAlreadyExists);
}

TEST_CASE("file length and attributes") {
    testsupport::ScratchArea area;
    const std::string file = area.folder + "\\data.bin";
    REQUIRE(writeFile(file, std::string("a\0b\r\n", 5)) == kOk);

    std::uint64_t length = 99;
    CHECK(fileLength(file, length) == kOk);
    CHECK(length == 5);
    CHECK(fileLength(area.folder, length) != kOk);
    CHECK(fileLength(area.folder + "\\none.bin", length) == kErrorFileNotFound);
    CHECK(fileLength(area.folder + "\\none\\x.bin", length) == kErrorPathNotFound);
    CHECK(fileLength(area.folder + "\\*.bin", length) != kOk);

    // A new file carries the archive bit and nothing else.
    std::uint32_t attributes = 0;
    CHECK(getAttributes(file, attributes) == kOk);
    CHECK(attributes == kAttrArchive);
    CHECK(getAttributes(area.folder, attributes) == kOk);
    CHECK(attributes == kAttrDirectory);
    CHECK(getAttributes(area.folder + "\\none.bin", attributes) == kErrorFileNotFound);
    CHECK(getAttributes(area.folder + "\\none\\x", attributes) == kErrorPathNotFound);

    // Hidden and system files still have a length.
    const std::uint32_t settings[] = {kAttrReadOnly | kAttrHidden, kAttrSystem | kAttrArchive,
                                      kAttrHidden | kAttrSystem};
    for (std::uint32_t wanted : settings) {
        CAPTURE(wanted);
        REQUIRE(setAttributes(file, wanted) == kOk);
        CHECK(getAttributes(file, attributes) == kOk);
        CHECK((attributes & kMeaningful) == (wanted & kMeaningful));
        CHECK(fileLength(file, length) == kOk);
        CHECK(length == 5);
    }
    REQUIRE(setAttributes(file, kAttrNormal) == kOk);
    CHECK(getAttributes(file, attributes) == kOk);
    CHECK((attributes & kMeaningful) == 0);
    CHECK(setAttributes(area.folder + "\\none.bin", kAttrNormal) == kErrorFileNotFound);
}

TEST_CASE("whole-file read, write and append") {
    testsupport::ScratchArea area;
    const std::string file = area.folder + "\\log.txt";
    const std::string binary("\0\x01\xff\r\n\x1a end", 9);

    CHECK(appendFile(file, "first\r\n") == kOk);
    CHECK(appendFile(file, "second\r\n") == kOk);
    CHECK(contents(file) == "first\r\nsecond\r\n");
    CHECK(writeFile(file, binary) == kOk);
    CHECK(contents(file) == binary);
    CHECK(writeFile(file, "") == kOk);
    CHECK(contents(file) == "");

    std::string bytes = "left over";
    CHECK(readFile(area.folder + "\\none.txt", bytes) == kErrorFileNotFound);
    CHECK(bytes.empty());
    bytes = "left over";
    CHECK(readFile(area.folder, bytes) == kErrorAccessDenied);
    CHECK(bytes.empty());
    CHECK(writeFile(area.folder + "\\none\\x.txt", "x") == kErrorPathNotFound);
    CHECK(appendFile(area.folder + "\\none\\x.txt", "x") == kErrorPathNotFound);
    CHECK(writeFile(area.folder, "x") == kErrorAccessDenied);
}

TEST_CASE("writing over a protected file refuses and leaves it as it was") {
    testsupport::ScratchArea area;
    const std::string file = area.folder + "\\kept.txt";
    struct Row {
        std::uint32_t attributes;
        Error write;
        Error append;
    };
    // Replacing a hidden or system file is refused; appending to one is allowed.
    const Row rows[] = {
        {kAttrReadOnly, kErrorAccessDenied, kErrorAccessDenied},
        {kAttrHidden, kErrorAccessDenied, kOk},
        {kAttrSystem, kErrorAccessDenied, kOk},
    };
    for (const Row& row : rows) {
        CAPTURE(row.attributes);
        REQUIRE(writeFile(file, "original") == kOk);
        REQUIRE(setAttributes(file, row.attributes) == kOk);
        CHECK(writeFile(file, "replaced") == row.write);
        CHECK(contents(file) == "original");
        CHECK(appendFile(file, "+more") == row.append);
        CHECK(contents(file) == (row.append == kOk ? "original+more" : "original"));
        std::uint32_t attributes = 0;
        CHECK(getAttributes(file, attributes) == kOk);
        CHECK((attributes & kMeaningful) == row.attributes);
        REQUIRE(setAttributes(file, kAttrNormal) == kOk);
    }
}

TEST_CASE("a file held open cannot be replaced or deleted") {
    testsupport::ScratchArea area;
    const std::string file = area.folder + "\\busy.txt";
    REQUIRE(writeFile(file, "busy") == kOk);
    {
        testsupport::HoldOpen hold(file);
        REQUIRE(hold.held());
        CHECK(writeFile(file, "other") == kErrorSharingViolation);
        CHECK(deleteFile(file) == kErrorSharingViolation);
        CHECK(deleteFiles(area.folder + "\\*.txt") == kErrorSharingViolation);
    }
    CHECK(contents(file) == "busy");
    CHECK(deleteFile(file) == kOk);
    testsupport::HoldOpen missing(file);
    CHECK_FALSE(missing.held());
}

TEST_CASE("deleting one file") {
    testsupport::ScratchArea area;
    const std::string file = area.folder + "\\one.txt";
    struct Row {
        std::uint32_t attributes;
        Error expected;
    };
    const Row rows[] = {
        {kAttrNormal, kOk},
        {kAttrHidden, kOk},
        {kAttrSystem | kAttrHidden, kOk},
        {kAttrReadOnly, kErrorAccessDenied},
    };
    for (const Row& row : rows) {
        CAPTURE(row.attributes);
        REQUIRE(writeFile(file, "x") == kOk);
        REQUIRE(setAttributes(file, row.attributes) == kOk);
        CHECK(deleteFile(file) == row.expected);
        CHECK(exists(file) == (row.expected != kOk));
        setAttributes(file, kAttrNormal);
        deleteFile(file);
    }
    CHECK(deleteFile(file) == kErrorFileNotFound);
    CHECK(deleteFile(area.folder + "\\none\\x.txt") == kErrorPathNotFound);
    CHECK(deleteFile(area.folder) == kErrorAccessDenied);
}

TEST_CASE("deleting by pattern passes over hidden, system and folder entries") {
    testsupport::ScratchArea area;
    const std::string dir = area.folder;
    for (const char* name :
         {"a.sys", "b.sys", "c.sys", "hidden.sys", "system.sys", "ro.sys", "keep.txt"}) {
        REQUIRE(writeFile(dir + "\\" + name, "x") == kOk);
    }
    REQUIRE(createFolder(dir + "\\folder.sys") == kOk);
    REQUIRE(setAttributes(dir + "\\hidden.sys", kAttrHidden) == kOk);
    REQUIRE(setAttributes(dir + "\\system.sys", kAttrSystem) == kOk);
    REQUIRE(setAttributes(dir + "\\ro.sys", kAttrReadOnly) == kOk);

    // The read-only match refuses, the others after it are still deleted.
    CHECK(deleteFiles(dir + "\\*.SYS") == kErrorAccessDenied);
    CHECK(names(dir + "\\*") ==
          Names{".", "..", "folder.sys", "hidden.sys", "keep.txt", "ro.sys", "system.sys"});

    REQUIRE(setAttributes(dir + "\\ro.sys", kAttrNormal) == kOk);
    CHECK(deleteFiles(dir + "\\r?.sys") == kOk);
    CHECK(deleteFiles(dir + "\\*.sys") == kErrorFileNotFound);
    CHECK(deleteFiles(dir + "\\keep.txt") == kOk);
    CHECK(names(dir + "\\*") == Names{".", "..", "folder.sys", "hidden.sys", "system.sys"});
    CHECK(deleteFiles(dir + "\\none\\*.sys") == kErrorPathNotFound);
}

TEST_CASE("creating and removing folders") {
    testsupport::ScratchArea area;
    const std::string dir = area.folder + "\\New";
    CHECK(createFolder(dir) == kOk);
    CHECK(createFolder(dir) == kErrorAlreadyExists);
    CHECK(createFolder(area.folder + "\\none\\New") == kErrorPathNotFound);
    REQUIRE(writeFile(dir + "\\f.txt", "x") == kOk);
    CHECK(removeFolder(dir) == kErrorDirNotEmpty);
    REQUIRE(deleteFile(dir + "\\f.txt") == kOk);
    CHECK(removeFolder(dir) == kOk);
    CHECK(removeFolder(dir) == kErrorFileNotFound);
    CHECK_FALSE(exists(dir));
}

TEST_CASE("deleting a tree takes read-only, hidden and nested entries with it") {
    testsupport::ScratchArea area;
    const std::string tree = area.folder + "\\Tree";
    REQUIRE(createFolder(tree) == kOk);
    REQUIRE(createFolder(tree + "\\Level1") == kOk);
    REQUIRE(createFolder(tree + "\\Level1\\Level2") == kOk);
    REQUIRE(createFolder(tree + "\\Empty") == kOk);
    const char* files[] = {"\\top.txt", "\\Level1\\ro.txt", "\\Level1\\Level2\\deep.dat",
                           "\\Level1\\Level2\\hidden.sys"};
    for (const char* file : files) {
        REQUIRE(writeFile(tree + file, "x") == kOk);
    }
    REQUIRE(setAttributes(tree + "\\Level1\\ro.txt", kAttrReadOnly) == kOk);
    REQUIRE(setAttributes(tree + "\\Level1\\Level2\\hidden.sys", kAttrHidden | kAttrSystem) == kOk);
    REQUIRE(setAttributes(tree + "\\Level1\\Level2", kAttrReadOnly) == kOk);
    REQUIRE(writeFile(area.folder + "\\Treeside.txt", "beside") == kOk);

    const TreeResult result = deleteTree(tree);
    CHECK(result.error == kOk);
    CHECK(result.failedPath == "");
    CHECK_FALSE(exists(tree));
    CHECK(contents(area.folder + "\\Treeside.txt") == "beside");
}

TEST_CASE("deleting trees by pattern deletes each matching folder and no file") {
    testsupport::ScratchArea area;
    const std::string dir = area.folder;
    for (const char* folder : {"\\Set1", "\\Set2", "\\Set2\\Inner", "\\Other"}) {
        REQUIRE(createFolder(dir + folder) == kOk);
    }
    REQUIRE(writeFile(dir + "\\Set2\\Inner\\f.txt", "x") == kOk);
    REQUIRE(writeFile(dir + "\\Setfile.txt", "x") == kOk);

    CHECK(deleteTree(dir + "\\set*").error == kOk);
    CHECK(names(dir + "\\*") == Names{".", "..", "Other", "Setfile.txt"});

    // Nothing to delete: a missing folder, a file, or a pattern that matches only files.
    const char* absent[] = {"\\Missing", "\\Setfile.txt", "\\Set*.txt", "\\None\\Deeper"};
    for (const char* path : absent) {
        CAPTURE(path);
        const TreeResult result = deleteTree(dir + path);
        CHECK(result.error == kErrorPathNotFound);
    }
    CHECK(names(dir + "\\*") == Names{".", "..", "Other", "Setfile.txt"});
}

TEST_CASE("a tree with a file held open stops at that file and keeps its error and path") {
    testsupport::ScratchArea area;
    const std::string tree = area.folder + "\\Held";
    REQUIRE(createFolder(tree) == kOk);
    REQUIRE(createFolder(tree + "\\Sub") == kOk);
    for (const char* file : {"\\a.txt", "\\m.txt", "\\z.txt", "\\Sub\\deep.txt"}) {
        REQUIRE(writeFile(tree + file, "x") == kOk);
    }

    SUBCASE("held at the top") {
        testsupport::HoldOpen hold(tree + "\\m.txt");
        REQUIRE(hold.held());
        const TreeResult result = deleteTree(tree);
        CHECK(result.error == kErrorSharingViolation);
        CHECK(result.failedPath == tree + "\\m.txt");
        CHECK_FALSE(exists(tree + "\\a.txt"));
        CHECK(exists(tree + "\\m.txt"));
        CHECK(exists(tree + "\\z.txt"));
    }
    SUBCASE("held in a subfolder") {
        testsupport::HoldOpen hold(tree + "\\Sub\\deep.txt");
        REQUIRE(hold.held());
        const TreeResult result = deleteTree(tree);
        CHECK(result.error == kErrorSharingViolation);
        CHECK(result.failedPath == tree + "\\Sub\\deep.txt");
        CHECK(exists(tree + "\\Sub\\deep.txt"));
    }
    // Once released the tree goes.
    CHECK(deleteTree(tree).error == kOk);
    CHECK_FALSE(exists(tree));
}

TEST_CASE("a tree path without a last component is refused") {
    testsupport::ScratchArea area;
    REQUIRE(writeFile(area.folder + "\\stay.txt", "x") == kOk);
    for (const std::string& path :
         {area.folder + "\\.", area.folder + "\\Sub\\..", std::string("C:\\")}) {
        CAPTURE(path);
        CHECK(deleteTree(path).error != kOk);
    }
    CHECK(contents(area.folder + "\\stay.txt") == "x");
}
