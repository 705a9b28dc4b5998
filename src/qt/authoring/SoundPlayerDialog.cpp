#include "qt/authoring/SoundPlayerDialog.h"

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

namespace {
QString clock(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

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
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) {
                status_->setText(QStringLiteral("An Error Has Occurred: ") + text);
            });
    player_->setSource(QUrl::fromLocalFile(fileName_));
}

void SoundPlayerDialog::updateControls() {
    const bool playing = player_ && player_->playbackState() == QMediaPlayer::PlayingState;
    play_->setEnabled(!fileName_.isEmpty() && !playing);
    pause_->setEnabled(playing);
    stop_->setEnabled(player_ && player_->playbackState() != QMediaPlayer::StoppedState);
    position_->setEnabled(player_ && player_->duration() > 0);
    if (player_ && player_->error() != QMediaPlayer::NoError)
        return;
    if (!player_ || player_->playbackState() == QMediaPlayer::StoppedState)
        status_->setText(QStringLiteral("Stopped"));
    else
        status_->setText(QStringLiteral("%1 %2 / %3")
                             .arg(playing ? QStringLiteral("Playing") : QStringLiteral("Paused"),
                                  clock(player_->position()), clock(player_->duration())));
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
