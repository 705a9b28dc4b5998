#pragma once
// Windows as start-up's host: the program's own file, the true system version, the screen's DPI,
// one running show per session, and where the screen's password is changed.
#include "platform/HostServices.h"
#include "windows/UniqueHandle.h"

#include <functional>

namespace gf {

class Win32HostServices final : public HostServices {
  public:
    // How a message reaches the user: a message box owned by the host's window unless told.
    using Tell = std::function<void(std::int32_t parentWindow, std::string_view text)>;
    explicit Win32HostServices(Tell tell = {});

    // RtlGetVersion: GetVersionExW reports no later system than the manifest names.
    OSVersionInfo osVersion() const override;
    std::string executablePath() const override;
    // 1440 / the system's DPI.
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    // No top-level window with the caption (the show's), and no other claim in this session.
    Result<InstanceClaim> claimSingleInstance(std::string_view caption) override;
    // Before the NT family, PwdChangePasswordA("SCRSAVE", parent, 0, 0) of mpr.dll and its
    // result; on NT, a message that the Windows sign-in password is the one to change, and 0.
    std::int32_t changePassword(std::int32_t parentWindow) override;
    std::uint32_t randomSeed() const override;

    static const char* const kPasswordMessage;

  private:
    Tell tell_;
    UniqueHandle claim_;
};

} // namespace gf
