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
    EXPECT_EQ(list->topLevelItem(1)->text(1), "low.wav");
    EXPECT_EQ(list->topLevelItem(1)->text(2), "Slide Top To Center");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "Fields^at dusk, late^she said \"late\"");
    EXPECT_EQ(list->topLevelItem(1)->text(4), "Orange");
    EXPECT_EQ(list->topLevelItem(1)->text(5), "Dark Green");
    ASSERT_TRUE(window.model().changed());

    window.soundModeOption(2)->click();
    const QString saved = dir_.filePath("edited.txt");
    dialogs_.savePath = saved.toStdString();
    window.button("cmdSave")->click();
    EXPECT_TRUE(dialogs_.errors.empty());
    EXPECT_FALSE(window.model().changed());
    EXPECT_EQ(window.templateName(), saved);
    EXPECT_TRUE(dialogs_.yesNoQuestions.empty()); // the template holds all of it
    EXPECT_TRUE(readAll(saved).contains("\r\nFields\r\n\"at dusk, late\"\r\nshe said \"late\"\r\n"
                                        "BACKGROUND=Dark Green\r\nFOREGROUND=Orange\r\n"));

    DesignerWindow again(process_, saved, nullptr, &dialogs_);
    EXPECT_TRUE(again.soundModeOption(2)->isChecked());
    EXPECT_EQ(again.model().rows().rows(), window.model().rows().rows());
    EXPECT_EQ(dialogs_.confirmCount, 0);
    // The editor remembers where the sound was accepted.
    EXPECT_EQ(process_.authoring.lastSoundFolder, QDir::cleanPath(dir_.path()).toStdString() + "/");
}

TEST_F(Designing, ClosingAsksOnlyAfterChangesAndAFailedSaveKeepsTheWindow) {
    const QString before = readAll(show_);
    {
        DesignerWindow window(process_, show_, nullptr, &dialogs_);
        window.show();
        window.button("cmdOk")->click();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(dialogs_.confirmCount, 0);
    }
    {
        DesignerWindow window(process_, show_, nullptr, &dialogs_);
        window.show();
        window.button("cmdClear")->click();
        EXPECT_EQ(window.list()->topLevelItemCount(), 1);
        dialogs_.confirmAnswer = false; // No: the changes go
        window.close();
        EXPECT_EQ(dialogs_.confirmCount, 1);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.templateName(), show_);
        EXPECT_EQ(readAll(show_), before);
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
    ASSERT_EQ(dialogs_.errors.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(dialogs_.errors[0]).startsWith("An Error Has Occurred: "));
    EXPECT_TRUE(window.model().changed());
    EXPECT_EQ(window.templateName(), show_);
    EXPECT_EQ(readAll(show_), before);

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
    EXPECT_EQ(window.list()->topLevelItem(1)->text(0), "");
    EXPECT_EQ(window.list()->topLevelItem(1)->text(5), "Black");
    EXPECT_EQ(window.list()->topLevelItem(2)->text(0), "meadow.png");
    EXPECT_EQ(window.list()->currentItem(), window.list()->topLevelItem(1));

    window.button("cmdMoveDown")->click();
    EXPECT_EQ(window.list()->topLevelItem(1)->text(0), "meadow.png");
    EXPECT_EQ(window.list()->currentItem(), window.list()->topLevelItem(2));
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
    const auto rowsBefore = window.model().rows().size();
    ASSERT_TRUE(window.model().rows()[rowsBefore - 1].isBlank());

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
    EXPECT_TRUE(window.writtenLabel()->fullText().startsWith(
        QStringLiteral("Wrote %1: %2 slides, ").arg(target).arg(rowsBefore - 1)))
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
    EXPECT_TRUE(dialog.results().DissolveClicked);
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
    const auto focused = [] { return QApplication::focusWidget(); };
    dialog.swatch("Black", false)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused(), Qt::Key_Right);
    EXPECT_EQ(focused(), dialog.swatch("Blue", false));
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), dialog.swatch("Black", true));
    QTest::keyClick(focused(), Qt::Key_Left);
    EXPECT_EQ(focused(), dialog.swatch("Yellow", true));
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), dialog.okButton());
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), dialog.swatch("Yellow", true));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), dialog.swatch("Blue", false));
    dialog.cancelButton()->click();
    const auto& r = dialog.results();
    EXPECT_FALSE(r.CommentClicked || r.DissolveClicked || r.BackgroundClicked);
    EXPECT_EQ(r.BackgroundSelection, "Purple");
    EXPECT_EQ(r.DissolveSelection, "");
}

TEST(TemplateChoosing, ClickDoubleClickAndCancel) {
    AuthoringMemory memory;
    QTemporaryDir dir;
    {
        TemplateLoadDialog dialog(memory);
        dialog.okButton()->click(); // nothing clicked yet
        EXPECT_EQ(dialog.Selection(), "");
        emit dialog.browser()->fileDoubleClicked(dir.filePath("a.txt"));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(QString::fromStdString(dialog.Selection()), dir.filePath("a.txt"));
    }
    TemplateLoadDialog dialog(memory); // shown again: offers the last choice
    EXPECT_EQ(QString::fromStdString(dialog.Selection()), dir.filePath("a.txt"));
    EXPECT_EQ(dialog.browser()->folder(), QDir::cleanPath(dir.path()));
    emit dialog.browser()->fileClicked(dir.filePath("b.txt"));
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.Selection(), "");
    EXPECT_EQ(QString::fromStdString(dialog.SelectionPath()), dir.path() + "/");
}

} // namespace
} // namespace gf
