// Hand-made containers for the decoder tests: header fields, table and bit sections spelled out.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace containers {

// Bits written as '0'/'1' characters, packed into bytes from the least significant bit up.
inline std::string packBits(const std::string& bits) {
    std::string out((bits.size() + 7) / 8, '\0');
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if (bits[i] == '1') {
            out[i / 8] = static_cast<char>(out[i / 8] | (1 << (i % 8)));
        }
    }
    return out;
}

inline void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A Huffman container ("HE3\r" unless `signature` says otherwise) with the given fields; `codes`
// are the code bits in ascending symbol order, `data` the data section bits.
inline std::string make(unsigned char checksum, std::int32_t decodedLength,
                        const std::vector<std::pair<int, int>>& table, const std::string& codes,
                        const std::string& data, const std::string& signature = "HE3\r") {
    std::string out = signature;
    out.push_back(static_cast<char>(checksum));
    appendLittleEndian(out, static_cast<std::uint32_t>(decodedLength), 4);
    appendLittleEndian(out, static_cast<std::uint32_t>(table.size()), 2);
    for (const auto& [symbol, length] : table) {
        out.push_back(static_cast<char>(symbol));
        out.push_back(static_cast<char>(length));
    }
    return out + packBits(codes) + packBits(data);
}

// The worked example: "abc" with a = 0, b = 10, c = 11.
inline std::string abc() {
    return std::string(
        "\x48\x45\x33\x0D\x60\x03\x00\x00\x00\x03\x00\x61\x01\x62\x02\x63\x02\x1A\x1A", 19);
}

inline unsigned char xorOf(const std::string& bytes) {
    unsigned char sum = 0;
    for (const char c : bytes) {
        sum ^= static_cast<unsigned char>(c);
    }
    return sum;
}

} // namespace containers
