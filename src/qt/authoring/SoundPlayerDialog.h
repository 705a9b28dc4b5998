#pragma once
// "Sound Player": plays one sound file with play, pause and stop controls; closing it ends
// the playback.
#include <QDialog>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;

namespace gf {

class SoundPlayerDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit SoundPlayerDialog(QWidget* parent = nullptr);
    ~SoundPlayerDialog() override;

    void setFileName(const QString& path);
    QString fileName() const { return fileName_; }
    // When on, playback starts as soon as the dialog is shown.
    void setAutoStart(bool on) { autoStart_ = on; }
    QPushButton* okButton() const { return ok_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void ensurePlayer();
    void updateControls();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* status_ = nullptr;
    QSlider* position_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* ok_ = nullptr;
    QString fileName_;
    bool autoStart_ = false;
};

} // namespace gf
