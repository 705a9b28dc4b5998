#pragma once
// The windows of each run mode, plugged into start-up's dispatch.
#include "core/startup/Main.h"
#include "platform/SettingsStore.h"
#include "qt/settings_dialog/SettingsDialog.h"

namespace gf {

class QtRunModes final : public RunModeHandlers {
  public:
    explicit QtRunModes(SettingsStore& store) : store_(store) {}
    bool showSettings(ProcessState& process) override;
    bool showPlayer(ProcessState& process) override;
    bool loadPreview(ProcessState& process) override;

    // Opens the template designer for the settings dialog; null: the DesignerWindow.
    DesignerLauncher designer;

  private:
    SettingsStore& store_;
};

} // namespace gf
