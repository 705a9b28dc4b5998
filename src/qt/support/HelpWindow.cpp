#include "qt/support/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

namespace gf {

namespace {
constexpr int kBlockRole = Qt::UserRole + 1;
}

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
    resize(900, 640);

    connect(toc_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int blockNumber = item->data(0, kBlockRole).toInt();
        const QTextBlock block = browser_->document()->findBlockByNumber(blockNumber);
        if (!block.isValid())
            return;
        const QRectF box = browser_->document()->documentLayout()->blockBoundingRect(block);
        browser_->verticalScrollBar()->setValue(int(box.top()));
    });
    connect(toc_, &QTreeWidget::itemClicked, toc_, &QTreeWidget::itemActivated);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { rebuildContents(); });
}

bool HelpWindow::openGuide(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    const QString path = info.absoluteFilePath();
    if (path != file_) {
        file_ = path;
        browser_->setSearchPaths({info.absolutePath()});
        browser_->setSource(QUrl::fromLocalFile(path));
    } else {
        browser_->verticalScrollBar()->setValue(0);
    }
    return !browser_->document()->isEmpty();
}

void HelpWindow::rebuildContents() {
    toc_->clear();
    QTreeWidgetItem* section = nullptr;
    for (QTextBlock b = browser_->document()->begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if (level < 2 || level > 3 || b.text().trimmed().isEmpty())
            continue;
        QTreeWidgetItem* item = nullptr;
        if (level == 2 || !section) {
            item = new QTreeWidgetItem(toc_);
            section = item;
        } else {
            item = new QTreeWidgetItem(section);
        }
        item->setText(0, b.text().trimmed());
        item->setData(0, kBlockRole, b.blockNumber());
    }
    toc_->expandAll();
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
