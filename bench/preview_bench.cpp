// Speed of the preview: each shipped configuration against the footprint of its driver's
// installation, planted once, previewed again and again through the engine the windows and
// TarvexCmd use. The target is under a second for a whole configuration.
#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
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

const char* const kFamilies[] = {"NVIDIA", "ATI", "Intel", "Matrox",
                                 "S3",     "SiS", "3dfx",  "Trident"};
constexpr double kTargetSeconds = 1.0;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool readSource(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::printf("preview_bench: cannot read %s\n", path.c_str());
        return false;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

// One preview of `family` as a cleaning window runs it; returns the items listed.
std::size_t previewOnce(const std::string& family, double& seconds) {
    PreviewState state;
    RunContext context;
    cRegSearch search;
    clsProtection decoder;
    std::size_t items = 0;
    context.preview = &state;
    context.search = &search;
    context.configurationName = family;
    context.onItem = [&items](const RunItem&) { ++items; };
    const auto start = Clock::now();
    PreviewConfiguration(context, decoder, family);
    seconds = secondsSince(start);
    return items;
}

// Plants the footprint of `family`, previews it `rounds` times and prints the times; false when
// something did not work (the footprint changed under the preview, or nothing was listed).
bool benchFamily(const std::string& family, int rounds, double& worst) {
    std::string configurationSource;
    std::string footprintText;
    const std::string source = std::string(TVX_SOURCE_DIR) + "/data/";
    if (!readSource(source + "configs/" + family + ".txt", configurationSource) ||
        !readSource(source + "footprints/" + family + ".txt", footprintText)) {
        return false;
    }
    std::vector<testkit::FootprintItem> items;
    std::string error;
    if (!testkit::ParseFootprint(footprintText, items, error)) {
        std::printf("preview_bench: footprint of %s: %s\n", family.c_str(), error.c_str());
        return false;
    }
    const std::string encodedPath = platform::programFolder() + "\\" + family + ".txf";
    const auto encoded =
        packs::encodePack(packs::shippedText(configurationSource), packs::PackMethod::Huffman);
    if (!encoded || platform::writeFile(encodedPath, *encoded) != platform::kOk) {
        std::printf("preview_bench: cannot write %s (on the simulated machine TVX_MACHINE must "
                    "name a machine; scripts/bench.sh makes one)\n",
                    encodedPath.c_str());
        return false;
    }
    // Items this machine cannot take (Wine keeps the video keys volatile) are left out.
    const std::size_t refused = testkit::PlantFootprint(items).size();
    std::vector<double> times;
    std::size_t listed = 0;
    for (int round = 0; round < rounds; ++round) {
        double seconds = 0;
        listed = previewOnce(family, seconds);
        times.push_back(seconds);
    }
    platform::deleteFile(encodedPath);
    std::size_t present = 0;
    for (const testkit::FootprintItem& item : items) {
        present += testkit::IsPresent(item) ? 1 : 0;
    }
    if (present + refused != items.size() || listed == 0) {
        std::printf("FAILED: %s: %zu items listed, %zu of %zu planted items left\n", family.c_str(),
                    listed, present, items.size() - refused);
        return false;
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    worst = std::max(worst, median);
    std::printf("  %-7s %3zu items: median %7.2f ms, best %7.2f ms of %d\n", family.c_str(), listed,
                median * 1e3, times.front() * 1e3, rounds);
    return true;
}

} // namespace

// Usage: preview_bench [--rounds N]. Plants footprints on the machine it runs on and leaves them:
// use a scratch machine.
int main(int argc, char** argv) {
    int rounds = 10;
    if (argc == 3 && std::string(argv[1]) == "--rounds") {
        rounds = std::max(1, std::atoi(argv[2]));
    }
    std::printf("preview_bench: each shipped configuration previewed on its planted footprint\n");
    double worst = 0;
    for (const char* family : kFamilies) {
        if (!benchFamily(family, rounds, worst)) {
            return 1;
        }
    }
    std::printf("  slowest median %.2f ms: %s the target of %.0f ms\n", worst * 1e3,
                worst < kTargetSeconds ? "within" : "OVER", kTargetSeconds * 1e3);
    return 0;
}
