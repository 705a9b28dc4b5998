#include "core/authoring/EntryEditor.h"
#include "core/authoring/TemplateChooser.h"
#include "core/files/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace gf {
namespace {

// What the editor joins to a folder given without a separator: the platform's own.
const std::string sep(1, kSeparator);

TEST(CommentConversion, EveryLineEndBecomesOneCaret) {
    EXPECT_EQ(ModifyComment("a\r\nb\nc\rd"), "a^b^c^d");
    EXPECT_EQ(ModifyComment("end\r"), "end^"); // a final CR swallows nothing
    EXPECT_EQ(ModifyComment("\n\n"), "^^");
    EXPECT_EQ(UnModifyComment("one^two^"), "one\ntwo\n");
}

class Editor : public ::testing::Test {
  protected:
    void open(const std::string& dissolve, const std::string& comment = "") {
        editor_.load("/shows");
        editor_.InitEdit("a.jpg", "a.wav", dissolve, comment, "Dark Blue", "Yellow");
    }
    AuthoringMemory memory_;
    EntryEditor editor_{memory_};
};

TEST_F(Editor, DissolveFlagDependsOnTheEntrysDissolve) {
    open("");
    EXPECT_EQ(editor_.dissolveIndex(), 0);
    EXPECT_TRUE(editor_.results().DissolveClicked);
    editor_.ok();
    EXPECT_EQ(editor_.results().DissolveSelection, "Random");

    open("random blocks"); // not one of the names: "Random", untouched
    EXPECT_EQ(editor_.dissolveIndex(), 0);
    EXPECT_FALSE(editor_.results().DissolveClicked);

    open("Left To Right");
    EXPECT_EQ(editor_.dissolveIndex(), 7);
    editor_.changeDissolve(2);
    editor_.ok();
    EXPECT_TRUE(editor_.results().DissolveClicked);
    EXPECT_EQ(editor_.results().DissolveSelection, "Random Blocks");

    // The last of the list is the fade; past it nothing changes.
    open("Fade");
    EXPECT_EQ(editor_.dissolveIndex(), 15);
    editor_.changeDissolve(16);
    EXPECT_EQ(editor_.dissolveIndex(), 15);
    editor_.changeDissolve(1);
    editor_.changeDissolve(15);
    editor_.ok();
    EXPECT_EQ(editor_.results().DissolveSelection, "Fade");
}

TEST_F(Editor, OkReturnsTheClickedFilesAndRemembersTheirFolders) {
    open("Normal", "line one\nline two");
    EXPECT_EQ(editor_.originalImageCaption(), "Image File: /shows" + sep + "a.jpg");
    editor_.ok();
    const auto& r = editor_.results();
    EXPECT_FALSE(r.ImageClicked);
    EXPECT_FALSE(r.SoundClicked);
    EXPECT_EQ(r.ImageFullPath, "");
    EXPECT_EQ(r.CommentSelection, "line one^line two");
    EXPECT_EQ(memory_.lastImageFolder, "");

    open("Normal");
    editor_.setImageFolder("/pics");
    editor_.clickImageFile("p.jpg");
    editor_.setSoundFolder("/snd/");
    editor_.clickSoundFile("s.wav");
    editor_.ok();
    EXPECT_EQ(r.ImageSelection, "p.jpg");
    EXPECT_EQ(r.ImageFullPath, "/pics" + sep + "p.jpg");
    EXPECT_EQ(r.SoundFullPath, "/snd/s.wav");
    EXPECT_EQ(memory_.lastImageFolder, "/pics" + sep);
    EXPECT_EQ(memory_.lastSoundFolder, "/snd/");

    // The next edit opens where the last one was accepted, and keeps the old results.
    editor_.load("/shows");
    EXPECT_EQ(editor_.imageFolder(), "/pics" + sep);
    editor_.InitEdit("", "", "Normal", "", "Black", "White");
    editor_.setImageFolder("/elsewhere"); // a click, then a move: the click no longer counts
    editor_.clickImageFile("q.jpg");
    editor_.setImageFolder("/other");
    editor_.ok();
    EXPECT_FALSE(r.ImageClicked);
    EXPECT_EQ(r.ImageFullPath, "/pics" + sep + "p.jpg");
}

TEST_F(Editor, CancelAndResetsUndoTheUsersChanges) {
    open("Normal", "keep");
    editor_.setImageFolder("/pics");
    editor_.clickImageFile("p.jpg");
    editor_.clickSwatch("Red", false);
    editor_.clickSwatch("Black", true);
    editor_.changeComment("typed");
    EXPECT_EQ(editor_.results().BackgroundSelection, "Red");
    EXPECT_TRUE(editor_.results().CommentClicked);

    EXPECT_EQ(editor_.resetImage(), "/shows" + sep);
    EXPECT_FALSE(editor_.results().ImageClicked);
    // Reset shows the original comment again, which counts as a change when it differed.
    editor_.resetComment();
    EXPECT_EQ(editor_.commentText(), "keep");
    EXPECT_TRUE(editor_.results().CommentClicked);

    editor_.changeDissolve(3);
    editor_.cancel();
    const auto& r = editor_.results();
    EXPECT_FALSE(r.ImageClicked || r.SoundClicked || r.CommentClicked || r.DissolveClicked ||
                 r.BackgroundClicked || r.ForegroundClicked);
    EXPECT_EQ(r.BackgroundSelection, "Dark Blue");
    EXPECT_EQ(r.ForegroundSelection, "Yellow");
    EXPECT_EQ(r.DissolveSelection, "Normal");
    EXPECT_EQ(memory_.lastImageFolder, "");
}

TEST(Chooser, ChoiceLastsUntilAClickOrCancel) {
    AuthoringMemory memory;
    TemplateChooser chooser(memory);
    EXPECT_EQ(chooser.Selection(), "");
    chooser.click("/shows", "a.txt");
    EXPECT_EQ(chooser.Selection(), "/shows" + sep + "a.txt");
    EXPECT_EQ(chooser.SelectionPath(), "/shows" + sep);

    TemplateChooser again(memory); // shown again later: the previous choice is still there
    EXPECT_EQ(again.Selection(), "/shows" + sep + "a.txt");
    again.cancel();
    EXPECT_EQ(again.Selection(), "");
    EXPECT_EQ(again.SelectionPath(), "/shows" + sep);
}

// The pickers of an edit open where the user left them, never at a folder that is gone, and the
// row's own file's folder has the last word; the editor follows what the pickers show.
TEST(EntryEditorOpen, PickersGoWhereTheyCanAndTheEditorFollows) {
    struct Picker {
        std::string at;
        std::vector<std::string> existing;
        EntryPicker view() {
            return {[this] { return at; },
                    [this](std::string_view folder) {
                        if (std::find(existing.begin(), existing.end(), folder) == existing.end())
                            return false;
                        at = std::string(folder);
                        return true;
                    }};
        }
    };
    struct Case {
        std::string last, row, standing, shown;
    };
    const std::string home = "/home/", last = "/last/", row = "/row/";
    const Case cases[] = {
        {last, "", "", last},         // where the user last accepted
        {"/gone/", "", "", home},     // gone, and standing nowhere: home
        {"/gone/", "", "/x/", "/x/"}, // gone: stays where it stands
        {last, row, "", row},         // the row's own folder wins
        {last, "/gone-row/", "", last},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last + " " + c.row + " " + c.standing);
        AuthoringMemory memory;
        memory.lastImageFolder = memory.lastSoundFolder = c.last;
        EntryEditor editor(memory);
        Picker images{c.standing, {home, last, row, "/x/"}}, sounds = images;
        EditRequest request;
        request.imageFolder = request.soundFolder = c.row;
        request.image = "a.jpg";
        request.comment = "one\ntwo";
        editor.open(request, images.view(), sounds.view(), home);
        EXPECT_EQ(images.at, c.shown);
        EXPECT_EQ(sounds.at, c.shown);
        EXPECT_EQ(editor.imageFolder(), c.shown);
        EXPECT_EQ(editor.soundFolder(), c.shown);
        EXPECT_EQ(editor.commentText(), "one\ntwo");
    }
}

} // namespace
} // namespace gf
