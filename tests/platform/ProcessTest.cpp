// Starting a program and waiting for it on both machines.
#include "platform/Process.h"
#include "platform/Files.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include "Listing.h"

#include <string>

using namespace platform;

TEST_CASE("startAndWait returns after the program ended, keeping the UI hook busy meanwhile") {
    testsupport::ScratchArea area;
    const std::string left = area.folder + "\\left by child.txt";
    int polls = 0;
    setPendingMessagesHook([&polls] { ++polls; });

    // The child sleeps, then writes the file and ends with the code: both must be there at once.
    std::uint32_t exitCode = 0;
    const Error error = startAndWait(testsupport::childCommand() + " 300 7 \"" + left + "\"",
                                     kShowHidden, &exitCode);
    setPendingMessagesHook(nullptr);
    CHECK(error == kOk);
    CHECK(exitCode == 7);
    CHECK(platformtest::contents(left) == "tvxchild\r\n");
    CHECK(polls >= 2);
}

TEST_CASE("startAndWait passes exit codes through and works without a hook or code") {
    const std::uint32_t codes[] = {0, 1, 259, 1000};
    for (std::uint32_t code : codes) {
        CAPTURE(code);
        std::uint32_t exitCode = 12345;
        CHECK(startAndWait(testsupport::childCommand() + " 0 " + std::to_string(code), kShowHidden,
                           &exitCode) == kOk);
        CHECK(exitCode == code);
    }
    CHECK(startAndWait(testsupport::childCommand(), kShowHidden) == kOk);
}

TEST_CASE("a program that cannot be started gives the start's error") {
    testsupport::ScratchArea area;
    int polls = 0;
    setPendingMessagesHook([&polls] { ++polls; });
    std::uint32_t exitCode = 12345;
    CHECK(startAndWait("\"" + area.folder + "\\missing.exe\"", kShowHidden, &exitCode) ==
          kErrorFileNotFound);
    CHECK(startAndWait("tvx_no_such_program_anywhere", kShowHidden, &exitCode) ==
          kErrorFileNotFound);
    CHECK(startAndWait("\"" + area.folder + "\\None\\missing.exe\" arg", kShowHidden, &exitCode) !=
          kOk);
    setPendingMessagesHook(nullptr);
    CHECK(exitCode == 12345);
    CHECK(polls == 0);
}
