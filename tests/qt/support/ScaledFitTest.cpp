// Every window on a 1920 × 1080 screen at 100, 150 and 200 % (QT_SCALE_FACTOR): inside the
// screen's work area, with its OK, Done or Cancel whole on screen. ctest runs this once per scale
// on an offscreen screen of that size (GF_FIT_SCALE names the scale); elsewhere it is skipped.
#include "core/settings/SettingsLoader.h"
#include "fakes/FakeDesignerDialogs.h"
#include "fakes/MemorySettingsStore.h"
#include "fakes/RealFiles.h"
#include "qt/authoring/DesignerWindow.h"
#include "qt/authoring/EntryEditDialog.h"
#include "qt/settings_dialog/SettingsDialog.h"
#include "qt/support/AboutBox.h"

#include <QAbstractButton>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace gf {
namespace {

QString WithoutMarks(QString text) {
    return text.remove(QLatin1Char('&'));
}

// The window shown, inside the work area, and each button shown whole inside it (not scrolled
// or cut away).
void ExpectFits(QWidget& window, const QStringList& buttons) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect area = window.screen()->availableGeometry();
    const std::string name = window.windowTitle().toStdString();
    EXPECT_TRUE(area.contains(window.frameGeometry()))
        << name << ": " << window.frameGeometry().width() << "x" << window.frameGeometry().height()
        << " on " << area.width() << "x" << area.height();
    for (const QString& text : buttons) {
        QAbstractButton* found = nullptr;
        for (auto* b : window.findChildren<QAbstractButton*>())
            if (b->isVisible() && WithoutMarks(b->text()) == text)
                found = b;
        ASSERT_NE(found, nullptr) << name << ": no " << text.toStdString();
        const QRect inWindow(found->mapTo(&window, QPoint(0, 0)), found->size());
        EXPECT_TRUE(window.rect().contains(inWindow)) << name << ": " << text.toStdString();
        EXPECT_EQ(found->visibleRegion().boundingRect(), found->rect())
            << name << ": " << text.toStdString() << " is partly hidden";
    }
}

TEST(ScaledFit, EveryWindowLiesInTheWorkAreaWithItsButtonsWhole) {
    const double scale = qEnvironmentVariable("GF_FIT_SCALE").toDouble();
    if (scale <= 0)
        GTEST_SKIP() << "run by the qt_fit tests at each scale";
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(qRound(screen->geometry().width() * screen->devicePixelRatio()), 1920);
    ASSERT_DOUBLE_EQ(screen->devicePixelRatio(), scale);

    QTemporaryDir config, shows;
    QDir(config.path()).mkpath("Brindlewick");
    ProcessState process{test::RealFiles()};
    process.startup.ProductName = "Glimmerframe";
    test::MemorySettingsStore store;
    LoadSettingsFromStore(store, "Glimmerframe", true, process.settings);
    {
        SettingsDialog::Services services;
        services.openUrl = [](const QUrl&) {};
        SettingsDialog settings(process, store, std::move(services));
        ExpectFits(settings, {"Done", "Cancel"});
    }
    {
        AboutBox about;
        ExpectFits(about, {"OK"});
    }
    test::FakeDesignerDialogs dialogs;
    DesignerWindow designer(process, QString(), nullptr, &dialogs);
    ExpectFits(designer, {"Done"});
    {
        EntryEditDialog editor(process.authoring, process.files, &designer);
        EditRequest request;
        // A folder far wider than the window: shown elided, it never widens it.
        const QString deep = shows.filePath(QString("a-long-folder-name-").repeated(8) + "/" +
                                            QString("and-another-one-").repeated(8));
        ASSERT_TRUE(QDir().mkpath(deep));
        request.defaultFolder = deep.toStdString();
        editor.prepare(request);
        ExpectFits(editor, {"OK", "Cancel"});
    }
}

} // namespace
} // namespace gf
