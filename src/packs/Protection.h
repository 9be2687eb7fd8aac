// clsProtection: turns an encoded file of the program folder into a plain file.
#pragma once

#include "packs/PackDecoder.h"
#include "packs/PackError.h"

#include <optional>
#include <string>

// The decoder object each cleaning window and each language lookup creates; keeps no state
// between calls.
class clsProtection {
  public:
    // Decodes the file `sourcePath` into `destinationPath`. On success the destination is
    // replaced (read-only or hidden ones too) and holds the decoded bytes with no attributes set;
    // on any error it is left exactly as it was, or absent when it was absent.
    std::optional<packs::PackError> DecodeFile(const std::string& sourcePath,
                                               const std::string& destinationPath);

    // Decodes the first `length` bytes of `data` in place; bytes beyond them are not part of the
    // container and are dropped. On an error `data` is left as it was.
    std::optional<packs::PackError> DecodeByte(std::string& data, std::size_t length);

    // Raised with 0 to 100 while a Huffman container is decoded; may be empty.
    packs::ProgressSink Progress;
};
