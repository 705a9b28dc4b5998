#include "qt/show/QtPictureDecoder.h"

#include "core/picture/DecodeBudget.h"
#include "core/picture/PictureFile.h"
#include "qt/show/QtDecodedPicture.h"
#include "qt/support/QtWmfRenderer.h"

#include <QBuffer>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace gf {

namespace {

bool SwapsAxes(QImageIOHandler::Transformations t) {
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

// Why decoding failed after the size was read.
std::string Undecodable(const QImageReader& reader) {
    const QString text = reader.errorString();
    if (reader.error() == QImageReader::UnknownError || text.isEmpty() ||
        text == QStringLiteral("Unknown error"))
        return UndecodableReason();
    return UndecodableReason(text.toStdString());
}

} // namespace

QtPictureDecoder::QtPictureDecoder(FileSystem& files, int twipsPerPixel, double devicePixelRatio)
    : files_(files), tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
    // Qt's own check of each image it allocates, behind ours of the whole decode.
    QImageReader::setAllocationLimit(int(kDecodeBudgetBytes / (1024 * 1024)));
}

QImage QtPictureDecoder::Banner() {
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

DecodedFile QtPictureDecoder::banner() const {
    QImage img = Banner();
    const PictureInfo info{PictureKind::Photo, img.width() * tpp_, img.height() * tpp_};
    return {info, std::make_shared<QtDecodedPicture>(std::move(img))};
}

Result<DecodedFile> QtPictureDecoder::decode(std::string_view path, const ShownSize& shown,
                                             const std::atomic<bool>& cancel) const {
    auto file = ReadPictureFile(files_, path);
    if (!file)
        return file.error();
    const std::span<const std::byte> bytes = *file;
    // Device pixels that `twips` cover on the screen.
    auto devicePixels = [this](std::pair<std::int32_t, std::int32_t> twips) {
        return QSize(int(std::ceil(double(twips.first) / tpp_ * dpr_)),
                     int(std::ceil(double(twips.second) / tpp_ * dpr_)))
            .expandedTo(QSize(1, 1));
    };

    if (IsMetafile(bytes)) {
        if (bytes.size() > kMaxMetafileBytes)
            return PictureRefused(path, kMetafileTooLarge);
        auto natural = WmfNaturalSizeTwips(bytes);
        if (!natural)
            return PictureRefused(path, natural.message());
        const PictureInfo info{PictureKind::Metafile, natural->width(), natural->height()};
        const QSize target = devicePixels(shown(info));
        auto img = RenderWmf(bytes, target, Qt::transparent, &cancel);
        if (cancel)
            return PictureRefused(path, kShowClosing);
        if (!img)
            return PictureRefused(path, img.message());
        return DecodedFile{info, std::make_shared<QtDecodedPicture>(std::move(*img))};
    }

    // The file's bytes, not copied: they live until the decode is done.
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    qsizetype(bytes.size()));
    QBuffer device;
    device.setData(data);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    // Rows stored from the top down: a BMP says so with a negative height.
    if (reader.format() == "bmp" && size.width() > 0 && size.height() < 0)
        size.setHeight(-size.height());
    if (size.width() <= 0 || size.height() <= 0)
        return PictureRefused(
            path, UnreadableReason(bytes, reader.error() != QImageReader::UnsupportedFormatError));
    if (!PictureAdmitted({size.width(), size.height()})) // before it is reckoned in twips
        return PictureRefused(path, TooLargeReason({size.width(), size.height()}));
    const bool swap = SwapsAxes(reader.transformation());
    if (swap)
        size.transpose();
    const PictureInfo info{PictureKind::Photo, size.width() * tpp_, size.height() * tpp_,
                           ExifDateTaken(bytes)};
    // Never more pixels than the picture has: the canvas enlarges it when it paints.
    const QSize target = devicePixels(shown(info)).boundedTo(size);
    const QImage::Format format = reader.imageFormat();
    const int bits =
        format == QImage::Format_Invalid ? 0 : int(QImage::toPixelFormat(format).bitsPerPixel());
    if (auto refusal = DecodeRefusal(
            bytes, {{size.width(), size.height()}, {target.width(), target.height()}, bits}))
        return PictureRefused(path, *refusal);
    if (target != size)
        reader.setScaledSize(swap ? target.transposed() : target);
    if (cancel)
        return PictureRefused(path, kShowClosing);
    QImage img = reader.read();
    if (img.isNull())
        return PictureRefused(path, Undecodable(reader));
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32_Premultiplied)
        img = std::move(img).convertToFormat(
            img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return DecodedFile{info, std::make_shared<QtDecodedPicture>(std::move(img))};
}

} // namespace gf
