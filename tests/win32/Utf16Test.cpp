#include "windows/Utf16.h"

#include <gtest/gtest.h>
#include <string>

namespace gf {
namespace {

TEST(Utf16, RoundTripsEveryPlaneAndStopsAtTheGivenLength) {
    // ASCII, Latin-1, CJK, and a character beyond the BMP (a surrogate pair in UTF-16).
    const std::string text = "Beach \xC3\xA9t\xC3\xA9 \xE6\xB5\xB7 \xF0\x9F\x8C\x8A.jpg";
    const std::wstring wide = ToUtf16(text);
    EXPECT_EQ(wide, L"Beach \u00E9t\u00E9 \u6D77 \U0001F30A.jpg");
    EXPECT_EQ(ToUtf8(wide), text);

    // A view's length counts, not a terminating NUL: neither the NUL inside nor what follows.
    const std::string withNul("a\0b-tail", 3);
    EXPECT_EQ(ToUtf16(withNul), std::wstring(L"a\0b", 3));
    EXPECT_EQ(ToUtf8(std::wstring_view(L"xyz-tail", 3)), "xyz");

    EXPECT_EQ(ToUtf16(""), L"");
    EXPECT_EQ(ToUtf8(L""), "");
}

TEST(Utf16, BrokenInputBecomesReplacementCharacters) {
    // A stray continuation byte, a truncated sequence at the end, an overlong slash.
    EXPECT_EQ(ToUtf16("a\x80z"), L"a\uFFFDz");
    EXPECT_EQ(ToUtf16("ok\xE6\xB5"), L"ok\uFFFD");
    EXPECT_EQ(ToUtf16("\xC0\xAF").find(L'/'), std::wstring::npos);
    // An unpaired surrogate, as a Windows file name may hold one.
    const wchar_t lone[] = {L'x', static_cast<wchar_t>(0xD800), L'y'};
    EXPECT_EQ(ToUtf8(std::wstring_view(lone, 3)), "x\xEF\xBF\xBDy");
}

TEST(Utf16, TextLongerThanOneCallIsConvertedInPiecesWithoutCuttingACharacter) {
    // Four-byte characters (surrogate pairs) at every offset against pieces of 4 to 6 bytes and 2
    // to 4 UTF-16 units: a cut inside a character would show as U+FFFD.
    const std::string text = "a\xF0\x9F\x8C\x8A\xC3\xA9"
                             "bc\xF0\x9F\x8C\x8A\xE6\xB5\xB7"
                             "d\xF0\x9F\x8C\x8A";
    const std::wstring wide = ToUtf16(text);
    for (std::size_t piece = 4; piece <= 6; ++piece) {
        EXPECT_EQ(ToUtf16(text, piece), wide) << piece;
        EXPECT_EQ(ToUtf8(wide, piece - 2), text) << piece - 2;
    }
    // Broken input stays broken the same way, whatever the pieces.
    EXPECT_EQ(ToUtf16("a\x80\x80\x80\x80\x80z", 4), ToUtf16("a\x80\x80\x80\x80\x80z"));
}

} // namespace
} // namespace gf
