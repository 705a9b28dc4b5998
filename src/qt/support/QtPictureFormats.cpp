#include "qt/support/QtPictureFormats.h"

#include <QImageReader>

namespace gf {

std::vector<std::string> QtPictureFormats::readableExtensions() const {
    std::vector<std::string> out;
    // Sorted by name; each is also the extension its files carry.
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        out.push_back(format.toLower().toStdString());
    return out;
}

} // namespace gf
