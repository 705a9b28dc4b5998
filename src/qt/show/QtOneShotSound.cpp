#include "qt/show/QtOneShotSound.h"

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

void QtOneShotSound::Fail(const std::string& why) {
    if (failed_)
        failed_(path_, why);
}

bool QtOneShotSound::ready() const {
    return effect_ && !path_.empty() && effect_->status() == QSoundEffect::Ready;
}

void QtOneShotSound::playAsync(std::string_view path) {
    if (effect_)
        effect_->stop();
    path_ = std::string(path);
    if (path_.empty())
        return;
    const QString file = QString::fromStdString(path_);
    const QFileInfo info(file);
    if (!info.isFile()) {
        Fail("no such file");
        return;
    }
    if (info.size() > kMaxOneShotBytes) {
        Fail("larger than 32 MB");
        return;
    }
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>();
        QObject::connect(effect_.get(), &QSoundEffect::statusChanged, [this] {
            if (effect_->status() == QSoundEffect::Error)
                Fail("the sound effect player cannot decode it");
        });
    }
    const QUrl url = QUrl::fromLocalFile(file);
    if (effect_->source() == url && effect_->status() == QSoundEffect::Error) {
        // The same source again is not decoded again, so no new answer would come.
        Fail("the sound effect player cannot decode it");
        return;
    }
    effect_->setSource(url);
    effect_->play(); // starts once loaded
}

} // namespace gf
