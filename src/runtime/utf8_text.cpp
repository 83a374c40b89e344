// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "runtime/utf8_text.h"

#include <algorithm>

namespace qvd {

Utf8Character utf8CharacterAt(std::string_view text)
{
    if (text.empty())
        return {};
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {1, lead};
    std::size_t length = 0;
    char32_t code = 0;
    // The second byte's range rules out overlong forms, surrogates and
    // anything above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {};
    }
    if (text.size() < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if (byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xBF))
            return {};
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    return {length, code};
}

std::size_t codePointCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::vector<std::string> textWords(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    std::vector<std::string> words;
    for (std::size_t start = text.find_first_not_of(kBlanks); start != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(kBlanks, start), text.size());
        words.emplace_back(text.substr(start, end - start));
        start = text.find_first_not_of(kBlanks, end);
    }
    return words;
}

std::string escapedControls(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const Utf8Character character = utf8CharacterAt(text);
        const char32_t code = character.code;
        const bool control = code < 0x20 || code == 0x7F || (code >= 0x80 && code <= 0x9F);
        if (character.length == 0 || control) {
            const auto byte = static_cast<unsigned char>(text.front());
            result += "\\x";
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0Fu];
            text.remove_prefix(1);
            continue;
        }
        if (text.front() == '\\')
            result += '\\';
        result.append(text.substr(0, character.length));
        text.remove_prefix(character.length);
    }
    return result;
}

} // namespace qvd
