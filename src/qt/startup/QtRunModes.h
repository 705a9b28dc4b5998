#pragma once
// The windows of each run mode, plugged into start-up's dispatch.
#include "core/startup/Main.h"
#include "platform/SettingsStore.h"
#include "qt/settings_dialog/SettingsDialog.h"

#include <memory>

namespace gf {

class QtShow;
class QtControlForm;

class QtRunModes final : public RunModeHandlers {
  public:
    explicit QtRunModes(SettingsStore& store);
    ~QtRunModes() override;
    bool showSettings(ProcessState& process) override;
    bool showPlayer(ProcessState& process) override;
    bool loadPreview(ProcessState& process) override;

    // Opens the template designer for the settings dialog; null: the DesignerWindow.
    DesignerLauncher designer;

    // The process's exit status when no window was left loaded.
    int exitCode() const { return exitCode_; }
    // Puts the show or preview away: cursor back, temporary files gone.
    void close();

  private:
    SettingsStore& store_;
    std::unique_ptr<QtShow> show_;
    int exitCode_ = 0;
    std::unique_ptr<QtControlForm> preview_;
};

} // namespace gf
