// Plants a footprint on this machine (the simulated one of TVX_MACHINE, or the real Windows one).
#include "platform/Files.h"
#include "testkit/Footprint.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

// Usage: tvxplant FOOTPRINT-FILE  (a host file; on Windows a path the program can open)
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: tvxplant FOOTPRINT-FILE\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "tvxplant: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<testkit::FootprintItem> items;
    std::string error;
    if (!testkit::ParseFootprint(text.str(), items, error)) {
        std::fprintf(stderr, "tvxplant: %s\n", error.c_str());
        return 1;
    }
    const std::vector<std::string> failures = testkit::PlantFootprint(items);
    for (const std::string& failure : failures) {
        std::fprintf(stderr, "tvxplant: not planted: %s\n", failure.c_str());
    }
    std::printf("tvxplant: %s items planted, %s failed\n",
                std::to_string(items.size() - failures.size()).c_str(),
                std::to_string(failures.size()).c_str());
    return failures.empty() ? 0 : 1;
}
