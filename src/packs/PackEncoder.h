// Producing encoded-file containers and the shipped text they hold; used by the build's encoder
// tool and by tests, never by the program itself.
#pragma once

#include <optional>
#include <string>

namespace packs {

// How a container holds its data.
enum class PackMethod { Huffman, Stored };

// A container that decodes to `plain`. Empty input is always stored, because a Huffman container
// with decoded length 0 decodes to itself. Nothing when `plain` is too long for the 32-bit
// length field of a Huffman container.
std::optional<std::string> encodePack(const std::string& plain, PackMethod method);

// The shipped form of a data source: UTF-8 becomes Windows-1252 (a character it lacks becomes
// "?"), lines whose first character is '#' are dropped and every line end (LF or CR LF) becomes
// CR LF; a last line without a line end keeps none.
std::string shippedText(const std::string& utf8Source);

} // namespace packs
