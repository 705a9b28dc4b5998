#include "core/controls/utimerCTL.h"
#include "core/help/Version.h"
#include "qt/support/AboutBox.h"
#include "qt/support/AdStrip.h"
#include "qt/support/FolderBrowser.h"
#include "qt/support/HelpWindow.h"
#include "qt/support/QtHelpHost.h"
#include "qt/support/QtIntervalTimer.h"
#include "qt/support/UrlOpener.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimerEvent>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(AdStrip, RotatesOnItsTimerAndOpensTheGuideAtTheShowingTip) {
    QList<QUrl> opened;
    AdStrip strip(nullptr, [&](const QUrl& u) { opened << u; });
    strip.resize(360, 72);
    strip.show();
    EXPECT_EQ(strip.timer().control().MinuteInterval(), 3);
    EXPECT_TRUE(strip.timer().isEnabled());
    // The turn itself is the core's; the strip shows the tip it turns to, in one place.
    for (int turn = 0; turn < 2; ++turn) {
        EXPECT_EQ(strip.currentIndex(), turn);
        for (int i = 0; i < AdStrip::kAdCount; ++i) {
            EXPECT_EQ(strip.picture(i)->isVisible(), i == turn) << turn << i;
            EXPECT_EQ(strip.picture(i)->geometry(), strip.picture(0)->geometry());
        }
        emit strip.timer().timer();
    }
    for (int i = 2; i < AdStrip::kAdCount; ++i)
        emit strip.timer().timer();

    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(100, 30));
    emit strip.timer().timer();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(100, 30));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].path().endsWith("/help/index.html"))
        << opened[0].toString().toStdString();
    EXPECT_EQ(opened[0].fragment(), "templates");
    EXPECT_EQ(opened[1].fragment(), "designer");
    EXPECT_TRUE(strip.toolTip().contains("template designer"));
}

// Ticks are delivered by hand, as the timer's own events: no test waits for a real timer.
void Tick(QtPlatformTimer& timer) {
    ASSERT_TRUE(timer.enabled());
    QTimerEvent tick(timer.timerId());
    QCoreApplication::sendEvent(&timer, &tick);
}

// What is left of the running period, as the event dispatcher counts it.
int RemainingMs(const QtPlatformTimer& timer) {
    return QAbstractEventDispatcher::instance()->remainingTime(timer.timerId());
}

TEST(QtPlatformTimer, TicksReachTheHandlerWhichMaySwitchItAndNewIntervalsCountAfresh) {
    QtPlatformTimer timer;
    int ticks = 0;
    timer.setTickHandler([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setInterval(60000);
    EXPECT_FALSE(timer.enabled());
    timer.setEnabled(true);
    timer.setInterval(20000); // restarts the count of a running timer
    EXPECT_LE(RemainingMs(timer), 20000);
    EXPECT_EQ(timer.interval(), 20000);
    Tick(timer);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.enabled());
}

TEST(QtIntervalTimer, AMillisecondPeriodFiresAndStopsWhenDisabled) {
    QtIntervalTimer timer;
    QSignalSpy fired(&timer, &QtIntervalTimer::timer);
    timer.setInterval(20);
    auto& platform = timer.platformTimer();
    Tick(platform); // the start tick
    EXPECT_EQ(platform.interval(), 20);
    EXPECT_EQ(fired.count(), 0);
    Tick(platform);
    EXPECT_EQ(fired.count(), 1);
    timer.setEnabled(false);
    EXPECT_FALSE(platform.enabled());
}

TEST(FolderBrowser, ListsMatchingFilesIgnoringCaseAndKeepsPlaceOnMissingFolder) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    for (const char* name : {"a.jpg", "B.JPG", "c.Jpe", "d.jpeg", "e.wmf", "f.png", "g.txt"})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly)) << name;
    FolderBrowser browser;
    browser.setPatterns("*.jpg;*.jpeg;*.bmp;*.gif; *.jpe; *.wmf");
    QSignalSpy changed(&browser, &FolderBrowser::folderChanged);
    QSignalSpy listed(&browser, &FolderBrowser::filesListed);
    ASSERT_TRUE(browser.goToFolder(dir.path()));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), QDir::cleanPath(dir.path()));
    ASSERT_TRUE(listed.count() > 0 || listed.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(browser.listedFiles().size(), 5, 5000);
    auto files = browser.listedFiles();
    files.sort(Qt::CaseInsensitive);
    EXPECT_EQ(files, QStringList({"a.jpg", "B.JPG", "c.Jpe", "d.jpeg", "e.wmf"}));

    EXPECT_FALSE(browser.goToFolder(dir.filePath("missing")));
    EXPECT_FALSE(browser.goToFolder(dir.filePath("a.jpg")));
    EXPECT_EQ(browser.folder(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(changed.count(), 1);

    // Every file when no pattern is set.
    browser.setPatterns("");
    QTRY_COMPARE_WITH_TIMEOUT(browser.listedFiles().size(), 7, 5000);

    const auto places = browser.places();
    ASSERT_GE(places.size(), 2);
    EXPECT_EQ(places[0].second, "/");
    EXPECT_EQ(places[1].second, QDir::homePath());
}

TEST(FolderBrowser, OpensWithTheCurrentFolderInViewAtOnce) {
    // Deep enough, and among enough siblings, that the tree's top rows are far from it.
    QTemporaryDir dir;
    for (int i = 0; i < 60; ++i)
        QDir(dir.path()).mkdir(QString("sibling-%1").arg(i, 2, 10, QLatin1Char('0')));
    const QString deep = dir.filePath("sibling-59/a/b/c");
    ASSERT_TRUE(QDir().mkpath(deep));
    FolderBrowser browser;
    browser.resize(600, 160);
    ASSERT_TRUE(browser.goToFolder(deep));
    browser.show();
    QCoreApplication::processEvents();
    auto* tree = browser.findChild<QTreeView*>("folders");
    ASSERT_NE(tree, nullptr);
    const auto inView = [tree] {
        return tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex()));
    };
    EXPECT_TRUE(inView()) << "the tree opened away from the current folder";
    // Still there once the folders above it have been read in.
    QTest::qWait(300);
    EXPECT_TRUE(inView());
}

TEST(HelpWindow, ContentsOfEveryPageFollowTheReaderAndKeysCloseIt) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& html) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
    };
    write("index.html", "<html><body><h1>Guide</h1><h2>Running</h2><p>x</p><h3>Keys</h3>" +
                            QByteArray("<p>text</p>").repeated(300) +
                            "<h2 id=\"far\">Settings</h2><p>here</p></body></html>");
    write("linux.html", "<html><body><h1>On Linux</h1><h2 id=\"files\">Files</h2></body></html>");
    // The opener makes the caller's one window and shows the page at its section.
    QWidget caller;
    const UrlOpener open = GuideOpener(&caller);
    QUrl far = QUrl::fromLocalFile(dir.filePath("index.html"));
    far.setFragment("far");
    open(far);
    auto* window = HelpWindow::forCaller(&caller);
    EXPECT_TRUE(window->isVisible());
    EXPECT_GT(window->browser()->verticalScrollBar()->value(), 0);
    auto* toc = window->contents();
    // Every page is a book of its chapters and sections; a page of the other system's guide,
    // or one that is missing, is none.
    ASSERT_EQ(toc->topLevelItemCount(), 2);
    EXPECT_EQ(toc->topLevelItem(0)->text(0), "Guide");
    EXPECT_EQ(toc->topLevelItem(0)->child(0)->text(0), "Running");
    EXPECT_EQ(toc->topLevelItem(0)->child(0)->child(0)->text(0), "Keys");
    EXPECT_EQ(toc->topLevelItem(0)->child(1)->text(0), "Settings");
    EXPECT_EQ(toc->topLevelItem(1)->child(0)->text(0), "Files");
    // The contents follow the page shown, and choosing in them shows the page.
    EXPECT_EQ(toc->currentItem()->text(0), "Settings");
    window->browser()->verticalScrollBar()->setValue(0);
    EXPECT_EQ(toc->currentItem()->text(0), "Guide");
    toc->setCurrentItem(toc->topLevelItem(1)->child(0));
    EXPECT_TRUE(window->browser()->source().path().endsWith("/linux.html"));
    EXPECT_EQ(toc->currentItem()->text(0), "Files");
    open(QUrl::fromLocalFile(dir.filePath("index.html")));
    EXPECT_EQ(window->browser()->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(window->openGuide(dir.filePath("none.html")));

    // Escape closes it, and so does Ctrl+W.
    for (const auto& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        window->showContents(false);
        QApplication::setActiveWindow(window);
        QTest::keySequence(window->browser(), key);
        EXPECT_FALSE(window->isVisible()) << key.toString().toStdString();
    }

    // The user guide itself has its contents too, and is found beside the program.
    EXPECT_EQ(QtHelpHost(nullptr).programFolder().back(), '/');
    ASSERT_TRUE(window->openGuide(QDir::cleanPath(GF_TEST_DATA "/../../docs/help/index.html")));
    for (const char* wanted :
         {"Running the show", "The settings window", "Templates and their keywords",
          "The template designer", "Stand-alone packages", "Command-line options",
          "Glimmerframe on Linux", "Using Glimmerframe with XScreenSaver"})
        EXPECT_FALSE(
            window->contents()->findItems(wanted, Qt::MatchExactly | Qt::MatchRecursive).isEmpty())
            << wanted;
    EXPECT_TRUE(
        window->contents()->findItems("Glimmerframe on Windows", Qt::MatchRecursive).isEmpty());
}

TEST(AboutBox, ShowsThisBuildsVersionAndClosesOnEscape) {
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), "About Glimmerframe");
    EXPECT_EQ(box.lblTitle->text(), "Glimmerframe");
    EXPECT_EQ(box.lblVersion->text(), QString::asprintf("Version %d.%d.%d", kVersionMajor,
                                                        kVersionMinor, kVersionRevision));
    EXPECT_TRUE(box.Label1->text().contains("User guide:\n/")) << box.Label1->text().toStdString();
    EXPECT_TRUE(box.Label1->text().endsWith("/help/index.html"));
    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
}

} // namespace
} // namespace gf
