#pragma once
// The pictures and sounds a stand-alone package carries, as the player asks for them.
#include "core/template/SlideList.h"

#include <functional>
#include <string>

namespace gf {

class EmbeddedItems {
  public:
    virtual ~EmbeddedItems() = default;
    // Fills the slide list from the package directory; false when this is no package.
    virtual bool ReadSCR(SlideList& slides) = 0;
    // Copies slide `index`'s picture to PicturePath(index), unless it is there already; false
    // when the slide has none. The pictures of the current and the next slide are kept.
    virtual bool LoadImbeddedImage(int index, const std::function<bool()>& exiting) = 0;
    // Copies slide `index`'s sound to a temporary file; its path, empty when it has none.
    virtual std::string LoadImbeddedSound(int index, const std::function<bool()>& exiting) = 0;
    virtual bool HasImbeddedSound(int index) const = 0;
    virtual std::string PicturePath(int index) const = 0;
    // Removes every picture copied out.
    virtual void RemovePictures() = 0;
    // How many pictures copied out stay (at least the shown one and the next): two for each
    // screen that shows slides.
    virtual void KeepPictures(std::size_t count) = 0;
};

} // namespace gf
