#pragma once
// The Linux desktop as start-up's host: the running executable, the screen's DPI, a per-user
// lock for the single running show, and no password provider of its own.
#include "platform/HostServices.h"

#include <QLockFile>
#include <memory>

namespace gf {

class QtHostServices final : public HostServices {
  public:
    // 2: the desktop's own locker owns passwords, as on the NT family.
    explicit QtHostServices(std::uint32_t platformId = 2);
    ~QtHostServices() override;

    OSVersionInfo osVersion() const override;
    std::string executablePath() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    Result<InstanceClaim> claimSingleInstance(std::string_view caption) override;
    std::int32_t changePassword(std::int32_t parentWindow) override;
    std::uint32_t randomSeed() const override;

  private:
    std::uint32_t platformId_;
    std::unique_ptr<QLockFile> instanceLock_;
};

} // namespace gf
