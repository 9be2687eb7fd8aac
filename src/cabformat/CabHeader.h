// The cabinet file format: the fixed records, their sizes and flags, and the block checksum.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cabformat {

// "MSCF", the first four bytes of every cabinet.
constexpr std::uint8_t kSignature[4] = {'M', 'S', 'C', 'F'};
constexpr std::uint8_t kVersionMinor = 3;
constexpr std::uint8_t kVersionMajor = 1;

// Record sizes without their variable parts.
constexpr std::size_t kHeaderSize = 36;    // CFHEADER without the reserve fields
constexpr std::size_t kFolderSize = 8;     // CFFOLDER without its reserve
constexpr std::size_t kFileSize = 16;      // CFFILE before its NUL-terminated name
constexpr std::size_t kDataHeaderSize = 8; // CFDATA before its bytes

// CFHEADER flags.
constexpr std::uint16_t kFlagPreviousCabinet = 0x0001;
constexpr std::uint16_t kFlagNextCabinet = 0x0002;
constexpr std::uint16_t kFlagReservePresent = 0x0004;

// CFFOLDER compression types (the low four bits; LZX and Quantum keep their window above).
constexpr std::uint16_t kCompressNone = 0;
constexpr std::uint16_t kCompressMszip = 1;

// CFFILE attribute bits; the first four are the Windows file attributes of the same value.
constexpr std::uint16_t kAttribReadOnly = 0x01;
constexpr std::uint16_t kAttribHidden = 0x02;
constexpr std::uint16_t kAttribSystem = 0x04;
constexpr std::uint16_t kAttribArchive = 0x20;
constexpr std::uint16_t kAttribExecute = 0x40;
constexpr std::uint16_t kAttribNameIsUtf = 0x80;

// Uncompressed bytes of one CFDATA block at most (also MSZIP's history window).
constexpr std::size_t kBlockSize = 0x8000;
// MSZIP puts "CK" before the deflate data of each block.
constexpr std::uint8_t kMszipMarker[2] = {'C', 'K'};

// Most files and name bytes a cabinet can describe.
constexpr std::size_t kMaxFiles = 0xFFFF;
constexpr std::size_t kMaxNameLength = 255;
// Most uncompressed bytes in one folder: as many full blocks as its 16-bit block count allows.
constexpr std::uint64_t kMaxFolderBytes = 0xFFFF * kBlockSize;

// The CFDATA checksum: 32-bit little-endian words exclusive-or'ed into `seed`, the tail bytes
// taken in the cabinet format's own order. A block's checksum is this over its 4 size bytes,
// seeded with this over its data (seed 0).
std::uint32_t checksum(const std::uint8_t* bytes, std::size_t count, std::uint32_t seed);

// DOS date and time as CFFILE keeps them.
std::uint16_t dosDate(int year, int month, int day);
std::uint16_t dosTime(int hour, int minute, int second);

} // namespace cabformat
