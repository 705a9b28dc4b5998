#pragma once
// Shows the next slide: chooses it, loads its picture, sizes the display box, sets the colours,
// runs its dissolve, shows the comment and starts the sound.
#include "base/Result.h"
#include "core/show/PlayerState.h"
#include "core/show/SlideList.h"

#include <string>
#include <string_view>

namespace gf {

class SlidePresenter {
  public:
    SlidePresenter(PlayerState& state, const SlideList& slides, bool standAlone,
                   std::string programFolder)
        : s_(state), slides_(slides), standAlone_(standAlone),
          programFolder_(std::move(programFolder)) {}

    void LoadImage();

    // Runs the dissolve that a name selects; unknown names paint at once.
    void RunDissolve(const std::string& name);

  private:
    // Steps 7 to 16 for the loaded picture; an error ends in ErrorPath.
    Status Present(const SlideAttributes& slide);
    void PlaceBox(const std::string& dissolve, std::int32_t randomLeft, std::int32_t randomTop);
    void ShowComment(const SlideAttributes& slide);
    // A comment (stored with "^" for its breaks) or a message cut to what the label can show.
    std::string FittedComment(std::string_view text, bool stored) const;
    void StartSound(const SlideAttributes& slide);
    void ErrorPath(const std::string& description);
    std::string PictureFile() const;
    std::string Entry() const;

    PlayerState& s_;
    const SlideList& slides_;
    bool standAlone_;
    std::string programFolder_;
};

} // namespace gf
