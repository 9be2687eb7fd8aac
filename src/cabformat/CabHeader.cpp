// The cabinet format's block checksum and DOS date and time fields.
#include "cabformat/CabHeader.h"

namespace cabformat {

std::uint32_t checksum(const std::uint8_t* bytes, std::size_t count, std::uint32_t seed) {
    std::uint32_t sum = seed;
    std::size_t words = count / 4;
    for (; words > 0; --words, bytes += 4) {
        sum ^= static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
               static_cast<std::uint32_t>(bytes[2]) << 16 |
               static_cast<std::uint32_t>(bytes[3]) << 24;
    }
    // The tail is not read as a little-endian word: its first byte lands highest.
    std::uint32_t tail = 0;
    switch (count % 4) {
    case 3:
        tail |= static_cast<std::uint32_t>(*bytes++) << 16;
        [[fallthrough]];
    case 2:
        tail |= static_cast<std::uint32_t>(*bytes++) << 8;
        [[fallthrough]];
    case 1:
        tail |= *bytes;
        break;
    default:
        break;
    }
    return sum ^ tail;
}

std::uint16_t dosDate(int year, int month, int day) {
    return static_cast<std::uint16_t>(((year - 1980) & 0x7F) << 9 | (month & 0x0F) << 5 |
                                      (day & 0x1F));
}

std::uint16_t dosTime(int hour, int minute, int second) {
    return static_cast<std::uint16_t>((hour & 0x1F) << 11 | (minute & 0x3F) << 5 |
                                      ((second / 2) & 0x1F));
}

} // namespace cabformat
