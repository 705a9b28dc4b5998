#include "qt/show/QtShow.h"
#include "core/template/SlideListLoader.h"
#include "fakes/BombFiles.h"
#include "fakes/ExifDate.h"
#include "fakes/MemorySettingsStore.h"
#include "fakes/RealFiles.h"
#include "fakes/WmfWriter.h"
#include "qt/show/QtDecodedPicture.h"
#include "qt/show/QtMediaPlayer.h"
#include "qt/show/QtOneShotSound.h"
#include "qt/show/QtPictureDecoder.h"
#include "qt/show/QtShowClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimerEvent>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace gf {
namespace {

QString Write(const QTemporaryDir& dir, const QString& name, const QImage& img,
              QImageIOHandler::Transformations t = QImageIOHandler::TransformationNone) {
    const QString path = dir.filePath(name);
    QImageWriter w(path);
    w.setTransformation(t);
    EXPECT_TRUE(w.write(img)) << w.errorString().toStdString();
    return path;
}

QImage Solid(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// Decodes at `shown` twips (the natural size when none is given).
Result<DecodedFile> Decode(const QtPictureDecoder& decoder, const QString& path,
                           std::optional<std::pair<int, int>> shown = std::nullopt) {
    const std::atomic<bool> never{false};
    return decoder.decode(
        path.toStdString(),
        [&](const PictureInfo& info) {
            return shown.value_or(std::pair{info.widthTwips, info.heightTwips});
        },
        never);
}

QImage ImageOf(const DecodedFile& file) {
    return static_cast<const QtDecodedPicture&>(*file.picture).image();
}

QString WriteBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}

TEST(QtPictureDecoder, SizesAndKindsComeFromTheContentWithTheOrientationApplied) {
    QTemporaryDir dir;
    const QtPictureDecoder decoder(test::RealFiles(), 15, 1.0);
    // A phone photo stored sideways: 40 x 20 pixels, to be turned a quarter.
    const auto turned =
        Write(dir, "turned.jpg", Solid(40, 20, Qt::red), QImageIOHandler::TransformationRotate90);
    auto t = Decode(decoder, turned);
    ASSERT_TRUE(t) << t.message();
    EXPECT_EQ(std::tuple(t->info.widthTwips, t->info.heightTwips, ImageOf(*t).size()),
              std::tuple(20 * 15, 40 * 15, QSize(20, 40)));
    EXPECT_EQ(t->info.taken, std::nullopt);
    // The date it was taken comes with it, for captions.
    const auto plain = Write(dir, "plain.jpg", Solid(40, 20, Qt::red));
    QFile plainFile(plain);
    ASSERT_TRUE(plainFile.open(QIODevice::ReadOnly));
    const std::string dated =
        test::WithExifDate(plainFile.readAll().toStdString(), "2018:07:14 16:05:09");
    auto d = Decode(decoder, WriteBytes(dir, "dated.jpg", QByteArray::fromStdString(dated)));
    ASSERT_TRUE(d) << d.message();
    EXPECT_EQ(d->info.taken, (CivilTime{2018, 7, 14, 16, 5, 9}));

    // Large pictures are decoded at the size they are shown, never above their own.
    const auto big = Write(dir, "big.jpg", Solid(2000, 1000, Qt::blue));
    EXPECT_EQ(ImageOf(*Decode(decoder, big, std::pair{200 * 15, 100 * 15})).size(),
              QSize(200, 100));
    EXPECT_EQ(ImageOf(*Decode(decoder, big, std::pair{4000 * 15, 2000 * 15})).size(),
              QSize(2000, 1000));
    const QtPictureDecoder hidpi(test::RealFiles(), 15, 2.0);
    EXPECT_EQ(ImageOf(*Decode(hidpi, big, std::pair{200 * 15, 100 * 15})).size(), QSize(400, 200));

    // The kind comes from the content, not the name: a package's metafile is a ".pic" file,
    // and a PNG named .gif is still a PNG.
    const auto wmf = WmfWriter(0, 0, 1440, 720, 1440).rectangle(0, 0, 1440, 720).eof().bytes();
    const auto pic =
        WriteBytes(dir, "Glimmerframe.pic",
                   QByteArray(reinterpret_cast<const char*>(wmf.data()), qsizetype(wmf.size())));
    auto clip = Decode(decoder, pic, std::pair{300, 150});
    ASSERT_TRUE(clip) << clip.message();
    EXPECT_EQ(std::tuple(clip->info.kind, clip->info.widthTwips, ImageOf(*clip).size()),
              std::tuple(PictureKind::Metafile, 1440, QSize(20, 10)));
    QImageWriter png(dir.filePath("photo.gif"), "png");
    ASSERT_TRUE(png.write(Solid(30, 10, Qt::green)));
    auto renamed = Decode(decoder, dir.filePath("photo.gif"));
    ASSERT_TRUE(renamed) << renamed.message();
    EXPECT_EQ(std::pair(renamed->info.kind, ImageOf(*renamed).size()),
              std::pair(PictureKind::Photo, QSize(30, 10)));

    // Rows stored from the top down (a negative height): 2 x 2, red above blue.
    QByteArray bmp = QByteArray::fromHex("424d46000000000000003600000028000000"
                                         "02000000feffffff010018000000000010000000"
                                         "00000000000000000000000000000000");
    bmp += QByteArray::fromHex("0000ff0000ff0000"); // a row of 8 bytes: red, red
    bmp += QByteArray::fromHex("ff0000ff00000000"); // blue, blue
    auto topDown = Decode(decoder, WriteBytes(dir, "top-down.bmp", bmp));
    ASSERT_TRUE(topDown) << topDown.message();
    EXPECT_EQ(ImageOf(*topDown).pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(ImageOf(*topDown).pixelColor(1, 1), QColor(0, 0, 255));
}

TEST(QtPictureDecoder, EveryRefusalSaysWhatIsWrong) {
    QTemporaryDir dir;
    const QtPictureDecoder decoder(test::RealFiles(), 15, 1.0);
    // A pipe is never opened (it would wait for a writer); a link in a circle is named so.
    ASSERT_EQ(::mkfifo(dir.filePath("pipe.jpg").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("loop.jpg"), dir.filePath("loop.jpg")));
    QFile whole(Write(dir, "whole.jpg", Solid(64, 64, Qt::red)));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const std::string bomb = "MB to decode (at most 448 MB)";
    // Tiny files that declare more than 100 megapixels, or a decode beyond the budget (16-bit
    // and palette PNGs, a progressive JPEG's coefficients, a GIF's screen), or a JPEG of too
    // many scans: refused before anything is decoded.
    const struct {
        const char* name;
        std::optional<std::string> bytes; // none: the path as it is
        std::string says;
    } refused[] = {
        {"none.jpg", {}, "does not exist"},
        {"pipe.jpg", {}, "not a regular file"},
        {"loop.jpg", {}, "circle"},
        {"empty.png", "", "empty"},
        {"notes.jpg", "just some words", "not a picture"},
        {"cut.jpg", whole.read(100).toStdString(), "damaged"}, // cut short inside its header
        {"huge.png", test::BombPng(60000, 60000, 8, 2), "too large (60000 x 60000"},
        {"huge.jpg", test::BombJpeg(65535, 65535, 1), "too large (65535 x 65535"},
        {"deep.png", test::BombPng(9000, 9000), bomb},
        {"deep.tif", test::BombTiff(10000, 10000), bomb},
        {"palette.png", test::BombPng(10000, 10000, 8, 3), bomb},
        {"progressive.jpg", test::BombJpeg(10000, 10000, 2), bomb},
        {"screen.gif", test::BombGif(10000, 9000), bomb},
        {"scans.jpg", test::BombJpeg(64, 64, 501), "made of 501 scans (at most 500"},
    };
    for (const auto& r : refused) {
        auto decoded =
            Decode(decoder, r.bytes ? WriteBytes(dir, r.name, QByteArray::fromStdString(*r.bytes))
                                    : dir.filePath(r.name));
        ASSERT_FALSE(decoded) << r.name;
        EXPECT_NE(decoded.message().find(r.says), std::string::npos) << decoded.message();
        EXPECT_EQ(decoded.message().find("Unknown error"), std::string::npos) << decoded.message();
    }
}

struct CanvasRig {
    explicit CanvasRig(double dpr)
        : decoder(test::RealFiles(), 15, dpr), canvas(QSize(100, 80), 15, dpr, {}) {
        const auto path = Write(dir, "p.png", Solid(40, 20, QColor(255, 0, 0)));
        auto decoded = Decode(decoder, path);
        EXPECT_TRUE(decoded);
        canvas.setPicture(decoded->picture, 40 * 15, 20 * 15);
    }
    QImage screen() {
        QImage out(100, 80, QImage::Format_RGB32);
        QPainter p(&out);
        canvas.compose(p, out.rect());
        return out;
    }
    QTemporaryDir dir;
    QtPictureDecoder decoder;
    QtShowCanvas canvas;
};

TEST(QtShowCanvas, StepsRepaintOnlyWhatTheyChanged) {
    for (double dpr : {1.0, 2.0}) {
        CanvasRig rig(dpr);
        auto& c = rig.canvas;
        c.setBackgroundColor(0x00FF00);
        c.placeBox({30 * 15, 30 * 15, 40 * 15, 20 * 15});
        c.setBoxVisible(true);
        c.flush();
        c.repainted = {};
        // One block of the grid: 4 x 2 pixels, with its one pixel of overlap.
        c.paintBox({8 * 15, 4 * 15, 5 * 15, 3 * 15}, TwipRect{8 * 15, 4 * 15, 4 * 15, 2 * 15});
        c.flush();
        EXPECT_EQ(c.repainted, QRect(38, 34, 5, 3)) << dpr;
        auto shot = rig.screen();
        EXPECT_EQ(shot.pixelColor(40, 35), QColor(255, 0, 0)) << dpr;
        EXPECT_EQ(shot.pixelColor(31, 31), QColor(0, 255, 0)) << dpr;
        EXPECT_EQ(shot.pixelColor(5, 5), QColor(0, 255, 0)) << dpr;

        // A slide-in step on the window surface; clearing erases it again.
        c.setBoxVisible(false);
        c.paintWindow(PaintSource::Picture, {0, 0, 40 * 15, 20 * 15}, std::nullopt);
        c.setSwatchColor(0xFF0000); // blue: red + 256 green + 65536 blue
        c.paintWindow(PaintSource::Swatch, {0, 20 * 15, 40 * 15, 5 * 15}, std::nullopt);
        shot = rig.screen();
        EXPECT_EQ(shot.pixelColor(10, 10), QColor(255, 0, 0));
        EXPECT_EQ(shot.pixelColor(10, 22), QColor(0, 0, 255));
        c.clearWindow();
        EXPECT_EQ(rig.screen().pixelColor(10, 10), QColor(0, 255, 0));

        // A fade: the kept screen alone, then the new one blended over it by its share, then the
        // new one alone.
        c.holdScreen();
        c.setBackgroundColor(0x0000FF); // red
        c.setBoxVisible(false);
        EXPECT_EQ(rig.screen().pixelColor(10, 10), QColor(0, 255, 0)) << dpr;
        c.repainted = {};
        c.fadeTo(0.25);
        c.flush();
        EXPECT_EQ(c.repainted, QRect(0, 0, 100, 80));
        const QColor blend = rig.screen().pixelColor(10, 10);
        EXPECT_NEAR(blend.red(), 64, 2) << dpr;
        EXPECT_NEAR(blend.green(), 191, 2) << dpr;
        c.fadeTo(1);
        EXPECT_EQ(rig.screen().pixelColor(10, 10), QColor(255, 0, 0)) << dpr;
    }
}

// Captions' dates: an instant in the local zone, within a day of the UTC date, and a date in the
// locale's words.
TEST(QtShowClock, InstantsAreLocalAndDatesAreInTheLocalesWords) {
    const QtShowClock clock;
    const auto t = clock.localTime(1'531'584'007'000'000'000); // 14 July 2018, 16:00:07 UTC
    // No zone moves the seconds.
    EXPECT_EQ(std::tuple(t.year, t.month, t.second), std::tuple(2018, 7, 7));
    EXPECT_TRUE(t.day == 14 || t.day == 15) << t.day;
    const std::string date = clock.longDate({2018, 7, 14, 0, 0, 0});
    EXPECT_EQ(date, QLocale().toString(QDate(2018, 7, 14), QLocale::LongFormat).toStdString());
    EXPECT_NE(date.find("2018"), std::string::npos) << date;
    EXPECT_EQ(clock.longDate({2018, 13, 40, 0, 0, 0}), "");
}

TEST(QtShowCanvas, TheCommentSitsAtTheBottomLeftInItsColours) {
    CanvasRig rig(1.0);
    auto& c = rig.canvas;
    const std::string text = "Hello\r\nworld\r\n";
    const auto h = c.commentHeight(text);
    EXPECT_EQ(c.commentHeight("Hello\r\nworld"), h); // the closing break adds no line
    c.showComment({text, 0xFFFFFF, 0xFF0000, 5, 80 * 15 - h});
    const auto shot = rig.screen();
    const int top = (80 * 15 - h) / 15;
    EXPECT_EQ(shot.pixelColor(1, top + 1), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(1, 79), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(1, top - 2), QColor(0, 0, 0));
    int white = 0;
    for (int y = top; y < 80; ++y)
        for (int x = 0; x < 60; ++x)
            white += shot.pixelColor(x, y) == QColor(255, 255, 255);
    EXPECT_GT(white, 10);

    // Hiding repaints at once, whether or not anything is painted after it.
    c.repainted = {};
    c.hideComment();
    EXPECT_TRUE(c.repainted.contains(QRect(0, top, 10, 80 - top))) << c.repainted.y();
    EXPECT_EQ(rig.screen().pixelColor(1, 79), QColor(0, 0, 0));
}

// Every encoding sox writes plays on one of the two players: the one-shot player, or the media
// player where the one-shot player cannot decode it. With no sound card the media player plays
// into nothing, but it still has to open and decode the file.
TEST(QtSounds, EveryWaveEncodingPlaysOnOnePlayerAndAPictureOnNone) {
    QTemporaryDir dir;
    const char* encodings[] = {"-b 8",         "-b 16", "-b 24", "-b 32", "-e floating-point -b 32",
                               "-e u-law -b 8"};
    const char* layouts[] = {"-r 8000 -c 1", "-r 22050 -c 2", "-r 48000 -c 2"};
    QtOneShotSound oneShot;
    QtMediaPlayer media;
    std::vector<std::string> failures;
    const auto settle = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 600 && !done(); ++i)
            QTest::qWait(50);
    };
    // As the show does: what the one-shot player cannot play goes to the media player.
    oneShot.setFailureHandler([&](const std::string& p, const std::string& why) {
        failures.push_back("one-shot: " + why);
        media.setFileName(p);
    });
    media.setFailureHandler(
        [&](const std::string&, const std::string& why) { failures.push_back(why); });
    int file = 0;
    for (const char* encoding : encodings)
        for (const char* layout : layouts) {
            const QString path = dir.filePath(QString("sound%1.wav").arg(++file));
            QStringList args =
                QString("-n %1 %2 - synth 0.3 sine 440").arg(layout, encoding).split(' ');
            args.replace(args.indexOf("-"), path);
            ASSERT_EQ(QProcess::execute("sox", args), 0) << args.join(' ').toStdString();
            failures.clear();
            oneShot.playAsync(path.toStdString());
            settle([&] { return oneShot.ready() || media.loaded() || failures.size() >= 2; });
            EXPECT_TRUE(oneShot.ready() || media.loaded())
                << args.join(' ').toStdString() << ": " << testing::PrintToString(failures);
            media.setFileName("");
        }

    // A picture named as a sound: neither player takes it, and both say so.
    const QString picture = Write(dir, "picture.png", Solid(4, 4, Qt::red));
    const QString fake = dir.filePath("picture.wav");
    ASSERT_TRUE(QFile::copy(picture, fake));
    failures.clear();
    oneShot.playAsync(fake.toStdString());
    settle([&] { return failures.size() >= 2; });
    EXPECT_EQ(failures.size(), 2U) << testing::PrintToString(failures);
    EXPECT_FALSE(oneShot.ready());
    EXPECT_FALSE(media.loaded());
    EXPECT_NE(media.playState(), kPlayPlaying);
}

// A folder show of `dir`'s pictures, a slide every 30 s, started as the program starts it
// (after `adjust` has had its say on the settings).
struct FolderShow {
    explicit FolderShow(const QTemporaryDir& dir,
                        const std::function<void(Settings&)>& adjust = {}) {
        process.startup.TwipsPerPixelX = process.startup.TwipsPerPixelY = 15;
        process.startup.PlatformId = 2;
        auto& s = process.settings;
        s.AllImages = 1;
        s.ImagePath = dir.path().toStdString();
        s.ImageInterval = 30;
        s.Blocks = 10;
        s.MouseSensitivity = 100;
        s.DissolveType = "Normal";
        if (adjust)
            adjust(s);
        auto started = QtShow::Start(process, store);
        EXPECT_TRUE(started) << started.message();
        if (started)
            show = std::move(*started);
    }
    ProcessState process{test::RealFiles()};
    test::MemorySettingsStore store;
    std::unique_ptr<QtShow> show;
};

// Delivers the slide timer's ticks by hand until `shown` holds: the folder is listed on a worker,
// so the first ticks may find nothing yet. Each tick that finds it has the slide on the screen
// when it returns.
void TickUntil(QtPlatformTimer& timer, const std::function<bool()>& shown, const char* what) {
    for (int i = 0; i < 2000 && !shown(); ++i) {
        ASSERT_TRUE(timer.enabled()) << "the slide timer stopped before " << what;
        QTimerEvent tick(timer.timerId());
        QCoreApplication::sendEvent(&timer, &tick);
        if (!shown())
            QTest::qWait(10);
    }
    ASSERT_TRUE(shown()) << "waited 20 s for " << what;
}

TEST(QtShow, RunsAFolderShowAndEndsOnAKey) {
    QTemporaryDir dir;
    Write(dir, "only.bmp", Solid(30, 20, QColor(0, 0, 255)));
    FolderShow run(dir, [](Settings& s) { s.DissolveType = "Random Blocks"; });
    ASSERT_TRUE(run.show);
    auto& s = *run.show;
    EXPECT_EQ(s.window().windowTitle(), QStringLiteral("Screen Saver Main Form"));
    TickUntil(
        s.slideTimer(), [&] { return s.player().state().currentSlide >= 0; }, "the first slide");
    EXPECT_FALSE(s.player().state().busy);
    EXPECT_EQ(s.canvas().statusText().toStdString().substr(0, 22), "Dissolve=Random Blocks");
    QTest::keyClick(&s.window(), Qt::Key_Space);
    EXPECT_TRUE(s.player().ended());
}

// The offscreen platform reads its screens once, at start: with one screen only, the test runs
// itself again in a process of its own that has two.
TEST(QtShow, TheOtherScreensShowSlidesOrAreCoveredAndPassTheirInputToTheShow) {
    if (QGuiApplication::screens().size() < 2) {
        ASSERT_TRUE(qEnvironmentVariableIsEmpty("GF_TWO_SCREENS")) << "no second screen";
        if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
            GTEST_SKIP() << "one screen on " << QGuiApplication::platformName().toStdString();
        QTemporaryDir dir;
        QFile config(dir.filePath("screens.json"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(R"({"screens": [
            {"name": "main", "x": 0, "y": 0, "width": 800, "height": 600},
            {"name": "side", "x": 800, "y": 0, "width": 400, "height": 300}]})");
        config.close();
        QProcess child;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
        env.insert("GF_TWO_SCREENS", "1");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=QtShow."
                     "TheOtherScreensShowSlidesOrAreCoveredAndPassTheirInputToTheShow"});
        ASSERT_TRUE(child.waitForFinished(120000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
        return;
    }

    QTemporaryDir dir;
    Write(dir, "only.bmp", Solid(30, 20, QColor(0, 0, 255)));
    for (const bool click : {false, true}) {
        FolderShow run(dir, [click](Settings& s) {
            s.MouseSensitivity = 3;
            s.IgnoreMouse = click ? 1 : 0;
        });
        ASSERT_TRUE(run.show);
        auto& s = *run.show;
        ASSERT_EQ(s.covers().size(), 1u);
        QWidget& cover = *s.covers()[0];
        EXPECT_EQ(cover.geometry(), QGuiApplication::screens()[1]->geometry());
        EXPECT_NE(cover.windowTitle(), s.window().windowTitle()); // one show caption only
        auto send = [&](QEvent::Type type, int x) {
            const QPointF local(x, 10), global = cover.mapToGlobal(local);
            const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, local, global, button, button, Qt::NoModifier);
            QCoreApplication::sendEvent(&cover, &event);
        };
        if (click) {
            send(QEvent::MouseButtonPress, 10);
        } else {
            for (int x = 10; x < 50; x += 10) // the first move finds where the pointer is
                send(QEvent::MouseMove, x);
        }
        EXPECT_TRUE(s.player().ended()) << (click ? "click" : "moves");
    }

    // On every screen: the second shows the slides too, in its own size, and a key there ends
    // the show.
    FolderShow run(dir, [](Settings& s) { s.ShowOnAllScreens = 1; });
    ASSERT_TRUE(run.show);
    auto& s = *run.show;
    EXPECT_TRUE(s.covers().empty());
    ASSERT_EQ(s.beside().size(), 1u);
    auto& side = *s.beside()[0];
    EXPECT_EQ(side.window->geometry(), QGuiApplication::screens()[1]->geometry());
    // The 30 x 20 picture in the middle of each screen.
    TickUntil(
        s.slideTimer(),
        [&] { return s.window().grab().toImage().pixelColor(400, 300) == QColor(0, 0, 255); },
        "the picture on the first screen");
    TickUntil(
        side.timer1,
        [&] { return side.window->grab().toImage().pixelColor(200, 150) == QColor(0, 0, 255); },
        "the picture on the second screen");
    const QImage second = side.window->grab().toImage();
    EXPECT_EQ(second.size(), QSize(400, 300));
    EXPECT_EQ(second.pixelColor(5, 5), QColor(0, 0, 0));
    QTest::keyClick(side.window.get(), Qt::Key_Space);
    EXPECT_TRUE(s.player().ended());
    EXPECT_FALSE(side.timer1.enabled());
}

} // namespace
} // namespace gf
