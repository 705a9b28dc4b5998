#include "windows/Utf16.h"

#include <algorithm>
#include <windows.h>

namespace gf {

namespace {

// Where to end a piece of at most `piece` bytes so that no character is cut: before the lead
// byte of a sequence the piece would split. A run of more than three continuation bytes is
// broken anyway and is cut where it falls.
std::size_t Utf8Cut(std::string_view s, std::size_t piece) {
    if (s.size() <= piece)
        return s.size();
    for (std::size_t end = piece; end > 0 && end + 3 >= piece; --end)
        if ((static_cast<unsigned char>(s[end]) & 0xC0) != 0x80)
            return end;
    return piece;
}

// The same for UTF-16: a surrogate pair stays whole.
std::size_t Utf16Cut(std::wstring_view s, std::size_t piece) {
    if (s.size() <= piece)
        return s.size();
    const bool high = s[piece - 1] >= 0xD800 && s[piece - 1] <= 0xDBFF;
    return high && piece > 1 ? piece - 1 : piece;
}

} // namespace

std::wstring ToUtf16(std::string_view utf8, std::size_t piece) {
    piece = std::clamp<std::size_t>(piece, 1, kUtf16Piece);
    std::wstring out;
    while (!utf8.empty()) {
        const auto n = Utf8Cut(utf8, piece);
        const int length = static_cast<int>(n);
        const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
        const auto at = out.size();
        out.resize(at + static_cast<std::size_t>(needed));
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data() + at, needed);
        utf8.remove_prefix(n);
    }
    return out;
}

std::string ToUtf8(std::wstring_view utf16, std::size_t piece) {
    piece = std::clamp<std::size_t>(piece, 1, kUtf16Piece);
    std::string out;
    while (!utf16.empty()) {
        const auto n = Utf16Cut(utf16, piece);
        const int length = static_cast<int>(n);
        const int needed =
            WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
        const auto at = out.size();
        out.resize(at + static_cast<std::size_t>(needed));
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data() + at, needed, nullptr,
                            nullptr);
        utf16.remove_prefix(n);
    }
    return out;
}

} // namespace gf
