#include "core/picture/DecodeBudget.h"

#include <algorithm>

namespace gf {

namespace {

unsigned At(std::span<const std::byte> b, std::size_t i) {
    return std::to_integer<unsigned>(b[i]);
}

bool IsFrameMarker(unsigned m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

// Every component's 8 x 8 blocks at full size, two bytes a coefficient.
std::int64_t CoefficientBytes(std::span<const std::byte> b, std::size_t frame) {
    const std::int64_t height = At(b, frame + 5) << 8 | At(b, frame + 6);
    const std::int64_t width = At(b, frame + 7) << 8 | At(b, frame + 8);
    const std::size_t count = At(b, frame + 9);
    struct Sampling {
        std::int64_t h, v;
    };
    std::vector<Sampling> components;
    std::int64_t hMax = 1, vMax = 1;
    for (std::size_t c = 0; c < count; ++c) {
        const std::size_t at = frame + 10 + c * 3 + 1;
        // A header cut short counts its missing components at full resolution.
        const unsigned hv = at < b.size() ? At(b, at) : 0x11;
        const Sampling s{std::max(1u, hv >> 4), std::max(1u, hv & 15)};
        hMax = std::max(hMax, s.h);
        vMax = std::max(vMax, s.v);
        components.push_back(s);
    }
    std::int64_t bytes = 0;
    for (const auto& s : components)
        bytes += CeilDiv(CeilDiv(width * s.h, hMax), 8) * CeilDiv(CeilDiv(height * s.v, vMax), 8) *
                 64 * 2;
    return bytes;
}

std::int64_t Area(PixelSize s) {
    return std::max<std::int64_t>(s.width, 0) * std::max<std::int64_t>(s.height, 0);
}

// The larger of what the codec reports and what the header states (a GIF's logical screen).
PixelSize Declared(std::span<const std::byte> file, PixelSize reported) {
    const auto stated = StatedPixelSize(file);
    return stated && Area(*stated) > Area(reported) ? *stated : reported;
}

// Bits per pixel that the header says the codec's picture has: a PNG's depth and channels; a
// GIF's screen, painted in 32 bits by every codec we use.
int StatedBitsPerPixel(std::span<const std::byte> b) {
    if (b.size() >= 26 && At(b, 0) == 0x89 && At(b, 1) == 'P' && At(b, 12) == 'I') {
        const unsigned depth = At(b, 24), colour = At(b, 25);
        const unsigned channels = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
        return int(depth * channels);
    }
    if (b.size() >= 6 && At(b, 0) == 'G' && At(b, 1) == 'I' && At(b, 2) == 'F')
        return 32;
    return 0;
}

} // namespace

std::optional<JpegLayout> ReadJpegLayout(std::span<const std::byte> b) {
    if (b.size() < 4 || At(b, 0) != 0xFF || At(b, 1) != 0xD8)
        return std::nullopt;
    JpegLayout out;
    bool frame = false;
    std::size_t i = 2;
    // Segments by their lengths; between them, entropy-coded data up to the next marker.
    while (i + 1 < b.size()) {
        const unsigned m = At(b, i + 1);
        if (At(b, i) != 0xFF || m == 0xFF) {
            ++i;
            continue;
        }
        if (m == 0x00 || m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
            i += 2; // a stuffed byte or a marker without a length
            continue;
        }
        if (m == 0xD9 || i + 4 > b.size())
            break;
        const std::size_t length = At(b, i + 2) << 8 | At(b, i + 3);
        if (length < 2)
            break;
        if (IsFrameMarker(m) && !frame && i + 10 <= b.size()) {
            frame = true;
            out.progressive = m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
            out.coefficientBytes = CoefficientBytes(b, i);
        }
        if (m == 0xDA)
            ++out.scans;
        i += 2 + length;
    }
    if (!frame)
        return std::nullopt;
    return out;
}

int MaxJpegScans(PixelSize size) {
    const std::int64_t pixels = std::max<std::int64_t>(Area(size), 1);
    return int(std::clamp<std::int64_t>(kMaxJpegScanPixels / pixels, 1, kMaxJpegScans));
}

std::int64_t DecodePeakBytes(std::span<const std::byte> file, const DecodeRequest& r) {
    const std::int64_t declared = Area(Declared(file, r.declared));
    const std::int64_t shown = std::min(Area(r.shown), declared);
    const auto fileBytes = std::int64_t(file.size());
    if (const auto jpeg = ReadJpegLayout(file)) {
        // Decoded at up to twice the shown size each way, then scaled; a progressive picture
        // keeps all its coefficients until the last scan.
        return fileBytes + shown * 4 * 4 + (jpeg->progressive ? jpeg->coefficientBytes : 0);
    }
    // Whichever says more of the codec and the header; when neither says, 16 bits a channel.
    const int bits = std::max(r.bitsPerPixel, StatedBitsPerPixel(file));
    const std::int64_t bytesPerPixel = bits > 0 ? CeilDiv(bits, 8) : 8;
    return fileBytes + declared * bytesPerPixel +
           declared * std::max<std::int64_t>(bytesPerPixel, 4) + shown * 4;
}

std::optional<std::string> DecodeRefusal(std::span<const std::byte> file, const DecodeRequest& r) {
    const PixelSize declared = Declared(file, r.declared);
    if (!PictureAdmitted(declared))
        return TooLargeReason(declared);
    if (const auto jpeg = ReadJpegLayout(file); jpeg && jpeg->scans > MaxJpegScans(declared))
        return "it is made of " + std::to_string(jpeg->scans) + " scans (at most " +
               std::to_string(MaxJpegScans(declared)) +
               " at its size): decoding it would take too long";
    constexpr std::int64_t kMegabyte = 1024 * 1024;
    if (const auto peak = DecodePeakBytes(file, r); peak > kDecodeBudgetBytes)
        return "it would take " + std::to_string(CeilDiv(peak, kMegabyte)) +
               " MB to decode (at most " + std::to_string(kDecodeBudgetBytes / kMegabyte) + " MB)";
    return std::nullopt;
}

} // namespace gf
