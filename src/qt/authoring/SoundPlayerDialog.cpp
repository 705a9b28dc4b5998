#include "qt/authoring/SoundPlayerDialog.h"

#include "core/authoring/SoundPlayerStatus.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace gf {

SoundPlayerDialog::SoundPlayerDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sound Player"));
    name_ = new QLabel;
    name_->setObjectName(QStringLiteral("fileName"));
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    status_ = new QLabel(QStringLiteral("Stopped"));
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    position_ = new QSlider(Qt::Horizontal);
    position_->setObjectName(QStringLiteral("position"));
    position_->setEnabled(false);

    auto button = [this](QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QPushButton(style()->standardIcon(icon), QString());
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        return b;
    };
    play_ = button(QStyle::SP_MediaPlay, QStringLiteral("Play"));
    pause_ = button(QStyle::SP_MediaPause, QStringLiteral("Pause"));
    stop_ = button(QStyle::SP_MediaStop, QStringLiteral("Stop"));
    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"));
    ok_->setObjectName(QStringLiteral("cmdOk"));
    ok_->setToolTip(QStringLiteral("Accept Selections"));
    ok_->setDefault(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(play_);
    controls->addWidget(pause_);
    controls->addWidget(stop_);
    controls->addWidget(position_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->addWidget(name_);
    layout->addLayout(controls);
    layout->addLayout(bottom);
    setMinimumWidth(420);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(play_, &QPushButton::clicked, this, [this] {
        ensurePlayer();
        player_->play();
    });
    connect(pause_, &QPushButton::clicked, this, [this] {
        if (player_)
            player_->pause();
    });
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (player_)
            player_->stop();
    });
    connect(position_, &QSlider::sliderMoved, this, [this](int ms) {
        if (player_)
            player_->setPosition(ms);
    });
    updateControls();
}

SoundPlayerDialog::~SoundPlayerDialog() = default;

void SoundPlayerDialog::setFileName(const QString& path) {
    fileName_ = path;
    name_->setText(QFileInfo(path).fileName());
    name_->setToolTip(path);
    if (player_) {
        player_->stop();
        player_->setSource(QUrl::fromLocalFile(path));
    }
    updateControls();
}

// The media back end starts only when something is played, so opening the editor needs none.
void SoundPlayerDialog::ensurePlayer() {
    if (player_)
        return;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this] { updateControls(); });
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 d) {
        position_->setRange(0, int(d));
        updateControls();
    });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 p) {
        if (!position_->isSliderDown())
            position_->setValue(int(p));
        updateControls();
    });
    connect(player_, &QMediaPlayer::errorOccurred, this, [this] { updateControls(); });
    player_->setSource(QUrl::fromLocalFile(fileName_));
}

void SoundPlayerDialog::updateControls() {
    SoundPlayerState state;
    state.hasFile = !fileName_.isEmpty();
    if (player_) {
        const auto playback = player_->playbackState();
        state.playState = playback == QMediaPlayer::PlayingState  ? kPlayPlaying
                          : playback == QMediaPlayer::PausedState ? kPlayPaused
                                                                  : kPlayStopped;
        if (player_->error() != QMediaPlayer::NoError)
            state.error = player_->errorString().toStdString();
        state.positionMs = player_->position();
        state.durationMs = player_->duration();
    }
    const SoundPlayerStatus shown = DescribeSoundPlayer(state);
    play_->setEnabled(shown.play);
    pause_->setEnabled(shown.pause);
    stop_->setEnabled(shown.stop);
    position_->setEnabled(player_ && player_->duration() > 0);
    status_->setText(QString::fromStdString(shown.text));
}

void SoundPlayerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (autoStart_ && !fileName_.isEmpty()) {
        ensurePlayer();
        player_->play();
    }
}

void SoundPlayerDialog::done(int result) {
    if (player_)
        player_->stop();
    QDialog::done(result);
}

} // namespace gf
