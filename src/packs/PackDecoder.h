// Decoding an encoded-file container held in memory; no file or platform access.
#pragma once

#include "packs/PackError.h"

#include <cstdint>
#include <functional>
#include <string>

namespace packs {

// Receives each progress percentage (0 to 100) when it differs from the one before.
using ProgressSink = std::function<void(int percent)>;

// Decodes the container `data` in place: on Ok, `data` holds the decoded bytes (a stored
// container's data, or `data` unchanged when the decoded length is 0); on any other status `data`
// is left exactly as it was. `progress` may be empty.
DecodeStatus decodeBuffer(std::string& data, const ProgressSink& progress);

// `numerator` / `denominator` rounded to the nearest integer, halves to even; both >= 0,
// `denominator` > 0.
std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator);

} // namespace packs
