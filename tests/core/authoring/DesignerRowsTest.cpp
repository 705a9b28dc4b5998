#include "core/authoring/DesignerRows.h"
#include "core/authoring/DesignerView.h"
#include "fakes/RecordPrinters.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

DesignerRow picture(std::string name) {
    return {name, "", "", "", "White", "Black", "/shows/" + name, ""};
}

// A, B and the blank row, as the designer shows a two-slide template.
DesignerRows abBlank() {
    DesignerRows rows;
    rows.assign({picture("a.jpg"), picture("b.jpg")});
    rows.AddBlankRow();
    return rows;
}

std::vector<std::string> names(const DesignerRows& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows.rows())
        out.push_back(r.imageName.empty() ? (r.isBlank() ? "-" : "?") : r.imageName);
    return out;
}

using Names = std::vector<std::string>;

EntryEditorResults acceptPicture(std::string name) {
    EntryEditorResults r;
    r.ImageClicked = true;
    r.ImageSelection = name;
    r.ImageFullPath = "/pics/" + name;
    return r;
}

TEST(DesignerRows, InsertThenAcceptingAPictureAppendsABlankRow) {
    auto rows = abBlank();
    ASSERT_TRUE(rows.insertAt(1));
    EXPECT_EQ(names(rows), (Names{"a.jpg", "?", "b.jpg", "-"}));
    EXPECT_EQ(rows[1], DesignerRows::InsertedRow());
    EXPECT_EQ(rows[1].imagePath, "*");
    EXPECT_TRUE(rows.changed());

    rows.applyEdit(1, acceptPicture("x.jpg"));
    EXPECT_EQ(names(rows), (Names{"a.jpg", "x.jpg", "b.jpg", "-", "-"}));
    EXPECT_EQ(rows[1].imagePath, "/pics/x.jpg");
    EXPECT_EQ(rows[1].background, "Black"); // unflagged fields keep the inserted values
    EXPECT_EQ(rows[2].imagePath, "/shows/b.jpg");
}

TEST(DesignerRows, CancelledEditKeepsTheRowButStillAppendsAfterAnEmptyOne) {
    auto rows = abBlank();
    rows.insertAt(0);
    rows.setChanged(false);
    rows.applyEdit(0, EntryEditorResults{});
    EXPECT_EQ(names(rows), (Names{"?", "a.jpg", "b.jpg", "-", "-"}));
    EXPECT_FALSE(rows.changed()); // nothing applied

    // A row with a picture is no empty row: editing it appends nothing.
    rows.applyEdit(1, EntryEditorResults{});
    EXPECT_EQ(rows.size(), 5u);
}

TEST(DesignerRows, EditAppliesOnlyFlaggedResults) {
    auto rows = abBlank();
    EntryEditorResults r;
    r.ImageSelection = "ignored.jpg";
    r.SoundClicked = true;
    r.SoundSelection = "s.wav";
    r.SoundFullPath = "/snd/s.wav";
    r.DissolveClicked = true;
    r.DissolveSelection = "Normal";
    r.CommentClicked = true;
    r.CommentSelection = "one^two";
    r.ForegroundClicked = true;
    r.ForegroundSelection = "Yellow";
    r.BackgroundSelection = "Red";
    rows.applyEdit(0, r);
    EXPECT_EQ(rows[0], (DesignerRow{"a.jpg", "s.wav", "Normal", "one^two", "Yellow", "Black",
                                    "/shows/a.jpg", "/snd/s.wav"}));
    EXPECT_TRUE(rows.changed());
    EXPECT_EQ(rows.size(), 3u);

    // The blank last row turns into an entry and a new blank row follows it.
    rows.applyEdit(2, acceptPicture("c.jpg"));
    EXPECT_EQ(names(rows), (Names{"a.jpg", "b.jpg", "c.jpg", "-"}));
}

TEST(DesignerRows, DeleteAndMovesKeepPathsWithTheirRows) {
    auto rows = abBlank();
    rows.setChanged(false);
    EXPECT_FALSE(rows.moveUp(0));
    EXPECT_FALSE(rows.moveDown(2));
    EXPECT_FALSE(rows.deleteAt(3));
    EXPECT_FALSE(rows.changed());

    ASSERT_TRUE(rows.moveDown(1)); // past the blank row: the two change places
    EXPECT_EQ(names(rows), (Names{"a.jpg", "-", "b.jpg"}));
    EXPECT_EQ(rows[2].imagePath, "/shows/b.jpg");
    ASSERT_TRUE(rows.moveUp(2));
    EXPECT_EQ(rows[1].imagePath, "/shows/b.jpg");
    EXPECT_TRUE(rows.changed());

    ASSERT_TRUE(rows.deleteAt(0));
    EXPECT_EQ(names(rows), (Names{"b.jpg", "-"}));
    EXPECT_EQ(rows[0].imagePath, "/shows/b.jpg");

    DesignerRows single;
    single.AddBlankRow();
    EXPECT_FALSE(single.deleteAt(0));
    EXPECT_EQ(single.size(), 1u);
}

TEST(DesignerRows, RemoveEmptyRowsKeepsRowsWithAPictureOrASound) {
    DesignerRows rows;
    DesignerRow soundOnly, commentOnly;
    soundOnly.soundName = "s.wav";
    commentOnly.comment = "orphan";
    rows.assign({DesignerRow{}, DesignerRow{}, picture("a.jpg"), commentOnly, soundOnly,
                 DesignerRows::InsertedRow(), DesignerRow{}});
    EXPECT_TRUE(rows.RemoveEmptyRows()); // consecutive empty rows at the start all go
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].imageName, "a.jpg");
    EXPECT_EQ(rows[1].soundName, "s.wav");
    EXPECT_FALSE(rows.RemoveEmptyRows());
}

TEST(DesignerView, EachColumnShowsItsOwnFieldAndTheSharesFillTheList) {
    const DesignerRow row{"a.jpg", "b.wav", "Normal", "hi", "Red", "Blue", "/p/a.jpg", "/p/b.wav"};
    const auto texts = ColumnTexts(row);
    const std::string_view expected[] = {"a.jpg", "b.wav", "Normal", "hi", "Red", "Blue"};
    double shares = 0;
    for (std::size_t c = 0; c < kDesignerColumns.size(); ++c) {
        EXPECT_EQ(texts[c], expected[c]) << kDesignerColumns[c].title;
        shares += kDesignerColumns[c].share;
    }
    EXPECT_NEAR(shares, 1.0, 1e-9); // more would scroll, less would leave a gap
}

} // namespace
} // namespace gf
