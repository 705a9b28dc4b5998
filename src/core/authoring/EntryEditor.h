#pragma once
// The slide entry editor without its window: the picker folders, the chosen values, the six
// flags that say what the user changed, and OK, Cancel and the resets.
#include "core/authoring/DesignerRows.h"
#include "core/settings/AuthoringMemory.h"
#include "platform/DesignerDialogs.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace gf {

// The sound picker's file types.
inline constexpr std::string_view kEntrySoundPatterns = "*.wav;*.mpeg;*.mp3;*.mp2;*.mpg";
// The colour swatches, in the order of every colour row of the program.
inline constexpr std::array<std::string_view, 12> kEntrySwatches = {
    "Black",      "Blue",   "Dark Blue", "Dark Green", "Light Blue", "Light Green",
    "Light Grey", "Orange", "Purple",    "Red",        "White",      "Yellow"};

// Stored comment ("^" for a line break) to the editor's text ("\n"), and back. Any of CR LF,
// CR or LF counts as one line break.
std::string UnModifyComment(std::string_view stored);
std::string ModifyComment(std::string_view text);

// A window's folder list that the editor moves: where it stands (empty: nowhere yet), and going
// to a folder, false when that folder can't be shown.
struct EntryPicker {
    std::function<std::string()> folder;
    std::function<bool(std::string_view)> goTo;
};

class EntryEditor {
  public:
    explicit EntryEditor(AuthoringMemory& memory) : memory_(memory) {}

    // Start of every edit: the pickers open at the folders last accepted, or at defaultFolder.
    void load(std::string_view defaultFolder);
    // The designer points a picker at the folder of the row's existing file.
    void setImageFolder(std::string_view folder);
    void setSoundFolder(std::string_view folder);
    // The start of an edit for the designer's row: load, then each picker goes to the folder last
    // accepted (one that is gone leaves it where it stands, or at `home` when it stands nowhere),
    // then to the folder of the row's own file; the editor follows the pickers; InitEdit.
    void open(const EditRequest& request, const EntryPicker& images, const EntryPicker& sounds,
              std::string_view home);
    void InitEdit(const std::string& oImageFile, const std::string& oSoundFile,
                  const std::string& oDissolve, const std::string& oComment,
                  const std::string& oBackground, const std::string& oForeground);

    // User actions.
    void clickImageFile(std::string_view name);
    void clickSoundFile(std::string_view name);
    void changeDissolve(int index); // also a click on the list
    void changeComment(std::string_view text);
    void clickSwatch(std::string_view colorName, bool foreground);
    // The resets give the folder the picker is to move to.
    const std::string& resetImage();
    const std::string& resetSound();
    void resetComment();
    void ok();
    void cancel();

    const EntryEditorResults& results() const { return r_; }
    const std::string& imageFolder() const { return imageFolder_; } // with trailing separator
    const std::string& soundFolder() const { return soundFolder_; }
    const std::string& selectedImage() const { return selectedImage_; }
    const std::string& selectedSound() const { return selectedSound_; }
    const std::string& commentText() const { return comment_; }
    int dissolveIndex() const { return dissolveIndex_; }
    // The entry's files as InitEdit found them.
    std::string originalImageCaption() const;
    std::string originalSoundCaption() const;
    // Full paths for the viewer and the player; empty when no file is selected.
    std::string selectedImagePath() const;
    std::string selectedSoundPath() const;

  private:
    AuthoringMemory& memory_;
    EntryEditorResults r_;
    std::string oImage_, oSound_, oDissolve_, oComment_, oBackground_, oForeground_;
    std::string imageFolder_, soundFolder_, resetImageFolder_, resetSoundFolder_;
    std::string selectedImage_, selectedSound_;
    std::string comment_;
    int dissolveIndex_ = 0;
};

} // namespace gf
