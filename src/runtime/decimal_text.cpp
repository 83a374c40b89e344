// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "decimal_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qvd {

#if QVD_FLOAT_CHARCONV

char* writeScientific(char* first, char* last, double x, int precision)
{
    return std::to_chars(first, last, x, std::chars_format::scientific, precision).ptr;
}

DecimalReading readDecimal(const char* first, const char* last)
{
    DecimalReading reading;
    const auto [end, error] = std::from_chars(first, last, reading.value);
    reading.end = end;
    reading.error = error;
    return reading;
}

#else

char* writeScientific(char* first, char* last, double x, int precision)
{
    return writeScientificWithPrintf(first, last, x, precision);
}

DecimalReading readDecimal(const char* first, const char* last) { return readDecimalWithStrtod(first, last); }

#endif

char* writeScientificWithPrintf(char* first, char* last, double x, int precision)
{
    // printf's %e rounds the exact binary value correctly, as to_chars does.
    const int length = std::snprintf(first, static_cast<std::size_t>(last - first), "%.*e", precision, x);
    return first + std::clamp<std::ptrdiff_t>(length, 0, last - first - 1);
}

DecimalReading readDecimalWithStrtod(const char* first, const char* last)
{
    const std::string text(first, last); // strtod needs the end marked
    char* stop = nullptr;
    errno = 0;
    DecimalReading reading;
    reading.value = std::strtod(text.c_str(), &stop);
    reading.end = first + (stop - text.c_str());
    if (stop == text.c_str())
        reading.error = std::errc::invalid_argument;
    // strtod reports ERANGE for subnormal results too; from_chars only where
    // the value lies beyond the double range (infinite, or 0 from non-zero digits).
    else if (errno == ERANGE && (std::isinf(reading.value) || reading.value == 0.0))
        reading.error = std::errc::result_out_of_range;
    return reading;
}

} // namespace qvd
