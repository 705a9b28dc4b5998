#include "qt/support/AboutBox.h"

#include "qt/support/QtText.h"

#include "core/help/AboutText.h"
#include "core/help/GuideLinks.h"
#include "core/help/Maker.h"
#include "core/help/Version.h"
#include "qt/support/UrlOpener.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gf {

namespace {
QFrame* separator() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(qs(kAboutCaption));
    setModal(true);

    lblTitle = new QLabel(qs(kProductTitle));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.8);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new QLabel(
        QString::fromStdString(AboutVersionText(kVersionMajor, kVersionMinor, kVersionRevision)));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    // There is no web site: where the user guide is instead.
    Label1 = new QLabel(qs(kMakerName) + QStringLiteral("\nUser guide:\n") +
                        GuideUrl(kGuideHomePage).toLocalFile());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label1->setWordWrap(true);
    lblDisclaimer = new QLabel(qs(kAboutNotice));
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(separator());
    layout->addWidget(Label1);
    layout->addWidget(separator());
    layout->addWidget(lblDisclaimer);
    layout->addSpacing(8);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setMinimumWidth(360);
}

} // namespace gf
