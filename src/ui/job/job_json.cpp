// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/job_json.h"

#include <limits>

namespace qvd::job_json {

void refuse(JobErrorKind kind, std::string message) { throw Refusal{{kind, std::move(message)}}; }

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

const Json& member(const Json& object, std::string_view path, std::string_view key)
{
    const auto found = object.find(key);
    if (found == object.end())
        refuse(JobErrorKind::Member, inQuotes(path) + " is missing");
    return *found;
}

std::optional<std::int64_t> wholeOf(const Json& value)
{
    if (value.is_number_unsigned())
        return static_cast<std::int64_t>(
            std::min<std::uint64_t>(value.get<std::uint64_t>(), std::numeric_limits<std::int64_t>::max()));
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    return std::nullopt;
}

int wholeNumber(const Json& value, std::string_view path, int min, int max, std::string_view where)
{
    const std::string range
        = " must be a whole number from " + std::to_string(min) + " to " + std::to_string(max) + std::string(where);
    const std::optional<std::int64_t> number = wholeOf(value);
    if (!number || *number < min || *number > max)
        refuse(JobErrorKind::Member, inQuotes(path) + range + ", not " + value.dump());
    return static_cast<int>(*number);
}

const std::string& text(const Json& value, std::string_view path)
{
    if (!value.is_string())
        refuse(JobErrorKind::Member, inQuotes(path) + " must be a text, not " + value.dump());
    return value.get_ref<const std::string&>();
}

const Json& object(const Json& value, std::string_view path)
{
    if (!value.is_object())
        refuse(JobErrorKind::Member, inQuotes(path) + " must be an object, not " + value.dump());
    return value;
}

} // namespace qvd::job_json
