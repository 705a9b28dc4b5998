#pragma once
// "Glimmerframe Settings": the window over SettingsDialogModel. Picture source (mode boxes,
// path box, the help text or the folder lists), show options, the maker's strip, Done and
// Cancel, and the Help menu.
#include "core/settings_dialog/SettingsDialogModel.h"
#include "qt/support/UrlOpener.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSlider;
class QStackedWidget;
class QToolButton;
class QPushButton;

namespace gf {

class AboutBox;
class AdStrip;
class FolderBrowser;

// Opens the template designer modally on a template path ("" for a new one) and returns the
// path of the template it holds when it closes.
using DesignerLauncher = std::function<QString(QWidget* parent, const QString& templateName)>;

class SettingsDialog final : public QWidget, private SettingsDialogView {
    Q_OBJECT
  public:
    // What the window needs from outside; every member has a working default.
    struct Services {
        DesignerLauncher designer; // null: the designer buttons explain it is missing
        UrlOpener openUrl;         // null: the guide's pages in the help window (GuideOpener)
        // Message boxes; tests replace them.
        std::function<bool(QWidget*, const QString&)> askOkCancel;
        std::function<bool(QWidget*, const QString&)> askYesNo;
        std::function<void(QWidget*, const QString&)> showError;
        std::function<void(QWidget*, const QString&)> showInfo;
    };

    SettingsDialog(ProcessState& process, SettingsStore& store, Services services,
                   QWidget* parent = nullptr);
    ~SettingsDialog() override;

    SettingsDialogModel& model() { return model_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildUi();
    void connectUi();
    // Puts the model's state into the widgets without re-entering the handlers.
    void syncFromModel();
    void done();

    void moveTemplateLists(std::string_view folder) override;
    void moveFolderLists(std::string_view folder) override;
    std::optional<std::string> runDesigner(std::string_view templateName) override;
    bool askOkCancel(std::string_view text) override;
    void showError(std::string_view text) override;

    Services services_;
    SettingsDialogModel model_;
    bool syncing_ = false;

    QCheckBox* chkFolderMode = nullptr;
    QCheckBox* chkTemplateMode = nullptr;
    QLineEdit* txtImageListFile = nullptr;
    QToolButton* cmdSelectFolder = nullptr;
    QToolButton* cmdSelectTemplate = nullptr;
    QToolButton* cmdCreateTemplate = nullptr;
    QToolButton* cmdEditTemplate = nullptr;
    QStackedWidget* panels_ = nullptr;
    QPlainTextEdit* txtHelper = nullptr;
    FolderBrowser* templateLists_ = nullptr;
    FolderBrowser* folderLists_ = nullptr;
    // The option pairs, as the model numbers them.
    std::array<std::array<QRadioButton*, 2>, 4> options_{};
    QCheckBox* chkIncludeSubfolders = nullptr;
    QComboBox* cmbCaption = nullptr;
    QComboBox* Combo1 = nullptr;
    QSlider* scrolls_[4] = {};
    QLabel* scrollLabels_[4] = {};
    QCheckBox* chkIgnoreMouse = nullptr;
    QCheckBox* chkDisableSound = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdCancel = nullptr;
    AdStrip* adStrip_ = nullptr;
    QLabel* lblBrindlewick = nullptr;
    AboutBox* about_ = nullptr;
};

} // namespace gf
