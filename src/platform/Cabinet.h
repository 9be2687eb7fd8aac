// Reading cabinet files: listing the files inside one and extracting them into a folder.
#pragma once

#include "platform/Error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// A cabinet that cannot be read: not a cabinet, damaged, a compression the reader lacks, or a
// name inside it that may not be written below the destination (ERROR_BAD_FORMAT).
constexpr Error kErrorBadFormat = 11;
// A cabinet of a multi-volume set, or a system without a cabinet reader (ERROR_NOT_SUPPORTED).
constexpr Error kErrorNotSupported = 50;

// One file inside a cabinet.
struct CabinetEntry {
    std::string path; // path inside the cabinet, backslash-separated, in the ANSI code page
    std::uint64_t size = 0;
    std::uint16_t dosDate = 0;
    std::uint16_t dosTime = 0;
    std::uint32_t attributes = 0; // kAttrReadOnly, kAttrHidden, kAttrSystem, kAttrArchive
};

// Lists the files of the cabinet `cabinet` in the order they are stored.
Error listCabinet(const std::string& cabinet, std::vector<CabinetEntry>& entries);

// Extracts the files of `cabinet` below the existing folder `folder`: all of them, or only the
// one whose inner path equals `only` without regard to case. Inner folders are created; a file of
// the same name is replaced whatever its attributes; each file gets its date, time and
// attributes. Stops at the first file that cannot be written (or whose inner path would leave
// `folder`) with that error; `extracted` counts the files written completely.
Error extractCabinet(const std::string& cabinet, const std::string& folder, const std::string& only,
                     std::size_t& extracted);

// Unpacks every file of `cabinet` into memory, in stored order, and hands each to `visit` with
// its bytes; writes nothing. `visit` returning false stops the reading (the result is still kOk).
Error readCabinetFiles(const std::string& cabinet,
                       const std::function<bool(const CabinetEntry&, const std::string&)>& visit);

} // namespace platform
