#include "win32/authoring/Win32ImageViewerDialog.h"

#include "win32/show/Win32DecodedPicture.h"
#include "win32/show/Win32PictureDecoder.h"
#include "win32/support/DialogLayout.h"

#include <algorithm>
#include <atomic>
#include <commctrl.h>

namespace gf {

namespace {

constexpr int kPicture = 100;
// The picture area, 1/96 inch.
constexpr int kWidth = 560, kHeight = 420, kMargin = 18;
constexpr int kTwipsPerUnit = 15;

} // namespace

Win32ImageViewerDialog::Win32ImageViewerDialog(FileSystem& files)
    : Win32Dialog(L"Image Viewer", kWidth + 2 * kMargin, kHeight + kMargin + 12 + 25 + 12),
      files_(files) {}

Status Win32ImageViewerDialog::loadPicture(std::string_view path, HWND owner) {
    picture_.reset();
    const double twipsPerPixel = 1440.0 / double(DialogLayout::DpiOf(owner));
    const Win32PictureDecoder decoder(files_, twipsPerPixel);
    const std::atomic<bool> never{false};
    auto decoded = decoder.decode(
        path,
        [](const PictureInfo&) {
            return std::pair<std::int32_t, std::int32_t>{kWidth * kTwipsPerUnit,
                                                         kHeight * kTwipsPerUnit};
        },
        never);
    if (!decoded)
        return decoded.error();
    picture_ = decoded->picture;
    return {};
}

void Win32ImageViewerDialog::setBackgroundColor(COLORREF color) {
    background_.reset(CreateSolidBrush(color));
}

void Win32ImageViewerDialog::create() {
    addControl(WC_STATICW, L"", SS_OWNERDRAW, kPicture);
    HWND ok = addControl(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
    setTooltip(ok, L"Accept Selections");
}

void Win32ImageViewerDialog::arrange() {
    layout().place(item(kPicture), kMargin, kMargin, kWidth, kHeight);
    layout().place(item(IDOK), kMargin + kWidth - 76, kMargin + kHeight + 12, 76, 25);
}

bool Win32ImageViewerDialog::command(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        end(id);
        return true;
    }
    return false;
}

bool Win32ImageViewerDialog::message(UINT msg, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (msg == WM_CTLCOLORDLG && background_) {
        result = reinterpret_cast<INT_PTR>(background_.get());
        return true;
    }
    if (msg != WM_DRAWITEM)
        return false;
    const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const RECT& r = d.rcItem;
    const auto* picture = dynamic_cast<const Win32DecodedPicture*>(picture_.get());
    if (!picture) {
        FillRect(d.hDC, &r, background_ ? background_.get() : GetSysColorBrush(COLOR_BTNFACE));
    } else {
        const DibSurface& s = picture->surface();
        SetStretchBltMode(d.hDC, HALFTONE);
        SetBrushOrgEx(d.hDC, 0, 0, nullptr);
        if (picture->seeThrough()) {
            FillRect(d.hDC, &r, background_ ? background_.get() : GetSysColorBrush(COLOR_BTNFACE));
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(d.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, s.dc(), 0, 0,
                       s.width(), s.height(), blend);
        } else {
            StretchBlt(d.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, s.dc(), 0, 0,
                       s.width(), s.height(), SRCCOPY);
        }
    }
    result = TRUE;
    return true;
}

} // namespace gf
