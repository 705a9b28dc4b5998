#pragma once
// Shows the next slide: chooses it, loads its picture, sizes the display box, sets the colours,
// runs its dissolve, shows the comment and starts the sound.
#include "base/Result.h"
#include "core/show/PictureLoader.h"
#include "core/show/PlayerState.h"
#include "core/show/SlideClaims.h"
#include "core/template/SlideList.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

class SlidePresenter {
  public:
    SlidePresenter(PlayerState& state, const SlideList& slides, FileSystem& files, bool standAlone,
                   std::string programFolder);

    void LoadImage();
    // One of the screens of a show on every screen, which draw past each other's slides.
    void shareScreens(int screen, SlideClaims* claims) {
        screen_ = screen;
        claims_ = claims;
    }

    // Runs the dissolve that a name selects; unknown names paint at once.
    void RunDissolve(const std::string& name);

    // Chooses the slide after the current one (in random order, draws it now for its tick) and
    // starts reading its picture in the background; a package's is copied out first.
    void PrefetchNext();
    // Drops every decode asked for: the show is closing.
    void StopPictures() { loader_.cancel(); }

  private:
    // Reads a picture into Image1, handling events while it is decoded; `box` is the size a
    // metafile is drawn at, when known. Returns early, holding nothing, once the show is closing.
    Status ReadPicture(const std::string& path, std::optional<TwipSize> box);
    PictureRequest RequestFor(const std::string& path, std::optional<TwipSize> box);
    void HoldBanner();
    // The slide after the current one: the next in order, or the one drawn ahead, else drawn.
    std::int32_t NextSlide();
    // Tells the other screens what this one holds.
    void Claim();
    // Whether the slide comes on with the fade, which starts from the screen as it is.
    bool FadesIn(const SlideAttributes& slide) const;
    // Steps 7 to 16 for the loaded picture; an error ends in ErrorPath.
    Status Present(const SlideAttributes& slide);
    // The random numbers place a box smaller than the window (left, then top).
    void PlaceBox(const std::string& dissolve, double randomLeft, double randomTop);
    void ShowComment(const SlideAttributes& slide);
    // A folder show's caption for the shown picture, as the Caption setting asks.
    std::string Caption() const;
    // A comment (stored with "^" for its breaks) or a message cut to what the label can show.
    std::string FittedComment(std::string_view text, bool stored) const;
    void StartSound(const SlideAttributes& slide);
    void ErrorPath(const std::string& description);
    // Where a package slide's picture is copied out to (beside the program without a package).
    std::string PictureFile(std::int32_t slide) const;
    std::string Entry() const;

    PlayerState& s_;
    const SlideList& slides_;
    FileSystem& files_;
    bool standAlone_;
    std::string programFolder_;
    std::string picturePath_;           // where Image1's picture came from
    std::int64_t pictureChangedNs_ = 0; // and when that file last changed
    PictureLoader loader_;
    std::optional<std::size_t> drawn_; // random order: the next slide, drawn a tick ahead
    int screen_ = 0;
    SlideClaims* claims_ = nullptr;
};

} // namespace gf
