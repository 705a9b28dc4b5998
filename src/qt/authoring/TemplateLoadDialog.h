#pragma once
// "Template Load": picks a template file ("*.txt") from the places, folders and files lists.
// The choice lives in the process's authoring memory, so it is offered again next time.
#include "core/authoring/TemplateChooser.h"

#include <QDialog>

class QPushButton;

namespace gf {

class FolderBrowser;

class TemplateLoadDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit TemplateLoadDialog(AuthoringMemory& memory, QWidget* parent = nullptr);

    const std::string& Selection() const { return chooser_.Selection(); }
    const std::string& SelectionPath() const { return chooser_.SelectionPath(); }
    FolderBrowser* browser() const { return browser_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    void reject() override;

  private:
    TemplateChooser chooser_;
    FolderBrowser* browser_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace gf
