// Configuration lines of the three file sections run through the engine: whatever they say, no
// sentinel planted in a folder the guard protects may go.
#include "FuzzMachine.h"

#include "testkit/Sentinels.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static std::vector<std::string> folders;
    if (folders.empty()) {
        fuzz::useMachine();
        folders = testkit::GuardedFolders();
        if (!testkit::PlantSentinels(folders).empty()) {
            std::abort();
        }
    }
    // Up to four lines, each run in all three sections; the sentinels are counted at the end.
    std::istringstream lines(fuzz::textOf(data, size));
    std::string line;
    for (int count = 0; count < 4 && std::getline(lines, line); ++count) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        for (const char* section : {"[FILES]", "[SYSTEMFILES]", "[DIRECTORY]"}) {
            testkit::RunFileLine(section, line);
        }
    }
    const std::vector<std::string> missing = testkit::MissingSentinels(folders);
    if (!missing.empty()) {
        std::fprintf(stderr, "these lines took %s\n", missing.front().c_str());
        std::abort();
    }
    return 0;
}
