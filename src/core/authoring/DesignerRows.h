#pragma once
// The template designer's rows with their row operations; indices are 0-based.
#include "base/EntryEditorResults.h"
#include "core/template/DesignerRow.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace gf {

class DesignerRows {
  public:
    const std::vector<DesignerRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    const DesignerRow& operator[](std::size_t i) const { return rows_[i]; }

    // Editing sets this; loading and saving clear it.
    bool changed() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }

    // Appends a blank row; the new row count. Leaves the changed flag alone.
    std::size_t AddBlankRow();
    void ClearRows() { rows_.clear(); }
    void assign(std::vector<DesignerRow> rows) { rows_ = std::move(rows); }
    // Removes rows with neither picture nor sound name; true when it removed any.
    bool RemoveEmptyRows();

    // A row added by insert: no names, "Black" on "White", "*" as both paths.
    static DesignerRow InsertedRow();
    // No picture, sound, dissolve or comment: editing it appends a fresh blank row.
    static bool CountsAsEmpty(const DesignerRow& row);

    // The row operations; each does nothing (and returns false) for an index out of range.
    bool insertAt(std::size_t s);
    bool deleteAt(std::size_t s); // never deletes the only row
    bool moveUp(std::size_t s);   // the row is then at s - 1
    bool moveDown(std::size_t s); // the row is then at s + 1
    // Applies the editor's flagged results to row s, then appends a blank row if s counted as
    // empty before.
    bool applyEdit(std::size_t s, const EntryEditorResults& r);

  private:
    std::vector<DesignerRow> rows_;
    bool changed_ = false;
};

} // namespace gf
