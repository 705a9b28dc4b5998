#include "qt/startup/QtHostServices.h"

#include "qt/preview/QtX11.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QWindow>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <unistd.h>

namespace gf {

QtHostServices::QtHostServices(std::uint32_t platformId) : platformId_(platformId) {}
QtHostServices::~QtHostServices() = default;

OSVersionInfo QtHostServices::osVersion() const {
    OSVersionInfo info;
    const auto parts = QSysInfo::kernelVersion().split('.');
    info.major = parts.size() > 0 ? parts[0].toUInt() : 0;
    info.minor = parts.size() > 1 ? parts[1].toUInt() : 0;
    info.platformId = platformId_;
    return info;
}

std::string QtHostServices::executablePath() const {
    // The program's own file whatever it is called; a package is a renamed copy of it.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().toStdString();
}

namespace {
double twipsPerPixel(bool horizontal) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 15.0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 15.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
} // namespace

double QtHostServices::twipsPerPixelX() const {
    return twipsPerPixel(true);
}
double QtHostServices::twipsPerPixelY() const {
    return twipsPerPixel(false);
}

Result<InstanceClaim> QtHostServices::claimSingleInstance(std::string_view caption) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QByteArray key =
        QCryptographicHash::hash(QByteArray(caption.data(), qsizetype(caption.size())),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    const QString path = dir + QStringLiteral("/glimmerframe-%1-%2.lock")
                                   .arg(QString::number(getuid()), QString::fromLatin1(key));
    instanceLock_ = std::make_unique<QLockFile>(path);
    // QLockFile removes a lock whose owner process no longer runs, so a killed show never blocks.
    instanceLock_->setStaleLockTime(0);
    errno = 0;
    if (instanceLock_->tryLock(0))
        return InstanceClaim::Claimed;
    int cause = errno;
    auto error = instanceLock_->error();
    if (error == QLockFile::LockFailedError) {
        // A running show's lock names it; one that names nobody was left by a write that
        // failed, unless it is so new that a show may be writing it just now.
        qint64 pid = 0;
        QString host, program;
        const bool named = instanceLock_->getLockInfo(&pid, &host, &program);
        const qint64 age = QFileInfo(path).lastModified().secsTo(QDateTime::currentDateTime());
        if (named || age < 5) {
            instanceLock_.reset();
            return InstanceClaim::HeldByRunningShow;
        }
        instanceLock_->removeStaleLockFile();
        errno = 0;
        if (instanceLock_->tryLock(0))
            return InstanceClaim::Claimed;
        cause = errno;
        error = instanceLock_->error();
    }
    instanceLock_.reset();
    if (error == QLockFile::LockFailedError)
        return InstanceClaim::HeldByRunningShow;
    // A lock file that cannot be made or written (a full or read-only folder) keeps no show out.
    std::string why = error == QLockFile::PermissionError ? std::string("permission denied")
                      : cause != 0                        ? std::string(std::strerror(cause))
                                                          : std::string("it could not be written");
    return Error{"Cannot create the lock file that keeps a second show out, " + path.toStdString() +
                 ": " + why};
}

std::int32_t QtHostServices::changePassword(std::int32_t parentWindow) {
    const QString text = QStringLiteral(
        "Glimmerframe has no password of its own on this system.\n\n"
        "The screen is locked by your desktop's screen locker, which uses your login password. "
        "Change that password in your desktop's user settings (or with the passwd command).");
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Glimmerframe"), text,
                        QMessageBox::Ok);
        // The host's window, when it names one, owns the message.
        std::unique_ptr<QWindow> parent;
        if (parentWindow != 0 && QtX11::windowExists(std::uint32_t(parentWindow))) {
            parent.reset(QWindow::fromWinId(WId(std::uint32_t(parentWindow))));
            box.winId();
            box.windowHandle()->setTransientParent(parent.get());
        }
        box.exec();
    } else
        fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return 0;
}

std::uint32_t QtHostServices::randomSeed() const {
    return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                                      getpid());
}

} // namespace gf
