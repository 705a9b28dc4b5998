#include "core/files/PathElision.h"

#include <algorithm>
#include <cstdint>

namespace gf {

namespace {

// Where each character (UTF-8) starts, and the text's end.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((std::uint8_t(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    starts.push_back(text.size());
    return starts;
}

// The largest n in [low, high] for which fits(n) holds, fits shrinking as n grows; low - 1 when
// none does.
template <class Fits> int Largest(int low, int high, Fits fits) {
    if (low > high || !fits(low))
        return low - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

} // namespace

std::string ElidePath(std::string_view text, int width, const TextMeasure& measure) {
    if (measure(text) <= width)
        return std::string(text);
    const auto starts = CharacterStarts(text);
    const int count = int(starts.size()) - 1;
    const auto join = [&](int head, int tail) {
        std::string out(text.substr(0, starts[std::size_t(head)]));
        out += kEllipsis;
        out += text.substr(starts[std::size_t(count - tail)]);
        return out;
    };
    const auto fits = [&](int head, int tail) { return measure(join(head, tail)) <= width; };

    // The last name whole, with its separator, after as much of the start as fits.
    if (const auto cut = text.find_last_of("/\\"); cut != std::string_view::npos && cut > 0) {
        const int at = int(std::lower_bound(starts.begin(), starts.end(), cut) - starts.begin());
        const int tail = count - at;
        const int head = Largest(0, at - 1, [&](int h) { return fits(h, tail); });
        if (head >= 0)
            return join(head, tail);
    }
    // No room for the whole name: both ends, the end (the name) getting two parts in three.
    const int kept = Largest(0, count - 1, [&](int n) { return fits(n / 3, n - n / 3); });
    return kept < 0 ? std::string(kEllipsis) : join(kept / 3, kept - kept / 3);
}

std::vector<std::string> WrapPath(std::string_view text, int width, const TextMeasure& measure) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        if (measure(text) <= width) {
            lines.emplace_back(text);
            break;
        }
        const auto starts = CharacterStarts(text);
        const int count = int(starts.size()) - 1;
        // At least one character a line, however narrow the width.
        const int fit =
            std::max(1, Largest(1, count, [&](int n) {
                         return measure(text.substr(0, starts[std::size_t(n)])) <= width;
                     }));
        std::size_t end = starts[std::size_t(fit)];
        if (const auto cut = text.substr(0, end).find_last_of("/\\");
            cut != std::string_view::npos && cut > 0)
            end = cut + 1;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

} // namespace gf
