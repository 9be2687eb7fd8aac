// Every language file shipped with Tarvex holds every text the program looks up and names a help
// page of its own that the program folder holds.
#include <doctest/doctest.h>

#include "language/ShippedLanguages.h"
#include "language/TextIds.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

TEST_CASE("every shipped language holds every text id the program uses") {
    int languages = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(langtest::sourcePath("data/languages"))) {
        if (entry.path().extension() != ".txt") {
            continue;
        }
        ++languages;
        CAPTURE(entry.path().filename().string());
        std::string sections;
        const auto texts = langtest::textsOf(langtest::shippedForm(entry.path()), &sections);
        CHECK(sections == "[Language]");
        for (const char* id : textid::kAllTextIds) {
            CAPTURE(std::string(id));
            CHECK(texts.count(id) == 1);
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

namespace {

// The host path of `relative` in the build's program folder image; the Windows build reads it
// through Wine's drive Z:.
std::filesystem::path imagePath(const std::string& relative) {
    std::string path = std::string(TVX_IMAGE_DIR) + "/" + relative;
#ifdef _WIN32
    path = "Z:" + path;
#endif
    return std::filesystem::path(path);
}

std::string readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The values of every attribute `name`="..." in `page`, in order.
std::vector<std::string> attributeValues(const std::string& page, const std::string& name) {
    std::vector<std::string> values;
    const std::string opening = " " + name + "=\"";
    for (std::size_t at = page.find(opening); at != std::string::npos;
         at = page.find(opening, at + 1)) {
        const std::size_t start = at + opening.size();
        values.push_back(page.substr(start, page.find('"', start) - start));
    }
    return values;
}

} // namespace

TEST_CASE("each language names its own help page, and every page is in the image whole") {
    std::vector<std::string> pages{"QuellixHelp.htm"};
    std::set<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(langtest::sourcePath("data/languages"))) {
        if (entry.path().extension() == ".txt") {
            const std::string page = langtest::textsOf(langtest::shippedForm(entry.path()))["0019"];
            CAPTURE(entry.path().filename().string());
            CHECK(names.insert(page).second);
            pages.push_back(page);
        }
    }
    for (const std::string& page : pages) {
        CAPTURE(page);
        const std::string text = readWhole(imagePath(page));
        REQUIRE(!text.empty());
        CHECK(text.find("charset=windows-1252") != std::string::npos);
        // Letters beyond ASCII are written as entities, so the bytes read the same in any code
        // page a browser of the time may pick.
        CHECK(text.find_first_not_of("\t\r\n !\"#$%&'()*+,-./0123456789:;<=>?@"
                                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
                                     "abcdefghijklmnopqrstuvwxyz{|}~") == std::string::npos);
        const std::vector<std::string> anchors = attributeValues(text, "name");
        std::vector<std::string> links = attributeValues(text, "href");
        for (const std::string& picture : attributeValues(text, "src")) {
            links.push_back(picture);
        }
        for (const std::string& link : links) {
            CAPTURE(link);
            if (link.rfind("mailto:", 0) == 0) {
                continue;
            }
            if (link.rfind('#', 0) == 0) {
                CHECK(std::find(anchors.begin(), anchors.end(), link.substr(1)) != anchors.end());
            } else {
                CHECK(std::filesystem::is_regular_file(imagePath(link.substr(0, link.find('#')))));
            }
        }
    }
}
