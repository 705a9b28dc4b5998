#include "core/show/SlidePresenter.h"

#include "core/files/Paths.h"
#include "core/show/CommentFit.h"
#include "core/show/SlideCaption.h"
#include "core/template/NamedColors.h"
#include "core/text/TextNumber.h"
#include "core/text/Trace.h"
#include "core/transitions/DissolveTable.h"
#include "core/transitions/Dissolves.h"
#include "core/transitions/SlideIns.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace gf {

namespace {
// The comment label's left edge, in twips.
constexpr std::int32_t kCommentLeft = 5;
// A difference rounded to a whole number, then halved toward zero.
std::int32_t HalfOf(double difference) {
    return RoundToInt32(difference) / 2;
}
// How often a wait for a picture looks again when nothing wakes it.
constexpr std::int64_t kPictureWaitMs = 100;
} // namespace

SlidePresenter::SlidePresenter(PlayerState& state, const SlideList& slides, FileSystem& files,
                               bool standAlone, std::string programFolder)
    : s_(state), slides_(slides), files_(files), standAlone_(standAlone),
      programFolder_(std::move(programFolder)),
      loader_(
          state.platform.pictures, [&pump = state.platform.pump] { pump.wake(); },
          state.platform.workers) {}

PictureRequest SlidePresenter::RequestFor(const std::string& path, std::optional<TwipSize> box) {
    const auto info = files_.info(path);
    const auto& canvas = s_.platform.canvas;
    return {path, info.size, info.modifiedNs, {canvas.windowWidth(), canvas.windowHeight()}, box};
}

Status SlidePresenter::ReadPicture(const std::string& path, std::optional<TwipSize> box) {
    auto& p = s_.platform;
    const auto request = RequestFor(path, box);
    loader_.request(request);
    auto got = loader_.take(request);
    if (!got) {
        // The slide timer must not tick into this wait: its tick would wait for this very slide.
        const bool ticking = p.timer1.enabled();
        p.timer1.setEnabled(false);
        while (!s_.exiting && !(got = loader_.take(request)))
            p.pump.waitForEvents(kPictureWaitMs);
        if (ticking && !s_.ended)
            p.timer1.setEnabled(true);
    }
    auto& img = s_.image1;
    if (!got || !got->outcome) {
        img = {};
        p.canvas.setPicture(nullptr, 0, 0);
        if (!got) {
            loader_.cancel();
            return {};
        }
        return Status::failure(got->outcome.message());
    }
    picturePath_ = path;
    pictureChangedNs_ = request.fileModifiedNs;
    img.info = got->outcome->info;
    img.decoded = got->outcome->picture;
    img.decodedForWidth = got->decodedFor.first;
    img.decodedForHeight = got->decodedFor.second;
    img.banner = false;
    return {};
}

void SlidePresenter::HoldBanner() {
    auto banner = s_.platform.pictures->banner();
    auto& img = s_.image1;
    img.info = banner.info;
    img.decoded = banner.picture;
    img.decodedForWidth = banner.info.widthTwips;
    img.decodedForHeight = banner.info.heightTwips;
    img.banner = true;
    picturePath_.clear();
}

std::int32_t SlidePresenter::NextSlide() {
    const auto count = slides_.images.size();
    if (s_.settings.ImageOrderRandom == 1) {
        // Drawn one tick ahead when it could be: the same draws in the same order as at the tick.
        if (const auto drawn = std::exchange(drawn_, std::nullopt); drawn && *drawn < count)
            return std::int32_t(*drawn);
        auto i = std::size_t(double(count) * s_.random.next());
        i = i < count ? i : count - 1;
        return std::int32_t(claims_ ? claims_->Free(screen_, i, count) : i);
    }
    const auto next = static_cast<std::size_t>(std::int64_t{s_.currentSlide} + 1);
    return std::int32_t(next >= count ? 0 : next);
}

void SlidePresenter::PrefetchNext() {
    const auto count = slides_.images.size();
    if (count == 0 || s_.exiting)
        return;
    const auto next = NextSlide();
    if (s_.settings.ImageOrderRandom == 1) {
        drawn_ = std::size_t(next);
        Claim();
    }
    if (!standAlone_) {
        loader_.request(RequestFor(slides_.images[std::size_t(next)], std::nullopt));
        return;
    }
    // A package's picture is copied out into a file of its own, then read like any other.
    if (s_.LoadImbeddedImage(next) && !s_.exiting)
        loader_.request(RequestFor(PictureFile(next), std::nullopt));
}

void SlidePresenter::Claim() {
    if (claims_)
        claims_->hold(screen_,
                      s_.currentSlide < 0 ? std::nullopt
                                          : std::optional<std::size_t>(s_.currentSlide),
                      drawn_);
}

std::string SlidePresenter::PictureFile(std::int32_t slide) const {
    if (s_.embedded)
        return s_.embedded->PicturePath(slide);
    return AddBackslash(programFolder_) + "Glimmerframe.pic";
}

std::string SlidePresenter::Entry() const {
    const auto i = std::size_t(s_.currentSlide);
    return s_.currentSlide >= 0 && i < slides_.images.size() ? slides_.images[i] : std::string();
}

namespace {

// Keeps the screen for a fade, and lets it go (showing what is painted by then) when the slide
// is over, whether it faded in, failed or the show is closing.
class HeldScreen {
  public:
    HeldScreen(ShowCanvas& canvas, bool hold) : canvas_(hold ? &canvas : nullptr) {
        if (canvas_)
            canvas_->holdScreen();
    }
    HeldScreen(const HeldScreen&) = delete;
    HeldScreen& operator=(const HeldScreen&) = delete;
    ~HeldScreen() {
        if (!canvas_)
            return;
        canvas_->fadeTo(1);
        canvas_->flush();
    }

  private:
    ShowCanvas* canvas_;
};

} // namespace

bool SlidePresenter::FadesIn(const SlideAttributes& slide) const {
    return (slide.dissolve.empty() ? s_.settings.DissolveType : slide.dissolve) == kFadeDissolve;
}

void SlidePresenter::LoadImage() {
    if (s_.exiting)
        return;
    Trace("S: MainForm LoadImage");
    auto& p = s_.platform;
    if (slides_.soundMode == 2 && p.media.playState() == kPlayPlaying)
        return; // the slide stays until its sound has ended

    s_.busy = true;
    const auto count = slides_.images.size();
    if (count > 0) {
        s_.currentSlide = NextSlide();
        Claim();
    }
    // A fade starts from what shows now: kept on the screen while the next slide is read and
    // laid out, and let go however that ends.
    const HeldScreen held(p.canvas, count > 0 && FadesIn(slides_.at(std::size_t(s_.currentSlide))));
    p.canvas.hideComment();
    if (!standAlone_)
        p.canvas.clearWindow();

    if (count == 0) {
        p.canvas.clearBox();
        HoldBanner();
        s_.currentSlide = 0;
    } else {
        if (standAlone_) {
            if (!s_.LoadImbeddedImage(s_.currentSlide)) {
                // Picture, box and colours stay; only the sound follows.
                StartSound(slides_.at(std::size_t(s_.currentSlide)));
                s_.busy = false;
                PrefetchNext();
                Trace("E: MainForm LoadImage");
                return;
            }
            p.canvas.clearBox();
            p.canvas.clearWindow();
        } else {
            p.canvas.clearBox();
        }
        const auto read =
            ReadPicture(standAlone_ ? PictureFile(s_.currentSlide) : Entry(), std::nullopt);
        p.canvas.setStatusText(Entry());
        if (!read)
            return ErrorPath(read.message());
    }

    const auto& slide = slides_.at(std::size_t(s_.currentSlide));
    if (auto st = Present(slide); !st)
        return ErrorPath(st.message());
    StartSound(slide);
    s_.busy = false;
    PrefetchNext();
    Trace("E: MainForm LoadImage");
}

Status SlidePresenter::Present(const SlideAttributes& slide) {
    auto& p = s_.platform;
    auto& g = s_.geometry;
    const std::int32_t blocks = s_.settings.Blocks > 0 ? s_.settings.Blocks : 1;

    if (s_.exiting)
        return {}; // closing while the picture was read: nothing more is shown
    auto& img = s_.image1;
    g.pictureWidth = img.info.widthTwips;
    g.pictureHeight = img.info.heightTwips;
    if (g.pictureWidth <= 0 || g.pictureHeight <= 0)
        return Status::failure("The picture " + Entry() + " has no size.");
    const double randomLeft = s_.random.next();
    const double randomTop = s_.random.next();
    g.pictureCellWidth = g.pictureWidth / blocks;
    g.pictureCellHeight = g.pictureHeight / blocks;

    std::string dissolve = slide.dissolve.empty() ? s_.settings.DissolveType : slide.dissolve;
    if (dissolve == "Random") {
        auto i = static_cast<int>(kRandomDissolveUpperIndex * s_.random.next() + 1);
        dissolve =
            std::string(kDissolveNames[std::size_t(std::clamp(i, 1, kRandomDissolveUpperIndex))]);
    }
    if (img.banner)
        dissolve = "Normal";

    const auto background = ColorFromName(slide.background, false);
    p.canvas.setBackgroundColor(background);
    Trace("S: MainForm Picture " + slide.background);
    p.canvas.setSwatchColor(background); // unknown names give the black swatch, as black
    Trace("S: MainForm Picture Done");

    g.twipsPerPixelX = p.canvas.twipsPerPixelX();
    g.twipsPerPixelY = p.canvas.twipsPerPixelY();
    PlaceBox(dissolve, randomLeft, randomTop);
    g.boxCellWidth = g.boxWidth / blocks;
    g.boxCellHeight = g.boxHeight / blocks;

    // A metafile is drawn at the size of its box; photos were decoded to fit the window.
    if (img.info.kind == PictureKind::Metafile && !img.banner &&
        (img.decodedForWidth != g.boxWidth || img.decodedForHeight != g.boxHeight)) {
        if (auto st = ReadPicture(picturePath_, TwipSize{g.boxWidth, g.boxHeight}); !st)
            return st;
        if (s_.exiting)
            return {};
    }
    p.canvas.setPicture(img.decoded, img.info.widthTwips, img.info.heightTwips);

    const auto restart = s_.DisableTimers();
    RunDissolve(dissolve);
    s_.EnableTimers(restart);

    p.canvas.setStatusText("Dissolve=" + dissolve + "\rW/H: " + std::to_string(g.boxWidth) + "," +
                           std::to_string(g.boxHeight));
    ShowComment(slide);
    return {};
}

void SlidePresenter::PlaceBox(const std::string& dissolve, double randomLeft, double randomTop) {
    auto& p = s_.platform;
    auto& g = s_.geometry;
    const auto W = p.canvas.windowWidth(), H = p.canvas.windowHeight();
    const auto pw = g.pictureWidth, ph = g.pictureHeight;
    TwipRect box;
    if (s_.settings.FullScreen == 1 && dissolve.rfind("Slide", 0) != 0) {
        // Wide pictures fit the width, others the height; on a screen wider than the picture
        // the height decides, so that no part of the picture falls off the screen.
        bool byWidth = pw > ph;
        if (byWidth && RoundToInt32(ph * (double(W) / pw)) > H)
            byWidth = false;
        else if (!byWidth && RoundToInt32(pw * (double(H) / ph)) > W)
            byWidth = true;
        if (byWidth) {
            const double ratio = double(W) / pw;
            box.left = 0;
            box.width = W;
            box.height = RoundToInt32(ph * ratio);
            box.top = HalfOf(double(H) - box.height);
        } else {
            const double ratio = double(H) / ph;
            box.top = 0;
            box.height = H;
            box.width = RoundToInt32(pw * ratio);
            box.left = HalfOf(double(W) - box.width);
        }
    } else {
        // A picture larger than the window is made smaller to fit it, keeping its proportions.
        std::tie(box.width, box.height) = FitInside({pw, ph}, {W, H});
        if (s_.settings.ImagePositionRandom != 0) {
            box.left = static_cast<std::int32_t>(double(W - box.width + 1) * randomLeft);
            box.top = static_cast<std::int32_t>(double(H - box.height + 1) * randomTop);
        } else {
            box.left = HalfOf(double(W) - box.width);
            box.top = HalfOf(double(H) - box.height);
        }
    }
    g.boxWidth = box.width;
    g.boxHeight = box.height;
    p.canvas.placeBox(box);
}

void SlidePresenter::RunDissolve(const std::string& name) {
    Dissolves d(s_);
    SlideIns slide(s_);
    const auto index = DissolveIndex(name);
    switch (index.value_or(1)) {
    case 2:
        return d.RandomBlockPaint();
    case 3:
        return d.NormalCurtainPaint(false, false);
    case 4:
        return d.NormalCurtainPaint(false, true);
    case 5:
        return d.DeluxeCurtainPaint(false);
    case 6:
        return d.RandomCurtainPaint(false);
    case 7:
        return d.NormalCurtainPaint(true, false);
    case 8:
        return d.NormalCurtainPaint(true, true);
    case 9:
        return d.DeluxeCurtainPaint(true);
    case 10:
        return d.RandomCurtainPaint(true);
    case 11:
        return slide.SlideBottom2Center();
    case 12:
        return slide.SlideTop2Center();
    case 13:
        return slide.SlideRight2Center();
    case 14:
        return slide.SlideLeft2Center();
    case 15:
        return d.FadeDisplay();
    default:
        return d.NormalDisplay();
    }
}

std::string SlidePresenter::FittedComment(std::string_view text, bool stored) const {
    const auto& canvas = s_.platform.canvas;
    const std::int32_t margin = canvas.commentMargin();
    const CommentRoom room{canvas.windowWidth() - 2 * (kCommentLeft + margin),
                           (canvas.windowHeight() - 2 * margin) /
                               std::max<std::int32_t>(1, canvas.commentLineHeight())};
    return FitComment(text, stored, room,
                      [&canvas](std::string_view line) { return canvas.commentTextWidth(line); });
}

std::string SlidePresenter::Caption() const {
    if (standAlone_ || s_.settings.AllImages == 0 || s_.settings.Caption == 0 || s_.image1.banner)
        return {};
    return SlideCaption(s_.settings.Caption, Entry(), s_.image1.info.taken, pictureChangedNs_,
                        s_.platform.clock);
}

void SlidePresenter::ShowComment(const SlideAttributes& slide) {
    auto& canvas = s_.platform.canvas;
    if (slide.comment.empty()) {
        // A folder's picture has no comment of its own: the caption takes its place, white on
        // black as comments are, breaking only where the name does not fit.
        if (const auto caption = Caption(); !caption.empty()) {
            const auto text = FittedComment(caption, false);
            canvas.showComment({text, 0xFFFFFF, 0, kCommentLeft,
                                canvas.windowHeight() - canvas.commentHeight(text)});
        } else {
            canvas.hideComment();
        }
        return;
    }
    const auto text = FittedComment(slide.comment, true);
    canvas.showComment({text, ColorFromName(slide.foreground, true),
                        ColorFromName(slide.background, false), kCommentLeft,
                        canvas.windowHeight() - canvas.commentHeight(text)});
}

void SlidePresenter::StartSound(const SlideAttributes& slide) {
    auto& p = s_.platform;
    if (s_.exiting || s_.settings.DisableSound != 0)
        return;
    const auto mode = slides_.soundMode;
    if ((mode == 1 || mode == 2) && standAlone_) {
        s_.LoadImbeddedSound(s_.currentSlide);
        if (!s_.extractedSoundPath.empty()) {
            p.media.stop();
            p.media.setFileName(s_.extractedSoundPath);
            p.media.play();
        }
    } else if (mode == 1) {
        s_.sound.PlayOneShot(slide.sound);
    } else if (mode == 2) {
        p.media.setFileName(slide.sound);
        p.media.play();
        p.canvas.setStatusText("Play");
    } else if (mode == 3 && s_.asyncStartPending) {
        p.timer2.setEnabled(true);
        s_.asyncStartPending = false;
    }
}

void SlidePresenter::ErrorPath(const std::string& description) {
    auto& p = s_.platform;
    auto& g = s_.geometry;
    p.canvas.setBackgroundColor(0);
    Trace("E: MainForm LoadImage with Error " + description);
    const auto W = p.canvas.windowWidth(), H = p.canvas.windowHeight();
    const auto shown = FittedComment(description, false);
    p.canvas.showComment({shown, 0xFFFFFF, 0, kCommentLeft, H - p.canvas.commentHeight(shown)});

    // Whatever Image1 still holds, at its natural size in the middle.
    const auto& img = s_.image1;
    g.boxWidth = img.info.widthTwips;
    g.boxHeight = img.info.heightTwips;
    p.canvas.placeBox(
        {HalfOf(double(W) - g.boxWidth), HalfOf(double(H) - g.boxHeight), g.boxWidth, g.boxHeight});
    p.canvas.setStatusText(Entry() + ">" + s_.extractedSoundPath + "<" +
                           PictureFile(s_.currentSlide));
    if (g.boxWidth > 0 && g.boxHeight > 0 && img.decoded) {
        p.canvas.setPicture(img.decoded, img.info.widthTwips, img.info.heightTwips);
        Dissolves(s_).NormalDisplay();
    }
    s_.busy = false;
    PrefetchNext();
}

} // namespace gf
