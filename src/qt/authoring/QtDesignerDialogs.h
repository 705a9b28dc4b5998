#pragma once
// The designer's questions as message boxes, the save dialog, the template chooser and the
// slide entry editor, each owned by the designer window.
#include "core/settings/AuthoringMemory.h"
#include "platform/DesignerDialogs.h"
#include "platform/FileSystem.h"

#include <QPointer>

class QWidget;

namespace gf {

class EntryEditDialog;
class TemplateLoadDialog;

class QtDesignerDialogs final : public DesignerDialogs {
  public:
    QtDesignerDialogs(QWidget* owner, AuthoringMemory& memory, FileSystem& files)
        : owner_(owner), memory_(memory), files_(files) {}

    bool ConfirmSave() override;
    std::optional<std::string> askSavePath(std::string_view proposal) override;
    ChosenTemplate chooseTemplate() override;
    EntryEditorResults editEntry(const EditRequest& request) override;
    void showError(std::string_view message) override;
    bool askYesNo(std::string_view message) override;

  private:
    QWidget* owner_;
    AuthoringMemory& memory_;
    FileSystem& files_;
};

} // namespace gf
