#include "qt/show/QtMediaPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace gf {

QtMediaPlayer::QtMediaPlayer() = default;

QtMediaPlayer::~QtMediaPlayer() {
    if (player_) {
        // Stopping may answer at once, when the handlers' state is already going.
        QObject::disconnect(player_.get(), nullptr, nullptr, nullptr);
        player_->stop();
    }
}

QMediaPlayer& QtMediaPlayer::player() {
    if (!player_) {
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
        QObject::connect(player_.get(), &QMediaPlayer::errorOccurred,
                         [this](QMediaPlayer::Error, const QString& text) {
                             player_->stop();
                             if (failed_)
                                 failed_(name_, text.toStdString());
                         });
        // A picture given as a sound opens as a stream without sound, and "plays" silently.
        QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged,
                         [this](QMediaPlayer::MediaStatus status) {
                             if ((status == QMediaPlayer::LoadedMedia ||
                                  status == QMediaPlayer::BufferedMedia) &&
                                 !refused_ && !player_->hasAudio()) {
                                 refused_ = true;
                                 player_->stop();
                                 if (failed_)
                                     failed_(name_, "it holds no sound");
                             }
                         });
    }
    return *player_;
}

void QtMediaPlayer::setFileName(std::string_view path) {
    name_ = std::string(path);
    refused_ = false;
    auto& p = player();
    p.stop();
    if (name_.empty()) {
        p.setSource(QUrl());
        return;
    }
    const QString file = QString::fromStdString(name_);
    if (!QFileInfo(file).isFile()) {
        p.setSource(QUrl()); // a missing sound plays nothing
        if (failed_)
            failed_(name_, "no such file");
        return;
    }
    p.setSource(QUrl::fromLocalFile(file));
    p.play();
}

void QtMediaPlayer::play() {
    auto& p = player();
    if (!p.source().isEmpty() && !refused_)
        p.play();
}

void QtMediaPlayer::stop() {
    if (player_)
        player_->stop();
}

bool QtMediaPlayer::loaded() const {
    if (!player_ || player_->source().isEmpty() || refused_)
        return false;
    const auto status = player_->mediaStatus();
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia ||
           status == QMediaPlayer::BufferingMedia || status == QMediaPlayer::EndOfMedia;
}

int QtMediaPlayer::playState() const {
    if (!player_ || player_->source().isEmpty())
        return kPlayClosed;
    switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState:
        return kPlayPlaying;
    case QMediaPlayer::PausedState:
        return kPlayPaused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return kPlayStopped;
}

void QtMediaPlayer::setActive(bool active) {
    if (active)
        player();
}

} // namespace gf
