// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "runtime/utf8_text.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qvd {
namespace {

// The words are those a stream reads from the text in the C locale, for any
// mix of blanks, words and UTF-8 bytes.
TEST(TextWords, AreTheWordsAStreamReads)
{
    const std::string pieces[] = {" ", "\t", "\n", "\r\n", "\v", "\f", "a", "Ulmo", "1.5", "\xc3\xa9t\xc3\xa9", "--"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    for (int run = 0; run < 500; ++run) {
        std::string text;
        for (int count = run % 12; count > 0; --count)
            text += pieces[piece(random)];
        std::vector<std::string> streamed;
        std::istringstream stream(text);
        for (std::string word; stream >> word;)
            streamed.push_back(word);
        EXPECT_EQ(textWords(text), streamed) << '"' << escapedControls(text) << '"';
    }
}

} // namespace
} // namespace qvd
