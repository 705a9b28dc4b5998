#pragma once
// The windows of each run mode, plugged into start-up's dispatch.
#include "core/startup/Main.h"
#include "platform/SettingsStore.h"

namespace gf {

class QtRunModes final : public RunModeHandlers {
  public:
    explicit QtRunModes(SettingsStore& store) : store_(store) {}
    bool showSettings(ProcessState& process) override;
    bool showPlayer(ProcessState& process) override;
    bool loadPreview(ProcessState& process) override;

  private:
    SettingsStore& store_;
};

} // namespace gf
