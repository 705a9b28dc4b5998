#pragma once
// The tip strip without its window: which tip shows, the next one every few minutes, what its
// tooltip says, the guide page a click opens, and the strip's colours.
#include "core/help/GuideLinks.h"

#include <cstdint>
#include <string>

namespace gf {

class TipRotation {
  public:
    static constexpr int kMinutesPerTip = 3;
    // 0xRRGGBB: the background runs from the first colour to the second, left to right.
    static constexpr std::uint32_t kBackgroundFrom = 0x1d3557, kBackgroundTo = 0x457b9d;
    static constexpr std::uint32_t kHeadlineColor = 0xffffff, kLineColor = 0xf1f3f5;

    explicit TipRotation(GuidePlatform platform) : platform_(platform) {}

    std::size_t index() const { return index_; }
    const GuideTip& current() const { return GuideTips(platform_)[index_]; }
    // The next tip, after the last the first.
    void next() { index_ = (index_ + 1) % kGuideTipCount; }
    // "Click to read about <the headline in lower case> in the user guide".
    std::string tooltip() const;

  private:
    GuidePlatform platform_;
    std::size_t index_ = 0;
};

} // namespace gf
