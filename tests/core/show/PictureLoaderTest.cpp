#include "core/show/PictureLoader.h"
#include "fakes/FakePictureDecoder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace gf::test {
namespace {

PictureRequest Ask(const std::string& path, std::optional<TwipSize> box = std::nullopt) {
    return {path, 1, 2, {1500, 1200}, box};
}

// Until the loader hands over this request's result; nullopt after 5 s.
std::optional<LoadedPicture> Await(PictureLoader& loader, const PictureRequest& r) {
    for (int i = 0; i < 5000; ++i) {
        if (auto got = loader.take(r))
            return got;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

TEST(PictureLoader, FitsPhotosIntoTheWindowAndDrawsMetafilesAtTheirBox) {
    EXPECT_EQ(FitInside({3000, 1000}, {1280, 720}), (TwipSize{1280, 427}));
    EXPECT_EQ(FitInside({1000, 3000}, {1280, 720}), (TwipSize{240, 720}));
    EXPECT_EQ(FitInside({100, 50}, {1280, 720}), (TwipSize{100, 50}));

    auto decoder = std::make_shared<FakePictureDecoder>();
    decoder->add("photo", 3000, 1500);
    decoder->add("clip", 300, 150, PictureKind::Metafile);
    std::atomic<int> wakes{0};
    PictureLoader loader(decoder, [&] { ++wakes; });
    auto photo = Await(loader, (loader.request(Ask("photo")), Ask("photo")));
    ASSERT_TRUE(photo && photo->outcome);
    EXPECT_EQ(photo->decodedFor, (TwipSize{1500, 750}));
    EXPECT_EQ(photo->outcome->info.widthTwips, 3000);
    auto clip = Await(
        loader, (loader.request(Ask("clip", TwipSize{600, 300})), Ask("clip", TwipSize{600, 300})));
    ASSERT_TRUE(clip && clip->outcome);
    EXPECT_EQ(clip->decodedFor, (TwipSize{600, 300}));
    EXPECT_GE(wakes, 2);

    // A failure is a result like any other; it names the file.
    loader.request(Ask("missing"));
    auto missing = Await(loader, Ask("missing"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->outcome.message(), "Cannot open the picture missing");
}

TEST(PictureLoader, HoldsOnlyTheLastRequestAndGivesUpOnADecodeThatDoesNotStop) {
    auto decoder = std::make_shared<FakePictureDecoder>();
    decoder->add("a", 10, 10);
    decoder->add("b", 10, 10);
    {
        PictureLoader loader(decoder, [] {});
        decoder->hold("a");
        loader.request(Ask("a"));
        ASSERT_TRUE(decoder->waitForDecodes(1));
        loader.request(Ask("b")); // "a" is dropped; "b" waits for the worker
        decoder->letGo();
        ASSERT_TRUE(Await(loader, Ask("b")));
        EXPECT_FALSE(loader.take(Ask("a")));

        decoder->hold("a");
        loader.request(Ask("a"));
        ASSERT_TRUE(decoder->waitForDecodes(3));
    } // gone while "a" cannot be stopped: the worker is left to finish by itself
    EXPECT_EQ(PictureLoader::AbandonedWorkers(), 1);

    // Shows that come and go meanwhile (a window resized again and again) start no decode
    // until the one left behind ends: never a second one left behind.
    for (int i = 0; i < 6; ++i) {
        PictureLoader again(decoder, [] {});
        again.request(Ask("a"));
    }
    EXPECT_EQ(PictureLoader::AbandonedWorkers(), 1);
    EXPECT_EQ(decoder->decodes(), 3u);
    decoder->letGo();
    for (int i = 0; i < 5000 && PictureLoader::AbandonedWorkers() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(PictureLoader::AbandonedWorkers(), 0);
}

TEST(PictureLoader, ADecodePastItsDeadlineIsTheSlidesErrorAndTheNextWaitsForIt) {
    auto decoder = std::make_shared<FakePictureDecoder>();
    decoder->add("slow", 10, 10);
    decoder->add("next", 10, 10);
    decoder->hold("slow");
    PictureLoader loader(
        decoder, [] {}, true, std::chrono::milliseconds(300));
    loader.request(Ask("slow"));
    auto slow = Await(loader, Ask("slow"));
    ASSERT_TRUE(slow);
    EXPECT_EQ(slow->outcome.message(),
              "Cannot show the picture slow: it took longer than 1 second to decode");
    EXPECT_EQ(PictureLoader::AbandonedWorkers(), 1);
    // While it still runs, the next picture's time goes by waiting for it.
    loader.request(Ask("next"));
    auto waited = Await(loader, Ask("next"));
    ASSERT_TRUE(waited);
    EXPECT_FALSE(waited->outcome);
    EXPECT_EQ(decoder->decodes(), 1u);
    decoder->letGo();
    loader.request(Ask("next"));
    auto next = Await(loader, Ask("next"));
    ASSERT_TRUE(next && next->outcome);
    EXPECT_EQ(PictureLoader::AbandonedWorkers(), 0);
}

} // namespace
} // namespace gf::test
