#pragma once
// The metafile player's drawing calls made with GDI on a memory DC: our own bounded player walks
// the records, so a hostile file never reaches the system's own metafile player.
#include "core/picture/WmfPainter.h"

#include <atomic>
#include <windows.h>

namespace gf {

class Win32WmfPainter final : public WmfPainter {
  public:
    // Draws onto `dc` (a DIB's memory DC). Once `stop` is set, every call returns at once.
    explicit Win32WmfPainter(HDC dc, const std::atomic<bool>* stop = nullptr);
    Win32WmfPainter(const Win32WmfPainter&) = delete;
    Win32WmfPainter& operator=(const Win32WmfPainter&) = delete;
    ~Win32WmfPainter() override;

    void drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                  const WmfDrawState& state) override;
    void drawText(WmfPoint anchor, std::string_view utf8, const WmfDrawState& state,
                  const std::optional<WmfRect>& box, bool fillBox, bool clipToBox) override;
    void drawBitmap(const WmfRect& target, const WmfBitmap& bitmap, const WmfRect& source,
                    std::uint32_t rasterOp, const WmfDrawState& state) override;

  private:
    bool stopped() const { return stop_ && stop_->load(std::memory_order_relaxed); }
    void applyClip(const WmfDrawState& state);
    void applyBackground(const WmfDrawState& state);
    HDC dc_;
    const std::atomic<bool>* stop_;
    int saved_;
};

} // namespace gf
