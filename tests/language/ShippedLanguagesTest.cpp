// Every language file shipped with Tarvex holds every text the program looks up.
#include <doctest/doctest.h>

#include "language/TextIds.h"
#include "packs/PackEncoder.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

// The host path of `relative` in the source tree; the Windows build reads it through Wine's
// drive Z:, which maps the host's root.
std::filesystem::path sourcePath(const std::string& relative) {
    std::string path = std::string(TVX_SOURCE_DIR) + "/" + relative;
#ifdef _WIN32
    path = "Z:" + path;
#endif
    return std::filesystem::path(path);
}

// The ids of the shipped form of `file`, with the sections they stand in before them.
std::set<std::string> idsIn(const std::filesystem::path& file, std::string& sections) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    std::istringstream shipped(packs::shippedText(source.str()));
    std::set<std::string> ids;
    std::string line;
    while (std::getline(shipped, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            sections += line;
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            ids.insert(line.substr(0, equals));
        }
    }
    return ids;
}

} // namespace

TEST_CASE("every shipped language holds every text id the program uses") {
    int languages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath("data/languages"))) {
        if (entry.path().extension() != ".txt") {
            continue;
        }
        ++languages;
        CAPTURE(entry.path().filename().string());
        std::string sections;
        const std::set<std::string> ids = idsIn(entry.path(), sections);
        CHECK(sections == "[Language]");
        for (const char* id : textid::kAllTextIds) {
            CAPTURE(std::string(id));
            CHECK(ids.count(id) == 1);
        }
    }
    CHECK(languages >= 1);
}

TEST_CASE("the text ids are four digits each and unique") {
    std::set<std::string> seen;
    for (const std::string id : textid::kAllTextIds) {
        CAPTURE(id);
        CHECK(id.size() == 4);
        CHECK(id.find_first_not_of("0123456789") == std::string::npos);
        CHECK(seen.insert(id).second);
    }
}
