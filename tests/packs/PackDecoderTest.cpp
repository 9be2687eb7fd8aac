// The buffer decoder against the container rules, its odd inputs, damaged data and the reference.
#include <doctest/doctest.h>

#include "Containers.h"
#include "ReferenceWalk.h"

#include "packs/PackDecoder.h"
#include "packs/PackEncoder.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using packs::DecodeStatus;

namespace {

struct Outcome {
    DecodeStatus status;
    std::string data;
    std::vector<int> progress;
};

Outcome decodeFast(std::string data) {
    Outcome outcome{DecodeStatus::Ok, {}, {}};
    outcome.status =
        packs::decodeBuffer(data, [&](int percent) { outcome.progress.push_back(percent); });
    outcome.data = std::move(data);
    return outcome;
}

Outcome decodeReference(std::string data) {
    Outcome outcome{DecodeStatus::Ok, {}, {}};
    outcome.status = reference::decode(data, outcome.progress);
    outcome.data = std::move(data);
    return outcome;
}

// Both decoders must agree on status, bytes and every progress value.
void checkSame(const std::string& input) {
    const Outcome fast = decodeFast(input);
    const Outcome slow = decodeReference(input);
    REQUIRE(fast.status == slow.status);
    REQUIRE(fast.data == slow.data);
    REQUIRE(fast.progress == slow.progress);
    if (fast.status != DecodeStatus::Ok) {
        REQUIRE(fast.data == input);
    }
}

std::string repeat(const std::string& bits, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += bits;
    }
    return out;
}

// Text shaped like the shipped files: section lines and paths, CR LF line ends.
std::string configurationText(std::mt19937& random, std::size_t size) {
    static const char* const kWords[] = {"[FILES]",
                                         "\\inf\\oem",
                                         "Vendor",
                                         "\\system32\\",
                                         ".dll",
                                         "HKEY_LOCAL_MACHINE\\SOFTWARE\\",
                                         "Display",
                                         "0000",
                                         ".inf",
                                         "Control Panel",
                                         "[REGISTRY.SECTION]",
                                         "nv",
                                         "ati2"};
    std::string out;
    while (out.size() < size) {
        const int words = 1 + static_cast<int>(random() % 4);
        for (int w = 0; w < words; ++w) {
            out += kWords[random() % (sizeof(kWords) / sizeof(kWords[0]))];
            if (random() % 3 == 0) {
                out += std::to_string(random() % 100);
            }
        }
        out += "\r\n";
    }
    out.resize(size);
    return out;
}

} // namespace

TEST_CASE("the worked example decodes to abc with progress 89 then 100") {
    const Outcome outcome = decodeFast(containers::abc());
    CHECK(outcome.status == DecodeStatus::Ok);
    CHECK(outcome.data == "abc");
    CHECK(outcome.progress == std::vector<int>{89, 100});
}

TEST_CASE("edge cases of the container") {
    using containers::make;
    const std::string abcCodes = "0"
                                 "10"
                                 "11";
    const std::string abcTable = std::string(containers::abc(), 11, 6);
    struct Row {
        const char* name;
        std::string input;
        DecodeStatus status;
        std::string output;
    };
    const std::string unchangedZero = make(0x55, 0, {{'a', 1}}, "0", "0");
    std::string noSignature = containers::abc();
    noSignature.replace(0, 4, "XYZW");
    std::string leftoverBits = containers::abc();
    leftoverBits[18] = static_cast<char>(0xFA); // 0 10 11 then three set bits
    std::string shortInput = containers::abc();
    shortInput.resize(10);
    const std::vector<Row> rows = {
        {"stored data", std::string("HE0\r", 4) + "plain\r\nbytes", DecodeStatus::Ok,
         "plain\r\nbytes"},
        {"stored without data", "HE0\r", DecodeStatus::Ok, ""},
        {"unknown method", std::string("HE4\r", 4) + "abcdefghij", DecodeStatus::BadMethod, ""},
        {"no signature: still Huffman", noSignature, DecodeStatus::Ok, "abc"},
        {"decoded length 0 leaves the data", unchangedZero, DecodeStatus::Ok, unchangedZero},
        {"eleven bytes with length 0", make(0, 0, {}, "", ""), DecodeStatus::Ok,
         make(0, 0, {}, "", "")},
        {"wrong checksum", make(0x61, 3, {{'a', 1}, {'b', 2}, {'c', 2}}, abcCodes, "01011"),
         DecodeStatus::BadChecksum, ""},
        {"empty buffer", "", DecodeStatus::OutOfRange, ""},
        {"three bytes", "HE0", DecodeStatus::OutOfRange, ""},
        {"header cut before the symbol count", shortInput, DecodeStatus::OutOfRange, ""},
        {"negative decoded length", make(0, -1, {{'a', 1}}, "0", "0"), DecodeStatus::OutOfRange,
         ""},
        {"table past the end",
         std::string(containers::abc(), 0, 9) + std::string("\x05\x00", 2) + abcTable,
         DecodeStatus::OutOfRange, ""},
        {"code section past the end", make(0, 3, {{'a', 40}}, "0", ""), DecodeStatus::OutOfRange,
         ""},
        {"missing child", make('a', 1, {{'a', 2}}, "00", "1"), DecodeStatus::OutOfRange, ""},
        {"leftover data bits ignored", leftoverBits, DecodeStatus::Ok, "abc"},
        {"one symbol of length 1", make(0, 10, {{'x', 1}}, "0", "0000000000"), DecodeStatus::Ok,
         "xxxxxxxxxx"},
        {"two symbols with the same code: the later one wins",
         make('b' ^ 'c', 2, {{'a', 1}, {'b', 1}, {'c', 1}},
              "0"
              "0"
              "1",
              "01"),
         DecodeStatus::Ok, "bc"},
        {"a code through an existing leaf is never reached",
         make('a' ^ 'c', 2, {{'a', 1}, {'b', 2}, {'c', 1}},
              "0"
              "01"
              "1",
              "01"),
         DecodeStatus::Ok, "ac"},
        {"input ends before the decoded length",
         make(0x01, 100, {{'a', 1}, {'b', 2}, {'c', 2}}, abcCodes, "01011000"), DecodeStatus::Ok,
         "abcaaa"},
        {"no symbols and no data", make(0, 5, {}, "", ""), DecodeStatus::Ok, ""},
        {"no symbols but data", make(0, 5, {}, "", "0"), DecodeStatus::OutOfRange, ""},
        {"a zero code length means no code", make('a', 1, {{'a', 1}, {'b', 0}}, "0", "0"),
         DecodeStatus::Ok, "a"},
        {"a symbol listed twice takes its last length",
         make('a' ^ 'b', 2, {{'a', 3}, {'b', 1}, {'a', 1}},
              "0"
              "1",
              "01"),
         DecodeStatus::Ok, "ab"},
        {"codes of 255 bits",
         make('a' ^ 'b' ^ 'c', 3, {{'a', 1}, {'b', 255}, {'c', 255}},
              "0" + repeat("1", 254) + "0" + repeat("1", 255),
              repeat("1", 254) + "0" + repeat("1", 255) + "0"),
         DecodeStatus::Ok, "bca"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        const Outcome outcome = decodeFast(row.input);
        CHECK(outcome.status == row.status);
        CHECK(outcome.data == (row.status == DecodeStatus::Ok ? row.output : row.input));
        checkSame(row.input);
    }
}

TEST_CASE("a negative symbol count") {
    // -3 puts the data section at offset 5, inside the header, where the empty tree fails;
    // -6 puts it before the buffer.
    for (const int count : {-3, -6}) {
        CAPTURE(count);
        std::string input = containers::abc();
        input[9] = static_cast<char>(count & 0xFF);
        input[10] = static_cast<char>(0xFF);
        CHECK(decodeFast(input).status == DecodeStatus::OutOfRange);
        checkSame(input);
    }
}

TEST_CASE("the tree holds 512 nodes and not one more") {
    // 255 ones and 255 zeros make 510 nodes besides the root; "01" adds node 511 and "011" 512.
    const std::string ones = repeat("1", 255);
    const std::string zeros = repeat("0", 255);
    const std::string fits =
        containers::make(2, 2, {{0, 255}, {1, 255}, {2, 2}}, ones + zeros + "01", "01" + ones);
    const Outcome fitting = decodeFast(fits);
    CHECK(fitting.status == DecodeStatus::Ok);
    CHECK(fitting.data == std::string("\x02\x00", 2));
    checkSame(fits);

    const std::string overflows =
        containers::make(0, 1, {{0, 255}, {1, 255}, {2, 3}}, ones + zeros + "011", ones);
    CHECK(decodeFast(overflows).status == DecodeStatus::OutOfRange);
    checkSame(overflows);
}

TEST_CASE("a lying decoded length does not reserve its size") {
    std::string input = containers::abc();
    input[5] = input[6] = input[7] = static_cast<char>(0xFF);
    input[8] = 0x7F;
    input[4] = static_cast<char>('a' ^ 'b' ^ 'c' ^ 'a' ^ 'a' ^ 'a');
    // Eight bits decode to at most eight symbols; here abc then three a from the zero bits.
    const Outcome outcome = decodeFast(input);
    CHECK(outcome.status == DecodeStatus::Ok);
    CHECK(outcome.data == "abcaaa");
    checkSame(input);
}

TEST_CASE("rounding halves to even") {
    struct Row {
        std::int64_t numerator, denominator, expected;
    };
    const Row rows[] = {{0, 7, 0},     {5, 2, 2},     {7, 2, 4},  {3, 2, 2},
                        {1, 2, 0},     {9, 4, 2},     {11, 4, 3}, {89, 1, 89},
                        {199, 2, 100}, {201, 2, 100}, {10, 3, 3}, {20, 3, 7}};
    for (const Row& row : rows) {
        CAPTURE(row.numerator);
        CAPTURE(row.denominator);
        CHECK(packs::roundHalfEven(row.numerator, row.denominator) == row.expected);
    }
}

TEST_CASE("progress over many 10000-byte steps") {
    SUBCASE("a run of one symbol, worked out by hand") {
        // 30014 bytes: positions 10000, 20000 and 30000 give 30, 59 and 89; the output of
        // 240000 bytes then steps from 89 to 100 in elevenths.
        const std::string input =
            containers::make(0, 240000, {{'x', 1}}, "0", std::string(240000, '0'));
        REQUIRE(input.size() == 30014);
        const Outcome outcome = decodeFast(input);
        REQUIRE(outcome.status == DecodeStatus::Ok);
        CHECK(outcome.data == std::string(240000, 'x'));
        std::vector<int> expected = {30, 59, 89};
        int last = 89;
        for (std::int64_t i = 0; i < 240000; i += 10000) {
            const auto percent =
                static_cast<int>(packs::roundHalfEven(i * 11 + 89 * 240000, 240000));
            if (percent != last) {
                expected.push_back(percent);
                last = percent;
            }
        }
        if (last != 100) {
            expected.push_back(100);
        }
        CHECK(outcome.progress == expected);
        CHECK(expected.back() == 100);
        checkSame(input);
    }
    SUBCASE("the byte that completes the output raises nothing") {
        // Of 30014 bytes, the output completes at position 20000 (no 59 then) or 20001.
        const std::pair<int, std::vector<int>> rows[] = {{19986, {30, 89}}, {19987, {30, 59, 89}}};
        for (const auto& row : rows) {
            const int bytes = row.first;
            const std::vector<int>& start = row.second;
            CAPTURE(bytes);
            const std::string input =
                containers::make(0, 8 * bytes, {{'x', 1}}, "0", std::string(8 * 30000, '0'));
            const Outcome outcome = decodeFast(input);
            REQUIRE(outcome.status == DecodeStatus::Ok);
            CHECK(outcome.data.size() == static_cast<std::size_t>(8 * bytes));
            REQUIRE(outcome.progress.size() >= start.size());
            CHECK(std::vector<int>(outcome.progress.begin(),
                                   outcome.progress.begin() + static_cast<long>(start.size())) ==
                  start);
            checkSame(input);
        }
    }
    SUBCASE("encoded text of many sizes") {
        std::mt19937 random(7);
        for (const std::size_t size : {9999u, 10000u, 10001u, 65536u, 123457u, 400000u}) {
            CAPTURE(size);
            const std::string plain = configurationText(random, size);
            const std::string input = *packs::encodePack(plain, packs::PackMethod::Huffman);
            const Outcome outcome = decodeFast(input);
            REQUIRE(outcome.status == DecodeStatus::Ok);
            CHECK(outcome.data == plain);
            CHECK(std::count(outcome.progress.begin(), outcome.progress.end(), 100) == 1);
            CHECK(outcome.progress.back() == 100);
            checkSame(input);
        }
    }
    SUBCASE("a checksum error after the progress of the walk") {
        std::mt19937 random(8);
        std::string input =
            *packs::encodePack(configurationText(random, 200000), packs::PackMethod::Huffman);
        input[4] = static_cast<char>(input[4] ^ 0x10);
        const Outcome outcome = decodeFast(input);
        CHECK(outcome.status == DecodeStatus::BadChecksum);
        CHECK(!outcome.progress.empty());
        checkSame(input);
    }
    SUBCASE("a stored container raises nothing") {
        const Outcome outcome = decodeFast("HE0\r" + std::string(50000, 'q'));
        CHECK(outcome.status == DecodeStatus::Ok);
        CHECK(outcome.progress.empty());
    }
}

TEST_CASE("damaged containers never crash and agree with the reference") {
    std::mt19937 random(11);
    const std::string text = configurationText(random, 700);
    std::string binary;
    for (int i = 0; i < 300; ++i) {
        binary.push_back(static_cast<char>(random() % 7 == 0 ? random() : random() % 4));
    }
    for (const std::string& plain : {text, binary}) {
        const std::string valid = *packs::encodePack(plain, packs::PackMethod::Huffman);

        SUBCASE("truncated at every offset") {
            for (std::size_t cut = 0; cut <= valid.size(); ++cut) {
                CAPTURE(cut);
                const std::string input = valid.substr(0, cut);
                checkSame(input);
                const Outcome outcome = decodeFast(input);
                if (outcome.status == DecodeStatus::Ok && cut >= 11) {
                    CHECK(containers::xorOf(outcome.data) == static_cast<unsigned char>(valid[4]));
                }
            }
        }
        SUBCASE("random bit flips") {
            for (int round = 0; round < 1500; ++round) {
                std::string input = valid;
                const int flips = 1 + static_cast<int>(random() % 4);
                for (int f = 0; f < flips; ++f) {
                    const std::size_t at = random() % input.size();
                    input[at] = static_cast<char>(input[at] ^ (1 << (random() % 8)));
                }
                CAPTURE(round);
                checkSame(input);
            }
        }
        SUBCASE("lying lengths and counts") {
            const std::int32_t lengths[] = {1, 2, 699, 701, 0x7FFFFFFF, -2147483647 - 1};
            for (const std::int32_t length : lengths) {
                std::string input = valid;
                for (int i = 0; i < 4; ++i) {
                    input[5 + i] =
                        static_cast<char>((static_cast<std::uint32_t>(length) >> (8 * i)) & 0xFF);
                }
                CAPTURE(length);
                checkSame(input);
            }
            for (const int count : {0, 1, 255, 256, 257, 0x7FFF, 0x8000, 0xFFFF}) {
                std::string input = valid;
                input[9] = static_cast<char>(count & 0xFF);
                input[10] = static_cast<char>(count >> 8);
                CAPTURE(count);
                checkSame(input);
            }
        }
    }
}

TEST_CASE("table-driven walk equals the reference on random containers") {
    std::mt19937 random(23);
    for (int round = 0; round < 3000; ++round) {
        // A random table of short codes and random data: a mix of clean decodes, missing
        // children, overfull trees and checksum errors.
        std::vector<std::pair<int, int>> table;
        const int count = static_cast<int>(random() % 24);
        std::string codes;
        for (int i = 0; i < count; ++i) {
            const int length = 1 + static_cast<int>(random() % (round % 3 == 0 ? 40 : 9));
            table.push_back({static_cast<int>(random() % 256), length});
        }
        for (int i = 0; i < 9 * count; ++i) {
            codes.push_back(random() % 2 == 0 ? '0' : '1');
        }
        std::string data;
        const int dataBits = static_cast<int>(random() % 20000);
        for (int i = 0; i < dataBits; ++i) {
            data.push_back(random() % 2 == 0 ? '0' : '1');
        }
        const auto length = static_cast<std::int32_t>(random() % 30000);
        std::string input =
            containers::make(static_cast<unsigned char>(random()), length, table, codes, data);
        CAPTURE(round);
        checkSame(input);
    }
}

TEST_CASE("table-driven walk equals the reference on encoded random data") {
    std::mt19937 random(29);
    for (int round = 0; round < 300; ++round) {
        // Alphabets from one byte value to all 256, with flat or steep frequencies.
        const int alphabet = 1 + static_cast<int>(random() % 256);
        const bool steep = round % 2 == 0;
        const std::size_t size = 1 + random() % (round % 10 == 0 ? 60000 : 2000);
        std::string plain;
        for (std::size_t i = 0; i < size; ++i) {
            unsigned value = random() % static_cast<unsigned>(alphabet);
            if (steep) {
                value = value * value / static_cast<unsigned>(alphabet);
            }
            plain.push_back(static_cast<char>(value));
        }
        CAPTURE(round);
        const std::string input = *packs::encodePack(plain, packs::PackMethod::Huffman);
        const Outcome outcome = decodeFast(input);
        REQUIRE(outcome.status == DecodeStatus::Ok);
        REQUIRE(outcome.data == plain);
        checkSame(input);
    }
}
