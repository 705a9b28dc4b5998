// Feeds arbitrary bytes to the metafile player: headers, every record and every bitmap.
#include "core/picture/WmfDocument.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// Touches what it is given, so that bad geometry or text surfaces under the sanitizers.
class CheckingPainter final : public gf::WmfPainter {
  public:
    double sink = 0;
    void drawPath(std::span<const std::vector<gf::WmfPoint>> rings, bool,
                  const gf::WmfDrawState& state) override {
        for (const auto& ring : rings)
            for (auto p : ring)
                sink += p.x + p.y;
        sink += state.pen.width + state.font.pixelHeight;
    }
    void drawText(gf::WmfPoint anchor, std::string_view utf8, const gf::WmfDrawState& state,
                  const std::optional<gf::WmfRect>&, bool, bool) override {
        for (char c : utf8)
            sink += c;
        sink += anchor.x + double(state.font.face.size());
    }
    void drawBitmap(const gf::WmfRect& target, const gf::WmfBitmap& bitmap,
                    const gf::WmfRect& source, std::uint32_t, const gf::WmfDrawState&) override {
        // The player promises a source inside the bitmap.
        if (source.left < 0 || source.top < 0 || source.right > bitmap.width ||
            source.bottom > bitmap.height ||
            bitmap.pixels.size() != std::size_t(bitmap.width) * std::size_t(bitmap.height))
            __builtin_trap();
        sink += target.left + double(bitmap.pixels.back());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto bytes = std::as_bytes(std::span(data, size));
    auto doc = gf::WmfDocument::parse(bytes);
    if (!doc)
        return 0;
    CheckingPainter painter;
    (void)doc->play(painter, 64, 48);
    return 0;
}
