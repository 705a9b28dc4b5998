#include "qt/support/FolderBrowser.h"

#include "core/text/FilePatterns.h"

#include <algorithm>

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QListWidget>
#include <QSplitter>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTreeView>

namespace gf {

namespace {
QString cleanFolder(const QString& folder) {
    QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return clean.isEmpty() ? QStringLiteral("/") : clean;
}
} // namespace

FolderBrowser::FolderBrowser(QWidget* parent) : QWidget(parent) {
    places_ = new QListWidget;
    places_->setObjectName(QStringLiteral("places"));
    places_->setAccessibleName(QStringLiteral("Places"));
    places_->setMinimumWidth(110);

    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirModel_->setRootPath(QStringLiteral("/"));
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("folders"));
    tree_->setAccessibleName(QStringLiteral("Folders"));
    tree_->setModel(dirModel_);
    tree_->setRootIndex(dirModel_->index(QStringLiteral("/")));
    for (int c = 1; c < dirModel_->columnCount(); ++c)
        tree_->hideColumn(c);
    tree_->header()->hide();
    tree_->setUniformRowHeights(true);

    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    fileModel_->setNameFilterDisables(false);
    files_ = new QListView;
    files_->setObjectName(QStringLiteral("files"));
    files_->setAccessibleName(QStringLiteral("Files"));
    files_->setModel(fileModel_);
    files_->setUniformItemSizes(true);

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(places_);
    split->addWidget(tree_);
    split->addWidget(files_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setStretchFactor(2, 3);
    split->setChildrenCollapsible(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    fillPlaces();

    connect(places_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { goToFolder(item->data(Qt::UserRole).toString()); });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onTreeCurrentChanged(current); });
    connect(files_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (selectable_)
            emit fileClicked(filePathAt(index));
    });
    connect(files_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (selectable_)
            emit fileDoubleClicked(filePathAt(index));
    });
    // The folder model fills in lazily, in another thread: folders read in above the current one
    // push it down, so it is brought back into view each time.
    connect(dirModel_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& folder) {
        if (isAboveCurrent(folder))
            keepCurrentInView();
    });
    // And sorting them in, which the model does a moment later.
    connect(dirModel_, &QAbstractItemModel::layoutChanged, this,
            [this](const QList<QPersistentModelIndex>& folders) {
                if (folders.isEmpty() || std::any_of(folders.begin(), folders.end(),
                                                     [this](const QPersistentModelIndex& f) {
                                                         return isAboveCurrent(f);
                                                     }))
                    keepCurrentInView();
            });
    tree_->installEventFilter(this);
    connect(fileModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (cleanFolder(path) == folder_)
            emit filesListed();
    });
}

bool FolderBrowser::eventFilter(QObject* watched, QEvent* event) {
    // A tree scrolled before it had a size scrolled nowhere: scroll again once it has one.
    if (watched == tree_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize))
        keepCurrentInView();
    return QWidget::eventFilter(watched, event);
}

void FolderBrowser::keepCurrentInView() {
    const QModelIndex current = tree_->currentIndex();
    if (current.isValid() && tree_->isVisible())
        tree_->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

bool FolderBrowser::isAboveCurrent(const QModelIndex& folder) const {
    for (QModelIndex i = tree_->currentIndex(); i.isValid(); i = i.parent())
        if (i.parent() == folder)
            return true;
    return false;
}

void FolderBrowser::fillPlaces() {
    auto add = [this](const QString& label, const QString& path, QStyle::StandardPixmap icon) {
        auto* item = new QListWidgetItem(style()->standardIcon(icon), label);
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
        places_->addItem(item);
    };
    add(QStringLiteral("File System"), QStringLiteral("/"), QStyle::SP_DriveHDIcon);
    add(QStringLiteral("Home"), QDir::homePath(), QStyle::SP_DirHomeIcon);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir() && pictures != QDir::homePath())
        add(QStringLiteral("Pictures"), pictures, QStyle::SP_DirIcon);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady())
            continue;
        // Where desktops mount removable media.
        if (root.startsWith(QStringLiteral("/media/")) ||
            root.startsWith(QStringLiteral("/run/media/"))) {
            const QString name = volume.displayName().isEmpty() ? root : volume.displayName();
            add(name, root, QStyle::SP_DriveCDIcon);
        }
    }
}

QList<QPair<QString, QString>> FolderBrowser::places() const {
    QList<QPair<QString, QString>> out;
    for (int i = 0; i < places_->count(); ++i)
        out.append({places_->item(i)->text(), places_->item(i)->data(Qt::UserRole).toString()});
    return out;
}

bool FolderBrowser::goToFolder(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    const QString clean = cleanFolder(folder);
    const QModelIndex index = dirModel_->index(clean);
    if (!index.isValid())
        return false;
    // Selecting the tree item runs onTreeCurrentChanged, which moves the file list.
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    if (clean != folder_)
        onTreeCurrentChanged(index);
    return true;
}

void FolderBrowser::onTreeCurrentChanged(const QModelIndex& current) {
    if (!current.isValid())
        return;
    const QString clean = cleanFolder(dirModel_->filePath(current));
    if (clean == folder_)
        return;
    folder_ = clean;
    tree_->expand(current);
    files_->setRootIndex(fileModel_->setRootPath(folder_));
    emit folderChanged(folder_);
}

void FolderBrowser::setPatterns(const QString& patterns) {
    QStringList filters;
    for (const auto& p : SplitFilePatterns(patterns.toStdString()))
        filters << QString::fromStdString(p);
    fileModel_->setNameFilters(filters);
}

void FolderBrowser::setFilesSelectable(bool selectable) {
    selectable_ = selectable;
    files_->setSelectionMode(selectable ? QAbstractItemView::SingleSelection
                                        : QAbstractItemView::NoSelection);
}

QStringList FolderBrowser::listedFiles() const {
    QStringList names;
    const QModelIndex root = files_->rootIndex();
    for (int r = 0; r < fileModel_->rowCount(root); ++r)
        names << fileModel_->fileName(fileModel_->index(r, 0, root));
    return names;
}

void FolderBrowser::selectFile(const QString& name) {
    const QModelIndex index = fileModel_->index(QDir(folder_).filePath(name));
    if (index.isValid())
        files_->setCurrentIndex(index);
}

QString FolderBrowser::filePathAt(const QModelIndex& index) const {
    return fileModel_->filePath(index);
}

} // namespace gf
