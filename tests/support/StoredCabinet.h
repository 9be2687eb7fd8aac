// Cabinets the tests make byte by byte: stored (uncompressed) blocks, any names, damage on
// purpose. Block checksums are left 0, which tells readers that none was computed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// One file of a made cabinet; the defaults stand for 4 August 2004, 12:00:00, archive bit.
struct StoredFile {
    std::string name;
    std::string bytes;
    std::uint16_t attributes = 0x20;
    std::uint16_t date = 0x3104;
    std::uint16_t time = 0x6000;
};

inline void put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

inline void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A single-folder cabinet holding `files` uncompressed, in this order; with `next`, the first of
// a set whose next cabinet has that name.
inline std::string storedCabinet(const std::vector<StoredFile>& files,
                                 const std::string& next = "") {
    const std::size_t kBlock = 0x8000;
    std::string all;
    std::string records;
    for (const StoredFile& file : files) {
        put32(records, static_cast<std::uint32_t>(file.bytes.size()));
        put32(records, static_cast<std::uint32_t>(all.size()));
        put16(records, 0);
        put16(records, file.date);
        put16(records, file.time);
        put16(records, file.attributes);
        records += file.name;
        records.push_back('\0');
        all += file.bytes;
    }
    std::string blocks;
    std::uint32_t count = 0;
    for (std::size_t at = 0; at < all.size(); at += kBlock, ++count) {
        const std::string piece = all.substr(at, kBlock);
        put32(blocks, 0);
        put16(blocks, static_cast<std::uint32_t>(piece.size()));
        put16(blocks, static_cast<std::uint32_t>(piece.size()));
        blocks += piece;
    }
    const std::string setNames =
        next.empty() ? "" : next + std::string(1, '\0') + "disk" + std::string(1, '\0');
    const std::uint32_t filesOffset = static_cast<std::uint32_t>(36 + setNames.size() + 8);
    const std::uint32_t dataOffset = filesOffset + static_cast<std::uint32_t>(records.size());
    std::string cabinet = "MSCF";
    put32(cabinet, 0);
    put32(cabinet, dataOffset + static_cast<std::uint32_t>(blocks.size()));
    put32(cabinet, 0);
    put32(cabinet, filesOffset);
    put32(cabinet, 0);
    cabinet += "\x03\x01";
    put16(cabinet, 1);
    put16(cabinet, static_cast<std::uint32_t>(files.size()));
    put16(cabinet, next.empty() ? 0 : 0x0002);
    put16(cabinet, 0x1234);
    put16(cabinet, 0);
    cabinet += setNames;
    put32(cabinet, dataOffset);
    put16(cabinet, count);
    put16(cabinet, 0); // stored
    return cabinet + records + blocks;
}

} // namespace testsupport
