#pragma once
// "Template Edit" on Windows: edits one slide entry (picture, sound, dissolve, comment, colours)
// for the designer, which reads the results after the dialog has closed. A view over
// EntryEditor.
#include "core/authoring/EntryEditor.h"
#include "core/settings/StartupState.h"
#include "platform/DesignerDialogs.h"
#include "win32/authoring/AuthoringDialog.h"
#include "win32/authoring/FolderLists.h"

namespace gf {

class Win32EntryEditDialog final : public AuthoringDialog {
  public:
    explicit Win32EntryEditDialog(ProcessState& process);
    ~Win32EntryEditDialog() override;

    // The pickers' folders, InitEdit, then the modal showing.
    void run(HWND owner, const EditRequest& request);
    const EntryEditorResults& results() const { return editor_.results(); }

  protected:
    void create() override;
    void arrange() override;
    bool command(int id, int code, HWND control) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void prepare();
    // The original picture's or sound's caption, elided in the middle to the label's width;
    // the whole of it in the label's tooltip.
    void showPath(int id, const std::string& caption);
    void showComment();
    void showColors();
    void view();
    void play();
    void cancel();
    void drawSwatch(const DRAWITEMSTRUCT& item) const;
    static LRESULT CALLBACK CommentKeys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    ProcessState& process_;
    EntryEditor editor_;
    EditRequest request_;
    FolderLists imageLists_, soundLists_;
    std::string imageCaption_, soundCaption_;
    bool syncing_ = false;
};

} // namespace gf
