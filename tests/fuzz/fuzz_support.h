// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/caption_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qvd::fuzz {

// The decimal separators a user may have: a period, a comma, and the
// Arabic one of two bytes.
inline const NumberFormat kFormats[] = {NumberFormat{"."}, NumberFormat{","}, NumberFormat{"\xd9\xab"}};

// The first byte chooses the decimal separator, the rest is the text.
inline NumberFormat formatFrom(const std::uint8_t*& data, std::size_t& size)
{
    if (size == 0)
        return kFormats[0];
    const NumberFormat& format = kFormats[data[0] % 3];
    ++data;
    --size;
    return format;
}

inline std::string_view textOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the fuzzer on a broken property.
inline void require(bool holds)
{
    if (!holds)
        __builtin_trap();
}

} // namespace qvd::fuzz
