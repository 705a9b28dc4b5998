#include "qt/show/QtOneShotSound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace gf {

QtOneShotSound::QtOneShotSound() = default;
QtOneShotSound::~QtOneShotSound() = default;

void QtOneShotSound::playAsync(std::string_view path) {
    if (effect_)
        effect_->stop();
    const QString file = QString::fromStdString(std::string(path));
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play(); // starts once loaded
}

} // namespace gf
