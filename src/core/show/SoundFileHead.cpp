#include "core/show/SoundFileHead.h"

#include "core/files/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace gf {

namespace {

bool Has(std::span<const std::byte> head, std::size_t at, const char (&text)[5]) {
    return head.size() >= at + 4 && std::memcmp(head.data() + at, text, 4) == 0;
}

constexpr std::uint16_t kExtensible = 0xFFFE;

} // namespace

SoundContainer SniffSound(std::span<const std::byte> head) {
    if (Has(head, 0, "RIFF") && Has(head, 8, "WAVE"))
        return SoundContainer::Wave;
    if (Has(head, 0, "MThd") || (Has(head, 0, "RIFF") && Has(head, 8, "RMID")))
        return SoundContainer::Midi;
    if (Has(head, 0, "FORM") && (Has(head, 8, "AIFF") || Has(head, 8, "AIFC")))
        return SoundContainer::Aiff;
    if (head.size() >= 3 && std::memcmp(head.data(), "ID3", 3) == 0)
        return SoundContainer::MpegAudio;
    // An MPEG audio or ADTS frame starts with eleven set bits; JPEG's FF D8 does not.
    if (head.size() >= 2 && head[0] == std::byte{0xFF} &&
        (std::to_integer<unsigned>(head[1]) & 0xE0U) == 0xE0U)
        return SoundContainer::MpegAudio;
    return SoundContainer::None;
}

std::optional<WaveFormat> ReadWaveFormat(std::span<const std::byte> head) {
    if (SniffSound(head) != SoundContainer::Wave)
        return std::nullopt;
    ByteReader r(head);
    r.seek(12);
    while (r.remaining() >= 8) {
        const auto id = r.bytes(4);
        const std::uint32_t size = r.u32();
        if (std::memcmp(id.data(), "fmt ", 4) != 0) {
            r.skip(std::size_t(size) + (size & 1U)); // chunks are padded to even sizes
            continue;
        }
        if (size < 16 || size > r.remaining())
            return std::nullopt;
        const auto body = r.bytes(size);
        ByteReader f(body);
        WaveFormat w;
        w.tag = f.u16();
        w.channels = f.u16();
        w.samplesPerSecond = f.u32();
        f.skip(6); // bytes per second, block alignment
        w.bitsPerSample = f.u16();
        const std::uint16_t extra = size >= 18 ? f.u16() : 0;
        if (w.tag == kExtensible) {
            // valid bits (2), channel mask (4), then the sub-format GUID, whose first two bytes
            // are the tag of the format it extends
            if (extra < 22 || size < 18U + 22U)
                return std::nullopt;
            f.skip(6);
            w.subTag = f.u16();
        }
        if (f.failed() || 18U + extra > std::max<std::uint32_t>(size, 18))
            return std::nullopt;
        w.chunk.assign(body.begin(), body.end());
        if (w.chunk.size() < 18)
            w.chunk.resize(18); // a 16-byte chunk (PCM) has no cbSize: it reads as 0
        return w;
    }
    return std::nullopt;
}

} // namespace gf
