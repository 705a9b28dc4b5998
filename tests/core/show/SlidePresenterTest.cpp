#include "core/show/SlidePresenter.h"
#include "fakes/FakeEmbeddedItems.h"
#include "fakes/FakeShow.h"
#include "fakes/ScratchDir.h"
#include "fakes/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace gf::test {
namespace {

struct PresenterRig {
    explicit PresenterRig(std::int32_t wpx = 100, std::int32_t hpx = 80, bool compose = true,
                          EmbeddedItems* embedded = nullptr)
        : show(wpx, hpx, compose), state(show.process.settings, show.platform, random, embedded),
          presenter(state, slides, show.process.files, embedded != nullptr, "/prog/") {}
    void add(const std::string& name, std::int32_t w = 900, std::int32_t h = 600) {
        show.picture.add(name, w, h);
        slides.images.push_back(name);
    }
    SlideAttributes& slide(std::size_t i) { return slides.attributes[i]; }
    std::string dissolveShown() const {
        const auto& s = show.canvas.status;
        return s.substr(9, s.find('\r') - 9);
    }
    // The slides shown by `n` ticks.
    std::vector<int> load(int n = 1) {
        std::vector<int> seen;
        for (int i = 0; i < n; ++i) {
            presenter.LoadImage();
            seen.push_back(state.currentSlide);
        }
        return seen;
    }
    // The comment label's colours and top, and the window's background.
    auto label() const {
        const auto& c = show.canvas;
        return std::tuple(c.comment.foreground, c.comment.background, c.comment.top, c.background);
    }
    FakeShow show;
    ScriptedRandom random;
    SlideList slides;
    PlayerState state;
    SlidePresenter presenter;
};

TEST(SlidePresenter, ChoosesSlidesInOrderOrAtRandom) {
    PresenterRig rig;
    for (auto n : {"a", "b", "c"})
        rig.add(n);
    EXPECT_EQ(rig.load(5), (std::vector<int>{0, 1, 2, 0, 1}));

    // At random, each slide is drawn a tick ahead, after the place of the one before: the same
    // draws in the same order as drawing at the tick, so a seed still repeats a show.
    rig.show.process.settings.ImageOrderRandom = 1;
    rig.random.values = {0.99, 0.5, 0.5, 0.34, 0.5, 0.5, 0.0};
    const int before = rig.random.draws;
    EXPECT_EQ(rig.load(3), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(rig.random.draws - before, 3 * 3 + 1);
}

TEST(SlidePresenter, WithoutSlidesShowsTheBannerWithTheLoadingError) {
    PresenterRig rig(400, 300, false);
    rig.show.process.settings.DissolveType = "Random Blocks";
    rig.slide(0).comment = "Glimmerframe\r\nBrindlewick LLC\r\nNo such template\r\n";
    rig.presenter.LoadImage();
    const auto& c = rig.show.canvas;
    EXPECT_TRUE(rig.state.image1.banner);
    EXPECT_EQ(rig.dissolveShown(), "Normal");
    EXPECT_EQ(c.box,
              (TwipRect{(6000 - FakePictureDecoder::kBannerWidth) / 2,
                        (4500 - FakePictureDecoder::kBannerHeight) / 2,
                        FakePictureDecoder::kBannerWidth, FakePictureDecoder::kBannerHeight}));
    EXPECT_TRUE(c.commentVisible);
    EXPECT_EQ(c.commentText, rig.slide(0).comment);
    EXPECT_EQ(c.comment.top, 4500 - 3 * RecordingCanvas::kLineHeight);
}

// Full screen fills the width or the height and centres the other, unless the dissolve slides:
// then the picture keeps its own size. A picture larger than the window always shrinks to fit,
// whatever the dissolve.
TEST(SlidePresenter, PicturesKeepTheirProportionsAndNeverTakeTheErrorPath) {
    struct Case {
        std::int32_t windowW, windowH, pictureW, pictureH; // pixels
        std::int16_t fullScreen;
        TwipRect box, slidBox;
    };
    const TwipRect wide4k{4500, 0, 48600, 32400}, wide720{0, 2200, 1280 * 15, 6400}, // 1280 x 427
        tall720{6562, 0, 6075, 720 * 15};
    const Case cases[] = {
        {800, 600, 400, 300, 1, {0, 0, 12000, 9000}, {3000, 2250, 6000, 4500}},
        {800, 600, 300, 400, 1, {175 * 15, 0, 450 * 15, 9000}, {3750, 1500, 4500, 6000}},
        // Top: (9000 - 4530) / 2.
        {800, 600, 400, 151, 1, {0, 2235, 12000, 4530}, {3000, 3367, 6000, 2265}},
        // A 3:2 photo on a 16:9 4k screen fits the height, whatever the size setting.
        {3840, 2160, 6000, 4000, 0, wide4k, wide4k},
        {3840, 2160, 6000, 4000, 1, wide4k, wide4k},
        {1280, 720, 3000, 1000, 0, wide720, wide720},
        {1280, 720, 1080, 1920, 0, tall720, tall720},
    };
    for (const auto& c : cases) {
        for (const char* dissolve :
             {"", "Normal", "Random Blocks", "Slide Left To Center", "Slide Top To Center"}) {
            SCOPED_TRACE(::testing::Message()
                         << c.pictureW << "x" << c.pictureH << " in " << c.windowW << "x"
                         << c.windowH << ", full screen " << c.fullScreen << ", " << dissolve);
            PresenterRig rig(c.windowW, c.windowH, false);
            rig.show.process.settings.Blocks = 50;
            rig.show.process.settings.FullScreen = c.fullScreen;
            rig.add("p", c.pictureW * 15, c.pictureH * 15);
            rig.slide(0).dissolve = dissolve;
            rig.presenter.LoadImage();
            EXPECT_FALSE(rig.show.canvas.commentVisible);
            EXPECT_EQ(rig.show.canvas.box,
                      std::string_view(dissolve).starts_with("Slide") ? c.slidBox : c.box);
        }
    }
}

// The last draws put a picture at the far corner; one as wide as the window, or shrunk to its
// width, has room only in height.
TEST(SlidePresenter, RandomPlaceStaysInsideTheWindow) {
    struct Case {
        std::int32_t windowW, windowH, pictureW, pictureH; // window in pixels, picture in twips
        double down;
        TwipRect box;
    };
    for (const Case& c :
         {Case{100, 80, 900, 600, 0.999999, {1500 - 900, 1200 - 600, 900, 600}},
          Case{100, 80, 1500, 600, 0.0, {0, 0, 1500, 600}},
          Case{1280, 720, 3000 * 15, 1000 * 15, 0.999999, {0, 720 * 15 - 6400, 1280 * 15, 6400}}}) {
        PresenterRig rig(c.windowW, c.windowH, false);
        rig.show.process.settings.ImagePositionRandom = 1;
        rig.add("p", c.pictureW, c.pictureH);
        rig.random.values = {0.999999, c.down};
        rig.presenter.LoadImage();
        EXPECT_EQ(rig.show.canvas.box, c.box) << c.pictureW << " in " << c.windowW;
    }
}

TEST(SlidePresenter, DissolveNamesAreExactAndRandomPicksOneOfTheFourteen) {
    PresenterRig rig(100, 80, false);
    rig.add("p");
    rig.show.process.settings.DissolveType = "Random";
    rig.random.values = {0, 0, 0.0};
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.dissolveShown(), "Normal");
    rig.random.values = {0, 0, 0.99999};
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.dissolveShown(), "Slide Left To Center");

    rig.slide(0).dissolve = "random";
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.show.canvas.paints.back().dst, (TwipRect{0, 0, 900, 600}));
    EXPECT_EQ(rig.dissolveShown(), "random");
}

TEST(SlidePresenter, CommentLabelTakesTheSlideColoursAndLineBreaks) {
    PresenterRig rig(100, 80, false);
    rig.add("p");
    rig.add("q");
    rig.show.picture.add("q", 900, 600, PictureKind::Photo, CivilTime{2018, 7, 14, 16, 5, 9});
    rig.slide(0).comment = "a^b\r\n";
    rig.slide(0).background = "Light Grey";
    rig.slide(0).foreground = "white"; // case counts: red
    rig.presenter.LoadImage();
    const auto& c = rig.show.canvas;
    ASSERT_TRUE(c.commentVisible);
    EXPECT_EQ(c.commentText, "a\r\nb\r\n");
    EXPECT_EQ(c.comment.left, 5);
    const auto grey = 198u * 0x010101u;
    EXPECT_EQ(rig.label(), std::tuple(255u, grey, 1200 - 2 * RecordingCanvas::kLineHeight, grey));
    rig.presenter.LoadImage();
    EXPECT_FALSE(c.commentVisible);
    EXPECT_EQ(c.background, 0u);

    // Megabytes of comment are cut to the lines that fit the window, and so is a message.
    std::string words;
    while (words.size() < 10'000'000)
        words += "word ";
    rig.slide(0).comment = words + "\r\n";
    rig.presenter.LoadImage();
    EXPECT_EQ(std::count(c.commentText.begin(), c.commentText.end(), '\n'), 5);
    EXPECT_LE(c.commentText.size(), 6u * 100 + 5 * 2);
    EXPECT_TRUE(c.commentText.ends_with("\xE2\x80\xA6"));
    EXPECT_EQ(c.comment.top, 1200 - 6 * RecordingCanvas::kLineHeight);

    // In a folder show a picture without a comment shows its caption, white on black; a
    // comment still comes first. The date taken is the one read with the picture.
    rig.show.process.settings.AllImages = 1;
    rig.show.process.settings.Caption = 2;
    rig.presenter.LoadImage();
    ASSERT_TRUE(c.commentVisible);
    EXPECT_EQ(c.commentText, "day 14.7.2018");
    rig.show.process.settings.Caption = 1;
    rig.presenter.LoadImage();
    EXPECT_TRUE(c.commentText.starts_with("word")) << c.commentText.substr(0, 20);
    rig.presenter.LoadImage();
    EXPECT_EQ(c.commentText, "q");
    EXPECT_EQ(rig.label(), std::tuple(0xFFFFFFu, 0u, 1200 - RecordingCanvas::kLineHeight, 0u));
    rig.presenter.LoadImage();
    EXPECT_TRUE(c.commentText.starts_with("word")) << c.commentText.substr(0, 20);
}

TEST(SlidePresenter, SoundModes) {
    PresenterRig rig(100, 80, false);
    rig.add("p");
    rig.add("q");
    rig.slide(0).sound = "chime.wav";

    rig.slides.soundMode = 1; // a slide without sound still asks, with an empty path
    rig.load(2);
    EXPECT_EQ(rig.show.sound.played, (std::vector<std::string>{"chime.wav", ""}));

    rig.slides.soundMode = 2; // the slide stays while its sound plays
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.show.media.name, "chime.wav");
    EXPECT_EQ(rig.show.canvas.status, "Play");
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.state.currentSlide, 0);
    rig.show.media.finish();
    rig.slide(1).sound = "missing.wav"; // plays nothing, the show goes on
    EXPECT_EQ(rig.load(2).back(), 0);

    rig.slides.soundMode = 3; // the list timer starts at the first slide only
    rig.state.asyncStartPending = true;
    rig.presenter.LoadImage();
    EXPECT_TRUE(rig.show.timer2.enabled());
    EXPECT_FALSE(rig.state.asyncStartPending);

    PresenterRig silent(100, 80, false);
    silent.add("p");
    silent.slide(0).sound = "chime.wav";
    silent.show.process.settings.DisableSound = 1;
    for (std::int16_t mode : {1, 2, 3}) {
        silent.slides.soundMode = mode;
        silent.state.asyncStartPending = true;
        silent.presenter.LoadImage();
    }
    EXPECT_TRUE(silent.show.sound.played.empty());
    EXPECT_TRUE(silent.show.media.log.empty());
    EXPECT_FALSE(silent.show.timer2.enabled());
}

TEST(SlidePresenter, PicturesThatFailGoDownTheErrorPathAndTheShowGoesOn) {
    PresenterRig rig;
    rig.add("p");
    rig.slides.images.push_back("gone.jpg");
    rig.add("r");
    rig.slide(1).background = "Yellow";
    rig.slide(1).sound = "x.wav";
    rig.slides.soundMode = 1;
    rig.presenter.LoadImage();
    rig.show.picture.fail("r"); // before it is read ahead: it fails at its turn
    rig.presenter.LoadImage();
    const auto& c = rig.show.canvas;
    EXPECT_EQ(c.commentText, "Cannot open the picture gone.jpg");
    EXPECT_EQ(rig.label(), std::tuple(0xFFFFFFu, 0u, 1200 - RecordingCanvas::kLineHeight, 0u));
    EXPECT_EQ(c.status, "gone.jpg></prog/Glimmerframe.pic");
    EXPECT_FALSE(rig.state.busy);
    EXPECT_EQ(rig.show.sound.played.size(), 1u); // no sound for the failed slide
    EXPECT_EQ(c.screen(50, 40).kind, Pixel::Kind::Background);

    EXPECT_EQ(rig.load(), std::vector<int>{2});
    EXPECT_EQ(c.commentText, "The picture r is damaged");
    EXPECT_EQ(rig.load(), std::vector<int>{0});
    EXPECT_FALSE(c.commentVisible);
    EXPECT_GT(c.boxPicturePixels(), 0);
}

TEST(SlidePresenter, PhotosAreDecodedToFitTheWindowAndMetafilesAtTheirBox) {
    PresenterRig rig(800, 600, false);
    rig.add("photo", 1600 * 15, 1200 * 15);
    rig.add("clip", 200 * 15, 100 * 15);
    rig.show.picture.add("clip", 200 * 15, 100 * 15, PictureKind::Metafile);
    rig.show.process.settings.FullScreen = 1;
    rig.presenter.LoadImage();
    const auto shownSize = [&] {
        const auto* p = rig.show.canvas.picture.get();
        return p ? std::pair(p->widthPixels(), p->heightPixels()) : std::pair(0, 0);
    };
    EXPECT_EQ(shownSize(), std::pair(800, 600));
    // The clip art was read ahead to fit the window, then drawn again at its full-screen box.
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.show.picture.decoded(),
              (std::vector<std::string>{"photo", "clip", "clip", "photo"}));
    EXPECT_EQ(shownSize(), std::pair(800, 400));
}

TEST(SlidePresenter, EachPictureIsReadOnceAheadOfItsTurnUnlessItChanged) {
    ScratchDir dir("presenter-ahead");
    PresenterRig rig;
    std::vector<std::string> paths;
    for (auto n : {"a", "b", "c"}) {
        paths.push_back(dir.write(n, "x"));
        rig.add(paths.back());
    }
    auto& decoder = rig.show.picture;
    rig.presenter.PrefetchNext(); // as the window loads
    EXPECT_EQ(decoder.decoded(), std::vector<std::string>{paths[0]});
    rig.load(3);
    // Each tick found its picture ready and asked for the next one.
    EXPECT_EQ(decoder.decoded(),
              (std::vector<std::string>{paths[0], paths[1], paths[2], paths[0]}));

    dir.write("a", "changed"); // between the read ahead and its turn: read again
    rig.presenter.LoadImage();
    EXPECT_EQ(decoder.decodes(), 6u);
    EXPECT_EQ(decoder.decoded()[4], paths[0]);
    EXPECT_FALSE(rig.show.canvas.commentVisible);

    // Random order draws each slide a tick ahead, and reads its picture then.
    PresenterRig random;
    random.add("a");
    random.add("b");
    random.show.process.settings.ImageOrderRandom = 1;
    random.random.values = {0.9, 0, 0, 0.1, 0, 0, 0.9};
    random.presenter.PrefetchNext(); // as the window loads
    EXPECT_EQ(random.show.picture.decoded(), std::vector<std::string>{"b"});
    EXPECT_EQ(random.load(2), (std::vector<int>{1, 0}));
    EXPECT_EQ(random.show.picture.decoded(), (std::vector<std::string>{"b", "a", "b"}));
}

TEST(SlidePresenter, TheWorkerDecodesWhileTheWindowHandlesEvents) {
    PresenterRig rig;
    rig.show.platform.workers = true;
    SlidePresenter presenter(rig.state, rig.slides, rig.show.process.files, false, "/prog/");
    rig.add("a");
    rig.add("b");
    presenter.LoadImage();
    EXPECT_GT(rig.show.canvas.boxPicturePixels(), 0);
    ASSERT_TRUE(rig.show.picture.waitForDecodes(2)); // "b", ahead of its turn
    presenter.LoadImage();
    EXPECT_EQ(rig.state.currentSlide, 1);
    ASSERT_TRUE(rig.show.picture.waitForDecodes(3));
    EXPECT_EQ(rig.show.picture.decoded(), (std::vector<std::string>{"a", "b", "a"}));

    // A key while a picture is decoded ends the wait at once; the slide is given up.
    rig.add("slow");
    rig.show.picture.hold("slow");
    rig.slides.images = {"slow"};
    rig.state.currentSlide = -1;
    rig.show.timer1.setEnabled(true);
    bool timerDuringWait = true;
    rig.show.loop.atTime(rig.show.loop.now + 300, [&] {
        timerDuringWait = rig.show.timer1.enabled();
        rig.state.exiting = true;
    });
    presenter.LoadImage();
    EXPECT_FALSE(timerDuringWait); // no tick can come into the wait
    EXPECT_FALSE(rig.state.busy);
    EXPECT_EQ(rig.state.image1.decoded, nullptr);
    rig.show.picture.letGo();
}

TEST(SlidePresenter, PackageSlidesComeOutOfThePackage) {
    FakeEmbeddedItems items;
    PresenterRig rig(100, 80, true, &items);
    rig.slides.images = {"Imbedded Image", "Imbedded Image"};
    rig.show.picture.add(items.PicturePath(0), 900, 600);
    items.pictures[0] = true;
    items.sounds[0] = "/tmp/none/Glimmerframe.wav";
    items.sounds[1] = "/tmp/none/Glimmerframe.mp3";
    rig.slides.soundMode = 1;
    rig.slides.attributes[0].comment = "first\r\n";
    rig.show.timer1.setEnabled(true);
    bool busyDuringCopy = false, timerDuringCopy = true;
    items.onExtract = [&] {
        busyDuringCopy = rig.state.busy;
        timerDuringCopy = rig.show.timer1.enabled();
    };
    rig.presenter.LoadImage();
    EXPECT_TRUE(busyDuringCopy);
    EXPECT_FALSE(timerDuringCopy);
    EXPECT_TRUE(rig.show.timer1.enabled());
    EXPECT_EQ(rig.show.picture.decoded(), std::vector<std::string>{items.PicturePath(0)});
    EXPECT_EQ(rig.show.media.name, "/tmp/none/Glimmerframe.wav");
    EXPECT_GT(rig.show.canvas.boxPicturePixels(), 0);
    EXPECT_TRUE(rig.show.canvas.commentVisible);

    // No picture for slide 1: the box stays as it was, only the sound follows; the comment of
    // slide 0 goes.
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.show.picture.decodes(), 2u); // slide 0's only, read ahead for its next turn
    EXPECT_GT(rig.show.canvas.boxPicturePixels(), 0);
    EXPECT_FALSE(rig.show.canvas.commentVisible);
    EXPECT_EQ(rig.show.media.name, "/tmp/none/Glimmerframe.mp3");
    EXPECT_FALSE(rig.state.busy);
}

// The next slide's picture is copied out of the package and read while the current one shows.
TEST(SlidePresenter, APackagesNextPictureIsReadAheadOfItsTurn) {
    FakeEmbeddedItems items;
    PresenterRig rig(100, 80, true, &items);
    rig.slides.images = {"Imbedded Image", "Imbedded Image"};
    for (int i : {0, 1}) {
        items.pictures[i] = true;
        rig.show.picture.add(items.PicturePath(i), 900, 600);
    }
    rig.presenter.PrefetchNext(); // as the window loads
    rig.presenter.LoadImage();
    EXPECT_EQ(items.imageCalls, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(rig.show.picture.decoded(),
              (std::vector<std::string>{items.PicturePath(0), items.PicturePath(1)}));
    rig.presenter.LoadImage();
    EXPECT_EQ(rig.state.currentSlide, 1);
    EXPECT_EQ(rig.show.picture.decodes(), 3u); // slide 1 was ready; slide 0 is read again
    EXPECT_GT(rig.show.canvas.boxPicturePixels(), 0);
}

} // namespace
} // namespace gf::test
