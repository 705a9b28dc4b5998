#include "win32/show/Win32OneShotSound.h"

#include "core/show/SoundFileHead.h"
#include "windows/UniqueHandle.h"
#include "windows/Utf16.h"

#include <vector>

#include <windows.h>

#include <mmreg.h>
#include <mmsystem.h>
#include <msacm.h>

namespace gf {

namespace {

// Formats the wave mapper plays without a codec.
bool PlainSamples(std::uint16_t tag) {
    return tag == WAVE_FORMAT_PCM || tag == WAVE_FORMAT_IEEE_FLOAT;
}

} // namespace

std::string Win32OneShotSound::Refusal(const std::string& path) {
    const std::wstring file = ToUtf16(path);
    UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        return "the file cannot be opened";
    // A pipe or a device named as a sound would hold the show's thread.
    if (GetFileType(handle.get()) != FILE_TYPE_DISK)
        return "not a file on a disk";
    std::vector<std::byte> head(kWaveHeadBytes);
    DWORD read = 0;
    if (!ReadFile(handle.get(), head.data(), DWORD(head.size()), &read, nullptr))
        return "the file cannot be read";
    head.resize(read);
    const auto format = ReadWaveFormat(head);
    if (!format)
        return "not a WAVE file the one-shot player reads";
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(const_cast<std::byte*>(format->chunk.data()));
    const std::uint16_t tag = format->tag == WAVE_FORMAT_EXTENSIBLE ? format->subTag : format->tag;
    if (!PlainSamples(tag)) {
        // A codec of the system's (mu-law, ADPCM, ...) turns it into plain samples, or no one.
        WAVEFORMATEX pcm{};
        pcm.wFormatTag = WAVE_FORMAT_PCM;
        if (acmFormatSuggest(nullptr, wave, &pcm, sizeof pcm, ACM_FORMATSUGGESTF_WFORMATTAG) != 0)
            return "no codec of the system decodes its format";
    }
    // With an audio device, the device has the last word on the format.
    if (waveOutGetNumDevs() > 0 &&
        waveOutOpen(nullptr, WAVE_MAPPER, wave, 0, 0, WAVE_FORMAT_QUERY) == WAVERR_BADFORMAT)
        return "the audio device does not play its format";
    return {};
}

Win32OneShotSound::~Win32OneShotSound() {
    if (started_)
        PlaySoundW(nullptr, nullptr, 0);
}

void Win32OneShotSound::playAsync(std::string_view path) {
    if (started_)
        PlaySoundW(nullptr, nullptr, 0);
    started_ = false;
    if (path.empty())
        return;
    const std::string name(path);
    std::string why = Refusal(name);
    if (why.empty()) {
        const std::wstring file = ToUtf16(name);
        started_ = PlaySoundW(file.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT) != 0;
        // Without an audio device it answers false for a file it reads well; the media player
        // has no device either, so it is told all the same.
        if (!started_)
            why = "the one-shot player did not start it";
    }
    if (!why.empty() && failed_)
        failed_(name, why);
}

} // namespace gf
