#pragma once
// "Template Designer": the rows of a template in a list, edited row by row, loaded, saved and
// packed. Opened modally by the settings dialog, which gets the template's path back.
#include "core/authoring/TemplateDesigner.h"
#include "core/package/PackageProgram.h"
#include "core/settings/StartupState.h"

#include <QDialog>
#include <memory>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace gf {

class PackageJob;

class AdStrip;
class PathLabel;

class DesignerWindow final : public QDialog {
    Q_OBJECT
  public:
    // `dialogs` replaces the designer's own message boxes and dialogs (tests); null for those.
    DesignerWindow(ProcessState& process, const QString& templateName, QWidget* parent = nullptr,
                   DesignerDialogs* dialogs = nullptr);
    ~DesignerWindow() override;

    // Shows the designer modally on templateName; the template path to hand back.
    static QString run(QWidget* parent, const QString& templateName, ProcessState& process);

    TemplateDesigner& model() { return *model_; }
    ProcessState& process() { return process_; }
    QString templateName() const { return QString::fromStdString(model_->TemplateName()); }
    // Rebuilds the list from the rows and shows caption, sound mode and selection.
    void refresh();

    QTreeWidget* list() const { return list_; }
    QToolButton* button(const QString& objectName) const;
    QRadioButton* soundModeOption(int mode) const;
    // The package writer's progress panel, hidden until it runs.
    QFrame* progressPanel() const { return progressPanel_; }
    // Says what the last successful package write made.
    PathLabel* writtenLabel() const { return writtenLabel_; }
    QProgressBar* progressBar() const { return progressBar_; }

  public slots:
    // A command's button: the model runs it, then the list shows the rows.
    void runCommand(DesignerCommand command);
    // "Create a standalone SCR": asks for the package's file, then WriteSCR.
    void cmdWriteSCR_Click();

  public:
    // Writes the rows as a package at target on a worker thread, the progress panel in place
    // of the list, copying this program or a Windows one; returns when done. Failures are told
    // to the user; false for them and for a cancel.
    bool WriteSCR(const QString& target, PackageProgram program = PackageProgram::ThisProgram);
    bool writing() const { return job_ != nullptr; }
    QPushButton* cancelWriteButton() const { return cancelWrite_; }

  public slots:
    void editRow();
    void showHelp();

  protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void showProgress();
    void sizeColumns();

    ProcessState& process_;
    std::unique_ptr<DesignerDialogs> ownDialogs_;
    DesignerDialogs* dialogs_ = nullptr;
    std::unique_ptr<TemplateDesigner> model_;
    QTreeWidget* list_ = nullptr;
    QRadioButton* modes_[3] = {};
    AdStrip* ads_ = nullptr;
    QFrame* progressPanel_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    PathLabel* writtenLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* cancelWrite_ = nullptr;
    bool refreshing_ = false;
    PackageJob* job_ = nullptr; // while a package is written
};

} // namespace gf
