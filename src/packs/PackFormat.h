// Layout of the encoded-file container shared by the decoder and the encoder.
#pragma once

#include <cstddef>

namespace packs {

// Signature bytes at offsets 0, 1 and 3; offset 2 holds the method.
constexpr unsigned char kSignature0 = 0x48; // 'H'
constexpr unsigned char kSignature1 = 0x45; // 'E'
constexpr unsigned char kSignature3 = 0x0D;

// Method byte: Huffman-coded data or the plain data stored from offset 4 on.
constexpr unsigned char kMethodHuffman = 0x33; // '3'
constexpr unsigned char kMethodStored = 0x30;  // '0'

constexpr std::size_t kOffsetMethod = 2;
constexpr std::size_t kOffsetChecksum = 4;
constexpr std::size_t kOffsetLength = 5;      // signed 32-bit, little-endian
constexpr std::size_t kOffsetSymbolCount = 9; // signed 16-bit, little-endian
constexpr std::size_t kOffsetSymbolTable = 11;
constexpr std::size_t kStoredDataOffset = 4;

// The decoding tree has room for this many nodes (indices 0 to 511, node 0 the root).
constexpr int kMaxTreeNodes = 512;

// Progress is checked after every this many input bytes, and at every this many output bytes.
constexpr std::size_t kProgressStep = 10000;

} // namespace packs
