// Speed of a whole clean run: the shipped NVIDIA configuration against the footprint of an NVIDIA
// driver installation, planted afresh before every round, through the engine a window drives.
#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
#include "packs/Configuration.h"
#include "packs/PackEncoder.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "testkit/Footprint.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char kConfiguration[] = "NVIDIA";

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool readSource(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::printf("clean_bench: cannot read %s\n", path.c_str());
        return false;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

// Usage: clean_bench [--rounds N]. Changes the machine it runs on: use a scratch machine.
int main(int argc, char** argv) {
    int rounds = 10;
    if (argc == 3 && std::string(argv[1]) == "--rounds") {
        rounds = std::max(1, std::atoi(argv[2]));
    }
    std::string configurationSource;
    std::string footprintText;
    if (!readSource(TVX_SOURCE_DIR "/data/configs/NVIDIA.txt", configurationSource) ||
        !readSource(TVX_SOURCE_DIR "/data/footprints/NVIDIA.txt", footprintText)) {
        return 1;
    }
    std::vector<testkit::FootprintItem> items;
    std::string error;
    if (!testkit::ParseFootprint(footprintText, items, error)) {
        std::printf("clean_bench: footprint: %s\n", error.c_str());
        return 1;
    }
    const std::string program = platform::programFolder();
    const std::string encodedPath = program + "\\" + kConfiguration + ".txf";
    const auto encoded =
        packs::encodePack(packs::shippedText(configurationSource), packs::PackMethod::Huffman);
    if (!encoded || platform::writeFile(encodedPath, *encoded) != platform::kOk) {
        std::printf("clean_bench: cannot write %s (on the simulated machine TVX_MACHINE must name "
                    "a machine; scripts/bench.sh makes one)\n",
                    encodedPath.c_str());
        return 1;
    }
    std::printf("clean_bench: configuration %s (%zu bytes encoded), footprint of %zu items\n",
                kConfiguration, encoded->size(), items.size());

    // Some items cannot exist everywhere (Wine keeps Control\Video volatile, so no lasting key
    // can go below it); the rounds work with the items this machine takes.
    const std::vector<std::string> refused = testkit::PlantFootprint(items);
    if (!refused.empty()) {
        std::vector<testkit::FootprintItem> plantable;
        for (const testkit::FootprintItem& item : items) {
            if (testkit::IsPresent(item)) {
                plantable.push_back(item);
            }
        }
        std::printf("  %zu items cannot be planted on this machine and are left out, first: %s\n",
                    items.size() - plantable.size(), refused.front().c_str());
        items = plantable;
    }

    std::vector<double> plantTimes;
    std::vector<double> cleanTimes;
    bool faithful = true;
    for (int round = 0; round < rounds; ++round) {
        const auto plantStart = Clock::now();
        const std::vector<std::string> unplanted = testkit::PlantFootprint(items);
        plantTimes.push_back(secondsSince(plantStart));
        if (!unplanted.empty()) {
            std::printf("FAILED: %zu footprint items could not be planted, first: %s\n",
                        unplanted.size(), unplanted.front().c_str());
            faithful = false;
            break;
        }
        // As a cleaning window with every backup and the log off runs it.
        RunContext context;
        cRegSearch search;
        clsProtection decoder;
        context.configurationName = kConfiguration;
        context.backupStamp = "07-12-2026_101530";
        context.search = &search;
        const auto cleanStart = Clock::now();
        CleanConfiguration(EngineSections(context), decoder, kConfiguration,
                           platform::windowsDirectory() + "\\xttxf.dll");
        cleanTimes.push_back(secondsSince(cleanStart));
        const std::vector<std::string> wrong = testkit::CheckCleaned(items);
        if (!wrong.empty()) {
            std::printf("FAILED: %zu items not as a clean leaves them, first: %s\n", wrong.size(),
                        wrong.front().c_str());
            faithful = false;
            break;
        }
    }
    platform::deleteFile(encodedPath);
    if (!faithful) {
        return 1;
    }
    std::printf("  plant footprint: median %.2f ms of %d\n", median(plantTimes) * 1e3, rounds);
    std::printf("  clean run:       median %.2f ms, best %.2f ms of %d (every planted item "
                "removed, bystanders kept)\n",
                median(cleanTimes) * 1e3,
                *std::min_element(cleanTimes.begin(), cleanTimes.end()) * 1e3, rounds);
    return 0;
}
