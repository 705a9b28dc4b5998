#pragma once
// The four slide-in dissolves: the picture moves in from one edge to the centre of the window
// in steps of 100 twips, painted on the window surface, its trail covered by the swatch.
#include "core/transitions/DissolveStage.h"
#include "core/transitions/Dissolves.h"

namespace gf {

class SlideIns {
  public:
    explicit SlideIns(DissolveStage& state) : s_(state), dissolves_(state) {}

    void SlideBottom2Center();
    void SlideTop2Center();
    void SlideLeft2Center();
    void SlideRight2Center();

  private:
    // Pictures larger than the window are shown by NormalDisplay instead; false then.
    bool Start(const char* name);
    void PaintPicture(const TwipRect& dst, const TwipRect& src, bool whole);
    void PaintSwatch(const TwipRect& dst);
    // A run that never showed the whole picture ends with it at the centre.
    void Finish(const char* name);

    DissolveStage& s_;
    Dissolves dissolves_;
    bool lastWhole_ = false;
};

} // namespace gf
