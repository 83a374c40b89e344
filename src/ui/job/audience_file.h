// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The audience in a job file: the optional member "audience", read and
// written here so that the job file only hands it over. Any file version
// may hold it; a file without it opens as before.
//
//   "audience": {"rule": "basic", "farthest": "1050", "element_height": "3.5",
//                "screen_bottom": "140", "eye_height": "120"}
//
// "resolution" (a whole number of lines) takes the place of "element_height"
// for the analytical rule. Lengths and the element height are texts with "."
// in the canonical form of a room length.

#include "ui/job/audience.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace qvd {

struct AudienceFileReading {
    std::optional<AudienceSetting> audience; // set when the member is valid
    std::string problem;                     // otherwise: "\"audience.rule\" must be ..."
};

// The member's value, checked whole; the setting comes back canonical.
[[nodiscard]] AudienceFileReading audienceFromJson(const nlohmann::json& value);
// The member's value for a setting in the file's canonical form.
[[nodiscard]] nlohmann::ordered_json audienceJson(const AudienceSetting& audience);

} // namespace qvd
