// The native view of 64-bit Windows as a program that does not run under WOW64 finds it, and the
// copy a 32-bit Tarvex makes there instead of the shell's: the same cases through both, and the
// same folders afterwards.
#include <doctest/doctest.h>

#include "platform/Process.h"
#include "platform/System.h"
#include "platform/win32/NativeView.h"
#include "support/TestMachine.h"

#include <string>
#include <vector>

namespace {

// Everything below `path` (itself included): kind, name, attributes that a copy keeps, bytes.
void describe(const std::string& path, const std::string& shown, std::vector<std::string>& lines) {
    std::uint32_t attributes = 0;
    if (platform::getAttributes(path, attributes) != platform::kOk) {
        return;
    }
    const std::uint32_t kept =
        attributes & (platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem);
    if ((attributes & platform::kAttrDirectory) == 0) {
        std::string bytes;
        platform::readFile(path, bytes);
        lines.push_back("file " + shown + " " + std::to_string(kept) + " " + bytes);
        return;
    }
    lines.push_back("folder " + shown);
    std::vector<platform::FindEntry> entries;
    platform::findFiles(path + "\\*", entries);
    for (const platform::FindEntry& entry : entries) {
        if (entry.name != "." && entry.name != "..") {
            describe(path + "\\" + entry.name, shown + "\\" + entry.name, lines);
        }
    }
}

// A source tree and a destination folder holding a read-only file of a name the copy brings.
struct Area {
    testsupport::ScratchArea scratch;
    Area() {
        const std::string& root = scratch.folder;
        for (const char* folder : {"\\Src", "\\Src\\Inner", "\\Dst"}) {
            REQUIRE(platform::createFolder(root + folder) == platform::kOk);
        }
        const std::pair<const char*, const char*> files[] = {{"\\Src\\one.txt", "one"},
                                                             {"\\Src\\two.txt", "two"},
                                                             {"\\Src\\Inner\\deep.txt", "deep"},
                                                             {"\\Dst\\one.txt", "older one"}};
        for (const auto& [name, bytes] : files) {
            REQUIRE(platform::writeFile(root + name, bytes) == platform::kOk);
        }
        REQUIRE(platform::setAttributes(root + "\\Src\\two.txt", platform::kAttrHidden) ==
                platform::kOk);
        REQUIRE(platform::setAttributes(root + "\\Dst\\one.txt", platform::kAttrReadOnly) ==
                platform::kOk);
    }
    std::vector<std::string> state() const {
        std::vector<std::string> lines;
        describe(scratch.folder, "", lines);
        return lines;
    }
};

std::string resolved(const std::string& path, bool wildcardLast) {
    std::string full;
    REQUIRE(platform::resolvePath(path, wildcardLast, full) == platform::kOk);
    return full;
}

} // namespace

TEST_CASE("a program that is not under WOW64 keeps the plain calls, and a 64-bit one says so") {
    const bool wide = sizeof(void*) == 8;
    CHECK(platform::win32::underWow64() == false);
    CHECK(platform::windows64Bit() == wide);
    CHECK(platform::win32::nativeKeyView() == 0);
    CHECK(platform::registryEditorProgram() == "regedit.exe");
}

TEST_CASE("the copy without the shell leaves what the shell's silent copy leaves") {
    struct Row {
        const char* source;      // below the area
        const char* destination; // below the area
    };
    const Row rows[] = {
        {"\\Src\\one.txt", "\\Dst"},     // replaces a read-only file
        {"\\Src\\*.txt", "\\Dst"},       // a pattern, a hidden file among its matches
        {"\\Src", "\\Dst"},              // a tree into a folder
        {"\\Src", "\\Named"},            // a tree to a new name
        {"\\Src\\two.txt", "\\A\\B\\c"}, // a file to a new name, folders made on the way
        {"\\Src\\*.txt", "\\New\\Deep"}, // a pattern into folders made on the way
        {"\\Src\\none.txt", "\\Dst"},    // nothing to copy
        {"\\Src\\one.txt\\", "\\Dst"},   // a file name with a folder's backslash names nothing
    };
    for (const Row& row : rows) {
        CAPTURE(row.source);
        CAPTURE(row.destination);
        Area byShell;
        Area withoutShell;
        const platform::ShellCopyResult shell = platform::shellCopy(
            byShell.scratch.folder + row.source, byShell.scratch.folder + row.destination, false);
        const platform::ShellCopyResult own = platform::win32::copyWithoutShell(
            resolved(withoutShell.scratch.folder + row.source, true),
            resolved(withoutShell.scratch.folder + row.destination, false));
        CHECK((own.result == platform::kOk) == (shell.result == platform::kOk));
        CHECK(own.anyAborted == shell.anyAborted);
        CHECK(withoutShell.state() == byShell.state());
    }
}
