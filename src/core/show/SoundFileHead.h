#pragma once
// What a sound file's first bytes say it holds: the container (so that a player opens it as
// audio, or refuses a picture or a video given as a sound) and, for a WAVE file, its format.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gf {

enum class SoundContainer { None, Wave, Midi, MpegAudio, Aiff };

// Enough of a file's start for SniffSound; ReadWaveFormat reads up to kWaveHeadBytes.
inline constexpr std::size_t kSoundSniffBytes = 12;
inline constexpr std::size_t kWaveHeadBytes = 64 * 1024;

SoundContainer SniffSound(std::span<const std::byte> head);

// The "fmt " chunk of a RIFF WAVE file, as the system's wave functions take it.
struct WaveFormat {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint16_t bitsPerSample = 0;
    // WAVE_FORMAT_EXTENSIBLE: the sub-format's tag (the first two bytes of its GUID).
    std::uint16_t subTag = 0;
    std::vector<std::byte> chunk; // the whole chunk, at least 18 bytes (cbSize filled in)
};

// Empty unless `head` starts a RIFF WAVE file whose "fmt " chunk lies wholly inside it.
std::optional<WaveFormat> ReadWaveFormat(std::span<const std::byte> head);

} // namespace gf
