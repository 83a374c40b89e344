// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/audience_file.h"

#include <algorithm>

namespace qvd {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

const NumberFormat kFileFormat{"."};

// `text` with "." as the separator replaced by `separator`.
std::string withSeparator(std::string text, std::string_view separator)
{
    const std::size_t at = text.find('.');
    if (at != std::string::npos)
        text.replace(at, 1, separator);
    return text;
}

// A room length's canonical text, with `separator` read and "." written.
std::optional<std::string> canonical(std::string_view text, std::string_view separator)
{
    const std::optional<RoomLength> length = readRoomLength(text, separator);
    if (!length)
        return std::nullopt;
    return length->canonical;
}

std::optional<std::string> canonicalLines(std::string_view text)
{
    const AudienceReading reading = readAudience(
        {ViewingRule::Analytical, "1", {}, std::string(text), {}, {}}, UnitSystem::Centimetres, "", kFileFormat);
    if (!reading.query)
        return std::nullopt;
    return std::to_string(reading.query->resolution);
}

// The canonical form of a setting that reads with `format`.
std::optional<AudienceSetting> canonicalSetting(const AudienceSetting& audience, const NumberFormat& format)
{
    if (!readAudience(audience, UnitSystem::Centimetres, "", format).query)
        return std::nullopt;
    const std::string_view separator = format.decimalSeparator;
    AudienceSetting kept;
    kept.rule = audience.rule;
    kept.farthest = *canonical(audience.farthest, separator);
    if (audience.rule == ViewingRule::Basic)
        kept.elementHeight = *canonical(audience.elementHeight, separator);
    else
        kept.resolution = *canonicalLines(audience.resolution);
    // Blank optional texts read as not given.
    if (audience.screenBottom)
        kept.screenBottom = canonical(*audience.screenBottom, separator);
    if (audience.eyeHeight)
        kept.eyeHeight = canonical(*audience.eyeHeight, separator);
    return kept;
}

} // namespace

AudienceFileReading audienceFromJson(const Json& value)
{
    const auto refused = [](std::string_view member, std::string_view rule, const Json& given) {
        return AudienceFileReading{std::nullopt,
            "\"audience." + std::string(member) + "\" must be " + std::string(rule) + ", not " + given.dump()};
    };
    if (!value.is_object())
        return {std::nullopt, "\"audience\" must be an object, not " + value.dump()};
    const auto text = [&](std::string_view member) -> const Json* {
        const auto found = value.find(member);
        return found == value.end() ? nullptr : &*found;
    };
    const std::string lengthRule
        = "a number written as text with \".\" and " + roomLengthDigits() + ", such as \"250.5\"";

    AudienceSetting audience;
    const Json* rule = text("rule");
    if (!rule)
        return {std::nullopt, "\"audience.rule\" is missing"};
    const std::optional<ViewingRule> named = rule->is_string() ? ruleFromName(rule->get<std::string>()) : std::nullopt;
    if (!named)
        return refused("rule", "\"basic\" or \"analytical\"", *rule);
    audience.rule = *named;

    struct Field {
        std::string_view member;
        std::string AudienceSetting::*text;
        std::string rule;
    };
    const std::string shareRule = "a number written as text with \".\" from "
        + FormatGeneral(kMinElementHeight, kFileFormat) + " to " + FormatGeneral(kMaxElementHeight, kFileFormat)
        + ", with at most 2 decimals, such as \"3.5\"";
    const Field figure = audience.rule == ViewingRule::Basic
        ? Field{"element_height", &AudienceSetting::elementHeight, shareRule}
        : Field{"resolution", &AudienceSetting::resolution,
            "a whole number from " + std::to_string(kMinResolution) + " to " + std::to_string(kMaxResolution)};
    for (const Field& field :
        {Field{"farthest", &AudienceSetting::farthest, lengthRule + ", greater than 0"}, figure}) {
        const Json* given = text(field.member);
        if (!given)
            return {std::nullopt, "\"audience." + std::string(field.member) + "\" is missing"};
        if (field.text == &AudienceSetting::resolution) {
            if (!given->is_number_unsigned())
                return refused(field.member, field.rule, *given);
            audience.resolution = std::to_string(given->get<std::uint64_t>());
        } else {
            if (!given->is_string())
                return refused(field.member, field.rule, *given);
            audience.*field.text = given->get<std::string>();
        }
    }
    for (const auto& [member, length] : {std::pair{"screen_bottom", &AudienceSetting::screenBottom},
             std::pair{"eye_height", &AudienceSetting::eyeHeight}}) {
        const Json* given = text(member);
        if (!given)
            continue;
        if (!given->is_string())
            return refused(member, lengthRule, *given);
        audience.*length = given->get<std::string>();
    }

    // Each figure on its own, so that the message names the member.
    const AudienceReading reading = readAudience(audience, UnitSystem::Centimetres, "", kFileFormat);
    if (!reading.query) {
        const std::string& problem = reading.problem;
        const auto names = [&](std::string_view field) { return problem.starts_with(field); };
        if (names(kFarthestName))
            return refused("farthest", lengthRule + ", greater than 0", *text("farthest"));
        if (names(kElementHeightName))
            return refused("element_height", shareRule, *text("element_height"));
        if (names(kResolutionName))
            return refused("resolution", figure.rule, *text("resolution"));
        if (names(kScreenBottomName))
            return refused("screen_bottom", lengthRule + ", 0 or more", *text("screen_bottom"));
        return refused("eye_height", lengthRule + ", greater than 0", *text("eye_height"));
    }
    // Only canonical texts are kept, so that what is read is written back alike.
    return {canonicalSetting(audience, kFileFormat), {}};
}

OrderedJson audienceJson(const AudienceSetting& audience)
{
    OrderedJson member;
    member["rule"] = ruleName(audience.rule);
    member["farthest"] = audience.farthest;
    if (audience.rule == ViewingRule::Basic)
        member["element_height"] = audience.elementHeight;
    else
        member["resolution"] = std::stoi(audience.resolution);
    if (audience.screenBottom)
        member["screen_bottom"] = *audience.screenBottom;
    if (audience.eyeHeight)
        member["eye_height"] = *audience.eyeHeight;
    return member;
}

std::optional<AudienceSetting> audienceForFile(const AudienceSetting& audience, const NumberFormat& format)
{
    return canonicalSetting(audience, format);
}

AudienceSetting audienceForWindow(const AudienceSetting& audience, const NumberFormat& format)
{
    AudienceSetting shown = audience;
    const std::string_view separator = format.decimalSeparator;
    shown.farthest = withSeparator(shown.farthest, separator);
    shown.elementHeight = withSeparator(shown.elementHeight, separator);
    if (shown.screenBottom)
        shown.screenBottom = withSeparator(*shown.screenBottom, separator);
    if (shown.eyeHeight)
        shown.eyeHeight = withSeparator(*shown.eyeHeight, separator);
    return shown;
}

} // namespace qvd
