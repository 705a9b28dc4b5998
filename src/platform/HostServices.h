#pragma once
// What start-up needs of the host system: its identity, the running program file, the screen's
// unit conversion, single-instance detection and the password-change dialog.
#include "base/Result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gf {

struct OSVersionInfo {
    std::uint32_t size = 148;
    std::uint32_t major = 0, minor = 0, build = 0, platformId = 0;
    std::string servicePack;
};

// The outcome of claiming the single running show.
enum class InstanceClaim { Claimed, HeldByRunningShow };

class HostServices {
  public:
    virtual ~HostServices() = default;
    virtual OSVersionInfo osVersion() const = 0;
    // Full path of the running program file.
    virtual std::string executablePath() const = 0;
    // Twips per pixel of the screen, horizontal and vertical.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // Claimed when no other show with this caption runs (the claim lasts for the process);
    // HeldByRunningShow only when a running show holds it. Any other failure (a full or
    // unwritable folder, say) is an error that says why.
    virtual Result<InstanceClaim> claimSingleInstance(std::string_view caption) = 0;
    // The platform's password-change dialog for the given parent window; its result.
    virtual std::int32_t changePassword(std::int32_t parentWindow) = 0;
    // Seed for the process-wide random source.
    virtual std::uint32_t randomSeed() const = 0;
};

} // namespace gf
