// Cabinets on both machines: packed through cab.dll, read back through the platform's reading,
// refused when damaged or unsafe; file times and the replacing move they rely on.
#include "platform/Cabinet.h"
#include "platform/CabLibrary.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/StoredCabinet.h"
#include "support/TestMachine.h"

#include "Listing.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace platform;
using platformtest::contents;
using platformtest::exists;

namespace {

constexpr std::uint32_t kCompared = kAttrReadOnly | kAttrHidden | kAttrSystem;

// Text that deflate cannot shrink to nothing: `size` bytes of a simple generator.
std::string noise(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>((seed >> 16) % 64 + ' ');
    }
    return bytes;
}

// The program folder's cab.dll: on the simulated machine a file of that name must be there for
// the library to load; under Wine it is the one built beside the tests.
struct CabDllPresent {
    std::string path = programFolder() + "\\cab.dll";
    bool planted = false;
    CabDllPresent() {
        if (!exists(path)) {
            planted = writeFile(path, "cab.dll") == kOk;
        }
    }
    ~CabDllPresent() {
        if (planted) {
            deleteFile(path);
        }
    }
};

struct PackedFile {
    std::string name;
    std::string bytes;
    std::uint32_t attributes;
    LocalTime written;
};

bool sameTime(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

} // namespace

TEST_CASE("files packed through cab.dll come back whole through the cabinet reading") {
    testsupport::ScratchArea area;
    CabDllPresent library;
    const std::vector<PackedFile> files = {
        {"readme.txt", noise(5000, 1), kAttrArchive, {2004, 8, 4, 12, 0, 0}},
        {"Sub\\big.bin", noise(100000, 2), kAttrArchive, {2001, 10, 25, 8, 30, 14}},
        {"hidden.dat", "h", kAttrHidden, {2002, 1, 2, 3, 4, 6}},
        {"locked.inf", noise(40000, 3), kAttrReadOnly | kAttrSystem, {2003, 12, 31, 23, 59, 58}},
        {"empty", "", kAttrArchive, {1999, 6, 7, 0, 0, 0}},
    };
    REQUIRE(createFolder(area.folder + "\\in") == kOk);
    REQUIRE(createFolder(area.folder + "\\in\\Sub") == kOk);
    REQUIRE(createFolder(area.folder + "\\out") == kOk);
    for (const PackedFile& file : files) {
        const std::string path = area.folder + "\\in\\" + file.name;
        REQUIRE(writeFile(path, file.bytes) == kOk);
        REQUIRE(setFileTime(path, file.written) == kOk);
        REQUIRE(setAttributes(path, file.attributes) == kOk);
    }
    const std::string cabinet = area.folder + "\\packed.cab";
    {
        CabLibrary cab;
        REQUIRE(cab.compressInitialize() != 0);
        const std::int32_t handle = cab.create(cabinet);
        REQUIRE(handle != 0);
        for (const PackedFile& file : files) {
            // The top-level files go in under their own names, as the program's callers may ask.
            const bool nested = file.name.find('\\') != std::string::npos;
            CHECK(cab.addFile(handle, area.folder + "\\in\\" + file.name,
                              nested ? file.name : "") != 0);
        }
        CHECK(cab.close(handle) != 0);
        cab.compressTerminate();
    }

    std::vector<CabinetEntry> entries;
    REQUIRE(listCabinet(cabinet, entries) == kOk);
    REQUIRE(entries.size() == files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        CAPTURE(files[i].name);
        CHECK(entries[i].path == files[i].name);
        CHECK(entries[i].size == files[i].bytes.size());
        CHECK((entries[i].attributes & kCompared) == (files[i].attributes & kCompared));
    }
    std::size_t extracted = 0;
    REQUIRE(extractCabinet(cabinet, area.folder + "\\out", "", extracted) == kOk);
    CHECK(extracted == files.size());
    for (const PackedFile& file : files) {
        CAPTURE(file.name);
        const std::string path = area.folder + "\\out\\" + file.name;
        CHECK(contents(path) == file.bytes);
        std::uint32_t attributes = 0;
        LocalTime written;
        REQUIRE(getAttributes(path, attributes) == kOk);
        CHECK((attributes & kCompared) == (file.attributes & kCompared));
        REQUIRE(getFileTime(path, written) == kOk);
        CHECK(sameTime(written, file.written));
    }

    // Unpacked into memory: the same bytes in the same order, until the visitor says stop.
    std::vector<std::string> seen;
    CHECK(readCabinetFiles(cabinet, [&](const CabinetEntry& entry, const std::string& bytes) {
              CHECK(bytes == files[seen.size()].bytes);
              seen.push_back(entry.path);
              return seen.size() < 3;
          }) == kOk);
    CHECK(seen == std::vector<std::string>{"readme.txt", "Sub\\big.bin", "hidden.dat"});

    // One file by its inner path, in any case; a second extraction replaces what is there.
    REQUIRE(createFolder(area.folder + "\\one") == kOk);
    CHECK(extractCabinet(cabinet, area.folder + "\\one", "SUB\\BIG.BIN", extracted) == kOk);
    CHECK(extracted == 1);
    CHECK(platformtest::names(area.folder + "\\one\\*.*") ==
          std::vector<std::string>{".", "..", "Sub"});
    CHECK(extractCabinet(cabinet, area.folder + "\\out", "", extracted) == kOk);
    CHECK(extracted == files.size());
    setAttributes(area.folder + "\\out\\locked.inf", kAttrNormal);
}

TEST_CASE("the cabinet reading refuses missing, damaged, spanned and escaping cabinets") {
    testsupport::ScratchArea area;
    const std::string good =
        testsupport::storedCabinet({{"a.txt", "alpha"}, {"Sub\\b.txt", "beta"}});
    struct Row {
        const char* what;
        std::string bytes;
        Error listing;
        Error extraction;
    };
    const Row rows[] = {
        {"missing", "", kErrorFileNotFound, kErrorFileNotFound},
        {"not a cabinet", "MSCF but nothing else", kErrorBadFormat, kErrorBadFormat},
        {"cut short", good.substr(0, good.size() - 6), kOk, kErrorBadFormat},
        {"part of a set", testsupport::storedCabinet({{"a.txt", "alpha"}}, "next.cab"),
         kErrorNotSupported, kErrorNotSupported},
        {"climbing out", testsupport::storedCabinet({{"ok.txt", "1"}, {"..\\up.txt", "2"}}), kOk,
         kErrorBadFormat},
        {"rooted", testsupport::storedCabinet({{"\\root.txt", "3"}}), kOk, kErrorBadFormat},
        {"with a drive", testsupport::storedCabinet({{"C:drive.txt", "4"}}), kOk, kErrorBadFormat},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.what));
        const std::string cabinet = area.folder + "\\t.cab";
        const std::string folder = area.folder + "\\out";
        deleteFile(cabinet);
        deleteTree(folder);
        REQUIRE(createFolder(folder) == kOk);
        if (!row.bytes.empty()) {
            REQUIRE(writeFile(cabinet, row.bytes) == kOk);
        }
        std::vector<CabinetEntry> entries;
        CHECK(listCabinet(cabinet, entries) == row.listing);
        std::size_t extracted = 0;
        CHECK(extractCabinet(cabinet, folder, "", extracted) == row.extraction);
        // Nothing lands beside the destination, whatever the names say.
        CHECK_FALSE(exists(area.folder + "\\up.txt"));
        CHECK_FALSE(exists("C:\\root.txt"));
    }
}

TEST_CASE("a replacing move takes the new file's place or leaves both files as they were") {
    testsupport::ScratchArea area;
    const std::string from = area.folder + "\\new.cab";
    const std::string to = area.folder + "\\driver.cab";
    REQUIRE(writeFile(from, "new") == kOk);
    REQUIRE(writeFile(to, "old") == kOk);

    REQUIRE(setAttributes(to, kAttrReadOnly) == kOk);
    CHECK(moveFileReplacing(from, to) == kErrorAccessDenied);
    CHECK(contents(from) == "new");
    CHECK(contents(to) == "old");
    REQUIRE(setAttributes(to, kAttrNormal) == kOk);

    CHECK(moveFileReplacing(from, to) == kOk);
    CHECK(contents(to) == "new");
    CHECK_FALSE(exists(from));
    CHECK(moveFileReplacing(from, to) == kErrorFileNotFound);
    CHECK(moveFileReplacing(to, area.folder + "\\moved.cab") == kOk);
    CHECK(contents(area.folder + "\\moved.cab") == "new");
}

TEST_CASE("cab.dll refuses what it cannot do and leaves no cabinet behind a failed create") {
    testsupport::ScratchArea area;
    CabDllPresent library;
    CabLibrary cab;
    CHECK(cab.create(area.folder + "\\early.cab") == 0);
    REQUIRE(cab.compressInitialize() != 0);
    CHECK(cab.create(area.folder + "\\No Such Folder\\x.cab") == 0);
    const std::int32_t handle = cab.create(area.folder + "\\x.cab");
    REQUIRE(handle != 0);
    CHECK(cab.addFile(handle, area.folder + "\\missing.txt", "") == 0);
    CHECK(cab.addFile(handle + 1, area.folder + "\\x.cab", "") == 0);
    cab.compressTerminate();
}

TEST_CASE("a cabinet whose every file was taken out is written and read as an empty cabinet") {
    testsupport::ScratchArea area;
    CabDllPresent library;
    const std::string cabinet = area.folder + "\\empty.cab";
    {
        CabLibrary cab;
        REQUIRE(cab.compressInitialize() != 0);
        const std::int32_t handle = cab.create(cabinet);
        REQUIRE(handle != 0);
        CHECK(cab.close(handle) != 0);
        cab.compressTerminate();
    }
    std::vector<CabinetEntry> entries = {CabinetEntry{}};
    CHECK(listCabinet(cabinet, entries) == kOk);
    CHECK(entries.empty());
    std::size_t extracted = 1;
    CHECK(extractCabinet(cabinet, area.folder, "", extracted) == kOk);
    CHECK(extracted == 0);
}
