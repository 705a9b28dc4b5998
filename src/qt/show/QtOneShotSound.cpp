#include "qt/show/QtOneShotSound.h"

#include "core/startup/Trace.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace gf {

namespace {
// QSoundEffect reads the whole file into memory before it plays, whatever its size: a WAV that
// claims gigabytes took as much and held the show. Longer sounds belong to the media player.
constexpr qint64 kMaxOneShotBytes = 32 * 1024 * 1024;
} // namespace

QtOneShotSound::QtOneShotSound() = default;
QtOneShotSound::~QtOneShotSound() = default;

void QtOneShotSound::playAsync(std::string_view path) {
    if (effect_)
        effect_->stop();
    const QString file = QString::fromStdString(std::string(path));
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile())
        return;
    if (info.size() > kMaxOneShotBytes) {
        Trace("X: Not played, larger than 32 MB: " + std::string(path));
        return;
    }
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play(); // starts once loaded
}

} // namespace gf
