#include "qt/show/QtPictureHolder.h"

#include "qt/support/QtWmfRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace gf {

namespace {
QString Describe(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot show the picture %1: %2").arg(path, reason);
}

bool SwapsAxes(QImageIOHandler::Transformations t) {
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

bool IsWmf(const QString& path) {
    return path.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive);
}

// Metafiles larger than this are not clip art.
constexpr qint64 kMaxWmfBytes = 64LL * 1024 * 1024;

Result<QByteArray> ReadWmf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Error{f.errorString().toStdString()};
    if (f.size() > kMaxWmfBytes)
        return Error{"the file is too large for a metafile"};
    return f.readAll();
}

std::span<const std::byte> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::byte*>(a.constData()), std::size_t(a.size())};
}

Result<QSize> WmfFileNaturalSizeTwips(const QString& path) {
    auto bytes = ReadWmf(path);
    if (!bytes)
        return Error{bytes.message()};
    return WmfNaturalSizeTwips(Bytes(*bytes));
}

Result<QImage> RenderWmfFile(const QString& path, QSize pixels) {
    auto bytes = ReadWmf(path);
    if (!bytes)
        return Error{bytes.message()};
    return RenderWmf(Bytes(*bytes), pixels);
}
} // namespace

QtPictureHolder::QtPictureHolder(int twipsPerPixel, double devicePixelRatio)
    : tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
    QImageReader::setAllocationLimit(kMaxDecodeMegabytes);
}

void QtPictureHolder::clear() {
    path_.clear();
    naturalPixels_ = {};
    widthTwips_ = heightTwips_ = 0;
    banner_ = false;
    image_ = {};
    decodedFor_ = {};
}

QImage QtPictureHolder::Banner() {
    QImage img(292, 29, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 292, 0);
    g.setColorAt(0, QColor(20, 40, 120));
    g.setColorAt(1, QColor(120, 60, 160));
    p.fillRect(img.rect(), g);
    QFont f = p.font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 230, 140));
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("Glimmerframe"));
    return img;
}

void QtPictureHolder::loadBanner() {
    clear();
    banner_ = true;
    image_ = Banner();
    naturalPixels_ = image_.size();
    widthTwips_ = naturalPixels_.width() * tpp_;
    heightTwips_ = naturalPixels_.height() * tpp_;
}

Status QtPictureHolder::load(std::string_view path) {
    clear();
    const QString file = QString::fromStdString(std::string(path));
    if (IsWmf(file)) {
        auto size = WmfFileNaturalSizeTwips(file);
        if (!size)
            return Status::failure(
                Describe(file, QString::fromStdString(size.message())).toStdString());
        path_ = file;
        widthTwips_ = size->width();
        heightTwips_ = size->height();
        naturalPixels_ = QSize(std::max(1, widthTwips_ / tpp_), std::max(1, heightTwips_ / tpp_));
        return {};
    }
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid()) {
        const QFileInfo info(file);
        if (!info.exists())
            return Status::failure(
                Describe(file, QStringLiteral("the file does not exist")).toStdString());
        if (info.size() == 0)
            return Status::failure(
                Describe(file, QStringLiteral("the file is empty")).toStdString());
        return Status::failure(Describe(file, reader.errorString()).toStdString());
    }
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > kMaxPicturePixels)
        return Status::failure(
            Describe(file, QStringLiteral("it is too large (%1 x %2 pixels; at most %3 megapixels)")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(kMaxPicturePixels / 1'000'000))
                .toStdString());
    if (SwapsAxes(reader.transformation()))
        size.transpose();
    path_ = file;
    naturalPixels_ = size;
    widthTwips_ = size.width() * tpp_;
    heightTwips_ = size.height() * tpp_;
    return {};
}

Status QtPictureHolder::prepare(std::int32_t widthTwips, std::int32_t heightTwips) {
    if (banner_ || path_.isEmpty())
        return {};
    // Device pixels the picture covers on the screen, never more than it has.
    QSize target(int(std::ceil(double(widthTwips) / tpp_ * dpr_)),
                 int(std::ceil(double(heightTwips) / tpp_ * dpr_)));
    target = target.boundedTo(naturalPixels_).expandedTo(QSize(1, 1));
    if (IsWmf(path_))
        target = QSize(int(std::ceil(double(widthTwips) / tpp_ * dpr_)),
                       int(std::ceil(double(heightTwips) / tpp_ * dpr_)))
                     .expandedTo(QSize(1, 1));
    if (!image_.isNull() && decodedFor_ == target)
        return {};

    if (IsWmf(path_)) {
        auto img = RenderWmfFile(path_, target);
        if (!img)
            return Status::failure(
                Describe(path_, QString::fromStdString(img.message())).toStdString());
        image_ = std::move(*img);
        decodedFor_ = target;
        return {};
    }

    QImageReader reader(path_);
    reader.setAutoTransform(true);
    const bool swap = SwapsAxes(reader.transformation());
    if (target != naturalPixels_)
        reader.setScaledSize(swap ? target.transposed() : target);
    QImage img = reader.read();
    if (img.isNull())
        return Status::failure(Describe(path_, reader.errorString()).toStdString());
    image_ = img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
    decodedFor_ = target;
    return {};
}

} // namespace gf
