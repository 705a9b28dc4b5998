#include "qt/show/QtShow.h"
#include "core/show/SlideListLoader.h"
#include "fakes/MemorySettingsStore.h"
#include "fakes/RealFiles.h"

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
#include <gtest/gtest.h>

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

TEST(QtPictureHolder, SizesComeFromTheHeaderWithTheOrientationApplied) {
    QTemporaryDir dir;
    QtPictureHolder holder(15, 1.0);
    // A phone photo stored sideways: 40 x 20 pixels, to be turned a quarter.
    const auto turned =
        Write(dir, "turned.jpg", Solid(40, 20, Qt::red), QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(holder.load(turned.toStdString()));
    EXPECT_EQ(holder.width(), 20 * 15);
    EXPECT_EQ(holder.height(), 40 * 15);
    ASSERT_TRUE(holder.prepare(20 * 15, 40 * 15));
    EXPECT_EQ(holder.image().size(), QSize(20, 40));

    // Large pictures are decoded at the size they are shown, never above their own.
    const auto big = Write(dir, "big.jpg", Solid(2000, 1000, Qt::blue));
    ASSERT_TRUE(holder.load(big.toStdString()));
    ASSERT_TRUE(holder.prepare(200 * 15, 100 * 15));
    EXPECT_EQ(holder.image().size(), QSize(200, 100));
    ASSERT_TRUE(holder.prepare(4000 * 15, 2000 * 15));
    EXPECT_EQ(holder.image().size(), QSize(2000, 1000));

    QtPictureHolder hidpi(15, 2.0);
    ASSERT_TRUE(hidpi.load(big.toStdString()));
    ASSERT_TRUE(hidpi.prepare(200 * 15, 100 * 15));
    EXPECT_EQ(hidpi.image().size(), QSize(400, 200));
}

TEST(QtPictureHolder, UnreadableAndOversizedPicturesAreRefusedWithAReason) {
    QTemporaryDir dir;
    QtPictureHolder holder(15, 1.0);
    auto missing = holder.load(dir.filePath("none.jpg").toStdString());
    EXPECT_NE(missing.message().find("does not exist"), std::string::npos);

    QFile empty(dir.filePath("empty.png"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_FALSE(holder.load(empty.fileName().toStdString()));
    EXPECT_EQ(holder.width(), 0);

    // A tiny file claiming 60000 x 60000 pixels is refused before anything is decoded.
    const char header[] =
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\xea\x60"
        "\x00\x00\xea\x60\x08\x02\x00\x00\x00\x0f\xb0\xe2\x15\x00\x00\x00\x0c\x49\x44\x41"
        "\x54\x78\x9c\x63\x60\xa0\x0c\x00\x00\x00\x40\x00\x01\xb7\x34\x7c\xef\x00\x00\x00\x00\x49"
        "\x45\x4e\x44\xae\x42\x60\x82";
    QFile huge(dir.filePath("huge.png"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(header, sizeof header - 1);
    huge.close();
    auto refused = holder.load(huge.fileName().toStdString());
    EXPECT_NE(refused.message().find("too large"), std::string::npos) << refused.message();
}

struct CanvasRig {
    explicit CanvasRig(double dpr) : holder(15, dpr), canvas(QSize(100, 80), 15, dpr, holder, {}) {
        const auto path = Write(dir, "p.png", Solid(40, 20, QColor(255, 0, 0)));
        EXPECT_TRUE(holder.load(path.toStdString()));
        EXPECT_TRUE(holder.prepare(40 * 15, 20 * 15));
    }
    QImage screen() {
        QImage out(100, 80, QImage::Format_RGB32);
        QPainter p(&out);
        canvas.compose(p, out.rect());
        return out;
    }
    QTemporaryDir dir;
    QtPictureHolder holder;
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
    }
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

TEST(QtShow, RunsAFolderShowAndEndsOnAKey) {
    QTemporaryDir dir;
    Write(dir, "only.bmp", Solid(30, 20, QColor(0, 0, 255)));
    ProcessState process{test::RealFiles()};
    process.startup.TwipsPerPixelX = process.startup.TwipsPerPixelY = 15;
    process.startup.PlatformId = 2;
    process.settings.AllImages = 1;
    process.settings.ImagePath = dir.path().toStdString();
    process.settings.ImageInterval = 30;
    process.settings.Blocks = 10;
    process.settings.MouseSensitivity = 100;
    process.settings.DissolveType = "Random Blocks";
    test::MemorySettingsStore store;
    auto show = QtShow::Start(process, store);
    ASSERT_TRUE(show) << show.message();
    auto& s = **show;
    EXPECT_EQ(s.window().windowTitle(), QStringLiteral("Screen Saver Main Form"));
    // The first tick, delivered by hand: the slide is on the screen when it returns.
    ASSERT_TRUE(s.slideTimer().enabled());
    QTimerEvent tick(s.slideTimer().timerId());
    QCoreApplication::sendEvent(&s.slideTimer(), &tick);
    EXPECT_EQ(s.player().state().currentSlide, 0);
    EXPECT_FALSE(s.player().state().busy);
    EXPECT_EQ(s.canvas().statusText().toStdString().substr(0, 22), "Dissolve=Random Blocks");
    QTest::keyClick(&s.window(), Qt::Key_Space);
    EXPECT_TRUE(s.player().ended());
}

// The offscreen platform reads its screens once, at start: with one screen only, the test runs
// itself again in a process of its own that has two.
TEST(QtShow, TheOtherScreensPassTheirInputToTheShow) {
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
                    {"--gtest_filter=QtShow.TheOtherScreensPassTheirInputToTheShow"});
        ASSERT_TRUE(child.waitForFinished(120000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
        return;
    }

    QTemporaryDir dir;
    Write(dir, "only.bmp", Solid(30, 20, QColor(0, 0, 255)));
    for (const bool click : {false, true}) {
        ProcessState process{test::RealFiles()};
        process.startup.TwipsPerPixelX = process.startup.TwipsPerPixelY = 15;
        process.startup.PlatformId = 2;
        process.settings.AllImages = 1;
        process.settings.ImagePath = dir.path().toStdString();
        process.settings.MouseSensitivity = 3;
        process.settings.IgnoreMouse = click ? 1 : 0;
        test::MemorySettingsStore store;
        auto show = QtShow::Start(process, store);
        ASSERT_TRUE(show) << show.message();
        auto& s = **show;
        ASSERT_EQ(s.covers().size(), 1u);
        QWidget& cover = *s.covers()[0];
        EXPECT_EQ(cover.geometry(), QGuiApplication::screens()[1]->geometry());
        EXPECT_NE(cover.windowTitle(), s.window().windowTitle()); // one show caption only
        auto send = [&](QEvent::Type type, int x) {
            const QPointF local(x, 10), global = cover.mapToGlobal(local);
            QMouseEvent event(
                type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
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
}

} // namespace
} // namespace gf
