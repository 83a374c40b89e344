// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The checks every member of a job file goes through, for the job's schema
// (job_file.cpp) and the window it keeps (job_window.cpp) alike: a member
// that is missing, of the wrong type or off its range is refused with a
// message naming it by its path ("size.value") and what it takes. Private
// to ui/job.

#include "ui/job/job_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qvd::job_json {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr std::string_view kSizingNames[] = {"width", "height", "diagonal"}; // by Sizing

// A failed check: the reason the job is refused.
struct Refusal {
    JobError error;
};

[[noreturn]] void refuse(JobErrorKind kind, std::string message);

[[nodiscard]] std::string inQuotes(std::string_view text);

template <typename Enum, std::size_t N> std::string_view nameOf(const std::string_view (&names)[N], Enum value)
{
    return names[static_cast<std::size_t>(value)];
}

// "\"in\" or \"cm\"", "\"width\", \"height\" or \"diagonal\"".
template <std::size_t N> std::string choices(const std::string_view (&names)[N])
{
    std::string text;
    for (std::size_t i = 0; i < N; ++i)
        text += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + inQuotes(names[i]);
    return text;
}

// The member `key` of `object`, whose path is `path`.
[[nodiscard]] const Json& member(const Json& object, std::string_view path, std::string_view key);
// The value when it is a whole number; one beyond 64 bits reads as the
// largest, so that it is off every range rather than wrapping into one.
[[nodiscard]] std::optional<std::int64_t> wholeOf(const Json& value);
// A whole number from `min` to `max`; `where` ends the rule ("for the width bar").
[[nodiscard]] int wholeNumber(const Json& value, std::string_view path, int min, int max, std::string_view where = {});
[[nodiscard]] const std::string& text(const Json& value, std::string_view path);
// `value` when it is an object; used as a check, its answer may be left.
const Json& object(const Json& value, std::string_view path);

// The enumerator whose name `value` is, `names` being in the enum's order.
template <typename Enum, std::size_t N>
Enum oneOf(const Json& value, std::string_view path, const std::string_view (&names)[N])
{
    const auto refusal = [&] {
        refuse(JobErrorKind::Member, inQuotes(path) + " must be " + choices(names) + ", not " + value.dump());
    };
    if (!value.is_string())
        refusal();
    const auto& name = value.get_ref<const std::string&>();
    const auto found = std::find(std::begin(names), std::end(names), name);
    if (found == std::end(names))
        refusal();
    return static_cast<Enum>(found - std::begin(names));
}

} // namespace qvd::job_json
