#include "core/package/PackageDirectory.h"

#include "core/text/Trim.h"

#include <array>
#include <optional>

namespace gf {

namespace {

std::string_view trimBlanks(std::string_view s) {
    return Trim(s, " \t");
}

// Decimal, blanks around it ignored, at most nine digits (positions stay below 100,000,000).
std::optional<std::int64_t> parseNumber(std::string_view line) {
    auto s = trimBlanks(line);
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

// Lines of the region [begin, end) of a file, read in blocks.
class RegionLines {
  public:
    RegionLines(const BinaryFile& file, std::uint64_t begin, std::uint64_t end)
        : file_(file), pos_(begin), end_(end) {}

    // The next line, nothing at the region's end; an error for an unreadable or overlong line.
    Result<std::optional<std::string>> next() {
        std::string line;
        for (;;) {
            if (at_ == buffer_.size()) {
                if (pos_ >= end_)
                    break;
                const auto n =
                    static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, end_ - pos_));
                auto chunk = file_.readText(pos_, n);
                if (!chunk || chunk->size() != n)
                    return Error{"the directory cannot be read"};
                buffer_ = std::move(*chunk);
                at_ = 0;
                pos_ += n;
            }
            const char c = buffer_[at_++];
            if (pendingLf_) {
                pendingLf_ = false;
                if (c == '\n')
                    continue; // the LF of a CR LF
            }
            if (c == '\n')
                return std::optional<std::string>(std::move(line));
            if (c == '\r') {
                pendingLf_ = true;
                return std::optional<std::string>(std::move(line));
            }
            line += c;
            if (line.size() > kMaxDirectoryLine)
                return Error{"a directory line is too long"};
        }
        if (line.empty())
            return std::optional<std::string>();
        return std::optional<std::string>(std::move(line));
    }

  private:
    static constexpr std::size_t kBlock = 64 * 1024;
    const BinaryFile& file_;
    std::uint64_t pos_, end_;
    std::string buffer_;
    std::size_t at_ = 0;
    bool pendingLf_ = false;
};

} // namespace

std::string FormatSpacedNumber(std::int64_t value) {
    std::string out;
    if (value >= 0)
        out.push_back(' ');
    out.append(std::to_string(value)).push_back(' ');
    return out;
}

std::string FormatSoundExtension(std::string_view extension) {
    std::string e(extension.substr(0, 3));
    e.resize(3, ' ');
    return e;
}

std::string FormatPackageDirectory(int soundMode, std::span<const PackageEntry> entries) {
    std::string out = FormatSpacedNumber(soundMode) + "\r\n";
    for (const auto& e : entries) {
        for (const auto& line :
             {FormatSpacedNumber(e.pictureStart), FormatSpacedNumber(e.pictureEnd), e.dissolve,
              e.comment, e.foreground, e.background, FormatSpacedNumber(e.soundStart),
              FormatSpacedNumber(e.soundEnd), FormatSoundExtension(e.soundExtension)})
            out += line + "\r\n";
    }
    return out;
}

std::string SafeSoundExtension(std::string_view stored) {
    std::string safe;
    for (char c : stored)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            safe += c;
    return safe.empty() ? "snd" : safe;
}

Result<PackageDirectory> ReadPackageDirectory(const BinaryFile& file) {
    auto trailer = ReadPackageTrailer(file);
    if (!trailer)
        return trailer.error();
    auto damaged = [&](std::string_view why) {
        return Error{"The package " + file.path() + " is damaged: " + std::string(why)};
    };
    PackageDirectory dir;
    dir.trailer = *trailer;
    const std::uint64_t d = static_cast<std::uint64_t>(trailer->directoryPosition);
    const std::uint64_t trailerStart = file.size() - kTrailerSize; // 0-based

    // The lines between the directory position and the trailer.
    RegionLines lines(file, d - 1, trailerStart);
    auto nextLine = [&] { return lines.next(); };

    auto soundLine = nextLine();
    if (!soundLine)
        return damaged(soundLine.message());
    if (!*soundLine)
        return damaged("its directory is missing");
    const auto mode = parseNumber(**soundLine);
    if (!mode || *mode < 0 || *mode > 3)
        return damaged("its sound mode is not 1, 2 or 3");
    dir.soundMode = static_cast<std::int16_t>(*mode);

    const auto count =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(trailer->count), kMaxPackageEntries);
    auto region = [&](std::int64_t start, std::int64_t end) {
        if (start == 0 && end == 0)
            return true;
        return start >= 1 && start <= end && static_cast<std::uint64_t>(end) <= d;
    };
    for (std::uint64_t i = 0; i < count; ++i) {
        std::array<std::string, 9> f;
        for (auto& field : f) {
            auto l = nextLine();
            if (!l)
                return damaged(l.message());
            if (!*l)
                return damaged("its directory ends after " + std::to_string(i) + " of " +
                               std::to_string(trailer->count) + " entries");
            field = std::string(trimBlanks(**l));
        }
        PackageEntry e;
        auto ps = parseNumber(f[0]), pe = parseNumber(f[1]), ss = parseNumber(f[6]),
             se = parseNumber(f[7]);
        if (!ps || !pe || !ss || !se)
            return damaged("entry " + std::to_string(i + 1) + " has a position that is no number");
        if (!region(*ps, *pe) || !region(*ss, *se))
            return damaged("entry " + std::to_string(i + 1) + " points outside the package data");
        e.pictureStart = *ps;
        e.pictureEnd = *pe;
        e.dissolve = std::move(f[2]);
        e.comment = std::move(f[3]);
        e.foreground = std::move(f[4]);
        e.background = std::move(f[5]);
        e.soundStart = *ss;
        e.soundEnd = *se;
        e.soundExtension = std::move(f[8]);
        dir.entries.push_back(std::move(e));
    }
    return dir;
}

} // namespace gf
