#include "qt/authoring/TemplateLoadDialog.h"

#include "qt/support/FolderBrowser.h"
#include "qt/support/WindowPlacement.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace gf {

TemplateLoadDialog::TemplateLoadDialog(AuthoringMemory& memory, QWidget* parent)
    : QDialog(parent), chooser_(memory) {
    setWindowTitle(QStringLiteral("Template Load"));
    browser_ = new FolderBrowser;
    browser_->setPatterns(QStringLiteral("*.txt"));
    const QString start = QString::fromStdString(chooser_.SelectionPath());
    if (!browser_->goToFolder(start))
        browser_->goToFolder(QDir::homePath());

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("Open"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("cmdOk"));
    ok_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    ok_->setToolTip(QStringLiteral("Accept Selections"));
    cancel_ = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    cancel_->setToolTip(QStringLiteral("Cancel Selections"));

    auto* chosen = new QLabel;
    chosen->setObjectName(QStringLiteral("chosen"));
    chosen->setText(QString::fromStdString(chooser_.Selection()));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose a template:")));
    layout->addWidget(browser_, 1);
    layout->addWidget(chosen);
    layout->addWidget(buttons);
    FitToScreen(this, QSize(720, 440));

    auto choose = [this, chosen](const QString& path) {
        const QFileInfo file(path);
        chooser_.click(file.absolutePath().toStdString(), file.fileName().toStdString());
        chosen->setText(QString::fromStdString(chooser_.Selection()));
    };
    connect(browser_, &FolderBrowser::fileClicked, this, choose);
    connect(browser_, &FolderBrowser::fileDoubleClicked, this, [this, choose](const QString& p) {
        choose(p);
        accept();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &TemplateLoadDialog::reject);
}

void TemplateLoadDialog::reject() {
    chooser_.cancel();
    QDialog::reject();
}

} // namespace gf
