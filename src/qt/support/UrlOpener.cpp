#include "qt/support/UrlOpener.h"

#include "core/support/Maker.h"

#include <QDesktopServices>

namespace gf {

UrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

QUrl MakerUrl(const QString& pathAndQuery) {
    return QUrl(QStringLiteral("https://") +
                QString::fromUtf8(kMakerHost.data(), qsizetype(kMakerHost.size())) + pathAndQuery);
}

} // namespace gf
