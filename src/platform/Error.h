// Win32 error codes as the platform layer reports them; every operation returns one instead of
// throwing.
#pragma once

#include <cstdint>

namespace platform {

// A Win32 error code; kOk means success.
using Error = std::uint32_t;

constexpr Error kOk = 0;
constexpr Error kErrorFileNotFound = 2;
constexpr Error kErrorPathNotFound = 3;
constexpr Error kErrorAccessDenied = 5;
constexpr Error kErrorInvalidHandle = 6;
constexpr Error kErrorNoMoreFiles = 18;
constexpr Error kErrorSharingViolation = 32;
constexpr Error kErrorFileExists = 80;
constexpr Error kErrorInvalidParameter = 87;
constexpr Error kErrorInvalidName = 123;
constexpr Error kErrorDirNotEmpty = 145;
constexpr Error kErrorBadPathName = 161;
constexpr Error kErrorAlreadyExists = 183;
constexpr Error kErrorMoreData = 234;
constexpr Error kErrorNoMoreItems = 259;
constexpr Error kErrorKeyDeleted = 1018;

} // namespace platform
