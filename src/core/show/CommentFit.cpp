#include "core/show/CommentFit.h"

#include <algorithm>

namespace gf {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
// Words are measured in pieces of at most this many bytes, so no measurement is large.
constexpr std::size_t kPieceBytes = 256;
// More blanks than this between two words cannot fit on a line anyway.
constexpr std::int32_t kMaxGap = 4096;

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Bytes of the character that starts `text` (damaged UTF-8 counts byte by byte).
std::size_t CharLength(std::string_view text) {
    std::size_t n = 1;
    while (n < text.size() && n < 4 && IsContinuation(text[n]))
        ++n;
    return n;
}

// `at`, moved back to the start of the character it falls in.
std::size_t CharStart(std::string_view text, std::size_t at) {
    std::size_t back = at;
    for (int i = 0; i < 3 && back > 0 && back < text.size() && IsContinuation(text[back]); ++i)
        --back;
    return back < text.size() && IsContinuation(text[back]) ? at : back;
}

class Fitter {
  public:
    Fitter(std::string_view text, bool caretBreaks, CommentRoom room, const TextWidth& width)
        : text_(text), caret_(caretBreaks), room_(std::max(1, room.width)),
          maxLines_(std::max(1, room.lines)), width_(width), space_(width(" ")) {}

    std::string run() {
        while (pos_ < text_.size() && !full_) {
            if (const std::size_t br = breakAt(pos_)) {
                pos_ += br;
                if (endLine() || !cut_)
                    out_ += "\r\n";
            } else if (text_[pos_] == ' ') {
                ++pos_;
                gap_ = std::min(gap_ + 1, kMaxGap);
            } else {
                piece();
            }
        }
        if (cut_)
            endWithEllipsis();
        return std::move(out_);
    }

  private:
    // Length of the line break at `at`, 0 when there is none.
    std::size_t breakAt(std::size_t at) const {
        const char c = text_[at];
        if (c == '\r')
            return at + 1 < text_.size() && text_[at + 1] == '\n' ? 2 : 1;
        return c == '\n' || (caret_ && c == '^') ? 1 : 0;
    }
    bool endsPiece(std::size_t at) const { return text_[at] == ' ' || breakAt(at) != 0; }

    // Ends the current line: true when another may follow. Else the comment is cut after it
    // when anything but blanks and breaks is still to come.
    bool endLine() {
        if (lines_ + 1 >= maxLines_) {
            full_ = true;
            cut_ = text_.find_first_not_of(caret_ ? " \r\n^" : " \r\n", pos_) != text_.npos;
            return false;
        }
        ++lines_;
        lineWidth_ = 0;
        started_ = false;
        gap_ = 0;
        return true;
    }
    void wrap() {
        if (endLine())
            out_ += "\r\n";
    }

    // The next piece of a word: on this line when it fits, else on the next; a piece too wide
    // for a line of its own is broken between characters.
    void piece() {
        std::size_t end = pos_;
        while (end < text_.size() && end - pos_ < kPieceBytes && !endsPiece(end))
            ++end;
        if (end < text_.size() && !endsPiece(end))
            end = std::max(CharStart(text_, end), pos_ + CharLength(text_.substr(pos_)));
        const std::string_view piece = text_.substr(pos_, end - pos_);
        const std::int32_t w = width_(piece);
        const std::int32_t gap = started_ ? space_ * std::max(1, gap_) : 0;
        if (std::int64_t(lineWidth_) + gap + w <= room_)
            return append(piece, w);
        if (started_ && gap_ > 0)
            return wrap(); // the word starts the next line
        // As much as fits here, the rest on the next lines; a character wider than the whole
        // room is shown anyway.
        std::size_t fits = Longest(piece, room_ - lineWidth_);
        if (fits == 0 && !started_)
            fits = CharLength(piece);
        if (fits > 0) {
            const std::string_view part = piece.substr(0, fits);
            append(part, width_(part));
        }
        if (pos_ < text_.size() && !breakAt(pos_))
            wrap();
    }

    void append(std::string_view piece, std::int32_t w) {
        if (started_ && gap_ > 0) {
            out_.append(std::size_t(gap_), ' ');
            lineWidth_ += space_ * gap_;
        }
        out_ += piece;
        lineWidth_ += w;
        started_ = true;
        gap_ = 0;
        pos_ += piece.size();
    }

    // The longest prefix of `text`, ending on a character boundary, at most `room` wide: found
    // by halving, a handful of measurements.
    std::size_t Longest(std::string_view text, std::int32_t room) const {
        if (room <= 0)
            return 0;
        std::size_t lo = 0, hi = text.size();
        while (lo < hi) {
            std::size_t mid = CharStart(text, lo + (hi - lo + 1) / 2);
            if (mid <= lo)
                mid = lo + CharLength(text.substr(lo));
            if (mid > hi)
                break;
            if (width_(text.substr(0, mid)) <= room)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    }

    // The last line shown ends in an ellipsis, characters giving way to it where needed.
    void endWithEllipsis() {
        const auto br = out_.rfind("\r\n");
        const std::size_t start = br == std::string::npos ? 0 : br + 2;
        const std::int32_t room = room_ - width_(kEllipsis);
        if (lineWidth_ > room)
            out_.resize(start + Longest(std::string_view(out_).substr(start), room));
        out_ += kEllipsis;
    }

    std::string_view text_;
    bool caret_;
    std::int32_t room_, maxLines_;
    const TextWidth& width_;
    std::int32_t space_;
    std::size_t pos_ = 0;
    std::string out_;
    std::int32_t lines_ = 0, lineWidth_ = 0, gap_ = 0;
    bool started_ = false, full_ = false, cut_ = false;
};

} // namespace

std::string FitComment(std::string_view comment, bool caretBreaks, CommentRoom room,
                       const TextWidth& width) {
    return Fitter(comment, caretBreaks, room, width).run();
}

std::vector<std::string_view> CommentLines(std::string_view shown) {
    if (shown.ends_with("\r\n"))
        shown.remove_suffix(2);
    std::vector<std::string_view> lines;
    for (;;) {
        const auto end = shown.find("\r\n");
        lines.push_back(shown.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        shown.remove_prefix(end + 2);
    }
}

} // namespace gf
