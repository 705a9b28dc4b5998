#include "core/show/CommentFit.h"
#include "core/text/TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gf {
namespace {

// 10 twips a character; counts what it is asked to measure.
struct Ruler {
    mutable std::size_t calls = 0, bytes = 0;
    TextWidth width() const {
        return [this](std::string_view s) {
            ++calls;
            bytes += s.size();
            std::int32_t chars = 0;
            for (char c : s)
                chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            return chars * 10;
        };
    }
};

std::string Fit(std::string_view text, std::int32_t width, std::int32_t lines, bool caret = false) {
    Ruler r;
    return FitComment(text, caret, {width, lines}, r.width());
}

TEST(CommentFit, BreaksAtCaretsLineEndsWordsAndCharacters) {
    // What fits stays as it was, its closing break included.
    EXPECT_EQ(Fit("a^b\r\n", 1000, 10, true), "a\r\nb\r\n");
    EXPECT_EQ(Fit("a^b", 1000, 10, false), "a^b");
    EXPECT_EQ(Fit("Cannot open x.jpg", 1000, 10), "Cannot open x.jpg");
    EXPECT_EQ(Fit("a\r\n\r\nb\nc\r\n", 1000, 10), "a\r\n\r\nb\r\nc\r\n");
    // Between words where a line is full; blanks inside a line stay, at a break they go.
    EXPECT_EQ(Fit("aaa bbb  cc ddd", 75, 10), "aaa bbb\r\ncc ddd");
    EXPECT_EQ(Fit("  aaa      bbb", 60, 10), "aaa\r\nbbb");
    // A word wider than a line is broken between characters, never inside one.
    EXPECT_EQ(Fit("x abcdefghij", 45, 10), "x\r\nabcd\r\nefgh\r\nij");
    const auto accents = Fit("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 25, 10);
    EXPECT_EQ(accents, "\xC3\xA9\xC3\xA9\r\n\xC3\xA9\xC3\xA9\r\n\xC3\xA9");
    // A character wider than the whole room still shows, one to a line.
    EXPECT_EQ(Fit("ab", 5, 10), "a\r\nb");
}

TEST(CommentFit, WhatDoesNotFitTheScreenIsLeftOutWithAnEllipsis) {
    EXPECT_EQ(Fit("one^two^three", 1000, 2, true), "one\r\ntwo\xE2\x80\xA6");
    // The ellipsis takes the place of what no longer fits beside it.
    EXPECT_EQ(Fit("abcdefgh ij", 80, 1), "abcdefg\xE2\x80\xA6");
    // Nothing is cut when only blanks and breaks follow the last line.
    EXPECT_EQ(Fit("one\r\ntwo\r\n\r\n  \r\n", 1000, 2), "one\r\ntwo\r\n");
    EXPECT_EQ(Fit("^^^^^", 1000, 2, true), "\r\n\r\n");
}

// A 10 MB template held the show for minutes: the label measured the text after every word.
// Now each word is measured once and the text beyond the screen is not looked at.
TEST(CommentFit, AHugeCommentCostsNoMoreThanAScreenful) {
    std::string words, word(2'000'000, 'w'), lines, blanks(2'000'000, ' ');
    for (int i = 0; words.size() < 2'000'000; ++i)
        words += "word" + std::to_string(i % 100) + (i % 7 ? " " : "\r\n");
    for (int i = 0; lines.size() < 2'000'000; ++i)
        lines += "x^";
    blanks += "end";
    for (const std::string* text : {&words, &word, &lines, &blanks}) {
        Ruler r;
        const auto shown = FitComment(*text, true, {1920 * 15, 50}, r.width());
        EXPECT_LE(shown.size(), 50u * (1920 * 15 / 10 + 2));
        EXPECT_TRUE(IsValidUtf8(shown));
        EXPECT_LT(r.calls, 50u * 400);
        EXPECT_LT(r.bytes, 50u * 8 * 1024);
    }
}

TEST(CommentLines, SplitAtLineEndsWithNoEmptyLineAfterTheClosingBreak) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(CommentLines(""), Lines{""});
    EXPECT_EQ(CommentLines("one\r\n"), Lines{"one"});
    EXPECT_EQ(CommentLines("one\r\ntwo"), (Lines{"one", "two"}));
    EXPECT_EQ(CommentLines("one\r\n\r\n"), (Lines{"one", ""}));
    // A lone CR or LF is no line end.
    EXPECT_EQ(CommentLines("a\rb\nc"), Lines{"a\rb\nc"});
}

} // namespace
} // namespace gf
