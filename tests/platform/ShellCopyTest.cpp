// The shell's silent copy on both machines: files, patterns and folder trees, and its failures.
#include "platform/Files.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include "Listing.h"

#include <string>
#include <vector>

using namespace platform;
using platformtest::contents;
using platformtest::names;
using Names = std::vector<std::string>;

namespace {

// A source folder with files, a subfolder, and an existing destination folder.
struct CopyArea {
    testsupport::ScratchArea area;
    std::string source = area.folder + "\\Src";
    std::string target = area.folder + "\\Dst";

    CopyArea() {
        REQUIRE(createFolder(source) == kOk);
        REQUIRE(createFolder(source + "\\Inner") == kOk);
        REQUIRE(createFolder(target) == kOk);
        REQUIRE(writeFile(source + "\\one.txt", "one") == kOk);
        REQUIRE(writeFile(source + "\\two.txt", "two") == kOk);
        REQUIRE(writeFile(source + "\\other.dat", "other") == kOk);
        REQUIRE(writeFile(source + "\\Inner\\deep.txt", "deep") == kOk);
    }
};

void checkSucceeded(const ShellCopyResult& result) {
    CHECK(result.result == kOk);
    CHECK_FALSE(result.anyAborted);
}

} // namespace

TEST_CASE("copying a file into an existing folder keeps its name") {
    CopyArea copy;
    for (bool showProgress : {false, true}) {
        CAPTURE(showProgress);
        checkSucceeded(shellCopy(copy.source + "\\one.txt", copy.target, showProgress));
        CHECK(names(copy.target + "\\*") == Names{".", "..", "one.txt"});
        CHECK(contents(copy.target + "\\one.txt") == "one");
        CHECK(contents(copy.source + "\\one.txt") == "one");
    }
}

TEST_CASE("copying a file to a missing folder makes a file of that name") {
    CopyArea copy;
    checkSucceeded(shellCopy(copy.source + "\\one.txt", copy.area.folder + "\\NoSuch", false));
    std::uint32_t attributes = 0;
    REQUIRE(getAttributes(copy.area.folder + "\\NoSuch", attributes) == kOk);
    CHECK((attributes & kAttrDirectory) == 0);
    CHECK(contents(copy.area.folder + "\\NoSuch") == "one");

    // Missing folders on the way are made; the last component becomes the file.
    checkSucceeded(shellCopy(copy.source + "\\two.txt", copy.area.folder + "\\A\\B\\c", false));
    CHECK(contents(copy.area.folder + "\\A\\B\\c") == "two");
}

TEST_CASE("a pattern source copies every matching file") {
    CopyArea copy;
    checkSucceeded(shellCopy(copy.source + "\\*.txt", copy.target, false));
    CHECK(names(copy.target + "\\*") == Names{".", "..", "one.txt", "two.txt"});
    CHECK(contents(copy.target + "\\two.txt") == "two");
}

TEST_CASE("a file of the same name is replaced without a question") {
    CopyArea copy;
    REQUIRE(writeFile(copy.target + "\\one.txt", "an older and longer text") == kOk);
    checkSucceeded(shellCopy(copy.source + "\\one.txt", copy.target, true));
    CHECK(contents(copy.target + "\\one.txt") == "one");
}

TEST_CASE("a folder copied into an existing folder lands below it, merged with what is there") {
    CopyArea copy;
    const std::string landed = copy.target + "\\Src";
    REQUIRE(createFolder(landed) == kOk);
    REQUIRE(writeFile(landed + "\\one.txt", "old one") == kOk);
    REQUIRE(writeFile(landed + "\\kept.txt", "kept") == kOk);

    checkSucceeded(shellCopy(copy.source, copy.target, false));
    CHECK(names(copy.target + "\\*") == Names{".", "..", "Src"});
    CHECK(names(landed + "\\*") ==
          Names{".", "..", "Inner", "kept.txt", "one.txt", "other.dat", "two.txt"});
    CHECK(contents(landed + "\\one.txt") == "one");
    CHECK(contents(landed + "\\kept.txt") == "kept");
    CHECK(contents(landed + "\\Inner\\deep.txt") == "deep");
    // The source is untouched.
    CHECK(names(copy.source + "\\*") ==
          Names{".", "..", "Inner", "one.txt", "other.dat", "two.txt"});
}

TEST_CASE("a missing source fails without an aborted operation") {
    CopyArea copy;
    // A trailing backslash after a file name also names no source.
    const std::string sources[] = {copy.source + "\\none.txt", copy.area.folder + "\\None\\x.txt",
                                   copy.source + "\\one.txt\\"};
    for (const std::string& source : sources) {
        CAPTURE(source);
        const ShellCopyResult result = shellCopy(source, copy.target, false);
        CHECK(result.result != kOk);
        CHECK_FALSE(result.anyAborted);
    }
    CHECK(names(copy.target + "\\*") == Names{".", ".."});
}
