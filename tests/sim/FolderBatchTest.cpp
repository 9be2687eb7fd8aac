// Lookups inside one batch of new files: the same names, spellings and refusals as without one.
#include <doctest/doctest.h>

#include "platform/Platform.h"
#include "platform/sim/HostFs.h"
#include "support/TestMachine.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

namespace {

std::string hostOf(const std::string& path) {
    sim::WinPath parsed;
    sim::HostEntry entry;
    REQUIRE(sim::parseWinPath(path, parsed) == kOk);
    REQUIRE(sim::locate(parsed, entry) == kOk);
    return entry.host;
}

} // namespace

TEST_CASE("a batch of lookups finds what was there, what it made and nothing it removed") {
    testsupport::ScratchArea area;
    const std::string folder = area.folder;
    // Planted from the host side before the batch, as another program would.
    std::FILE* planted = std::fopen((hostOf(folder) + "/Planted.SYS").c_str(), "wb");
    REQUIRE(planted != nullptr);
    std::fclose(planted);
    REQUIRE(writeFile(folder + "\\gone.dll", "x") == kOk);
    {
        sim::FolderBatch batch;
        sim::FolderBatch inner; // a second one changes nothing
        std::uint32_t attributes = 0;
        CHECK(getAttributes(folder + "\\ghost.txt", attributes) == kErrorFileNotFound);
        CHECK(writeFile(folder + "\\PLANTED.sys", "planted") == kOk);
        CHECK(writeFile(folder + "\\new.txt", "one") == kOk);
        CHECK(writeFile(folder + "\\NEW.TXT", "two") == kOk);
        CHECK(createFolder(folder + "\\Inner") == kOk);
        CHECK(createFolder(folder + "\\INNER") == kErrorAlreadyExists);
        CHECK(writeFile(folder + "\\inner\\File.inf", "three") == kOk);
        CHECK(deleteFile(folder + "\\GONE.DLL") == kOk);
        CHECK(getAttributes(folder + "\\Gone.dll", attributes) == kErrorFileNotFound);
        CHECK(writeFile(folder + "\\GONE.dll", "four") == kOk);
        CHECK(writeFile(folder + "\\GHOST.TXT", "five") == kOk);
        CHECK(writeFile(folder + "\\ghost.txt", "six") == kOk);
    }
    // Each name once, in the spelling it was first made with.
    CHECK(sim::listFolder(hostOf(folder)) ==
          std::vector<std::string>{"GHOST.TXT", "GONE.dll", "Inner", "new.txt", "Planted.SYS"});
    CHECK(sim::listFolder(hostOf(folder + "\\Inner")) == std::vector<std::string>{"File.inf"});
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"planted.sys", "planted"}, {"New.txt", "two"}, {"ghost.TXT", "six"}}) {
        std::string read;
        CHECK(readFile(folder + "\\" + name, read) == kOk);
        CHECK(read == bytes);
    }
}
