#pragma once
// The windows of each run mode on Windows, plugged into start-up's dispatch, and the message
// loop they live in.
#include "core/startup/Main.h"
#include "platform/SettingsStore.h"
#include "win32/settings_dialog/Win32SettingsDialog.h"

#include <memory>

namespace gf {

class Win32ControlForm;
class Win32Show;

class Win32RunModes final : public RunModeHandlers {
  public:
    explicit Win32RunModes(SettingsStore& store);
    ~Win32RunModes() override;
    bool showSettings(ProcessState& process) override;
    bool showPlayer(ProcessState& process) override;
    bool loadPreview(ProcessState& process) override;

    // Handles messages until the loaded window ends the loop; the process's exit status.
    int exec();
    // The exit status when no window was left loaded.
    int exitCode() const { return exitCode_; }
    // Puts the show or the preview away: windows, cursor, temporary files.
    void close();

  private:
    SettingsStore& store_;
    // "Create" and "Edit" of the settings: the template designer.
    DesignerHook designer_;
    std::unique_ptr<Win32Show> show_;
    std::unique_ptr<Win32ControlForm> preview_;
    int exitCode_ = 0;
};

} // namespace gf
