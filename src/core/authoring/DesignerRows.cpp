#include "core/authoring/DesignerRows.h"

#include <algorithm>
#include <utility>

namespace gf {

std::size_t DesignerRows::AddBlankRow() {
    rows_.emplace_back();
    return rows_.size();
}

bool DesignerRows::RemoveEmptyRows() {
    const auto before = rows_.size();
    std::erase_if(rows_,
                  [](const DesignerRow& r) { return r.imageName.empty() && r.soundName.empty(); });
    return rows_.size() != before;
}

DesignerRow DesignerRows::InsertedRow() {
    // Built from whole strings: assigning short literals trips a false -Wrestrict in GCC 12.
    using namespace std::string_literals;
    DesignerRow r;
    r.background = "Black"s;
    r.foreground = "White"s;
    r.imagePath = "*"s;
    r.soundPath = "*"s;
    return r;
}

bool DesignerRows::CountsAsEmpty(const DesignerRow& row) {
    return row.imageName.empty() && row.soundName.empty() && row.dissolve.empty() &&
           row.comment.empty();
}

bool DesignerRows::insertAt(std::size_t s) {
    if (s >= rows_.size())
        return false;
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(s), InsertedRow());
    changed_ = true;
    return true;
}

bool DesignerRows::deleteAt(std::size_t s) {
    if (s >= rows_.size() || rows_.size() == 1)
        return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(s));
    changed_ = true;
    return true;
}

bool DesignerRows::moveUp(std::size_t s) {
    if (s == 0 || s >= rows_.size())
        return false;
    std::swap(rows_[s], rows_[s - 1]);
    changed_ = true;
    return true;
}

bool DesignerRows::moveDown(std::size_t s) {
    if (s + 1 >= rows_.size())
        return false;
    std::swap(rows_[s], rows_[s + 1]);
    changed_ = true;
    return true;
}

bool DesignerRows::applyEdit(std::size_t s, const EntryEditorResults& r) {
    if (s >= rows_.size())
        return false;
    const bool wasEmpty = CountsAsEmpty(rows_[s]);
    DesignerRow& row = rows_[s];
    auto apply = [this](bool flag, std::string& field, const std::string& value) {
        if (flag) {
            field = value;
            changed_ = true;
        }
    };
    apply(r.ImageClicked, row.imageName, r.ImageSelection);
    apply(r.ImageClicked, row.imagePath, r.ImageFullPath);
    apply(r.SoundClicked, row.soundName, r.SoundSelection);
    apply(r.SoundClicked, row.soundPath, r.SoundFullPath);
    apply(r.DissolveClicked, row.dissolve, r.DissolveSelection);
    apply(r.CommentClicked, row.comment, r.CommentSelection);
    apply(r.BackgroundClicked, row.background, r.BackgroundSelection);
    apply(r.ForegroundClicked, row.foreground, r.ForegroundSelection);
    if (wasEmpty)
        AddBlankRow();
    return true;
}

} // namespace gf
