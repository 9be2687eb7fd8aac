// A classic Huffman coder writing the container the decoder reads.
#include "packs/PackEncoder.h"

#include "packs/PackFormat.h"

#include <array>
#include <cstdint>
#include <limits>
#include <queue>
#include <utility>
#include <vector>

namespace packs {

namespace {

// A symbol's code: `length` bits, the first (nearest the root) in the lowest bit.
struct Code {
    std::uint64_t bits = 0;
    int length = 0;
};

// Bits packed into bytes from the least significant bit up.
class BitWriter {
  public:
    explicit BitWriter(std::string& out) : out(out) {}

    // Appends the code's bits, first bit first; codes are at most 45 bits long.
    void put(const Code& code) {
        const std::uint64_t bits = code.bits;
        const int count = code.length;
        pending |= bits << pendingCount;
        pendingCount += count;
        while (pendingCount >= 8) {
            out.push_back(static_cast<char>(pending & 0xFF));
            pending >>= 8;
            pendingCount -= 8;
        }
    }

    // Ends the section: a partly filled byte is written with its high bits clear.
    void flush() {
        if (pendingCount > 0) {
            out.push_back(static_cast<char>(pending & 0xFF));
        }
        pending = 0;
        pendingCount = 0;
    }

  private:
    std::string& out;
    std::uint64_t pending = 0;
    int pendingCount = 0;
};

// Codes from a Huffman tree over the byte frequencies; a lone symbol gets the one-bit code 0.
// With at most 256 leaves the tree has at most 511 nodes. A code of length L needs at least
// Fibonacci(L + 2) input bytes, so inputs below 2^31 bytes give codes of at most 45 bits.
std::array<Code, 256> buildCodes(const std::array<std::uint64_t, 256>& frequency) {
    struct TreeNode {
        int zero = -1;
        int one = -1;
        int symbol = -1;
    };
    std::vector<TreeNode> nodes;
    using Entry = std::pair<std::uint64_t, int>; // weight, node index: ties break by creation
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    for (int symbol = 0; symbol < 256; ++symbol) {
        if (frequency[symbol] != 0) {
            queue.push({frequency[symbol], static_cast<int>(nodes.size())});
            nodes.push_back({-1, -1, symbol});
        }
    }
    std::array<Code, 256> codes{};
    if (nodes.size() == 1) {
        codes[nodes[0].symbol] = Code{0, 1};
        return codes;
    }
    while (queue.size() > 1) {
        const Entry first = queue.top();
        queue.pop();
        const Entry second = queue.top();
        queue.pop();
        queue.push({first.first + second.first, static_cast<int>(nodes.size())});
        nodes.push_back({first.second, second.second, -1});
    }
    // Walk down from the root, which is the last node made.
    std::vector<std::pair<int, Code>> pending{{static_cast<int>(nodes.size()) - 1, Code{}}};
    while (!pending.empty()) {
        const auto [index, path] = pending.back();
        pending.pop_back();
        const TreeNode& node = nodes[index];
        if (node.symbol >= 0) {
            codes[node.symbol] = path;
            continue;
        }
        pending.push_back({node.zero, Code{path.bits, path.length + 1}});
        pending.push_back(
            {node.one, Code{path.bits | (std::uint64_t{1} << path.length), path.length + 1}});
    }
    return codes;
}

void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::optional<std::string> encodePack(const std::string& plain, PackMethod method) {
    std::string out;
    out.push_back(static_cast<char>(kSignature0));
    out.push_back(static_cast<char>(kSignature1));
    if (method == PackMethod::Stored || plain.empty()) {
        out.push_back(static_cast<char>(kMethodStored));
        out.push_back(static_cast<char>(kSignature3));
        out += plain;
        return out;
    }
    if (plain.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    out.push_back(static_cast<char>(kMethodHuffman));
    out.push_back(static_cast<char>(kSignature3));

    std::array<std::uint64_t, 256> frequency{};
    unsigned char checksum = 0;
    for (const char c : plain) {
        const auto byte = static_cast<unsigned char>(c);
        ++frequency[byte];
        checksum ^= byte;
    }
    const std::array<Code, 256> codes = buildCodes(frequency);

    out.push_back(static_cast<char>(checksum));
    appendLittleEndian(out, static_cast<std::uint32_t>(plain.size()), 4);
    int symbolCount = 0;
    for (const Code& code : codes) {
        symbolCount += code.length != 0 ? 1 : 0;
    }
    appendLittleEndian(out, static_cast<std::uint32_t>(symbolCount), 2);
    for (int symbol = 0; symbol < 256; ++symbol) {
        if (codes[symbol].length != 0) {
            out.push_back(static_cast<char>(symbol));
            out.push_back(static_cast<char>(codes[symbol].length));
        }
    }
    BitWriter writer(out);
    for (const Code& code : codes) {
        writer.put(code);
    }
    writer.flush();
    for (const char c : plain) {
        writer.put(codes[static_cast<unsigned char>(c)]);
    }
    writer.flush();
    return out;
}

namespace {

// Windows-1252 bytes 0x80 to 0x9F and the code points they stand for (0: unassigned).
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char windows1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == codePoint && codePoint != 0) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// UTF-8 text in Windows-1252: the sources are edited as UTF-8, the program reads 8-bit text.
// Bytes that are not well-formed UTF-8 are taken as Windows-1252 already.
std::string toWindows1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        char32_t codePoint = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool wellFormed = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; wellFormed && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (!wellFormed) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        out += length == 1 ? static_cast<char>(lead) : windows1252(codePoint);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace

std::string shippedText(const std::string& utf8Source) {
    const std::string source = toWindows1252(utf8Source);
    std::string out;
    out.reserve(source.size() + source.size() / 16);
    std::size_t start = 0;
    while (start < source.size()) {
        const std::size_t newline = source.find('\n', start);
        const bool ended = newline != std::string::npos;
        std::size_t end = ended ? newline : source.size();
        const std::size_t next = ended ? newline + 1 : source.size();
        if (ended && end > start && source[end - 1] == '\r') {
            --end;
        }
        if (source[start] != '#') {
            out.append(source, start, end - start);
            if (ended) {
                out += "\r\n";
            }
        }
        start = next;
    }
    return out;
}

} // namespace packs
