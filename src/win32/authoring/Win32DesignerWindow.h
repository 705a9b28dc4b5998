#pragma once
// "Template Designer" on Windows: the rows of a template in a list view, edited row by row,
// loaded, saved and packed (on a worker thread, with a Cancel). A view over TemplateDesigner;
// opened modally by the settings dialog, which gets the template's path back.
#include "core/authoring/PackageJob.h"
#include "core/authoring/TemplateDesigner.h"
#include "core/settings/StartupState.h"
#include "win32/authoring/AuthoringDialog.h"

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gf {

class Win32AdStrip;
class Win32DesignerDialogs;

class Win32DesignerWindow final : public AuthoringDialog {
  public:
    Win32DesignerWindow(ProcessState& process, std::string_view templateName);
    ~Win32DesignerWindow() override;

    // Shows the designer modally over owner on templateName; the template path to hand back,
    // nothing when the window could not be made (the user is told).
    static std::optional<std::string> Run(HWND owner, std::string_view templateName,
                                          ProcessState& process);

    TemplateDesigner& model() { return *model_; }

  protected:
    void create() override;
    void arrange() override;
    bool command(int id, int code, HWND control) override;
    bool notify(const NMHDR& header, INT_PTR& result) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void refresh();
    void sizeColumns();
    void editRow();
    void close();
    void writePackage();
    void startWriting(const std::string& target);
    void finishWriting();
    void showProgress();
    void showWriting(bool writing);

    ProcessState& process_;
    std::string openWith_;
    std::unique_ptr<Win32DesignerDialogs> dialogs_;
    std::unique_ptr<TemplateDesigner> model_;
    std::unique_ptr<Win32AdStrip> ads_;
    bool refreshing_ = false;

    // The package being written.
    std::thread worker_;
    std::unique_ptr<PackageJob> job_;
};

} // namespace gf
