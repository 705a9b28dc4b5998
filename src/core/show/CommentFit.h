#pragma once
// The comment cut to what the label can show on the screen, whatever the platform: the rule
// lives here and the canvas only measures text and draws the lines it is given.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// In twips: how wide a line may be and how many lines the label may have.
struct CommentRoom {
    std::int32_t width = 0;
    std::int32_t lines = 1;
};

// The width a piece of text (UTF-8, one line) takes in the label's font, in twips.
using TextWidth = std::function<std::int32_t(std::string_view)>;

// The comment as the label shows it: lines broken at CR LF (and at "^" when `caretBreaks`, the
// stored form), lines too wide broken between words and a word too wide between characters, and
// everything after the lines that fit left out, the last line then ending in "...". Each word is
// measured once and nothing beyond what fits is read, so a comment of megabytes costs no more
// than a screenful. Lines are separated by CR LF; a closing break stays when nothing was cut.
std::string FitComment(std::string_view comment, bool caretBreaks, CommentRoom room,
                       const TextWidth& width);

// The lines a label draws of a comment as shown: split at CR LF, the closing break of the last
// line making no empty line below it.
std::vector<std::string_view> CommentLines(std::string_view shown);

} // namespace gf
