// Pruning empty folders below the backup folder, and what it must leave alone.
#include <doctest/doctest.h>

#include "base/Folders.h"
#include "base/General.h"
#include "platform/Files.h"
#include "support/TestMachine.h"

#include <string>

namespace {

void makeFolders(const std::string& base, std::initializer_list<const char*> relatives) {
    for (const char* relative : relatives) {
        REQUIRE(platform::createFolder(base + "\\" + relative) == platform::kOk);
    }
}

} // namespace

TEST_CASE("pruning removes folders empty when listed and keeps everything else") {
    testsupport::ScratchArea area;
    const std::string backup = area.folder + "\\Backup";
    makeFolders(area.folder,
                {"Backup", "Backup\\Empty_FileBackup", "Backup\\Used_FileBackup",
                 "Backup\\Used_FileBackup\\Inf", "Backup\\Nested", "Backup\\Nested\\Inner",
                 "Backup\\Hidden", "Backup\\Copies_DirBackup", "Backup\\Copies_DirBackup\\Tree",
                 "Backup\\Copies_DirBackup\\Tree\\EmptyInside", "Backup\\Empty_DirBackup"});
    REQUIRE(platform::writeFile(backup + "\\Used_FileBackup\\Used_FileBackup.dfb", "x") ==
            platform::kOk);
    REQUIRE(platform::setAttributes(backup + "\\Hidden", platform::kAttrHidden) == platform::kOk);

    PruneEmptyFolders(backup + "\\");

    CHECK_FALSE(FolderExists(backup + "\\Empty_FileBackup"));
    CHECK_FALSE(FolderExists(backup + "\\Used_FileBackup\\Inf"));
    CHECK(FolderExists(backup + "\\Used_FileBackup"));
    // Only what was empty when listed goes: Nested held Inner.
    CHECK_FALSE(FolderExists(backup + "\\Nested\\Inner"));
    CHECK(FolderExists(backup + "\\Nested"));
    std::uint32_t attributes = 0;
    CHECK(platform::getAttributes(backup + "\\Hidden", attributes) == platform::kOk);
    // A folder copy keeps its empty subfolders: the restore must give them back.
    CHECK(FolderExists(backup + "\\Copies_DirBackup\\Tree\\EmptyInside"));
    CHECK_FALSE(FolderExists(backup + "\\Empty_DirBackup"));

    PruneEmptyFolders(backup + "\\");
    CHECK_FALSE(FolderExists(backup + "\\Nested"));
}

TEST_CASE("an empty backup folder is removed itself, a missing one is no error") {
    testsupport::ScratchArea area;
    makeFolders(area.folder, {"Backup"});
    PruneEmptyFolders(area.folder + "\\Backup\\");
    CHECK_FALSE(FolderExists(area.folder + "\\Backup"));
    PruneEmptyFolders(area.folder + "\\Backup\\");
    DeleteFolderIfExists(area.folder + "\\Backup");
}
