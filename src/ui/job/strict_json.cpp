// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/strict_json.h"

#include "runtime/utf8_text.h"

#include <functional>
#include <set>
#include <vector>

namespace qvd {

namespace {

using Json = nlohmann::json;

// Where byte `offset` of `text` lies, counting characters (code points).
std::string lineAndColumn(std::string_view text, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The offset of the first byte that does not belong to well-formed UTF-8, or npos.
std::size_t invalidUtf8At(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8CharacterAt(text.substr(i)).length;
        if (length == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

// The parser's message with the token it quotes ("last read: '...'") cut to
// a short excerpt of whole characters: a token can be as long as the file,
// and a byte order mark read in part is no character.
std::string shortenedLastRead(std::string message)
{
    constexpr std::string_view kLastRead = "last read: '";
    constexpr std::size_t kMaxCharacters = 40;
    const std::size_t start = message.find(kLastRead);
    const std::size_t end = message.rfind('\'');
    if (start == std::string::npos || end == std::string::npos || end < start + kLastRead.size())
        return message;
    const std::size_t from = start + kLastRead.size();
    const std::string_view token = std::string_view(message).substr(from, end - from);
    std::string excerpt;
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < token.size() && characters < kMaxCharacters) {
        const std::size_t length = utf8CharacterAt(token.substr(i)).length;
        if (length == 0) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(token[i]);
            excerpt += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
            ++i;
        } else {
            excerpt += token.substr(i, length);
            i += length;
        }
        ++characters;
    }
    if (i < token.size())
        excerpt += "...";
    return message.substr(0, from) + excerpt + message.substr(end);
}

bool isJsonBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// How far the JSON value at the start of `text` reaches, judged by its
// brackets and strings alone: `end` lies just past its closing bracket or
// quote, or past its last character. Anything after it is not part of the
// job. The parser is given only the value, because it would take a NUL byte
// for the end of the text and never see what follows.
struct ValueExtent {
    std::size_t end = 0;
    bool tooDeep = false; // brackets nest deeper than kMaxJsonNesting
};

ValueExtent valueExtent(std::string_view text)
{
    std::size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0; // a byte order mark, which the parser skips too
    while (i < text.size() && isJsonBlank(text[i]))
        ++i;
    if (i == text.size())
        return {text.size()};
    constexpr std::string_view kStructural = "{}[],:\"";
    if (text[i] != '"' && text[i] != '{' && text[i] != '[') {
        // At least one character, a structural one or a NUL included.
        const std::size_t start = i++;
        if (kStructural.find(text[start]) != std::string_view::npos)
            return {i};
        while (i < text.size() && !isJsonBlank(text[i]) && text[i] != '\0'
            && kStructural.find(text[i]) == std::string_view::npos)
            ++i;
        return {i};
    }
    int depth = 0;
    bool inString = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxJsonNesting)
                return {text.size(), true};
        } else if (c == '}' || c == ']') {
            --depth;
        }
        if (depth == 0 && !inString)
            return {i + 1};
    }
    return {text.size()};
}

// A member given twice, by its path.
struct RepeatedMember {
    std::string path;
};

// The parser's callback that refuses a member given twice in any object,
// naming it by its path from the top ("size.value", "extra[2].name").
class RepeatedMemberCheck {
public:
    bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed)
    {
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start: {
            const std::string path = childPath();
            m_containers.push_back({event == Json::parse_event_t::object_start, path, {}, {}, 0});
            break;
        }
        case Json::parse_event_t::key: {
            Container& object = m_containers.back();
            object.key = parsed.get<std::string>();
            if (!object.keys.insert(object.key).second)
                throw RepeatedMember{childPath()};
            break;
        }
        case Json::parse_event_t::value:
            childPath(); // counts an element of an array
            break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end:
            m_containers.pop_back();
            break;
        }
        return true;
    }

private:
    struct Container {
        bool object = true;
        std::string path;
        std::set<std::string> keys; // an object's members so far
        std::string key;            // an object's latest member
        std::size_t elements = 0;   // an array's elements so far
    };

    // The path of the value that starts now in the innermost container.
    std::string childPath()
    {
        if (m_containers.empty())
            return {};
        Container& container = m_containers.back();
        if (!container.object)
            return container.path + "[" + std::to_string(container.elements++) + "]";
        return container.path.empty() ? container.key : container.path + "." + container.key;
    }

    std::vector<Container> m_containers;
};

} // namespace

StrictJson parseStrictJson(std::string_view text)
{
    StrictJson read;
    if (const std::size_t bad = invalidUtf8At(text); bad != std::string_view::npos)
        return {{}, JsonProblem::NotUtf8, lineAndColumn(text, bad), {}};
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return {{}, JsonProblem::Empty, {}, {}};
    const ValueExtent extent = valueExtent(text);
    if (extent.tooDeep)
        return {{}, JsonProblem::TooDeep, {}, {}};
    try {
        RepeatedMemberCheck repeated;
        read.value = Json::parse(text.substr(0, extent.end), std::ref(repeated));
    } catch (const RepeatedMember& member) {
        return {{}, JsonProblem::RepeatedMember, {}, member.path};
    } catch (const Json::parse_error& error) {
        // The library takes a NUL byte for the end of the text: name it instead.
        if (error.byte >= 1 && error.byte <= extent.end && text[error.byte - 1] == '\0')
            return {{}, JsonProblem::Syntax, lineAndColumn(text, error.byte - 1), "a NUL byte"};
        // The library's message names the line and column: keep them, drop its prefix.
        const std::string reason = shortenedLastRead(error.what());
        const std::size_t at = reason.find("at line ");
        if (at == std::string::npos)
            return {{}, JsonProblem::Syntax, lineAndColumn(text, error.byte), reason};
        const std::size_t colon = reason.find(": ", at);
        return {{}, JsonProblem::Syntax, reason.substr(at + 3, colon - at - 3),
            colon == std::string::npos ? std::string() : reason.substr(colon + 2)};
    } catch (const Json::exception& error) {
        const std::string reason = error.what();
        const std::size_t bracket = reason.find("] ");
        return {{}, JsonProblem::Syntax, {}, bracket == std::string::npos ? reason : reason.substr(bracket + 2)};
    }
    if (const std::size_t after = text.find_first_not_of(" \t\r\n", extent.end); after != std::string_view::npos)
        return {{}, JsonProblem::TrailingBytes, lineAndColumn(text, after), {}};
    return read;
}

} // namespace qvd
