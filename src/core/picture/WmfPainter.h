#pragma once
// What the WMF player draws onto: a few calls in output pixels, so that any back end (QPainter in
// the show, a recorder in the tests) can render a Windows metafile.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// A colour as the file stores it: red + 256 * green + 65536 * blue.
using WmfColor = std::uint32_t;

struct WmfPoint {
    double x = 0;
    double y = 0;
};

struct WmfRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Pen styles as the file numbers them; the low 4 bits are the dash style.
enum WmfPenStyle : std::uint16_t {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,
    kPenInsideFrame = 6,
    kPenEndCapSquare = 0x0100,
    kPenEndCapFlat = 0x0200,
    kPenJoinBevel = 0x1000,
    kPenJoinMiter = 0x2000,
};

struct WmfPen {
    std::uint16_t style = kPenSolid;
    double width = 1; // output pixels; 0 means the thinnest line the back end draws
    WmfColor color = 0;
};

enum WmfBrushStyle : std::uint16_t {
    kBrushSolid = 0,
    kBrushNull = 1,
    kBrushHatched = 2,
};

// Hatch patterns of kBrushHatched.
enum WmfHatch : std::uint16_t {
    kHatchHorizontal = 0,
    kHatchVertical = 1,
    kHatchForwardDiagonal = 2,
    kHatchBackwardDiagonal = 3,
    kHatchCross = 4,
    kHatchDiagonalCross = 5,
};

struct WmfBrush {
    std::uint16_t style = kBrushSolid;
    WmfColor color = 0xFFFFFF;
    std::uint16_t hatch = 0;
};

struct WmfFont {
    double pixelHeight = 12; // em height in output pixels
    double angleDegrees = 0; // counter-clockwise on the screen
    int weight = 400;        // 100..900, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string face; // UTF-8; empty lets the back end choose
};

// Text alignment bits as the file stores them.
enum WmfTextAlign : std::uint16_t {
    kAlignUpdateCurrentPosition = 0x0001,
    kAlignRight = 0x0002,
    kAlignCenter = 0x0006,
    kAlignBottom = 0x0008,
    kAlignBaseline = 0x0018,
};

// Everything a drawing call depends on.
struct WmfDrawState {
    WmfPen pen;
    WmfBrush brush;
    WmfFont font;
    WmfColor textColor = 0;
    WmfColor backgroundColor = 0xFFFFFF;
    bool opaqueBackground = true; // fills gaps of dashed pens, hatches and text
    bool windingFill = false;     // polygon fill rule: winding, else alternate (even-odd)
    std::uint16_t textAlign = 0;
    std::optional<WmfRect> clip; // in output pixels
};

// A decoded device-independent bitmap: rows top to bottom, 0xRRGGBB per pixel.
struct WmfBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool storedBottomUp = true; // source rectangles of the file count rows from the bottom then
};

// Raster operations of the bitmap records that we draw.
enum WmfRasterOp : std::uint32_t {
    kRopSourceCopy = 0x00CC0020,
    kRopSourceAnd = 0x008800C6,
    kRopSourcePaint = 0x00EE0086,  // or
    kRopSourceInvert = 0x00660046, // xor
};

class WmfPainter {
  public:
    virtual ~WmfPainter() = default;
    // Open figures are stroked with the pen; closed ones are filled with the brush, then
    // outlined. Several rings of one closed figure are filled together (holes by the fill rule).
    virtual void drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                          const WmfDrawState& state) = 0;
    // Text at the anchor, placed by state.textAlign. With a box, `fillBox` fills it with the
    // background colour first and `clipToBox` limits the text to it.
    virtual void drawText(WmfPoint anchor, std::string_view utf8, const WmfDrawState& state,
                          const std::optional<WmfRect>& box, bool fillBox, bool clipToBox) = 0;
    // The part `source` (bitmap pixels, top-down) stretched onto `target`; a target with
    // right < left or bottom < top is mirrored.
    virtual void drawBitmap(const WmfRect& target, const WmfBitmap& bitmap, const WmfRect& source,
                            std::uint32_t rasterOp, const WmfDrawState& state) = 0;
};

} // namespace gf
