// The decoder written out step by step and bit by bit, as the yardstick for the table-driven one.
#pragma once

#include "packs/PackDecoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace reference {

// Decodes `data` in place exactly as packs::decodeBuffer must, one bit and one tree step at a
// time, appending every raised percentage to `progress`.
inline packs::DecodeStatus decode(std::string& data, std::vector<int>& progress) {
    using packs::DecodeStatus;
    const std::int64_t length = static_cast<std::int64_t>(data.size());
    // Every read is checked, as an array of bytes with bounds would be.
    bool outOfRange = false;
    auto at = [&](std::int64_t index) -> int {
        if (index < 0 || index >= length) {
            outOfRange = true;
            return 0;
        }
        return static_cast<unsigned char>(data[static_cast<std::size_t>(index)]);
    };
    int last = 0;
    auto raise = [&](std::int64_t percent) {
        if (percent != last) {
            last = static_cast<int>(percent);
            progress.push_back(last);
        }
    };

    const int b0 = at(0);
    const int b1 = at(1);
    const int b3 = at(3);
    if (outOfRange) {
        return DecodeStatus::OutOfRange;
    }
    if (b0 == 0x48 && b1 == 0x45 && b3 == 0x0D) {
        if (at(2) == 0x30) {
            data = data.substr(4);
            return DecodeStatus::Ok;
        }
        if (at(2) != 0x33) {
            return DecodeStatus::BadMethod;
        }
    }
    const int checksum = at(4);
    const std::uint32_t rawLength =
        static_cast<std::uint32_t>(at(5)) | (static_cast<std::uint32_t>(at(6)) << 8) |
        (static_cast<std::uint32_t>(at(7)) << 16) | (static_cast<std::uint32_t>(at(8)) << 24);
    const auto decodedLength = static_cast<std::int32_t>(rawLength);
    const auto count = static_cast<std::int16_t>(at(9) | (at(10) << 8));
    if (outOfRange) {
        return DecodeStatus::OutOfRange;
    }
    if (decodedLength == 0) {
        return DecodeStatus::Ok;
    }
    if (decodedLength < 0) {
        return DecodeStatus::OutOfRange;
    }

    // Symbol table.
    std::vector<int> codeLength(256, 0);
    std::vector<std::vector<int>> codeBits(256);
    for (int i = 1; i <= count; ++i) {
        const int symbol = at(11 + 2 * (i - 1));
        const int bits = at(11 + 2 * (i - 1) + 1);
        if (outOfRange) {
            return DecodeStatus::OutOfRange;
        }
        codeLength[symbol] = bits;
        codeBits[symbol].assign(static_cast<std::size_t>(bits), 0);
    }

    // Code bits, all of them before the tree.
    std::int64_t position = 11 + 2 * static_cast<std::int64_t>(count);
    int bit = 0;
    for (int symbol = 0; symbol < 256; ++symbol) {
        for (int k = 0; k < codeLength[symbol]; ++k) {
            const int byte = at(position);
            if (outOfRange) {
                return DecodeStatus::OutOfRange;
            }
            codeBits[symbol][static_cast<std::size_t>(k)] = (byte >> bit) & 1;
            ++bit;
            if (bit == 8) {
                bit = 0;
                ++position;
            }
        }
    }
    const std::int64_t dataStart = bit == 0 ? position : position + 1;

    // Tree: parent, child for 1, child for 0, symbol.
    struct Node {
        int parent, one, zero, symbol;
    };
    std::vector<Node> tree(512, Node{-1, -1, -1, -1});
    int nodeCount = 1;
    for (int symbol = 0; symbol < 256; ++symbol) {
        if (codeLength[symbol] == 0) {
            continue;
        }
        int node = 0;
        for (const int b : codeBits[symbol]) {
            int& child = b == 1 ? tree[static_cast<std::size_t>(node)].one
                                : tree[static_cast<std::size_t>(node)].zero;
            if (child == -1) {
                if (nodeCount > 511) {
                    return DecodeStatus::OutOfRange;
                }
                tree[static_cast<std::size_t>(nodeCount)] = Node{node, -1, -1, -1};
                child = nodeCount;
                ++nodeCount;
            }
            node = child;
        }
        tree[static_cast<std::size_t>(node)].symbol = symbol;
    }

    // Data walk.
    std::string output;
    int node = 0;
    bool done = false;
    for (std::int64_t i = dataStart; i < length && !done; ++i) {
        const int byte = at(i);
        if (outOfRange) {
            return DecodeStatus::OutOfRange;
        }
        for (int b = 0; b < 8; ++b) {
            const Node& current = tree[static_cast<std::size_t>(node)];
            node = ((byte >> b) & 1) == 1 ? current.one : current.zero;
            if (node < 0 || node > 511) {
                return DecodeStatus::OutOfRange;
            }
            if (tree[static_cast<std::size_t>(node)].symbol >= 0) {
                output.push_back(static_cast<char>(tree[static_cast<std::size_t>(node)].symbol));
                node = 0;
                if (static_cast<std::int64_t>(output.size()) == decodedLength) {
                    done = true;
                    break;
                }
            }
        }
        if (!done && (i + 1) % 10000 == 0) {
            raise(packs::roundHalfEven((i + 1) * 89, length));
        }
    }

    // Checksum.
    int sum = 0;
    const auto size = static_cast<std::int64_t>(output.size());
    for (std::int64_t i = 0; i < size; ++i) {
        sum ^= static_cast<unsigned char>(output[static_cast<std::size_t>(i)]);
        if (i % 10000 == 0) {
            raise(packs::roundHalfEven(i * 11 + 89 * size, size));
        }
    }
    if (sum != checksum) {
        return DecodeStatus::BadChecksum;
    }
    data = output;
    if (last != 100) {
        raise(100);
    }
    return DecodeStatus::Ok;
}

} // namespace reference
