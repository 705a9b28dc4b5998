#include "core/authoring/TemplateDesigner.h"
#include "core/files/Paths.h"
#include "fakes/FakeDesignerDialogs.h"
#include "fakes/RealFiles.h"
#include "fakes/RecordPrinters.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace gf {
namespace {

namespace fs = std::filesystem;

class Designer : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_.write("show.txt",
                       "soundsync=2\r\nIMAGE=a.jpg\r\nDISSOLVE=Normal\r\nfirst\r\nsecond\r\n"
                       "IMAGE=/else/b.jpg\r\n# note\r\nFOREGROUND=Red\r\n");
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string read(const std::string& name) const { return test::ReadFile(path(name)); }

    test::ScratchDir scratch_{"gf-designer"};
    fs::path dir_ = scratch_.path();
    test::FakeDesignerDialogs dialogs_;
    TemplateDesigner designer_{test::RealFiles(), dialogs_};
};

TEST_F(Designer, OpensOnATemplateWithABlankRowAfterIt) {
    designer_.open(path("show.txt"));
    const auto& rows = designer_.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].imagePath, path("a.jpg"));
    EXPECT_EQ(rows[0].comment, "first^second");
    EXPECT_EQ(rows[1].imageName, "b.jpg");
    EXPECT_EQ(rows[1].imagePath, "/else/b.jpg");
    EXPECT_TRUE(rows[2].isBlank());
    EXPECT_EQ(designer_.soundMode(), 2);
    EXPECT_EQ(designer_.caption(), "Template Designer - " + path("show.txt"));
    EXPECT_EQ(designer_.TemplatePath(), AddBackslash(dir_.string()));
    EXPECT_FALSE(designer_.changed());
    // Nothing changed: closing asks nothing.
    EXPECT_TRUE(designer_.requestClose());
    EXPECT_EQ(dialogs_.confirmCount, 0);
}

TEST_F(Designer, NewTemplateIsOneBlankRowAndAMissingOneSaysWhy) {
    designer_.open("");
    EXPECT_EQ(designer_.rows().size(), 1u);
    EXPECT_EQ(designer_.caption(), "Template Designer");
    EXPECT_TRUE(dialogs_.errors.empty());
    // Its blank row is selected, so Insert opens the editor on the first try.
    designer_.cmdInsert();
    EXPECT_EQ(dialogs_.editRequests.size(), 1u);
    // Package... has no name to propose before the template is saved, and says so.
    EXPECT_EQ(designer_.packageProposal(), std::nullopt);
    EXPECT_EQ(dialogs_.errors, std::vector<std::string>{std::string(kSaveBeforePackaging)});
    dialogs_.errors.clear();
    for (const auto& [saved, proposal] : {std::pair{"beach.txt", "beach"}, {"beach", "beach"}}) {
        dialogs_.savePath = path(saved);
        ASSERT_TRUE(designer_.cmdSave());
        EXPECT_EQ(designer_.packageProposal(), proposal);
    }
    EXPECT_TRUE(dialogs_.errors.empty());

    designer_.open(path("missing.txt"));
    EXPECT_EQ(designer_.selected(), 0u);
    ASSERT_EQ(dialogs_.errors.size(), 1u);
    EXPECT_EQ(dialogs_.errors[0].rfind("An Error Has Occurred: ", 0), 0u);
    EXPECT_NE(dialogs_.errors[0].find("missing.txt"), std::string::npos);
    EXPECT_EQ(designer_.caption(), "Template Designer");
    ASSERT_EQ(designer_.rows().size(), 1u);
    EXPECT_TRUE(designer_.rows()[0].isBlank());

    // A template read whole that names no picture says so instead of showing an empty table,
    // and keeps its sound rows; one picture is enough.
    dialogs_.errors.clear();
    designer_.open(scratch_.write("none.txt", "PICTURE=a.jpg\r\nSOUNDASYNC\r\nSOUND=s.wav\r\n"));
    EXPECT_EQ(dialogs_.errors,
              std::vector<std::string>{"An Error Has Occurred: The template " + path("none.txt") +
                                       " holds no pictures: none of its lines "
                                       "starts with IMAGE=."});
    EXPECT_EQ(designer_.caption(), "Template Designer - " + path("none.txt"));
    EXPECT_EQ(designer_.rows()[0].soundName, "s.wav");
    dialogs_.errors.clear();
    designer_.open(scratch_.write("one.txt", "IMAGE=a.jpg"));
    EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(Designer, SaveWritesAndClearsTheFlagCancelKeepsIt) {
    designer_.open(path("show.txt"));
    designer_.cmdClear();
    EXPECT_TRUE(designer_.changed());

    dialogs_.savePath.reset(); // the save dialog is cancelled
    EXPECT_FALSE(designer_.cmdSave());
    EXPECT_TRUE(designer_.changed());
    EXPECT_EQ(dialogs_.saveProposals.back(), path("show.txt"));

    dialogs_.savePath = path("new.txt");
    EXPECT_TRUE(designer_.cmdSave());
    EXPECT_FALSE(designer_.changed());
    EXPECT_EQ(designer_.TemplateName(), path("new.txt"));
    EXPECT_EQ(designer_.caption(), "Template Designer - " + path("new.txt"));
    EXPECT_EQ(read("new.txt"), "SOUNDSYNC=2\r\n");
}

TEST_F(Designer, SaveTellsWhatATemplateCantKeepAndNoSavesNothing) {
    designer_.open(path("show.txt"));
    designer_.select(0);
    dialogs_.editor = [](const EditRequest&) {
        EntryEditorResults r;
        r.CommentClicked = true;
        r.CommentSelection = "fine^^Image=not a picture";
        return r;
    };
    designer_.editSelected();
    dialogs_.savePath = path("new.txt");

    dialogs_.confirmAnswer = true;
    dialogs_.yesNoAnswer = false;
    EXPECT_FALSE(designer_.requestClose()); // the window stays, for the user to mend the row
    ASSERT_EQ(dialogs_.yesNoQuestions.size(), 1u);
    const auto& q = dialogs_.yesNoQuestions[0];
    EXPECT_EQ(q.rfind(kTemplateLossesIntro, 0), 0u) << q;
    EXPECT_NE(q.find("\n- Row 1: a template can't hold an empty comment line"), std::string::npos);
    EXPECT_NE(q.find("\n- Row 1: the comment line \"Image=not a picture\""), std::string::npos);
    EXPECT_TRUE(q.ends_with(kTemplateLossesQuestion));
    EXPECT_TRUE(dialogs_.saveProposals.empty());
    EXPECT_FALSE(fs::exists(path("new.txt")));
    EXPECT_TRUE(designer_.changed());

    dialogs_.yesNoAnswer = true;
    EXPECT_TRUE(designer_.cmdSave());
    EXPECT_NE(read("new.txt").find("\r\nfine\r\nBACKGROUND=Black\r\n"), std::string::npos);
    EXPECT_FALSE(designer_.changed());
}

TEST_F(Designer, FailedSaveKeepsTheOldFileTheFlagAndTheWindow) {
    designer_.open(path("show.txt"));
    const auto before = read("show.txt");
    designer_.select(0);
    designer_.cmdDelete();
    ASSERT_TRUE(designer_.changed());

    // The target's folder replaced by a regular file: fails for root too.
    scratch_.write("blocker", "");
    dialogs_.savePath = path("blocker") + "/show.txt";
    dialogs_.confirmAnswer = true;
    EXPECT_FALSE(designer_.requestClose());
    EXPECT_EQ(dialogs_.confirmCount, 1);
    ASSERT_EQ(dialogs_.errors.size(), 1u);
    EXPECT_NE(dialogs_.errors[0].find("blocker"), std::string::npos);
    EXPECT_TRUE(designer_.changed());
    EXPECT_EQ(designer_.TemplateName(), path("show.txt"));

    // Saying No throws the changes away and closes.
    dialogs_.confirmAnswer = false;
    EXPECT_TRUE(designer_.requestClose());
    EXPECT_EQ(read("show.txt"), before);
}

TEST_F(Designer, LoadAsksFirstAndAnEmptyChoiceChangesNothing) {
    designer_.open("");
    designer_.select(std::nullopt);
    designer_.cmdClear();
    EXPECT_EQ(designer_.selected(), 0u);
    dialogs_.confirmAnswer = false;
    designer_.cmdLoad(); // the chooser returns nothing
    EXPECT_EQ(dialogs_.confirmCount, 1);
    EXPECT_TRUE(designer_.changed());
    EXPECT_EQ(designer_.rows().size(), 1u);

    dialogs_.chosen = {path("show.txt"), AddBackslash(dir_.string())};
    designer_.cmdLoad();
    EXPECT_EQ(dialogs_.confirmCount, 2);
    EXPECT_FALSE(designer_.changed());
    EXPECT_EQ(designer_.rows().size(), 3u);
    EXPECT_EQ(designer_.TemplateName(), path("show.txt"));

    // Yes, then a cancelled save: the rows are not replaced.
    designer_.select(0);
    designer_.cmdMoveDown();
    EXPECT_EQ(designer_.selected(), 1u);
    dialogs_.confirmAnswer = true;
    dialogs_.chosen = {path("other.txt"), AddBackslash(dir_.string())};
    designer_.cmdLoad();
    EXPECT_EQ(designer_.rows()[1].imageName, "a.jpg");
    EXPECT_EQ(designer_.TemplateName(), path("show.txt"));
}

TEST_F(Designer, InsertOpensTheEditorOnTheNewRowPointedAtExistingFiles) {
    scratch_.write("a.jpg", "x");
    designer_.open(path("show.txt"));
    designer_.select(1);
    dialogs_.editor = [](const EditRequest&) {
        EntryEditorResults r;
        r.ImageClicked = true;
        r.ImageSelection = "x.jpg";
        r.ImageFullPath = "/pics/x.jpg";
        return r;
    };
    designer_.cmdInsert();
    ASSERT_EQ(dialogs_.editRequests.size(), 1u);
    EXPECT_EQ(dialogs_.editRequests[0].background, "Black");
    EXPECT_EQ(dialogs_.editRequests[0].imageFolder, ""); // "*" is no file
    ASSERT_EQ(designer_.rows().size(), 5u);
    EXPECT_EQ(designer_.rows()[1].imagePath, "/pics/x.jpg");
    EXPECT_EQ(designer_.rows()[2].imageName, "b.jpg");
    EXPECT_TRUE(designer_.changed());

    // a.jpg exists, /else/b.jpg does not: only the first points the picker at its folder.
    dialogs_.editor = nullptr;
    designer_.select(0);
    designer_.editSelected();
    EXPECT_EQ(dialogs_.editRequests.back().imageFolder, AddBackslash(dir_.string()));
    EXPECT_EQ(dialogs_.editRequests.back().comment, "first\nsecond");
    EXPECT_EQ(dialogs_.editRequests.back().defaultFolder, AddBackslash(dir_.string()));
    designer_.select(2);
    designer_.editSelected();
    EXPECT_EQ(dialogs_.editRequests.back().imageFolder, "");
}

TEST_F(Designer, OperationsWithoutASelectionDoNothing) {
    designer_.open(path("show.txt"));
    designer_.select(std::nullopt);
    designer_.cmdInsert();
    designer_.cmdDelete();
    designer_.cmdMoveUp();
    designer_.editSelected();
    EXPECT_EQ(designer_.rows().size(), 3u);
    EXPECT_FALSE(designer_.changed());
    EXPECT_TRUE(dialogs_.editRequests.empty());

    designer_.select(2);
    designer_.cmdDelete(); // the last row: the selection stays on a row
    EXPECT_EQ(designer_.selected(), 1u);
}

// Each button's command reaches its own action; Package is the window's, and does nothing here.
TEST_F(Designer, EachCommandRunsItsOwnAction) {
    designer_.open("");
    dialogs_.chosen = {path("show.txt"), AddBackslash(dir_.string())};
    designer_.run(DesignerCommand::Load);
    ASSERT_EQ(designer_.rows().size(), 3u);
    designer_.select(0);
    designer_.run(DesignerCommand::MoveDown);
    EXPECT_EQ(designer_.selected(), 1u);
    EXPECT_EQ(designer_.rows()[1].imageName, "a.jpg");
    designer_.run(DesignerCommand::MoveUp);
    EXPECT_EQ(designer_.selected(), 0u);
    designer_.run(DesignerCommand::Delete);
    EXPECT_EQ(designer_.rows()[0].imageName, "b.jpg");
    designer_.run(DesignerCommand::Package);
    EXPECT_EQ(designer_.rows().size(), 2u);
    EXPECT_TRUE(dialogs_.editRequests.empty());
    designer_.run(DesignerCommand::Insert);
    EXPECT_EQ(dialogs_.editRequests.size(), 1u);
    dialogs_.savePath = path("saved.txt");
    designer_.run(DesignerCommand::Save);
    EXPECT_TRUE(fs::exists(path("saved.txt")));
    designer_.run(DesignerCommand::Clear);
    EXPECT_EQ(designer_.rows().size(), 1u);
}

} // namespace
} // namespace gf
