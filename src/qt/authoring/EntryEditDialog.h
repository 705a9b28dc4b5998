#pragma once
// "Template Edit": edits one slide entry (picture, sound, dissolve, comment, colours) for the
// designer, which reads the results after the dialog has closed.
#include "core/authoring/EntryEditor.h"
#include "platform/DesignerDialogs.h"

#include <QDialog>
#include <QMap>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace gf {

class FileSystem;

class FolderBrowser;
class PathLabel;
class ImageViewerDialog;
class SoundPlayerDialog;

class EntryEditDialog final : public QDialog {
    Q_OBJECT
  public:
    EntryEditDialog(AuthoringMemory& memory, FileSystem& files, QWidget* parent = nullptr);
    ~EntryEditDialog() override;

    // Everything before the modal showing: the pickers' folders, then InitEdit.
    void prepare(const EditRequest& request);
    const EntryEditorResults& results() const { return editor_.results(); }
    const EntryEditor& editor() const { return editor_; }

    FolderBrowser* imageBrowser() const { return imageBrowser_; }
    FolderBrowser* soundBrowser() const { return soundBrowser_; }
    QComboBox* dissolveList() const { return dissolve_; }
    QPlainTextEdit* commentBox() const { return comment_; }
    QAbstractButton* swatch(const QString& colorName, bool foreground) const;
    QLabel* colorBox(bool foreground) const { return foreground ? foreColor_ : backColor_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    ImageViewerDialog* viewer();
    SoundPlayerDialog* player();

  public slots:
    void cmdView_Click();
    void cmdPlay_Click();

  protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void syncImageFolder();
    void syncSoundFolder();
    void showColor(bool foreground);

    FileSystem& files_;
    EntryEditor editor_;
    FolderBrowser* imageBrowser_ = nullptr;
    FolderBrowser* soundBrowser_ = nullptr;
    PathLabel* originalImage_ = nullptr;
    PathLabel* originalSound_ = nullptr;
    QComboBox* dissolve_ = nullptr;
    QPlainTextEdit* comment_ = nullptr;
    QLabel* backColor_ = nullptr;
    QLabel* foreColor_ = nullptr;
    QMap<QString, QAbstractButton*> swatches_; // "0:Black", "1:Black", ...
    // Each row of swatches is one Tab stop, the one last focused; the arrow keys move along it.
    QList<QAbstractButton*> swatchRows_[2];
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    ImageViewerDialog* viewer_ = nullptr;
    SoundPlayerDialog* player_ = nullptr;
    bool syncing_ = false;
};

// A colour number (red + 256 green + 65536 blue) as a QColor.
QColor ColorFromNumber(std::uint32_t number);

} // namespace gf
