#pragma once
// "Sound Player": plays one sound file through MCI, starting by itself when asked to; closing it
// ends the playback.
#include "win32/show/Win32MediaPlayer.h"
#include "win32/support/Win32Dialog.h"

#include <string>
#include <string_view>

namespace gf {

class Win32SoundPlayerDialog final : public Win32Dialog {
  public:
    Win32SoundPlayerDialog();

    void setFileName(std::string_view path) { fileName_ = std::string(path); }
    void setAutoStart(bool on) { autoStart_ = on; }

  protected:
    void create() override;
    void arrange() override;
    bool command(int id, int code, HWND control) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void start();
    void showState();

    Win32MediaPlayer player_;
    std::string fileName_;
    bool autoStart_ = false;
    bool opened_ = false;
};

} // namespace gf
