#pragma once
// What a dissolve asks of the show it paints for: the canvas, the current sizes in twips, the
// number of blocks, a die, a paced wait and whether the show is ending. The show implements it;
// the dissolves know nothing else of the show.
#include "platform/ShowCanvas.h"

#include <cstdint>

namespace gf {

// Lengths in twips, held in 32 bits so that large pictures and screens fit.
struct PlayerGeometry {
    std::int32_t twipsPerPixelX = 15, twipsPerPixelY = 15;
    std::int32_t pictureWidth = 0, pictureHeight = 0;
    std::int32_t pictureCellWidth = 0, pictureCellHeight = 0;
    std::int32_t boxWidth = 0, boxHeight = 0;
    std::int32_t boxCellWidth = 0, boxCellHeight = 0;
};

class DissolveStage {
  public:
    virtual ~DissolveStage() = default;
    virtual ShowCanvas& canvas() = 0;
    virtual const PlayerGeometry& sizes() const = 0;
    // The Blocks setting as stored; the dissolves bound it themselves.
    virtual std::int32_t blockSetting() const = 0;
    // Uniform in [0, 1), from the show's one random source so a seed repeats a show.
    virtual double roll() = 0;
    // Waits DissolveDelay / divisor ms; returns early once the show is ending.
    virtual void Pause(std::int16_t divisor) = 0;
    // The DissolveDelay setting as stored.
    virtual std::int16_t delaySetting() const = 0;
    // A clock in milliseconds that never jumps, and a wait until it reads `end` (early once the
    // show is ending).
    virtual std::int64_t nowMs() const = 0;
    virtual void WaitUntil(std::int64_t end) = 0;
    virtual bool ending() const = 0;

  protected:
    DissolveStage() = default;
    DissolveStage(const DissolveStage&) = default;
    DissolveStage& operator=(const DissolveStage&) = default;
};

} // namespace gf
