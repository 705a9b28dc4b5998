#pragma once
// A HostServices whose answers tests set directly.
#include "platform/HostServices.h"

#include <optional>
#include <string>

namespace gf::test {

class FakeHostServices final : public HostServices {
  public:
    OSVersionInfo osVersion() const override {
        OSVersionInfo v;
        v.platformId = platformId;
        return v;
    }
    std::string executablePath() const override { return exe; }
    double twipsPerPixelX() const override { return tppX; }
    double twipsPerPixelY() const override { return tppY; }
    Result<InstanceClaim> claimSingleInstance(std::string_view) override {
        ++claims;
        if (claimFailure)
            return Error{*claimFailure};
        return otherInstanceRuns ? InstanceClaim::HeldByRunningShow : InstanceClaim::Claimed;
    }
    std::int32_t changePassword(std::int32_t parent) override {
        passwordParent = parent;
        ++passwordChanges;
        return 7;
    }
    std::uint32_t randomSeed() const override { return 42; }

    std::uint32_t platformId = 2;
    std::string exe = "/nonexistent/glimmerframe";
    double tppX = 15, tppY = 15;
    bool otherInstanceRuns = false;
    std::optional<std::string> claimFailure; // the claim fails with this message
    int claims = 0;
    int passwordChanges = 0;
    std::int32_t passwordParent = -1;
};

} // namespace gf::test
