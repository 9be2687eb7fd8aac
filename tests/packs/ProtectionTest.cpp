// clsProtection: error values, the description hook, and a destination replaced only on success.
#include <doctest/doctest.h>

#include "Containers.h"
#include "ReferenceWalk.h"

#include "packs/PackEncoder.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "support/TestMachine.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

void plant(const std::string& path, const std::string& content, std::uint32_t attributes = 0) {
    REQUIRE(platform::writeFile(path, content) == platform::kOk);
    if (attributes != 0) {
        REQUIRE(platform::setAttributes(path, attributes) == platform::kOk);
    }
}

std::optional<std::string> contentOf(const std::string& path) {
    std::string bytes;
    if (platform::readFile(path, bytes) != platform::kOk) {
        return std::nullopt;
    }
    return bytes;
}

std::uint32_t attributesOf(const std::string& path) {
    std::uint32_t attributes = 0;
    REQUIRE(platform::getAttributes(path, attributes) == platform::kOk);
    return attributes;
}

// Installs a description lookup for one test and removes it again.
struct DescriptionLookup {
    DescriptionLookup() {
        packs::setDescriptionLookup([](const std::string& id) { return "text of " + id; });
    }
    ~DescriptionLookup() { packs::setDescriptionLookup({}); }
};

} // namespace

TEST_CASE("the errors DecodeByte raises") {
    struct Row {
        const char* name;
        std::string input;
        std::int32_t number;
        const char* source;
        const char* descriptionId;
    };
    std::string badChecksum = containers::abc();
    badChecksum[4] = 0x61;
    const Row rows[] = {
        {"unknown method", std::string("HE4\r", 4) + "0123456789", -2147221504,
         "ProtectionDecode()", "0321"},
        {"wrong checksum", badChecksum, -2147221504, "clsProtection.Decode()", "0322"},
        {"empty buffer", "", 9, "Tarvex", ""},
    };
    for (const bool withLookup : {false, true}) {
        std::optional<DescriptionLookup> lookup;
        if (withLookup) {
            lookup.emplace();
        }
        for (const Row& row : rows) {
            CAPTURE(row.name);
            CAPTURE(withLookup);
            clsProtection decoder;
            std::string data = row.input;
            const auto error = decoder.DecodeByte(data, data.size());
            REQUIRE(error.has_value());
            CHECK(error->number == row.number);
            CHECK(error->source == row.source);
            CHECK(error->descriptionId == row.descriptionId);
            if (row.number == 9) {
                CHECK(error->description == "Subscript out of range");
            } else {
                CHECK(error->description ==
                      (withLookup ? "text of " + std::string(row.descriptionId) : ""));
            }
            CHECK(data == row.input);
        }
    }
}

TEST_CASE("DecodeByte reads only the given length") {
    clsProtection decoder;
    std::string data = containers::abc() + "trailing bytes that are no part of it";
    CHECK_FALSE(decoder.DecodeByte(data, 19).has_value());
    CHECK(data == "abc");

    std::string truncated = containers::abc();
    CHECK(decoder.DecodeByte(truncated, 10).has_value());
    CHECK(truncated == containers::abc());
}

TEST_CASE("DecodeFile replaces the destination only on success") {
    testsupport::ScratchArea area;
    const std::string source = area.folder + "\\English.lng";
    const std::string destination = area.folder + "\\English.dlf";
    clsProtection decoder;

    SUBCASE("a decoded file replaces a read-only hidden destination") {
        plant(source, containers::abc());
        plant(destination, "an older and longer decoded copy",
              platform::kAttrReadOnly | platform::kAttrHidden);
        CHECK_FALSE(decoder.DecodeFile(source, destination).has_value());
        CHECK(contentOf(destination) == "abc");
        CHECK((attributesOf(destination) & (platform::kAttrReadOnly | platform::kAttrHidden)) == 0);
        CHECK(contentOf(source) == containers::abc());
    }
    SUBCASE("an absent destination is created") {
        plant(source,
              *packs::encodePack("[Language]\r\n0008=Error\r\n", packs::PackMethod::Huffman));
        CHECK_FALSE(decoder.DecodeFile(source, destination).has_value());
        CHECK(contentOf(destination) == "[Language]\r\n0008=Error\r\n");
    }
    SUBCASE("decoded length 0 copies the source") {
        const std::string zero = containers::make(0x12, 0, {{'a', 1}}, "0", "0101");
        plant(source, zero);
        CHECK_FALSE(decoder.DecodeFile(source, destination).has_value());
        CHECK(contentOf(destination) == zero);
    }
    SUBCASE("a stored file gives its data") {
        plant(source, "HE0\rplain");
        CHECK_FALSE(decoder.DecodeFile(source, destination).has_value());
        CHECK(contentOf(destination) == "plain");
    }
}

TEST_CASE("DecodeFile leaves the destination as it was on every error") {
    testsupport::ScratchArea area;
    const std::string source = area.folder + "\\NVIDIA.txf";
    const std::string destination = area.folder + "\\xttxf.dll";
    std::string badChecksum = containers::abc();
    badChecksum[4] = 0x00;
    struct Row {
        const char* name;
        std::optional<std::string> content; // absent: no source file
        std::int32_t number;
        const char* source;
        const char* descriptionId;
    };
    const Row rows[] = {
        {"source missing", std::nullopt, -2147221504, "clsProtection.DecodeFile()", "0320"},
        {"unknown method", std::string("HE4\r", 4) + "0123456789", -2147221504,
         "ProtectionDecode()", "0321"},
        {"wrong checksum", badChecksum, -2147221504, "clsProtection.Decode()", "0322"},
        {"empty source", std::string(), 9, "Tarvex", ""},
        {"truncated header", containers::abc().substr(0, 7), 9, "Tarvex", ""},
        {"missing child", containers::make('a', 1, {{'a', 2}}, "00", "1"), 9, "Tarvex", ""},
    };
    for (const bool destinationExists : {true, false}) {
        for (const Row& row : rows) {
            CAPTURE(row.name);
            CAPTURE(destinationExists);
            platform::deleteFile(source);
            platform::setAttributes(destination, platform::kAttrNormal);
            platform::deleteFile(destination);
            if (row.content) {
                plant(source, *row.content);
            }
            std::uint32_t attributesBefore = 0;
            if (destinationExists) {
                plant(destination, "previous content\r\n", platform::kAttrHidden);
                attributesBefore = attributesOf(destination);
            }
            clsProtection decoder;
            const auto error = decoder.DecodeFile(source, destination);
            REQUIRE(error.has_value());
            CHECK(error->number == row.number);
            CHECK(error->source == row.source);
            CHECK(error->descriptionId == row.descriptionId);
            if (destinationExists) {
                CHECK(contentOf(destination) == "previous content\r\n");
                CHECK(attributesOf(destination) == attributesBefore);
            } else {
                CHECK_FALSE(contentOf(destination).has_value());
            }
        }
    }
}

TEST_CASE("DecodeFile with files in use") {
    testsupport::ScratchArea area;
    const std::string source = area.folder + "\\ATI.ccf";
    const std::string destination = area.folder + "\\xtccf.dll";
    plant(source, containers::abc());
    plant(destination, "previous", platform::kAttrReadOnly);
    const std::uint32_t attributesBefore = attributesOf(destination);
    clsProtection decoder;

    SUBCASE("a destination in use is kept, attributes too") {
        testsupport::HoldOpen hold(destination);
        REQUIRE(hold.held());
        const auto error = decoder.DecodeFile(source, destination);
        REQUIRE(error.has_value());
        CHECK(error->number == 70);
    }
    SUBCASE("a source in use is not read") {
        testsupport::HoldOpen hold(source);
        REQUIRE(hold.held());
        const auto error = decoder.DecodeFile(source, destination);
        REQUIRE(error.has_value());
        CHECK(error->number == 70);
    }
    CHECK(contentOf(destination) == "previous");
    CHECK(attributesOf(destination) == attributesBefore);
    platform::setAttributes(destination, platform::kAttrNormal);
}

TEST_CASE("DecodeFile raises the same progress as the reference walk") {
    testsupport::ScratchArea area;
    std::mt19937 random(5);
    std::string plain;
    while (plain.size() < 150000) {
        plain += "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + std::to_string(random() % 5000) + "\r\n";
    }
    const std::string container = *packs::encodePack(plain, packs::PackMethod::Huffman);
    plant(area.folder + "\\Big.txf", container);

    clsProtection decoder;
    std::vector<int> raised;
    decoder.Progress = [&](int percent) { raised.push_back(percent); };
    CHECK_FALSE(decoder.DecodeFile(area.folder + "\\Big.txf", area.folder + "\\Big.txt"));
    CHECK(contentOf(area.folder + "\\Big.txt") == plain);

    std::vector<int> expected;
    std::string data = container;
    REQUIRE(reference::decode(data, expected) == packs::DecodeStatus::Ok);
    CHECK(raised == expected);
    CHECK(raised.size() > 10);
}
