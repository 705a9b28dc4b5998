#include "qt/settings_dialog/SettingsDialog.h"
#include "core/settings/SettingsLoader.h"
#include "fakes/RealFiles.h"
#include "qt/startup/QtSettingsStore.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace gf {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A settings window over a store in a temporary folder, with recorded message boxes and pages.
struct Fixture {
    Fixture() {
        QDir(config.path()).mkpath("Brindlewick");
        QDir(shows.path()).mkpath(".");
        writeFile(shows.filePath("beach.txt"), "IMAGE=beach.jpg\r\n");
    }
    void storeSettings(const QByteArray& ini) {
        writeFile(config.filePath("Brindlewick/Glimmerframe.conf"), ini);
    }
    void open() {
        store = std::make_unique<QtSettingsStore>(test::RealFiles(), config.path(), QStringList{});
        process.startup.ProductName = "Glimmerframe";
        LoadSettingsFromStore(*store, "Glimmerframe", true, process.settings);
        ApplyRangeLimits(process.settings);
        SettingsDialog::Services services;
        services.designer = designer;
        services.openUrl = [this](const QUrl& u) { opened << u; };
        services.askOkCancel = services.askYesNo = [this](QWidget*, const QString& t) {
            questions << t;
            return true;
        };
        services.showError = [this](QWidget*, const QString& t) { errors << t; };
        services.showInfo = [this](QWidget*, const QString& t) { infos << t; };
        dialog = std::make_unique<SettingsDialog>(process, *store, std::move(services));
        dialog->show();
    }
    template <class T> T* child(const char* name) {
        auto* w = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // As a user's click does: toggles (within its group) and emits clicked.
    void click(const char* name) { child<QAbstractButton>(name)->click(); }
    // Names and values in turn, as the settings file must hold them.
    void expectStored(const QStringList& namesAndValues) {
        QSettings ini(config.filePath("Brindlewick/Glimmerframe.conf"), QSettings::IniFormat);
        for (qsizetype i = 0; i + 1 < namesAndValues.size(); i += 2)
            EXPECT_EQ(ini.value(namesAndValues[i], "<missing>").toString().toStdString(),
                      namesAndValues[i + 1].toStdString())
                << namesAndValues[i].toStdString();
    }

    QTemporaryDir config, shows;
    ProcessState process{test::RealFiles()};
    std::unique_ptr<QtSettingsStore> store;
    DesignerLauncher designer;
    std::unique_ptr<SettingsDialog> dialog;
    QStringList questions, errors, infos;
    QList<QUrl> opened;
};

TEST(SettingsDialog, LoadsStoredSettingsAndDoneWritesTheChangesBack) {
    Fixture f;
    f.storeSettings("[General]\nImagePath=" + f.shows.path().toUtf8() +
                    "\nImageListFile=beach.txt\nAllImages=0\nImageInterval=7\n"
                    "DissolveType=Left To Right\nFullScreen=1\nIgnoreMouse=1\nCaption=1\n");
    f.open();
    EXPECT_EQ(f.dialog->windowTitle(), "Glimmerframe Settings");
    EXPECT_TRUE(f.child<QCheckBox>("chkTemplateMode")->isChecked());
    EXPECT_FALSE(f.child<QToolButton>("cmdSelectFolder")->isEnabled());
    EXPECT_EQ(f.child<QLineEdit>("txtImageListFile")->text(), f.shows.path() + "/beach.txt");
    EXPECT_EQ(f.child<QLabel>("lblDelayInterval")->text(), "Dela&y Interval: 7 Seconds");
    EXPECT_EQ(f.child<QLabel>("lblDissolveSize")->text(), "Dissolve Si&ze: 10");
    EXPECT_EQ(f.child<QComboBox>("Combo1")->currentText(), "Left To Right");
    EXPECT_EQ(f.child<QComboBox>("cmbCaption")->currentText(), "File Name");
    EXPECT_TRUE(f.child<QRadioButton>("chkFullScreen")->isChecked());
    EXPECT_TRUE(f.child<QCheckBox>("chkIgnoreMouse")->isChecked());
    EXPECT_EQ(f.child<QToolButton>("cmdEditTemplate")->toolTip(), "Edit A Template File");
    EXPECT_EQ(f.child<QSlider>("ScrollMouseSensitivity")->maximum(), 500);

    f.child<QSlider>("ScrollInterval")->setValue(12);
    EXPECT_EQ(f.child<QLabel>("lblDelayInterval")->text(), "Dela&y Interval: 12 Seconds");
    for (const char* option :
         {"chkOriginal", "chkOrderRandom", "chkDisableSound", "chkIgnoreMouse"})
        f.click(option);
    f.child<QComboBox>("Combo1")->setCurrentIndex(0);
    f.child<QComboBox>("cmbCaption")->setCurrentIndex(2);
    // In a list Enter would store what the arrow keys only pointed at; in a text box it is "Done".
    const auto pressEnterIn = [](QWidget* w) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
    };
    pressEnterIn(f.dialog->findChild<QAbstractItemView*>());
    ASSERT_TRUE(f.dialog->isVisible());
    pressEnterIn(f.child<QLineEdit>("txtImageListFile"));

    EXPECT_TRUE(f.errors.isEmpty()) << f.errors.join("\n").toStdString();
    EXPECT_FALSE(f.dialog->isVisible());
    f.expectStored({"ImageInterval", "12", "FullScreen", "0", "ImageOrderRandom", "1",
                    "DisableSound", "1", "IgnoreMouse", "0", "DissolveType", "Random", "ImagePath",
                    f.shows.path() + "/", "ImageListFile", "beach.txt", "Caption", "2"});
}

// A missing template is refused the same way; the model's tests cover it.
TEST(SettingsDialog, UnwritableSettingsKeepTheDialogOpenWithAMessage) {
    Fixture f;
    f.open();
    f.click("chkFolderMode");
    f.child<QLineEdit>("txtImageListFile")->setText(f.shows.path());
    f.child<QSlider>("ScrollInterval")->setValue(21);
    // A regular file where the settings folder should be: no one, not even root, can store.
    QDir(f.config.path()).rmdir("Brindlewick");
    writeFile(f.config.filePath("Brindlewick"), "not a folder");
    f.click("cmdExit");
    EXPECT_EQ(f.errors.size(), 1);
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_EQ(f.child<QSlider>("ScrollInterval")->value(), 21);

    // Once the folder can be made, the same Done stores everything.
    QFile::remove(f.config.filePath("Brindlewick"));
    f.click("cmdExit");
    EXPECT_FALSE(f.dialog->isVisible()) << f.errors.join("\n").toStdString();
    f.expectStored({"ImageInterval", "21", "AllImages", "1"});
}

TEST(SettingsDialog, HelpMenuPagesAndTheDesignerSeam) {
    Fixture f;
    f.designer = [&](QWidget*, const QString& name) {
        EXPECT_EQ(name, "");
        return f.shows.filePath("made.txt");
    };
    f.open();
    f.child<QAction>("HomePage")->trigger();
    f.child<QAction>("chkNewVersion")->trigger();
    // The maker's pages are the guide's, in the help window: nothing leaves the program, so
    // nothing is asked. The version check is the Linux page's section on newer versions.
    EXPECT_TRUE(f.questions.isEmpty());
    auto* maker = f.child<QLabel>("lblBrindlewick");
    EXPECT_TRUE(maker->text().contains("user guide"));
    emit maker->linkActivated(QUrl::fromLocalFile("/x/y.html").toString());
    QStringList pages; // each page with its folder and section
    for (const QUrl& url : f.opened)
        pages << url.path().section('/', -2) + '#' + url.fragment();
    ASSERT_EQ(pages, (QStringList{"help/index.html#about", "help/linux.html#newer", "x/y.html#"}));
    EXPECT_TRUE(f.opened[0].isLocalFile());

    f.click("cmdCreateTemplate");
    EXPECT_EQ(f.child<QLineEdit>("txtImageListFile")->text(), f.shows.filePath("made.txt"));

    Fixture without;
    without.open();
    without.click("cmdEditTemplate");
    EXPECT_EQ(without.infos.size(), 1);
}

} // namespace
} // namespace gf
