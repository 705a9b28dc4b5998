#include "qt/authoring/ImageViewerDialog.h"

#include "qt/show/QtDecodedPicture.h"
#include "qt/show/QtPictureDecoder.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace gf {

ImageViewerDialog::ImageViewerDialog(FileSystem& files, QWidget* parent)
    : QDialog(parent), files_(files) {
    setWindowTitle(QStringLiteral("Image Viewer"));
    image_ = new QLabel;
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setFixedSize(kPictureSize);
    image_->setScaledContents(true);
    image_->setAlignment(Qt::AlignCenter);

    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"));
    ok_->setObjectName(QStringLiteral("Ok"));
    ok_->setToolTip(QStringLiteral("Accept Selections"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->addWidget(image_, 0, Qt::AlignCenter);
    layout->addWidget(ok_, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setAutoFillBackground(true);
}

QString ImageViewerDialog::loadPicture(const QString& path) {
    // The show's own loader, so that the viewer reads every type the lists offer (metafiles too).
    constexpr int kTwipsPerPixel = 15;
    const QtPictureDecoder decoder(files_, kTwipsPerPixel, 1.0);
    const std::atomic<bool> never{false};
    auto decoded = decoder.decode(
        path.toStdString(),
        [](const PictureInfo&) {
            return std::pair{kPictureSize.width() * kTwipsPerPixel,
                             kPictureSize.height() * kTwipsPerPixel};
        },
        never);
    if (!decoded) {
        picture_ = {};
        image_->clear();
        return QString::fromStdString(decoded.message());
    }
    picture_ = QPixmap::fromImage(static_cast<const QtDecodedPicture&>(*decoded->picture).image());
    image_->setPixmap(picture_);
    return {};
}

void ImageViewerDialog::setBackgroundColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

} // namespace gf
