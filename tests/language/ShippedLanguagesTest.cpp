// Every language file shipped with Tarvex holds every text the program looks up.
#include <doctest/doctest.h>

#include "language/ShippedLanguages.h"
#include "language/TextIds.h"

#include <set>
#include <string>

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
