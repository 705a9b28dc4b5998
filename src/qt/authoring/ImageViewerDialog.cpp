#include "qt/authoring/ImageViewerDialog.h"

#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace gf {

ImageViewerDialog::ImageViewerDialog(QWidget* parent) : QDialog(parent) {
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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        picture_ = {};
        image_->clear();
        return QStringLiteral("Cannot show %1: %2").arg(path, reader.errorString());
    }
    picture_ = QPixmap::fromImage(image);
    image_->setPixmap(picture_);
    return {};
}

void ImageViewerDialog::setBackgroundColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

} // namespace gf
