// How Windows compares versions in VerifyVersionInfo: the comparison codes, and a version's fields
// compared one after the other.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace winrules {

// True when `actual` compares with `wanted` as the code `comparison` says: 1 equal, 2 greater,
// 3 greater or equal, 4 less, 5 less or equal; false for any other code.
bool compareVersionNumbers(std::int64_t actual, std::int64_t wanted, int comparison);

// Compares a version field after field: each pair is the actual and the wanted value, a wanted
// value below 0 is not compared. The first field given whose values differ decides; when all are
// equal the result is that of equal numbers.
bool compareVersionFields(const std::vector<std::pair<std::int64_t, std::int64_t>>& fields,
                          int comparison);

} // namespace winrules
