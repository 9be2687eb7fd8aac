// Text lookup by id: decoding on the first lookup, the hidden decoded copy, missing texts and
// files, and switching languages.
#include <doctest/doctest.h>

#include "language/LanguageFixture.h"
#include "packs/PackError.h"
#include "packs/Protection.h"

#include <string>

using langtest::exists;
using langtest::ProgramFolder;

TEST_CASE("the first lookup decodes the chosen language into a hidden copy") {
    ProgramFolder folder;
    const std::string longText(300, 'w');
    folder.addLanguage("TvxLangA", {"0001=Server", "0002=", "0003=" + longText, "1000=Tarvex A",
                                    "1001=  spaced  "});
    ProgramFolder::choose("TvxLangA");
    REQUIRE_FALSE(exists("TvxLangA.dlf"));

    CHECK(GetLangString("0001") == "Server");
    REQUIRE(exists("TvxLangA.dlf"));
    CHECK((langtest::attributesOf("TvxLangA.dlf") & platform::kAttrHidden) != 0);

    struct Row {
        const char* id;
        std::string expected;
    };
    const Row rows[] = {
        {"0002", ""},                      // present but empty is not missing
        {"0003", longText.substr(0, 254)}, // the reader's limit
        {"1000", "Tarvex A"},
        {"0004", "?"}, // an id the file lacks
        {"1", "?"},    // ids are texts: "1" is not "0001"
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.id));
        CHECK(GetLangString(row.id) == row.expected);
    }

    RemoveLangFile();
    CHECK_FALSE(exists("TvxLangA.dlf"));
    CHECK(exists("TvxLangA.lng"));
    // The next lookup decodes afresh.
    CHECK(GetLangString("1000") == "Tarvex A");
    CHECK(exists("TvxLangA.dlf"));
}

TEST_CASE("without a usable language file every text is a question mark and no copy is made") {
    ProgramFolder folder;
    // A sound container whose checksum byte no longer matches its data.
    std::string corrupt =
        *packs::encodePack("[Language]\r\n1000=Broken\r\n", packs::PackMethod::Huffman);
    corrupt[4] = static_cast<char>(corrupt[4] ^ 0x5A);
    folder.plant("TvxBroken.lng", corrupt);
    folder.expect("TvxBroken.dlf");

    struct Row {
        const char* setting; // nullptr: the key is missing
        const char* copy;
    };
    // A setting that names a file outside the program folder is no language: a language file
    // lying there is neither decoded nor its copy later deleted.
    const std::string parent = platform::programFolder() + "\\..\\";
    REQUIRE(platform::writeFile(parent + "TvxEscape.lng",
                                *packs::encodePack("[Language]\r\n0001=Out\r\n",
                                                   packs::PackMethod::Huffman)) == platform::kOk);
    const Row rows[] = {
        {"TvxNoSuchLanguage", "TvxNoSuchLanguage.dlf"},
        {"TvxBroken", "TvxBroken.dlf"},
        {nullptr, nullptr},
        {"..\\TvxEscape", nullptr},
        {"C:\\TvxEscape", nullptr},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.setting ? row.setting : "(missing)"));
        RemoveLangFile();
        langtest::removeFile("Tarvex.ini");
        if (row.setting != nullptr) {
            ProgramFolder::choose(row.setting);
        }
        for (const char* id : {"0001", "0008", "1000", "1078"}) {
            CHECK(GetLangString(id) == "?");
        }
        if (row.copy != nullptr) {
            CHECK_FALSE(exists(row.copy));
        }
        std::uint64_t length = 0;
        CHECK(platform::fileLength(parent + "TvxEscape.dlf", length) != platform::kOk);
    }
    RemoveLangFile();
    platform::deleteFile(parent + "TvxEscape.lng");
}

TEST_CASE("a language chosen meanwhile takes effect only after RemoveLangFile") {
    ProgramFolder folder;
    folder.addLanguage("TvxLangA", {"1001=Close"});
    folder.addLanguage("TvxLangB", {"1001=Schliessen"});
    ProgramFolder::choose("TvxLangA");
    CHECK(GetLangString("1001") == "Close");

    ProgramFolder::choose("TvxLangB");
    CHECK(GetLangString("1001") == "Close"); // the name is read once, not on every lookup

    RemoveLangFile();
    CHECK_FALSE(exists("TvxLangA.dlf"));
    CHECK_FALSE(exists("TvxLangB.dlf")); // made by the next lookup, not by the removal
    CHECK(GetLangString("1001") == "Schliessen");
    CHECK(exists("TvxLangB.dlf"));
    CHECK_FALSE(exists("TvxLangA.dlf"));
}

TEST_CASE("a stale decoded copy is replaced by the first lookup") {
    ProgramFolder folder;
    folder.addLanguage("TvxLangA", {"1001=Fresh"});
    folder.plant("TvxLangA.dlf", "[Language]\r\n1001=Stale\r\n");
    platform::setAttributes(langtest::programPath("TvxLangA.dlf"),
                            platform::kAttrHidden | platform::kAttrReadOnly);
    ProgramFolder::choose("TvxLangA");
    CHECK(GetLangString("1001") == "Fresh");
    RemoveLangFile();
    CHECK_FALSE(exists("TvxLangA.dlf"));
}

TEST_CASE("removing the decoded copy before any lookup, or twice, does nothing") {
    ProgramFolder folder;
    folder.plant("TvxUntouched.dlf", "[Language]\r\n");
    RemoveLangFile();
    RemoveLangFile();
    CHECK(exists("TvxUntouched.dlf"));
}

TEST_CASE("decoder errors carry their description in the current language") {
    ProgramFolder folder;
    folder.addLanguage("TvxLangA", {"0320=Missing source", "0322=Bad checksum"});
    ProgramFolder::choose("TvxLangA");
    packs::setDescriptionLookup(GetLangString);

    clsProtection decoder;
    const auto missing = decoder.DecodeFile(langtest::programPath("TvxNoSuchFile.txf"),
                                            langtest::programPath("TvxNoSuchFile.out"));
    REQUIRE(missing);
    CHECK(missing->descriptionId == "0320");
    CHECK(missing->description == "Missing source");

    packs::setDescriptionLookup(nullptr);
}

TEST_CASE("an empty language setting gives question marks without decoding again and again") {
    ProgramFolder folder;
    ProgramFolder::choose("");
    // The failing decode looks its own error description up; that lookup must not decode again.
    packs::setDescriptionLookup(GetLangString);
    CHECK(GetLangString("0001") == "?");
    CHECK(GetLangString("1000") == "?");
    packs::setDescriptionLookup(nullptr);
}
