#include "core/show/SlideSound.h"
#include "core/show/SoundFileHead.h"
#include "fakes/FakeShowDevices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace gf::test {
namespace {

using Log = std::vector<std::string>;
using namespace std::string_literals;

TEST(SlideSound, WhatTheOneShotPlayerCannotPlayGoesToTheMediaPlayer) {
    FakeOneShotSound oneShot;
    FakeMediaPlayer media;
    oneShot.unplayable = "float";
    {
        SlideSound sound(oneShot, media);
        sound.PlayOneShot("a.wav"); // plays: the media player is left alone
        EXPECT_TRUE(media.log.empty());

        sound.PlayOneShot("float.wav"); // refused at once
        EXPECT_EQ(media.log, (Log{"file:float.wav", "play"}));
        EXPECT_EQ(media.playState(), kPlayPlaying);

        // The next sound (or none) stops the one that fell back.
        sound.PlayOneShot("b.wav");
        EXPECT_EQ(media.log.back(), "file:");
        sound.PlayOneShot("");
        EXPECT_EQ(oneShot.played, (Log{"a.wav", "float.wav", "b.wav", ""}));
        EXPECT_EQ(media.log.size(), 3U);

        // A player that decodes in the background answers later; an answer about a sound that
        // is no longer wanted starts nothing.
        oneShot.answerLater = true;
        sound.PlayOneShot("float2.wav");
        sound.PlayOneShot("c.wav");
        oneShot.answer();
        EXPECT_EQ(media.log.size(), 3U);
        sound.PlayOneShot("float3.wav");
        EXPECT_EQ(media.log.size(), 3U);
        oneShot.answer();
        EXPECT_EQ(media.log.back(), "play");
        EXPECT_EQ(media.fileName(), "float3.wav");
        oneShot.answer(); // a second answer changes nothing
        EXPECT_EQ(media.log.size(), 5U);
    }
    // Gone with the show: no answer reaches it.
    EXPECT_FALSE(oneShot.failed);
    EXPECT_FALSE(media.failed);
}

TEST(SlideSound, ASoundNoPlayerPlaysLeavesBothPlayersReady) {
    FakeOneShotSound oneShot;
    FakeMediaPlayer media;
    oneShot.unplayable = "picture";
    media.unplayable = "picture";
    SlideSound sound(oneShot, media);
    sound.PlayOneShot("picture.wav");
    EXPECT_EQ(media.log, (Log{"file:picture.wav"})); // never asked to play what it refused
    EXPECT_NE(media.playState(), kPlayPlaying);
    // The next sound starts on the one-shot player; the media player has nothing to stop.
    sound.PlayOneShot("tone.wav");
    EXPECT_EQ(oneShot.played.back(), "tone.wav");
    EXPECT_EQ(media.log.size(), 1U);
    // The media player's own failures (sound modes 2 and 3) are answered too.
    media.setFileName("missing.mp3");
    EXPECT_EQ(media.playState(), kPlayStopped);
}

std::vector<std::byte> Bytes(const std::string& text) {
    std::vector<std::byte> out(text.size());
    if (!text.empty())
        std::memcpy(out.data(), text.data(), text.size());
    return out;
}

std::string Le32(std::uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

// A WAVE head: a padded odd-sized chunk, then "fmt " of `size` bytes whose cbSize is `extra`.
std::string Wave(std::uint32_t size, std::uint16_t tag, std::uint16_t extra) {
    std::string fmt(size, '\0');
    fmt[0] = char(tag & 0xFF);
    fmt[1] = char(tag >> 8);
    fmt[2] = 2;          // channels
    fmt[4] = char(0x22); // 22050 Hz
    fmt[5] = char(0x56);
    if (size >= 16)
        fmt[14] = 24; // bits
    if (size >= 18) {
        fmt[16] = char(extra & 0xFF);
        fmt[17] = char(extra >> 8);
    }
    if (size >= 26)
        fmt[24] = 3; // extensible: float samples
    return "RIFF" + Le32(0) + "WAVE" + "LIST" + Le32(3) + "abc" + '\0' + "fmt " + Le32(size) + fmt;
}

TEST(SoundFileHead, PicturesAndVideosAreNotSounds) {
    const auto sniff = [](const std::string& head) { return SniffSound(Bytes(head)); };
    EXPECT_EQ(sniff(Wave(16, 1, 0)), SoundContainer::Wave);
    EXPECT_EQ(sniff("MThd\0\0\0\6"s), SoundContainer::Midi);
    EXPECT_EQ(sniff("RIFF\0\0\0\0RMID"s), SoundContainer::Midi);
    EXPECT_EQ(sniff("FORM\0\0\0\0AIFF"s), SoundContainer::Aiff);
    EXPECT_EQ(sniff("ID3\4"), SoundContainer::MpegAudio);
    EXPECT_EQ(sniff("\xFF\xFB\x90"), SoundContainer::MpegAudio);
    EXPECT_EQ(sniff("\xFF\xE0"), SoundContainer::MpegAudio);
    EXPECT_EQ(sniff("\xFF\xD8\xFF\xE0"), SoundContainer::None); // JPEG
    EXPECT_EQ(sniff("\x89PNG\r\n\x1A\n"), SoundContainer::None);
    EXPECT_EQ(sniff("GIF89a"), SoundContainer::None);
    EXPECT_EQ(sniff("BM"), SoundContainer::None);
    EXPECT_EQ(sniff("RIFF\0\0\0\0AVI LIST"s), SoundContainer::None);
    EXPECT_EQ(sniff("RIFF\0\0\0\0WAV"s), SoundContainer::None); // cut short
    EXPECT_EQ(sniff(""), SoundContainer::None);
}

TEST(SoundFileHead, WaveFormatChunkIsReadOnlyWhenWhollyThere) {
    const auto read = [](const std::string& head) { return ReadWaveFormat(Bytes(head)); };
    // The smallest chunk (plain samples) reads, with a cbSize of 0 added; one byte less does not.
    const auto pcm = read(Wave(16, 1, 0));
    ASSERT_TRUE(pcm);
    EXPECT_EQ(std::tuple(pcm->tag, pcm->channels, pcm->samplesPerSecond, pcm->bitsPerSample,
                         pcm->chunk.size()),
              std::tuple(1, 2, 22050U, 24, 18U));
    EXPECT_FALSE(read(Wave(15, 1, 0)));
    // A chunk that ends one byte past the head is not read; one that ends at it is.
    const std::string whole = Wave(20, 1, 2);
    EXPECT_TRUE(read(whole));
    EXPECT_FALSE(read(whole.substr(0, whole.size() - 1)));
    // cbSize may not claim more than the chunk holds.
    EXPECT_TRUE(read(Wave(20, 7, 2)));
    EXPECT_FALSE(read(Wave(20, 7, 3)));
    // The extensible format names its samples in a sub-format of at least 22 bytes.
    const auto extensible = read(Wave(40, 0xFFFE, 22));
    ASSERT_TRUE(extensible);
    EXPECT_EQ(extensible->subTag, 3);
    EXPECT_FALSE(read(Wave(40, 0xFFFE, 21)));
    EXPECT_FALSE(read(Wave(39, 0xFFFE, 22)));
    // No fmt chunk, or not a WAVE file at all.
    EXPECT_FALSE(read("RIFF" + Le32(0) + "WAVEdata" + Le32(0)));
    EXPECT_FALSE(read("RIFF" + Le32(0) + "AVI fmt " + Le32(16) + std::string(16, '\1')));
}

} // namespace
} // namespace gf::test
