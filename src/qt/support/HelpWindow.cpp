#include "qt/support/HelpWindow.h"

#include "qt/support/QtText.h"

#include "core/help/GuideLinks.h"
#include "qt/support/UrlOpener.h"
#include "qt/support/WindowPlacement.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

namespace gf {

namespace {
constexpr int kPageRole = Qt::UserRole;
constexpr int kBlockRole = Qt::UserRole + 1;

QString PageOf(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

// The items of the contents in their order, which is the guide's.
QList<QTreeWidgetItem*> AllItems(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        items << *it;
    return items;
}
} // namespace

HelpWindow* HelpWindow::forCaller(QWidget* caller) {
    if (caller) {
        if (auto* existing = caller->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
            return existing;
    }
    auto* window = new HelpWindow(caller);
    if (!caller)
        window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

HelpWindow::HelpWindow(QWidget* caller) : QWidget(caller, Qt::Window) {
    setWindowTitle(QStringLiteral("Glimmerframe Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    toc_ = new QTreeWidget;
    toc_->setObjectName(QStringLiteral("contents"));
    toc_->setHeaderLabel(QStringLiteral("Contents"));
    toc_->header()->hide();
    toc_->setMinimumWidth(180);
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("guide"));
    browser_->setOpenExternalLinks(true);

    auto* split = new QSplitter;
    split->addWidget(toc_);
    split->addWidget(browser_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(split);
    FitToScreen(this, QSize(900, 640));

    // Choosing a section shows it; reading on, or following a link, moves the choice along.
    connect(toc_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { showItem(item); });
    connect(toc_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showItem(item); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { followReader(); });
    connect(browser_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { followReader(); });

    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close),
                                    QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

void HelpWindow::showItem(QTreeWidgetItem* item) {
    if (!item || following_)
        return;
    // The contents follow once the page stands at the section, not on the way there.
    following_ = true;
    const QString page = item->data(0, kPageRole).toString();
    if (page != PageOf(browser_->source()))
        browser_->setSource(QUrl::fromLocalFile(QFileInfo(file_).absoluteDir().filePath(page)));
    const QTextBlock block =
        browser_->document()->findBlockByNumber(item->data(0, kBlockRole).toInt());
    if (block.isValid()) {
        const QRectF box = browser_->document()->documentLayout()->blockBoundingRect(block);
        browser_->verticalScrollBar()->setValue(int(box.top()));
    }
    following_ = false;
    followReader();
}

void HelpWindow::followReader() {
    if (following_)
        return;
    const QString page = PageOf(browser_->source());
    QList<QTreeWidgetItem*> items;
    std::vector<int> tops;
    QAbstractTextDocumentLayout* layout = browser_->document()->documentLayout();
    for (QTreeWidgetItem* item : AllItems(toc_)) {
        if (item->data(0, kPageRole).toString() != page)
            continue;
        const QTextBlock block =
            browser_->document()->findBlockByNumber(item->data(0, kBlockRole).toInt());
        items << item;
        tops.push_back(block.isValid() ? int(layout->blockBoundingRect(block).top()) : 0);
    }
    if (items.isEmpty())
        return;
    const QScrollBar* bar = browser_->verticalScrollBar();
    const auto chosen = items.indexOf(toc_->currentItem());
    const auto at = CurrentSection(
        tops, {bar->value(), browser_->viewport()->height(), bar->value() >= bar->maximum()},
        browser_->fontMetrics().lineSpacing(),
        chosen < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(chosen)));
    QTreeWidgetItem* current = items.at(qsizetype(at.value_or(0)));
    following_ = true;
    toc_->setCurrentItem(current);
    toc_->scrollToItem(current);
    following_ = false;
}

bool HelpWindow::openGuide(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    const QString path = info.absoluteFilePath();
    if (path != file_) {
        const bool sameGuide =
            !file_.isEmpty() && QFileInfo(file_).absolutePath() == info.absolutePath();
        file_ = path;
        browser_->setSearchPaths({info.absolutePath()});
        if (!sameGuide)
            rebuildContents();
        browser_->setSource(QUrl::fromLocalFile(path));
    } else {
        browser_->verticalScrollBar()->setValue(0);
    }
    return !browser_->document()->isEmpty();
}

void HelpWindow::rebuildContents() {
    following_ = true;
    toc_->clear();
    // Each page of this system's guide is a book of its headings: its title, its chapters and
    // their sections. A page that is not there is left out.
    const QDir folder = QFileInfo(file_).absoluteDir();
    for (const std::string_view name : GuidePages(kGuidePlatform)) {
        const QString page = qs(name);
        QFile file(folder.filePath(page));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        QTreeWidgetItem *book = nullptr, *chapter = nullptr;
        for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
            const int level = b.blockFormat().headingLevel();
            if (level < 1 || level > 3 || b.text().trimmed().isEmpty())
                continue;
            QTreeWidgetItem* item = nullptr;
            if (level == 1 || !book) {
                item = book = new QTreeWidgetItem(toc_);
                chapter = nullptr;
            } else if (level == 2 || !chapter) {
                item = chapter = new QTreeWidgetItem(book);
            } else {
                item = new QTreeWidgetItem(chapter);
            }
            item->setText(0, b.text().trimmed());
            item->setData(0, kPageRole, page);
            item->setData(0, kBlockRole, b.blockNumber());
        }
    }
    toc_->expandAll();
    following_ = false;
}

void HelpWindow::showSection(const QString& anchor) {
    showContents(false);
    // Once shown, so that the guide is laid out at the window's width.
    if (!anchor.isEmpty())
        browser_->scrollToAnchor(anchor);
}

void HelpWindow::showContents(bool onTop) {
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    show();
    raise();
    activateWindow();
}

} // namespace gf
