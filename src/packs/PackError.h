// The errors the decoder reports: VB-style numbers, source texts and language text ids.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <functional>
#include <string>

namespace packs {

// The base of object-defined error numbers (0x80040000), carried by the decoder's own errors.
constexpr std::int32_t kObjectError = -2147221504;
// The runtime error number of an array index outside its bounds.
constexpr std::int32_t kSubscriptOutOfRange = 9;
// The runtime error numbers of failing file services.
constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kPermissionDenied = 70;
constexpr std::int32_t kPathFileAccessError = 75;
constexpr std::int32_t kPathNotFound = 76;

// Outcome of decoding a buffer; everything but Ok leaves the buffer as it was.
enum class DecodeStatus {
    Ok,
    BadMethod,   // signature present, method neither stored nor Huffman
    BadChecksum, // the decoded bytes do not match the header's checksum
    OutOfRange,  // malformed input: a field past the end, a missing child, too many nodes
};

// One raised error. `descriptionId` names the language text of the description; it is empty for
// runtime errors, whose description is fixed.
struct PackError {
    std::int32_t number = 0;
    std::string source;
    std::string descriptionId;
    std::string description;
};

// The error for a failed decode; `status` must not be Ok. The description is looked up.
PackError errorFor(DecodeStatus status);

// The error of a source file that does not exist ("0320"), description looked up.
PackError sourceMissingError();

// The runtime error of a file service that failed with the platform error `error`.
PackError fileAccessError(platform::Error error);

// Installs the lookup that turns a text id into its description (the language subsystem's);
// until one is installed, or after an empty one, descriptions are empty.
void setDescriptionLookup(std::function<std::string(const std::string& id)> lookup);

} // namespace packs
