// The build's program folder image: every encoded data file decodes to the shipped form of its
// source.
#include <doctest/doctest.h>

#include "packs/PackDecoder.h"
#include "packs/PackEncoder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A host path of the build; the Windows build reaches it through Wine's drive Z:.
std::filesystem::path hostPath(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path("Z:" + path);
#else
    return std::filesystem::path(path);
#endif
}

std::string readHost(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST_CASE("every data source is in the image, encoded") {
    struct Folder {
        const char* source;
        const char* extension;
    };
    const Folder folders[] = {{"configs", ".txf"}, {"cabconfigs", ".ccf"}, {"languages", ".lng"}};
    int checked = 0;
    for (const Folder& folder : folders) {
        const std::filesystem::path sources =
            hostPath(std::string(TVX_SOURCE_DIR) + "/data/" + folder.source);
        if (!std::filesystem::is_directory(sources)) {
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(sources)) {
            if (entry.path().extension() != ".txt") {
                continue;
            }
            const std::string name = entry.path().stem().string();
            CAPTURE(name);
            std::string data =
                readHost(hostPath(std::string(TVX_IMAGE_DIR) + "/" + name + folder.extension));
            REQUIRE(!data.empty());
            const std::string shipped = packs::shippedText(readHost(entry.path()));
            REQUIRE(packs::decodeBuffer(data, {}) == packs::DecodeStatus::Ok);
            CHECK(data == shipped);
            ++checked;
        }
    }
    CHECK(checked > 0);
}
