#include "qt/startup/QtSettingsStore.h"
#include "core/settings/Registry.h"
#include "core/settings/SettingsLoader.h"
#include "fakes/PipeWatchdog.h"
#include "fakes/RealFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gf {
namespace {

constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);
const std::string kKey = "Software\\Brindlewick\\Glimmerframe";

std::string Get(SettingsStore& store, const std::string& name, const std::string& dflt = "") {
    return GetSettingString(store, kMachine, kKey, name, dflt);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The file is written by our own INI writer and read by QSettings: whatever a value holds, it
// must come back unchanged, and what else the file held must stay.
TEST(QtSettingsStore, EveryTextComesBackAndTheRestOfTheFileStays) {
    QTemporaryDir user, system;
    const QString file = user.path() + "/Brindlewick/Glimmerframe.conf";
    writeFile(file, "[General]\nOther=a,b\nImageInterval=5\n\n[Extra]\nkept=yes\n");
    const std::vector<std::string> texts = {
        "C:\\Pictures\\",
        "beach, sunny.txt",
        " leading and trailing ",
        "say \"hi\"; x=1",
        "@Variant(odd)",
        "tab\tnew\nline\r",
        "\x01"
        "9 after a control",
        "\xC3\xA9t\xC3\xA9 \xF0\x9F\x8C\x85",
        "",
        "#not a comment",
        "[not a section]",
    };
    {
        QtSettingsStore store(test::RealFiles(), user.path(), {system.path()});
        for (std::size_t i = 0; i < texts.size(); ++i)
            store.write(kMachine, kKey, "Value" + std::to_string(i), texts[i]);
        ASSERT_TRUE(store.flush().ok());
    }
    QtSettingsStore fresh(test::RealFiles(), user.path(), {system.path()});
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(Get(fresh, "Value" + std::to_string(i), "missing"), texts[i]) << i;
    EXPECT_EQ(Get(fresh, "ImageInterval", "10"), "5");
    EXPECT_EQ(Get(fresh, "Other"), "a,b"); // as written
    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Other").toStringList(), (QStringList{"a", "b"}));
    EXPECT_EQ(raw.value("Extra/kept").toString(), "yes");

    // The program's settings, through the same file.
    Settings s;
    s.ImagePath = "/home/me/Pictures/";
    s.ImageListFile = "beach, sunny.txt";
    s.ImageInterval = 7;
    s.Blocks = 20;
    s.DissolveType = "Top/Bottom To Center";
    ASSERT_TRUE(StoreSettings(fresh, "Glimmerframe", s).ok());
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("ImageInterval").toString(), "7");
    QtSettingsStore again(test::RealFiles(), user.path(), {system.path()});
    Settings back;
    LoadSettingsFromStore(again, "Glimmerframe", true, back);
    EXPECT_EQ(std::tuple(back.ImagePath, back.ImageListFile, back.ImageInterval, back.DissolveType),
              std::tuple(s.ImagePath, s.ImageListFile, s.ImageInterval, s.DissolveType));
}

TEST(QtSettingsStore, HandEditedFileAndMachineWideFallback) {
    QTemporaryDir user, system;
    writeFile(user.path() + "/Brindlewick/Glimmerframe.conf", "[General]\nImageInterval=5\n");
    writeFile(system.path() + "/Brindlewick/Glimmerframe.conf",
              "[General]\nImageInterval=9\nBlocks=30\nImagePath = /srv/Pics, 2019/ \n"
              "ImageListFile=a,b , c.txt\n");
    QtSettingsStore store(test::RealFiles(), user.path(), {system.path()});
    EXPECT_EQ(Get(store, "ImageInterval", "10"), "5");
    EXPECT_EQ(Get(store, "Blocks", "10"), "30");
    // An administrator's unquoted comma is part of the text, not a list of two.
    EXPECT_EQ(Get(store, "ImagePath"), "/srv/Pics, 2019/");
    EXPECT_EQ(Get(store, "ImageListFile"), "a,b , c.txt");
    EXPECT_EQ(Get(store, "Missing", "dflt"), "dflt");
    // Keys other than the program's own have nothing behind them here.
    EXPECT_EQ(ReadRegistryValue(store, static_cast<std::uint32_t>(RegistryRoot::CurrentUser),
                                "Control Panel\\Desktop", "ScreenSaveUsePassword"),
              "");
    // A package's settings live in a file of their own.
    EXPECT_EQ(store.userFileFor("Software\\Brindlewick\\Glimmerframe-Beach"),
              user.path() + "/Brindlewick/Glimmerframe-Beach.conf");
}

// A pipe in place of the settings file held the show at its start for good (QSettings opens
// whatever is there); it is not read, and neither is a file of megabytes. Saving replaces them.
TEST(QtSettingsStore, APipeOrAHugeFileInPlaceOfTheSettingsIsNotRead) {
    QTemporaryDir user, system;
    const QString pipe = user.path() + "/Brindlewick/Glimmerframe.conf";
    ASSERT_TRUE(QDir().mkpath(user.path() + "/Brindlewick"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    writeFile(system.path() + "/Brindlewick/Glimmerframe.conf", "[General]\nBlocks=30\n");
    ASSERT_TRUE(QFile::resize(system.path() + "/Brindlewick/Glimmerframe.conf", 2 << 20));
    test::PipeWatchdog watchdog(pipe.toStdString());
    QtSettingsStore store(test::RealFiles(), user.path(), {system.path()});
    EXPECT_EQ(Get(store, "Blocks", "10"), "10");
    EXPECT_FALSE(watchdog.finish());

    store.write(kMachine, kKey, "Blocks", "20");
    ASSERT_TRUE(store.flush().ok());
    EXPECT_TRUE(QFileInfo(pipe).isFile());
    QtSettingsStore fresh(test::RealFiles(), user.path(), {});
    EXPECT_EQ(Get(fresh, "Blocks", "10"), "20");
}

TEST(QtSettingsStore, FolderThatCannotBeCreatedIsReported) {
    QTemporaryDir user;
    writeFile(user.path() + "/Brindlewick", "a file where the folder should be");
    QtSettingsStore store(test::RealFiles(), user.path(), {});
    Settings s;
    s.ImageInterval = 9;
    const auto status = StoreSettings(store, "Glimmerframe", s);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("Glimmerframe.conf"), std::string::npos) << status.message();
    // The values stay in memory for another try, which succeeds once the folder can be made.
    EXPECT_EQ(Get(store, "ImageInterval", "10"), "9");
    ASSERT_TRUE(QFile::remove(user.path() + "/Brindlewick"));
    ASSERT_TRUE(store.flush().ok());
    QtSettingsStore fresh(test::RealFiles(), user.path(), {});
    EXPECT_EQ(Get(fresh, "ImageInterval", "10"), "9");
}

TEST(QtSettingsStore, UnwritableFolderIsReportedAndOldFileSurvives) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root can write anywhere";
    QTemporaryDir user;
    const QString dir = user.path() + "/Brindlewick";
    writeFile(dir + "/Glimmerframe.conf", "[General]\nImageInterval=5\n");
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    QtSettingsStore store(test::RealFiles(), user.path(), {});
    Settings s;
    s.ImageInterval = 9;
    const auto status = StoreSettings(store, "Glimmerframe", s);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("permission denied"), std::string::npos) << status.message();
    QtSettingsStore fresh(test::RealFiles(), user.path(), {});
    EXPECT_EQ(Get(fresh, "ImageInterval", "10"), "5");
}

} // namespace
} // namespace gf
