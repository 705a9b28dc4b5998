#include "qt/authoring/DesignerWindow.h"
#include "fakes/FakeDesignerDialogs.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"
#include "qt/authoring/EntryEditDialog.h"
#include "qt/authoring/ImageViewerDialog.h"
#include "qt/authoring/TemplateLoadDialog.h"
#include "qt/support/FolderBrowser.h"
#include "qt/support/PathLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace gf {
namespace {

// The designer over a copy of the sample show. Edits go through the real editor dialog, driven
// by `edit` in place of the user (a Cancel when it is empty).
class Designing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        std::filesystem::copy(GF_SAMPLES, dir_.path().toStdString());
        show_ = dir_.filePath("sample-show.txt");
        slides_ = int(readAll(show_).count("IMAGE="));
        ASSERT_GE(slides_, 3);
        process_.startup.programFile = write("glimmerframe", QByteArray(3000, 'P')).toStdString();
        dialogs_.editor = [this](const EditRequest& request) {
            EntryEditDialog dialog(process_.authoring, process_.files);
            dialog.prepare(request);
            if (edit_)
                edit_(dialog);
            else
                dialog.cancelButton()->click();
            return dialog.results();
        };
    }
    static QString readAll(const QString& path) {
        return QString::fromStdString(test::ReadFile(path.toStdString()));
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    QTemporaryDir dir_;
    QString show_;
    int slides_ = 0;
    ProcessState process_{test::RealFiles()};
    test::FakeDesignerDialogs dialogs_;
    std::function<void(EntryEditDialog&)> edit_;
};

// A row of the list as it shows: picture, sound, dissolve, comment, foreground, background.
QStringList Row(const QTreeWidget& list, int row) {
    QStringList texts;
    for (int c = 0; c < list.columnCount(); ++c)
        texts << list.topLevelItem(row)->text(c);
    return texts;
}

TEST_F(Designing, EditSaveAndReopenShowTheSameRows) {
    DesignerWindow window(process_, show_, nullptr, &dialogs_);
    QTreeWidget* list = window.list();
    ASSERT_EQ(list->topLevelItemCount(), slides_ + 1); // and the blank row
    EXPECT_EQ(list->topLevelItem(1)->text(0), "meadow.png");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "A meadow in May^with clouds");
    EXPECT_EQ(window.windowTitle(), "Template Designer - " + show_);
    EXPECT_TRUE(window.soundModeOption(1)->isChecked());

    // Edit the second row: new dissolve, a comment typed with "^", orange text, a new sound.
    edit_ = [this](EntryEditDialog& d) {
        EXPECT_EQ(d.dissolveList()->currentText(), "Left To Right");
        EXPECT_EQ(d.imageBrowser()->folder(), QDir::cleanPath(dir_.path()));
        d.dissolveList()->setCurrentIndex(d.dissolveList()->findText("Slide Top To Center"));
        d.commentBox()->clear();
        QTest::keyClicks(d.commentBox(), "Fields^at dusk, late^she said \"late\"");
        d.swatch("Orange", true)->click();
        emit d.soundBrowser()->fileClicked(dir_.filePath("low.wav"));
        d.okButton()->click();
    };
    list->setCurrentItem(list->topLevelItem(1));
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(Row(*list, 1),
              (QStringList{"meadow.png", "low.wav", "Slide Top To Center",
                           "Fields^at dusk, late^she said \"late\"", "Orange", "Dark Green"}));

    window.soundModeOption(2)->click();
    const QString saved = dir_.filePath("edited.txt");
    dialogs_.savePath = saved.toStdString();
    window.button("cmdSave")->click();
    EXPECT_TRUE(dialogs_.errors.empty());
    EXPECT_EQ(window.templateName(), saved);
    EXPECT_TRUE(readAll(saved).contains("\r\nFields\r\n\"at dusk, late\"\r\nshe said \"late\"\r\n"
                                        "BACKGROUND=Dark Green\r\nFOREGROUND=Orange\r\n"));

    DesignerWindow again(process_, saved, nullptr, &dialogs_);
    EXPECT_TRUE(again.soundModeOption(2)->isChecked());
    EXPECT_EQ(again.model().rows().rows(), window.model().rows().rows());
    EXPECT_EQ(dialogs_.confirmCount, 0);
    // The editor remembers where the sound was accepted.
    EXPECT_EQ(process_.authoring.lastSoundFolder, QDir::cleanPath(dir_.path()).toStdString() + "/");
}

// Whether to close is the model's answer; the window stays open when it says no.
TEST_F(Designing, ClosingAsksOnlyAfterChangesAndAFailedSaveKeepsTheWindow) {
    {
        DesignerWindow window(process_, show_, nullptr, &dialogs_);
        window.show();
        window.button("cmdOk")->click();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(dialogs_.confirmCount, 0);
    }
    DesignerWindow window(process_, show_, nullptr, &dialogs_);
    window.show();
    window.list()->setCurrentItem(window.list()->topLevelItem(0));
    window.button("cmdDelete")->click();
    EXPECT_EQ(window.list()->topLevelItem(0)->text(0), "meadow.png");

    // The template's folder replaced by a regular file: even root can't write there.
    write("shows", "");
    dialogs_.savePath = dir_.filePath("shows/sample-show.txt").toStdString();
    dialogs_.confirmAnswer = true;
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs_.errors.size(), 1u);

    // Saving over the original then works and closes.
    dialogs_.savePath = show_.toStdString();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(readAll(show_).contains("dawn.jpg"));
}

TEST_F(Designing, InsertOpensTheEditorAndCancelLeavesAnEmptyRow) {
    DesignerWindow window(process_, show_, nullptr, &dialogs_);
    window.list()->setCurrentItem(window.list()->topLevelItem(1));
    window.button("cmdInsert")->click(); // the scripted editor cancels
    ASSERT_EQ(window.list()->topLevelItemCount(), slides_ + 3);
    EXPECT_EQ(Row(*window.list(), 1), (QStringList{"", "", "", "", "White", "Black"}));
    EXPECT_EQ(window.list()->topLevelItem(2)->text(0), "meadow.png");
    EXPECT_EQ(window.list()->currentItem(), window.list()->topLevelItem(1));

    window.button("cmdMoveDown")->click();
    EXPECT_EQ(window.list()->topLevelItem(1)->text(0), "meadow.png");
    EXPECT_EQ(window.list()->currentItem(), window.list()->topLevelItem(2));
    window.button("cmdClear")->click();
    EXPECT_EQ(window.list()->topLevelItemCount(), 1);
}

TEST_F(Designing, EntryEditorOffersAndShowsEveryPictureOfTheSampleShow) {
    EntryEditDialog dialog(process_.authoring, process_.files);
    EditRequest request;
    request.defaultFolder = dir_.path().toStdString();
    dialog.prepare(request);
    FolderBrowser* pictures = dialog.imageBrowser();
    ASSERT_EQ(pictures->folder(), QDir::cleanPath(dir_.path()));
    const QStringList expected = {"dawn.jpg",  "dusk.bmp",     "harbour.gif", "meadow.png",
                                  "night.png", "portrait.jpg", "sailboat.wmf"};
    QTRY_COMPARE_WITH_TIMEOUT(pictures->listedFiles().size(), expected.size(), 5000);
    QStringList listed = pictures->listedFiles();
    listed.sort();
    EXPECT_EQ(listed, expected);

    ImageViewerDialog viewer(process_.files);
    for (const char* name : {"sailboat.wmf", "meadow.png"}) {
        EXPECT_EQ(viewer.loadPicture(dir_.filePath(name)), QString()) << name;
        EXPECT_FALSE(viewer.picture().isNull()) << name;
    }
    EXPECT_NE(viewer.loadPicture(dir_.filePath("chime.wav")), QString());
    EXPECT_TRUE(viewer.picture().isNull());
}

TEST_F(Designing, PackageWritesTheRowsAndPutsTheListBack) {
    // A template never saved has no name to give its package: the user is told to save first.
    {
        DesignerWindow fresh(process_, QString(), nullptr, &dialogs_);
        fresh.button(QStringLiteral("cmdWriteSCR"))->click();
        EXPECT_EQ(dialogs_.errors, std::vector<std::string>{std::string(kSaveBeforePackaging)});
        dialogs_.errors.clear();
    }
    DesignerWindow window(process_, show_, nullptr, &dialogs_);
    window.show();
    const QString target = dir_.filePath("show.scr");
    ASSERT_TRUE(window.WriteSCR(target)) << (dialogs_.errors.empty() ? "" : dialogs_.errors[0]);
    EXPECT_TRUE(dialogs_.errors.empty());
    EXPECT_TRUE(window.list()->isVisible());
    EXPECT_FALSE(window.progressPanel()->isVisible());
    EXPECT_EQ(window.progressBar()->value(), 100);
    EXPECT_EQ(window.list()->topLevelItemCount(), slides_ + 1); // the blank row shown again
    EXPECT_TRUE(window.button(QStringLiteral("cmdWriteSCR"))->isEnabled());
    // The window says what it wrote.
    EXPECT_TRUE(window.writtenLabel()->isVisible());
    EXPECT_TRUE(window.writtenLabel()->fullText().startsWith(
        QStringLiteral("Wrote %1: %2 slides, ").arg(target).arg(slides_)))
        << window.writtenLabel()->fullText().toStdString();
}

TEST_F(Designing, PackageCancelledFromThePanelLeavesTheOldFile) {
    DesignerWindow window(process_, show_, nullptr, &dialogs_);
    window.show();
    const QString target = write("old.scr", "old package");
    // A long copy, cancelled from the panel while it runs; the window stays usable meanwhile.
    ASSERT_TRUE(QFile::resize(QString::fromStdString(process_.startup.programFile), 90'000'000));
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
    EXPECT_TRUE(dialogs_.errors.empty()); // a cancel is no error
    EXPECT_FALSE(window.writtenLabel()->isVisible());
    EXPECT_EQ(readAll(target), "old package");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Hidden | QDir::Files).filter("old.scr").size(), 1);
}

TEST(EntryEditing, CancelRestoresAndCaretStartsANewLine) {
    ProcessState process{test::RealFiles()};
    EntryEditDialog dialog(process.authoring, process.files);
    EditRequest request;
    request.defaultFolder = QDir::tempPath().toStdString();
    request.dissolve = "";
    request.comment = "was";
    request.background = "Purple";
    request.foreground = "White";
    dialog.prepare(request);
    EXPECT_EQ(dialog.dissolveList()->currentText(), "Random");
    EXPECT_EQ(dialog.colorBox(false)->palette().color(QPalette::Window), QColor(132, 132, 255));

    dialog.commentBox()->moveCursor(QTextCursor::End);
    QTest::keyClicks(dialog.commentBox(), "^next");
    EXPECT_EQ(dialog.commentBox()->toPlainText(), "was\nnext");
    dialog.swatch("Yellow", false)->click();
    EXPECT_EQ(dialog.results().BackgroundSelection, "Yellow");

    // Each row of swatches is one Tab stop, the one last used; the arrows move along the row and
    // wrap at its ends.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.swatch("Black", false)->setFocus(Qt::TabFocusReason);
    const std::pair<Qt::Key, QWidget*> steps[] = {{Qt::Key_Right, dialog.swatch("Blue", false)},
                                                  {Qt::Key_Tab, dialog.swatch("Black", true)},
                                                  {Qt::Key_Left, dialog.swatch("Yellow", true)},
                                                  {Qt::Key_Tab, dialog.okButton()},
                                                  {Qt::Key_Backtab, dialog.swatch("Yellow", true)},
                                                  {Qt::Key_Backtab, dialog.swatch("Blue", false)}};
    for (const auto& [key, next] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget(), next) << key;
    }
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.results().BackgroundSelection, "Purple");
}

TEST(TemplateChoosing, ClickDoubleClickAndCancel) {
    AuthoringMemory memory;
    QTemporaryDir dir;
    {
        TemplateLoadDialog dialog(memory);
        emit dialog.browser()->fileDoubleClicked(dir.filePath("a.txt"));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(QString::fromStdString(dialog.Selection()), dir.filePath("a.txt"));
    }
    TemplateLoadDialog dialog(memory); // shown again: at the last choice's folder
    EXPECT_EQ(dialog.browser()->folder(), QDir::cleanPath(dir.path()));
    emit dialog.browser()->fileClicked(dir.filePath("b.txt"));
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.Selection(), "");
    EXPECT_EQ(QString::fromStdString(dialog.SelectionPath()), dir.path() + "/");
}

} // namespace
} // namespace gf
