// The encoder: containers it writes decode back to the input, and the shipped-text conversion.
#include <doctest/doctest.h>

#include "Containers.h"

#include "packs/PackDecoder.h"
#include "packs/PackEncoder.h"

#include <random>
#include <string>
#include <vector>

namespace {

std::string roundTrip(const std::string& plain, packs::PackMethod method) {
    std::string data = *packs::encodePack(plain, method);
    REQUIRE(packs::decodeBuffer(data, {}) == packs::DecodeStatus::Ok);
    return data;
}

// The code lengths a container's table gives, by symbol.
std::vector<int> codeLengths(const std::string& container) {
    std::vector<int> lengths(256, 0);
    const int count =
        static_cast<unsigned char>(container[9]) | (static_cast<unsigned char>(container[10]) << 8);
    for (int i = 0; i < count; ++i) {
        lengths[static_cast<unsigned char>(container[11 + 2 * i])] =
            static_cast<unsigned char>(container[12 + 2 * i]);
    }
    return lengths;
}

} // namespace

TEST_CASE("encode then decode gives the input back") {
    std::mt19937 random(3);
    struct Shape {
        const char* name;
        int alphabet;
        bool steep;
    };
    const Shape shapes[] = {{"one byte value", 1, false},
                            {"two values", 2, false},
                            {"all 256 values flat", 256, false},
                            {"all 256 values steep", 256, true},
                            {"seventeen values steep", 17, true}};
    for (const Shape& shape : shapes) {
        for (const std::size_t size : {1u, 2u, 7u, 8u, 9u, 255u, 4096u, 100000u}) {
            CAPTURE(shape.name);
            CAPTURE(size);
            std::string plain;
            for (std::size_t i = 0; i < size; ++i) {
                unsigned value = random() % static_cast<unsigned>(shape.alphabet);
                if (shape.steep) {
                    value = value * value * value / static_cast<unsigned>(shape.alphabet) /
                            static_cast<unsigned>(shape.alphabet);
                }
                plain.push_back(static_cast<char>(value));
            }
            CHECK(roundTrip(plain, packs::PackMethod::Huffman) == plain);
            CHECK(roundTrip(plain, packs::PackMethod::Stored) == plain);
        }
    }
}

TEST_CASE("containers the encoder writes") {
    SUBCASE("empty input is stored, since a Huffman length of 0 decodes to itself") {
        CHECK(*packs::encodePack("", packs::PackMethod::Huffman) == "HE0\r");
        CHECK(roundTrip("", packs::PackMethod::Huffman).empty());
    }
    SUBCASE("stored containers hold the bytes after the header") {
        CHECK(*packs::encodePack("abc", packs::PackMethod::Stored) == "HE0\rabc");
    }
    SUBCASE("a single distinct byte gets a one-bit code") {
        const std::string container = *packs::encodePack("zzzzz", packs::PackMethod::Huffman);
        CHECK(container.substr(0, 11) == std::string("HE3\r\x7A\x05\x00\x00\x00\x01\x00", 11));
        CHECK(codeLengths(container)['z'] == 1);
    }
    SUBCASE("the worked example's frequencies give its codes' lengths") {
        const std::string container = *packs::encodePack("aabc", packs::PackMethod::Huffman);
        const std::vector<int> lengths = codeLengths(container);
        CHECK(lengths['a'] == 1);
        CHECK(lengths['b'] == 2);
        CHECK(lengths['c'] == 2);
        CHECK(static_cast<unsigned char>(container[4]) == containers::xorOf("aabc"));
    }
    SUBCASE("skewed frequencies give long codes that still decode") {
        // Fibonacci counts make the deepest tree their total allows.
        std::string plain;
        std::size_t a = 1;
        std::size_t b = 1;
        for (int symbol = 0; symbol < 25; ++symbol) {
            plain += std::string(a, static_cast<char>('A' + symbol));
            const std::size_t next = a + b;
            a = b;
            b = next;
        }
        const std::string container = *packs::encodePack(plain, packs::PackMethod::Huffman);
        const std::vector<int> lengths = codeLengths(container);
        CHECK(*std::max_element(lengths.begin(), lengths.end()) == 24);
        CHECK(roundTrip(plain, packs::PackMethod::Huffman) == plain);
    }
}

TEST_CASE("shipped text drops comment lines and ends lines with CR LF") {
    struct Row {
        const char* name;
        std::string source;
        std::string shipped;
    };
    const Row rows[] = {
        {"LF line ends", "[FILES]\n\\a.dll\n", "[FILES]\r\n\\a.dll\r\n"},
        {"CR LF line ends stay", "[FILES]\r\n\\a.dll\r\n", "[FILES]\r\n\\a.dll\r\n"},
        {"comments go", "# why\n[FILES]\n#\n\\a.dll\n# end", "[FILES]\r\n\\a.dll\r\n"},
        {"a # later in the line stays", "\\a#b.dll\n", "\\a#b.dll\r\n"},
        {"an indented # is no comment", " # x\n", " # x\r\n"},
        {"empty lines stay", "a\n\nb\n", "a\r\n\r\nb\r\n"},
        {"a last line without an end keeps none", "a\nb", "a\r\nb"},
        {"a lone CR is content", "a\rb\n", "a\rb\r\n"},
        {"empty source", "", ""},
        {"only comments", "# one\r\n# two\r\n", ""},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        CHECK(packs::shippedText(row.source) == row.shipped);
    }
}

TEST_CASE("shipped text is Windows-1252 with CR LF and without comment lines") {
    CHECK(packs::shippedText("# note\n0001=Geschützt\n") == "0001=Gesch\xFCtzt\r\n");
    CHECK(packs::shippedText("0001=\xE2\x82\xAC \xE2\x80\x93 \xC5\x93\r\n") ==
          "0001=\x80 \x96 \x9C\r\n");
    CHECK(packs::shippedText("0001=\xE4\xB8\xAD") == "0001=?"); // no Windows-1252 equivalent
    CHECK(packs::shippedText("0001=\xFC") == "0001=\xFC");      // already 8-bit: kept
}
