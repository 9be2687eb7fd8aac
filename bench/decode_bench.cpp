// Decoder speed: the table-driven walk against the bit-by-bit reference on large and small files.
#include "../tests/packs/ReferenceWalk.h"

#include "packs/PackDecoder.h"
#include "packs/PackEncoder.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Configuration-like text: section lines, paths, registry keys and searches, CR LF line ends.
std::string configurationText(std::size_t size) {
    static const char* const kSections[] = {"[FILES]",          "[SYSTEMFILES]",
                                            "[DIRECTORY]",      "[REGISTRY.SECTION]",
                                            "[REGISTRY.VALUE]", "[REGISTRY.SEARCH]"};
    static const char* const kVendors[] = {"nv", "ati", "Matrox", "S3", "SiS", "3dfx", "Intel"};
    static const char* const kExtensions[] = {".dll", ".sys", ".inf", ".pnf", ".cpl", ".exe"};
    std::mt19937 random(1);
    std::string out;
    out.reserve(size + 256);
    while (out.size() < size) {
        const int kind = static_cast<int>(random() % 6);
        if (random() % 40 == 0) {
            out += kSections[kind];
            out += "\r\n";
            continue;
        }
        const char* vendor = kVendors[random() % 7];
        switch (kind) {
        case 0:
        case 1:
            out += "\\system32\\";
            out += vendor;
            out += std::to_string(random() % 1000);
            out += kExtensions[random() % 6];
            break;
        case 2:
            out += "\\Program Files\\";
            out += vendor;
            out += "\\Driver";
            out += std::to_string(random() % 100);
            break;
        case 3:
        case 4:
            out += "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
            out += vendor;
            out += std::to_string(random() % 100);
            break;
        default:
            out += "HKEY_LOCAL_MACHINE,";
            out += vendor;
            out += " Display Configuration";
            break;
        }
        out += "\r\n";
    }
    return out;
}

// Best time of `rounds` table-driven decodes of `container`; false when a decode fails or differs.
bool timeFast(const std::string& container, const std::string& plain, int rounds, double& best) {
    best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        std::string data = container;
        const auto start = Clock::now();
        const packs::DecodeStatus status = packs::decodeBuffer(data, {});
        const double seconds = secondsSince(start);
        if (status != packs::DecodeStatus::Ok || data != plain) {
            return false;
        }
        best = std::min(best, seconds);
    }
    return true;
}

} // namespace

int main() {
    constexpr std::size_t kLargeSize = 76u << 20;
    const std::string plain = configurationText(kLargeSize);
    const std::string container = *packs::encodePack(plain, packs::PackMethod::Huffman);
    const double megabytes = static_cast<double>(plain.size()) / 1e6;
    std::printf("decode_bench: %.1f MB of configuration text in a %.1f MB container\n", megabytes,
                static_cast<double>(container.size()) / 1e6);

    double fastSeconds = 0;
    if (!timeFast(container, plain, 5, fastSeconds)) {
        std::printf("FAILED: table-driven decode does not give the input back\n");
        return 1;
    }
    std::vector<int> progress;
    std::string reference = container;
    const auto start = Clock::now();
    const packs::DecodeStatus status = reference::decode(reference, progress);
    const double referenceSeconds = secondsSince(start);
    if (status != packs::DecodeStatus::Ok || reference != plain) {
        std::printf("FAILED: reference decode does not give the input back\n");
        return 1;
    }
    std::printf("  table-driven: %8.1f MB/s of output (best of 5)\n", megabytes / fastSeconds);
    std::printf("  bit by bit:   %8.1f MB/s of output\n", megabytes / referenceSeconds);
    std::printf("  outputs identical\n");

    // A language-file-sized input: the table is built lazily, so small files stay cheap.
    const std::string small = configurationText(3000);
    const std::string smallContainer = *packs::encodePack(small, packs::PackMethod::Huffman);
    constexpr int kSmallRounds = 2000;
    const auto smallStart = Clock::now();
    for (int round = 0; round < kSmallRounds; ++round) {
        std::string data = smallContainer;
        if (packs::decodeBuffer(data, {}) != packs::DecodeStatus::Ok || data != small) {
            std::printf("FAILED: small decode does not give the input back\n");
            return 1;
        }
    }
    const double perFile = secondsSince(smallStart) / kSmallRounds;
    std::printf("  small file (%zu bytes): %.1f us per decode\n", small.size(), perFile * 1e6);
    return 0;
}
