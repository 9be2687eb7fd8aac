// The container decoder: header, code table, decoding tree, then a table-driven walk of the data.
#include "packs/PackDecoder.h"

#include "packs/PackFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace packs {

namespace {

// One node of the decoding tree; -1 marks a missing child, and an inner node by its symbol.
struct Node {
    std::int16_t parent;
    std::int16_t child1;
    std::int16_t child0;
    std::int16_t symbol;
};

// What one input byte does when the walk stands on a given node at a byte boundary: the symbols
// it completes, in order, and the node it ends on (as a row of the step table).
struct Step {
    unsigned char symbols[8];
    std::uint16_t nextRow;
    std::uint8_t count;
    std::uint8_t state; // kNotBuilt, kReady, or kFails (a missing child after `count` symbols)
};

constexpr std::uint8_t kNotBuilt = 0;
constexpr std::uint8_t kReady = 1;
constexpr std::uint8_t kFails = 2;

class ProgressTracker {
  public:
    explicit ProgressTracker(const ProgressSink& sink) : sink(sink) {}

    void raise(std::int64_t percent) {
        if (percent == last) {
            return;
        }
        last = static_cast<int>(percent);
        if (sink) {
            sink(last);
        }
    }

    int lastRaised() const { return last; }

  private:
    const ProgressSink& sink;
    int last = 0;
};

// The step table, built lazily: a row of 256 steps for each node the walk stands on at a byte
// boundary, each step built the first time its byte is met there. A small file touches only a
// few entries; a large one settles on a table it no longer changes.
class StepTable {
  public:
    explicit StepTable(const std::vector<Node>& tree) : tree(tree) {
        rowOfNode.fill(-1);
        rowFor(0);
    }

    const Step& step(std::size_t row, unsigned char byte) {
        const std::size_t index = row * 256 + byte;
        if (steps[index].state == kNotBuilt) {
            build(row, byte, index);
        }
        return steps[index];
    }

  private:
    std::uint16_t rowFor(int node) {
        if (rowOfNode[node] < 0) {
            rowOfNode[node] = static_cast<std::int16_t>(nodeOfRow.size());
            nodeOfRow.push_back(static_cast<std::int16_t>(node));
            steps.resize(steps.size() + 256, Step{});
        }
        return static_cast<std::uint16_t>(rowOfNode[node]);
    }

    void build(std::size_t row, unsigned char byte, std::size_t index) {
        Step made{};
        made.state = kReady;
        int node = nodeOfRow[row];
        for (int bit = 0; bit < 8; ++bit) {
            const Node& current = tree[node];
            const int child = ((byte >> bit) & 1) != 0 ? current.child1 : current.child0;
            if (child < 0) {
                made.state = kFails;
                break;
            }
            if (tree[child].symbol >= 0) {
                made.symbols[made.count++] = static_cast<unsigned char>(tree[child].symbol);
                node = 0;
            } else {
                node = child;
            }
        }
        made.nextRow = made.state == kReady ? rowFor(node) : 0;
        // rowFor may have grown the table, so the step is stored by index only now.
        steps[index] = made;
    }

    const std::vector<Node>& tree;
    std::array<std::int16_t, kMaxTreeNodes> rowOfNode{};
    std::vector<std::int16_t> nodeOfRow;
    std::vector<Step> steps;
};

std::int32_t readInt32(const unsigned char* bytes) {
    const std::uint32_t value = std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
                                (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
    return static_cast<std::int32_t>(value);
}

std::int16_t readInt16(const unsigned char* bytes) {
    return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
}

unsigned char xorAll(const unsigned char* bytes, std::size_t count) {
    std::uint64_t wide = 0;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        wide ^= word;
    }
    unsigned char result = 0;
    for (int shift = 0; shift < 64; shift += 8) {
        result ^= static_cast<unsigned char>(wide >> shift);
    }
    for (; i < count; ++i) {
        result ^= bytes[i];
    }
    return result;
}

} // namespace

std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

DecodeStatus decodeBuffer(std::string& data, const ProgressSink& progress) {
    const auto* in = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t length = data.size();

    // The three signature bytes are all examined, so a buffer shorter than four bytes fails.
    if (length < 4) {
        return DecodeStatus::OutOfRange;
    }
    if (in[0] == kSignature0 && in[1] == kSignature1 && in[3] == kSignature3) {
        if (in[kOffsetMethod] == kMethodStored) {
            data.erase(0, kStoredDataOffset);
            return DecodeStatus::Ok;
        }
        if (in[kOffsetMethod] != kMethodHuffman) {
            return DecodeStatus::BadMethod;
        }
    }
    // Without the signature the buffer is still read as a Huffman container.
    if (length < kOffsetSymbolTable) {
        return DecodeStatus::OutOfRange;
    }
    const unsigned char checksum = in[kOffsetChecksum];
    const std::int32_t decodedLength = readInt32(in + kOffsetLength);
    const std::int32_t symbolCount = readInt16(in + kOffsetSymbolCount);
    if (decodedLength == 0) {
        return DecodeStatus::Ok;
    }
    if (decodedLength < 0) {
        return DecodeStatus::OutOfRange;
    }

    std::array<std::uint8_t, 256> codeLength{};
    for (std::int32_t i = 0; i < symbolCount; ++i) {
        const std::size_t offset = kOffsetSymbolTable + 2 * static_cast<std::size_t>(i);
        if (offset + 1 >= length) {
            return DecodeStatus::OutOfRange;
        }
        codeLength[in[offset]] = in[offset + 1];
    }

    // The code bits are read and the tree grown symbol by symbol, in ascending symbol order.
    std::vector<Node> tree(kMaxTreeNodes, Node{-1, -1, -1, -1});
    int nodeCount = 1;
    std::int64_t bytePosition = static_cast<std::int64_t>(kOffsetSymbolTable) + 2 * symbolCount;
    int bitPosition = 0;
    for (int symbol = 0; symbol < 256; ++symbol) {
        int node = 0;
        for (int k = 0; k < codeLength[symbol]; ++k) {
            if (bytePosition >= static_cast<std::int64_t>(length)) {
                return DecodeStatus::OutOfRange;
            }
            const bool one = ((in[bytePosition] >> bitPosition) & 1) != 0;
            if (++bitPosition == 8) {
                bitPosition = 0;
                ++bytePosition;
            }
            std::int16_t& child = one ? tree[node].child1 : tree[node].child0;
            if (child < 0) {
                if (nodeCount >= kMaxTreeNodes) {
                    return DecodeStatus::OutOfRange;
                }
                tree[nodeCount].parent = static_cast<std::int16_t>(node);
                child = static_cast<std::int16_t>(nodeCount++);
            }
            node = child;
        }
        if (codeLength[symbol] != 0) {
            tree[node].symbol = static_cast<std::int16_t>(symbol);
        }
    }
    const std::int64_t dataStart = bitPosition == 0 ? bytePosition : bytePosition + 1;
    // A negative symbol count can put the data section before the buffer's start.
    if (dataStart < 0) {
        return DecodeStatus::OutOfRange;
    }

    // Every symbol takes at least one bit, which bounds the output whatever the header claims.
    const std::size_t want = static_cast<std::size_t>(decodedLength);
    const std::size_t dataBytes = static_cast<std::size_t>(dataStart) < length
                                      ? length - static_cast<std::size_t>(dataStart)
                                      : 0;
    const auto capacity =
        static_cast<std::size_t>(std::min<std::uint64_t>(want, std::uint64_t{8} * dataBytes));
    // Eight spare bytes let each step copy all its symbol slots at once.
    std::string output(capacity + 8, '\0');
    auto* out = reinterpret_cast<unsigned char*>(&output[0]);
    std::size_t produced = 0;

    ProgressTracker tracker(progress);
    StepTable table(tree);
    std::size_t row = 0;
    std::size_t position = static_cast<std::size_t>(dataStart);
    bool complete = false;
    while (position < length && !complete) {
        const std::size_t chunkEnd =
            std::min(length, (position / kProgressStep + 1) * kProgressStep);
        for (; position < chunkEnd; ++position) {
            const Step& step = table.step(row, in[position]);
            if (step.state != kReady || produced + step.count >= want) {
                const std::size_t take = std::min<std::size_t>(step.count, want - produced);
                std::memcpy(out + produced, step.symbols, take);
                produced += take;
                if (produced == want) {
                    complete = true;
                    break;
                }
                return DecodeStatus::OutOfRange;
            }
            std::memcpy(out + produced, step.symbols, 8);
            produced += step.count;
            row = step.nextRow;
        }
        // Progress follows each input byte whose position, counted from 1, is a multiple of
        // the step; the byte that completes the output is not followed by it.
        if (!complete && position % kProgressStep == 0) {
            tracker.raise(roundHalfEven(static_cast<std::int64_t>(position) * 89,
                                        static_cast<std::int64_t>(length)));
        }
    }

    for (std::size_t i = 0; i < produced; i += kProgressStep) {
        const auto size = static_cast<std::int64_t>(produced);
        tracker.raise(roundHalfEven(static_cast<std::int64_t>(i) * 11 + 89 * size, size));
    }
    if (xorAll(out, produced) != checksum) {
        return DecodeStatus::BadChecksum;
    }
    output.resize(produced);
    data.swap(output);
    if (tracker.lastRaised() != 100) {
        tracker.raise(100);
    }
    return DecodeStatus::Ok;
}

} // namespace packs
