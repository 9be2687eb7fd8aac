// DOS date and time fields (as cabinets keep them) and the platform's local time.
#pragma once

#include "platform/System.h"

#include <cstdint>

namespace platform::detail {

// The local time a DOS date and time stand for.
inline LocalTime fromDosTime(std::uint16_t date, std::uint16_t time) {
    LocalTime local;
    local.year = 1980 + (date >> 9);
    local.month = (date >> 5) & 0x0F;
    local.day = date & 0x1F;
    local.hour = time >> 11;
    local.minute = (time >> 5) & 0x3F;
    local.second = (time & 0x1F) * 2;
    return local;
}

// The DOS date and time of `local` (seconds rounded down to even).
inline void toDosTime(const LocalTime& local, std::uint16_t& date, std::uint16_t& time) {
    date = static_cast<std::uint16_t>(((local.year - 1980) & 0x7F) << 9 |
                                      (local.month & 0x0F) << 5 | (local.day & 0x1F));
    time = static_cast<std::uint16_t>((local.hour & 0x1F) << 11 | (local.minute & 0x3F) << 5 |
                                      ((local.second / 2) & 0x1F));
}

} // namespace platform::detail
