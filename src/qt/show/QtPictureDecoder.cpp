#include "qt/show/QtPictureDecoder.h"

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

Error Refused(std::string_view path, std::string_view reason) {
    return Error{"Cannot show the picture " + std::string(path) + ": " + std::string(reason)};
}

// The file system says "Cannot open PATH: reason"; the picture's own message names it once.
std::string ReasonOf(const std::string& message, std::string_view path) {
    const std::string prefix = "Cannot open " + std::string(path) + ": ";
    return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

bool SwapsAxes(QImageIOHandler::Transformations t) {
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

std::span<const std::byte> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::byte*>(a.constData()), std::size_t(a.size())};
}

unsigned Byte(const QByteArray& a, qsizetype i) {
    return static_cast<unsigned char>(a[i]);
}

// A metafile starts with the placeable header's key, or with the standard header: type 1 or 2,
// a header of 9 words and version 1 or 3.
bool IsMetafile(const QByteArray& b) {
    if (b.size() >= 4 && Byte(b, 0) == 0xD7 && Byte(b, 1) == 0xCD && Byte(b, 2) == 0xC6 &&
        Byte(b, 3) == 0x9A)
        return true;
    return b.size() >= 18 && (Byte(b, 0) == 1 || Byte(b, 0) == 2) && Byte(b, 1) == 0 &&
           Byte(b, 2) == 9 && Byte(b, 3) == 0 && (Byte(b, 5) == 1 || Byte(b, 5) == 3) &&
           Byte(b, 4) == 0;
}

// The size a JPEG's frame header states, when the reader refuses the file before saying it.
std::optional<QSize> JpegFrameSize(const QByteArray& b) {
    if (b.size() < 4 || Byte(b, 0) != 0xFF || Byte(b, 1) != 0xD8)
        return std::nullopt;
    qsizetype i = 2;
    while (i + 4 <= b.size()) {
        if (Byte(b, i) != 0xFF)
            return std::nullopt;
        const unsigned marker = Byte(b, i + 1);
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        const qsizetype length = qsizetype(Byte(b, i + 2) << 8 | Byte(b, i + 3));
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && i + 9 <= b.size())
            return QSize(int(Byte(b, i + 7) << 8 | Byte(b, i + 8)),
                         int(Byte(b, i + 5) << 8 | Byte(b, i + 6)));
        if (length < 2)
            return std::nullopt;
        i += 2 + length;
    }
    return std::nullopt;
}

std::string TooLarge(QSize size) {
    return "it is too large (" + std::to_string(size.width()) + " x " +
           std::to_string(size.height()) + " pixels; at most " +
           std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels)";
}

bool Admitted(QSize size) {
    return qint64(size.width()) * size.height() <= kMaxPicturePixels;
}

// Why the reader could not even tell the picture's size, in words.
std::string Unreadable(const QImageReader& reader, const QByteArray& bytes) {
    if (auto jpeg = JpegFrameSize(bytes)) {
        if (jpeg->width() == 0 || jpeg->height() == 0)
            return "its header states no size: the file is damaged";
        if (!Admitted(*jpeg) || jpeg->width() > 65500 || jpeg->height() > 65500)
            return TooLarge(*jpeg);
    }
    if (reader.error() == QImageReader::UnsupportedFormatError)
        return "it is not a picture in a format this program reads";
    return "its header cannot be read: the file is damaged or cut short";
}

// Why decoding failed after the size was read.
std::string Undecodable(const QImageReader& reader) {
    const QString text = reader.errorString();
    if (reader.error() == QImageReader::UnknownError || text.isEmpty() ||
        text == QStringLiteral("Unknown error"))
        return "its picture data cannot be decoded: the file is damaged or cut short";
    return "its picture data cannot be decoded (" + text.toStdString() + ")";
}

Result<QByteArray> ReadWhole(FileSystem& files, std::string_view path, std::uint64_t limit) {
    auto reader = files.openForReading(path);
    if (!reader)
        return Refused(path, ReasonOf(reader.message(), path));
    const auto size = (*reader)->size();
    if (size == 0)
        return Refused(path, "the file is empty");
    if (size > limit)
        return Refused(path, "the file is too large (" + std::to_string(size / (1024 * 1024)) +
                                 " MB; at most " + std::to_string(limit / (1024 * 1024)) + " MB)");
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (bytes.size() != qsizetype(size))
        return Refused(path, "there is not enough memory to read it");
    if (auto st = (*reader)->readAt(
            0, {reinterpret_cast<std::byte*>(bytes.data()), std::size_t(bytes.size())});
        !st)
        return Refused(path, "it cannot be read (" + st.message() + ")");
    return bytes;
}

Error Stopped(std::string_view path) {
    return Refused(path, "the show was closing");
}

} // namespace

QtPictureDecoder::QtPictureDecoder(FileSystem& files, int twipsPerPixel, double devicePixelRatio)
    : files_(files), tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
    QImageReader::setAllocationLimit(kMaxDecodeMegabytes);
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
    auto bytes = ReadWhole(files_, path, kMaxPictureFileBytes);
    if (!bytes)
        return Error{bytes.message()};
    // Device pixels that `twips` cover on the screen.
    auto devicePixels = [this](std::pair<std::int32_t, std::int32_t> twips) {
        return QSize(int(std::ceil(double(twips.first) / tpp_ * dpr_)),
                     int(std::ceil(double(twips.second) / tpp_ * dpr_)))
            .expandedTo(QSize(1, 1));
    };

    if (IsMetafile(*bytes)) {
        if (std::uint64_t(bytes->size()) > kMaxMetafileBytes)
            return Refused(path, "the file is too large for a metafile");
        auto natural = WmfNaturalSizeTwips(Bytes(*bytes));
        if (!natural)
            return Refused(path, natural.message());
        const PictureInfo info{PictureKind::Metafile, natural->width(), natural->height()};
        const QSize target = devicePixels(shown(info));
        auto img = RenderWmf(Bytes(*bytes), target, Qt::transparent, &cancel);
        if (cancel)
            return Stopped(path);
        if (!img)
            return Refused(path, img.message());
        return DecodedFile{info, std::make_shared<QtDecodedPicture>(std::move(*img))};
    }

    QBuffer device(&*bytes);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    // Rows stored from the top down: a BMP says so with a negative height.
    if (reader.format() == "bmp" && size.width() > 0 && size.height() < 0)
        size.setHeight(-size.height());
    if (size.width() <= 0 || size.height() <= 0)
        return Refused(path, Unreadable(reader, *bytes));
    if (!Admitted(size))
        return Refused(path, TooLarge(size));
    const bool swap = SwapsAxes(reader.transformation());
    if (swap)
        size.transpose();
    const PictureInfo info{PictureKind::Photo, size.width() * tpp_, size.height() * tpp_};
    // Never more pixels than the picture has: the canvas enlarges it when it paints.
    const QSize target = devicePixels(shown(info)).boundedTo(size);
    if (target != size)
        reader.setScaledSize(swap ? target.transposed() : target);
    if (cancel)
        return Stopped(path);
    QImage img = reader.read();
    if (img.isNull())
        return Refused(path, Undecodable(reader));
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32_Premultiplied)
        img = std::move(img).convertToFormat(
            img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return DecodedFile{info, std::make_shared<QtDecodedPicture>(std::move(img))};
}

} // namespace gf
