#include "core/package/PackageReader.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"
#include "qt/authoring/DesignerWindow.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace gf {
namespace {

class QuietDialogs final : public DesignerDialogs {
  public:
    std::vector<std::string> errors;
    bool ConfirmSave() override { return false; }
    std::optional<std::string> askSavePath(std::string_view) override { return std::nullopt; }
    ChosenTemplate chooseTemplate() override { return {}; }
    EntryEditorResults editEntry(const EditRequest&) override { return {}; }
    void showError(std::string_view message) override { errors.emplace_back(message); }
    bool askYesNo(std::string_view) override { return false; }
};

class PackingWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        std::filesystem::copy(GF_SAMPLES, dir_.path().toStdString());
        process_.startup.programFile = write("glimmerframe", QByteArray(3000, 'P')).toStdString();
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray read(const QString& path) {
        return QByteArray::fromStdString(test::ReadFile(path.toStdString()));
    }

    QTemporaryDir dir_;
    ProcessState process_{test::RealFiles()};
    QuietDialogs dialogs_;
};

TEST_F(PackingWindow, WritesTheRowsAndPutsTheListBack) {
    DesignerWindow window(process_, dir_.filePath("sample-show.txt"), nullptr, &dialogs_);
    window.show();
    const auto rowsBefore = window.model().rows().size();
    ASSERT_TRUE(window.model().rows()[rowsBefore - 1].isBlank());
    window.model().setSoundMode(2);

    const QString target = dir_.filePath("show.scr");
    ASSERT_TRUE(window.WriteSCR(target)) << (dialogs_.errors.empty() ? "" : dialogs_.errors[0]);
    EXPECT_TRUE(dialogs_.errors.empty());
    EXPECT_TRUE(window.list()->isVisible());
    EXPECT_FALSE(window.progressPanel()->isVisible());
    EXPECT_EQ(window.progressBar()->value(), 100);
    EXPECT_EQ(window.model().rows().size(), rowsBefore); // blank row taken out and put back
    EXPECT_TRUE(window.button(QStringLiteral("cmdWriteSCR"))->isEnabled());
    // The window says what it wrote.
    EXPECT_TRUE(window.writtenLabel()->isVisible());
    EXPECT_TRUE(window.writtenLabel()->text().startsWith(
        QStringLiteral("Wrote %1: %2 slides, ").arg(target).arg(rowsBefore - 1)))
        << window.writtenLabel()->text().toStdString();

    PackageReader reader(test::RealFiles(), target.toStdString(), dir_.path().toStdString());
    SlideList list;
    ASSERT_TRUE(reader.ReadSCR(list)) << reader.error();
    EXPECT_EQ(list.images.size(), rowsBefore - 1);
    EXPECT_EQ(list.soundMode, 2);
    EXPECT_EQ(list.attributes[0].dissolve, window.model().rows()[0].dissolve);
}

TEST_F(PackingWindow, MissingPictureAndCancelLeaveTheOldFile) {
    DesignerWindow window(process_, dir_.filePath("sample-show.txt"), nullptr, &dialogs_);
    window.show();
    const QString target = write("old.scr", "old package");
    QFile::remove(dir_.filePath("dawn.jpg"));
    EXPECT_FALSE(window.WriteSCR(target));
    ASSERT_EQ(dialogs_.errors.size(), 1u);
    EXPECT_EQ(dialogs_.errors[0],
              "Unable to locate image: " + dir_.filePath("dawn.jpg").toStdString());
    EXPECT_EQ(read(target), "old package");

    // A long copy, cancelled from the panel while it runs; the window stays usable meanwhile.
    QFile::copy(dir_.filePath("dusk.bmp"), dir_.filePath("dawn.jpg"));
    QFile program(QString::fromStdString(process_.startup.programFile));
    ASSERT_TRUE(program.open(QIODevice::ReadWrite));
    program.resize(90'000'000); // sparse
    program.close();
    bool sawPanel = false, buttonsLocked = false;
    QTimer::singleShot(0, &window, [&] {
        sawPanel = window.progressPanel()->isVisible() && !window.list()->isVisible();
        buttonsLocked = !window.button(QStringLiteral("cmdWriteSCR"))->isEnabled();
        window.cancelWriteButton()->click();
        window.reject(); // no closing while writing
    });
    EXPECT_FALSE(window.WriteSCR(target));
    EXPECT_TRUE(sawPanel);
    EXPECT_TRUE(buttonsLocked);
    EXPECT_EQ(dialogs_.errors.size(), 1u); // a cancel is no error
    EXPECT_FALSE(window.writtenLabel()->isVisible());
    EXPECT_EQ(read(target), "old package");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Hidden | QDir::Files).filter("old.scr").size(), 1);
}

} // namespace
} // namespace gf
