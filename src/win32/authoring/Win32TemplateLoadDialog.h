#pragma once
// "Template Load": picks a template file from the drive, folder and file lists for the
// designer, which reads the choice after the dialog has closed. A view over TemplateChooser.
#include "core/authoring/TemplateChooser.h"
#include "core/settings/StartupState.h"
#include "win32/authoring/FolderLists.h"
#include "win32/support/Win32Dialog.h"

namespace gf {

class Win32TemplateLoadDialog final : public Win32Dialog {
  public:
    explicit Win32TemplateLoadDialog(ProcessState& process);

    void run(HWND owner) { runModal(owner); }
    const std::string& Selection() const { return chooser_.Selection(); }
    const std::string& SelectionPath() const { return chooser_.SelectionPath(); }

  protected:
    void create() override;
    void arrange() override;
    bool command(int id, int code, HWND control) override;

  private:
    void choose(const std::string& name);

    TemplateChooser chooser_;
    FolderLists lists_;
};

} // namespace gf
