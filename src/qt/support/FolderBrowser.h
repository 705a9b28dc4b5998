#pragma once
// The Linux stand-in for a drive list, a folder list and a file list: a places list (the file
// system root, home, Pictures, media mounted under /media or /run/media), a folder tree and a file
// list filtered by a pattern list such as "*.jpg;*.jpeg;*.bmp;*.gif; *.jpe; *.wmf" (matched
// ignoring case).
#include <QStringList>
#include <QWidget>

class QFileSystemModel;
class QListView;
class QListWidget;
class QTreeView;
class QModelIndex;

namespace gf {

class FolderBrowser final : public QWidget {
    Q_OBJECT
  public:
    explicit FolderBrowser(QWidget* parent = nullptr);

    // Moves all three lists to an existing folder; a missing one leaves them where they are.
    bool goToFolder(const QString& folder);
    // The folder shown, absolute, without a trailing "/" (except the root itself).
    QString folder() const { return folder_; }

    // ";"-separated patterns; an empty text lists every file.
    void setPatterns(const QString& patterns);
    // A display-only file list takes no clicks or selection.
    void setFilesSelectable(bool selectable);
    // Names of the files now listed, in display order (complete after filesListed()).
    QStringList listedFiles() const;
    // Highlights a file of the current folder by name.
    void selectFile(const QString& name);

    // The places offered: label and folder.
    QList<QPair<QString, QString>> places() const;

  signals:
    void folderChanged(const QString& folder);
    void fileClicked(const QString& path);
    void fileDoubleClicked(const QString& path);
    // The file list of the current folder has been read.
    void filesListed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillPlaces();
    // The current folder in the middle of the tree: when the tree gets its size, and while the
    // folders above it are still being read in (each one read pushes it down).
    void keepCurrentInView();
    bool isAboveCurrent(const QModelIndex& folder) const;
    void onTreeCurrentChanged(const QModelIndex& current);
    QString filePathAt(const QModelIndex& index) const;

    QListWidget* places_ = nullptr;
    QTreeView* tree_ = nullptr;
    QListView* files_ = nullptr;
    QFileSystemModel* dirModel_ = nullptr;
    QFileSystemModel* fileModel_ = nullptr;
    QString folder_;
    bool selectable_ = true;
};

} // namespace gf
