#pragma once
// The block and curtain dissolves: the picture painted into the display box all at once, in
// blocks or in strips, with a paced wait after every step.
#include "core/transitions/DissolveStage.h"

#include <cstdint>

namespace gf {

class Dissolves {
  public:
    explicit Dissolves(DissolveStage& state) : s_(state) {}

    void NormalDisplay();
    // Orientation true: columns, false: rows. Direction false: strip 1 first.
    void NormalCurtainPaint(bool orientation, bool direction);
    void DeluxeCurtainPaint(bool orientation);
    void RandomBlockPaint();
    void RandomCurtainPaint(bool vertical);
    // The new picture blended over what showed before, in steps timed by the clock: about a
    // second at DissolveDelay 0, a second more for every 100.
    void FadeDisplay();
    static std::int64_t FadeMilliseconds(std::int16_t dissolveDelay);
    // The pause between two steps' starts: a step that paints longer is followed at once.
    static constexpr std::int64_t kFadeStepMs = 20;

    // One cell (column x, row y, from 1); nothing once the show is exiting.
    void DisplayBlock(std::int32_t x, std::int32_t y);
    // Column x (orientation true) or row y; the column's left edge, else 0.
    std::int32_t DisplayCurtain(std::int32_t x, std::int32_t y, bool orientation);

  private:
    void Strip(std::int32_t i, bool orientation) {
        DisplayCurtain(orientation ? i : 0, orientation ? 0 : i, orientation);
    }
    std::int32_t blocks() const;
    std::int32_t draw() const; // 1 to Blocks

    DissolveStage& s_;
};

} // namespace gf
