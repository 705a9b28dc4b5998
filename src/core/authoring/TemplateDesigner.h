#pragma once
// The template designer without its window: rows, sound mode, the template's name, the caption,
// and the flows of loading, saving, clearing, editing and closing.
#include "base/Result.h"
#include "core/authoring/DesignerRows.h"
#include "core/authoring/DesignerView.h"
#include "platform/DesignerDialogs.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

inline constexpr std::string_view kDesignerCaption = "Template Designer";
inline constexpr std::string_view kConfirmSaveQuestion =
    "The template file has changed... Do you want to save it?";
inline constexpr std::string_view kTemplateLossesIntro =
    "A template can't keep everything these rows hold; the show would play them otherwise:";
inline constexpr std::string_view kTemplateLossesQuestion = "Save the template all the same?";
inline constexpr std::string_view kSaveBeforePackaging =
    "Save the template first: a package is named after its template. Click Save, then Package... "
    "again.";

class TemplateDesigner {
  public:
    TemplateDesigner(FileSystem& files, DesignerDialogs& dialogs)
        : files_(files), dialogs_(dialogs) {}

    // Opening the window: a blank row, or the template at templateName when it names a file.
    void open(std::string_view templateName);
    // Replaces the rows by the template at TemplateName, with a blank row after them; on
    // failure the rows read so far stay and the user is told why.
    void PerformLoad();
    // Writes the rows as a template to target; on success TemplateName becomes target.
    Status WriteTemplate(std::string_view target);

    // The commands. cmdSave is true when the rows were written; only then is the changed flag
    // cleared, so a failed save still asks before the work is thrown away. What a template can't
    // keep of the rows is told first, and the user may stop there.
    bool cmdSave();
    void cmdLoad();
    void cmdClear();
    void cmdInsert();
    void cmdDelete();
    void cmdMoveUp();
    void cmdMoveDown();
    // One of the commands above, as a window's button names it; Package is the window's own.
    void run(DesignerCommand command);
    void editSelected();
    // The package name that Package... proposes: the template's name without its extension, or
    // its whole name when it has none. Nothing, and the user told to save first, when the
    // template has no file yet.
    std::optional<std::string> packageProposal();
    // Asks about unsaved changes; false when the window is to stay open because a save the
    // user asked for did not happen.
    bool requestClose();

    // Around a package write: the empty rows go (and the selection), the blank row comes back.
    bool dropEmptyRows();
    void restoreBlankRow() { rows_.AddBlankRow(); }

    // Read-only: the rows change only through the commands above.
    const DesignerRows& rows() const { return rows_; }
    bool changed() const { return rows_.changed(); }
    std::optional<std::size_t> selected() const { return selected_; }
    void select(std::optional<std::size_t> row);
    int soundMode() const { return soundMode_; } // 1, 2 or 3
    void setSoundMode(int mode) { soundMode_ = mode; }
    const std::string& TemplateName() const { return templateName_; }
    const std::string& TemplatePath() const { return templatePath_; }
    const std::string& caption() const { return caption_; }

  private:
    FileSystem& files_;
    DesignerDialogs& dialogs_;
    DesignerRows rows_;
    std::optional<std::size_t> selected_;
    int soundMode_ = 1;
    std::string templateName_, templatePath_;
    std::string caption_{kDesignerCaption};
};

} // namespace gf
