#include "core/startup/Main.h"

#include "core/files/Paths.h"
#include "core/package/PackageTrailer.h"
#include "core/settings/SampleShow.h"
#include "core/settings/SettingsLoader.h"
#include "core/text/TextNumber.h"
#include "core/text/Trace.h"

namespace gf {

namespace {
void GetOSVersion(StartupState& s, const HostServices& host) {
    s.osVersionInfo = host.osVersion();
    s.osVersionInfo.size = 148;
    s.PlatformId = static_cast<std::int32_t>(s.osVersionInfo.platformId);
    s.lastPlatformResult = 1;
}
} // namespace

void PrepareProcess(ProcessState& process, HostServices& host, const SettingsStore& store) {
    auto& st = process.startup;
    st.TwipsPerPixelX = RoundToInt16(host.twipsPerPixelX());
    st.TwipsPerPixelY = RoundToInt16(host.twipsPerPixelY());
    process.random.seed(host.randomSeed());
    st.ProductName = "Glimmerframe";
    st.programFile = host.executablePath();
    st.programFolder = FolderOf(st.programFile);

    // A stale log of the trace facility beside the program goes away at every start.
    (void)process.files.removeFile(AddBackslash(st.programFolder) + "Glimmerframe.log");

    Trace("S: Main");
    st.StandAlone = DetermineRunMode(process.files, st);

    bool fromStore = true;
    if (st.StandAlone &&
        ReadNumericSetting(store, st.ProductName, "ImageInterval", "2000") == 2000) {
        ReadSCRConfig(process.files, st.programFile, process.settings);
        fromStore = false;
    }
    // Until the user stores settings of their own, the show is the sample show.
    const auto sample = FindSampleShow(process.files, st.programFolder);
    LoadSettingsFromStore(store, st.ProductName, fromStore, process.settings,
                          sample ? &*sample : nullptr);
    ApplyRangeLimits(process.settings);
    GetOSVersion(st, host);
}

MainResult Main(std::string_view arguments, ProcessState& process, HostServices& host,
                const SettingsStore& store, RunModeHandlers& handlers) {
    PrepareProcess(process, host, store);
    auto& st = process.startup;

    const auto request = ParseRunMode(arguments);
    MainResult result;
    result.mode = request.mode;
    switch (request.mode) {
    case RunMode::Settings:
        result.windowLoaded = handlers.showSettings(process);
        break;
    case RunMode::Show: {
        Trace("S: CheckUnique%");
        const auto claim = host.claimSingleInstance(kMainFormCaption);
        Trace("E: CheckUnique%");
        if (claim && *claim == InstanceClaim::HeldByRunningShow) {
            result.mode = RunMode::None;
            return result; // a show already runs: end silently
        }
        if (!claim) {
            // Only a running show keeps this one out: a claim that could not be made is said,
            // and the show runs without it.
            result.warnings.push_back(claim.message() + "; the show runs without it.");
            Trace("X: " + result.warnings.back());
        }
        result.windowLoaded = handlers.showPlayer(process);
        break;
    }
    case RunMode::Preview:
        st.PreviewWindow = request.window;
        result.windowLoaded = handlers.loadPreview(process);
        break;
    case RunMode::ChangePassword:
        st.PreviewWindow = request.window;
        st.lastPlatformResult = host.changePassword(st.PreviewWindow);
        break;
    case RunMode::None:
        break;
    }
    Trace("E: Main");
    return result;
}

} // namespace gf
