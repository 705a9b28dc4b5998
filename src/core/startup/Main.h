#pragma once
// The process entry: prepares the process-wide state, loads the settings and dispatches to the
// run mode that the arguments ask for.
#include "core/settings/StartupState.h"
#include "core/startup/RunMode.h"
#include "platform/HostServices.h"
#include "platform/SettingsStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace gf {

// The windows of each run mode plug in here; each returns true when it left a window loaded
// (the process then lives until that window goes away).
class RunModeHandlers {
  public:
    virtual ~RunModeHandlers() = default;
    virtual bool showSettings(ProcessState& process) = 0;
    virtual bool showPlayer(ProcessState& process) = 0;
    virtual bool loadPreview(ProcessState& process) = 0;
};

inline constexpr std::string_view kMainFormCaption = "Screen Saver Main Form";

struct MainResult {
    RunMode mode = RunMode::None;
    bool windowLoaded = false;
    // What went wrong without stopping the run, for standard error.
    std::vector<std::string> warnings;
};

// Prepares start-up state and settings without dispatching (for commands that read settings).
void PrepareProcess(ProcessState& process, HostServices& host, const SettingsStore& store);

MainResult Main(std::string_view arguments, ProcessState& process, HostServices& host,
                const SettingsStore& store, RunModeHandlers& handlers);

} // namespace gf
