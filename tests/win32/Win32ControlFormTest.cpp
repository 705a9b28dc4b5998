#include "win32/preview/Win32ControlForm.h"
#include "win32/support/DibSurface.h"
#include "windows/Win32FileSystem.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// A host's preview window of the test's own: 152 x 112 pixels of client area.
class PreviewHost : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW c{};
        c.lpfnWndProc = &DefWindowProcW;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"GlimmerframeTestHost";
        RegisterClassW(&c);
        host_ = CreateWindowExW(0, c.lpszClassName, L"host", WS_POPUP, 0, 0, 152, 112, nullptr,
                                nullptr, c.hInstance, nullptr);
        ASSERT_NE(host_, nullptr);
        process_.startup.PreviewWindow = std::int32_t(reinterpret_cast<std::intptr_t>(host_));
        process_.startup.TwipsPerPixelX = process_.startup.TwipsPerPixelY = 15;
        process_.settings.ImageInterval = 30;
    }
    void TearDown() override {
        if (IsWindow(host_))
            DestroyWindow(host_);
    }
    bool placed(HWND box, RECT want) const {
        RECT r{};
        GetWindowRect(box, &r);
        MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&r), 2);
        return EqualRect(&r, &want);
    }

    Win32FileSystem files_;
    ProcessState process_{files_};
    HWND host_ = nullptr;
};

TEST_F(PreviewHost, BoxesFillTheHostWithThePictureOnTopAndACloseRequestReleasesThem) {
    Win32ControlForm preview(process_);
    ASSERT_TRUE(preview.load());
    const HWND background = preview.background(), picture = preview.picture();
    EXPECT_EQ(GetParent(background), host_);
    EXPECT_EQ(GetParent(picture), host_);
    EXPECT_EQ(GetWindow(host_, GW_CHILD), picture) << "the picture lies above the white box";
    EXPECT_TRUE(placed(background, {0, 0, 152, 112}));
    EXPECT_TRUE(placed(picture, {30, 30, 123, 83}));

    // The picture is drawn: neither white nor black in its middle, a white frame at its edge.
    const DibSurface shot(93, 53);
    SendMessageW(picture, WM_PRINTCLIENT, WPARAM(shot.dc()), PRF_CLIENT);
    const std::uint32_t sky = shot.pixel(20, 10) & 0xFFFFFF;
    EXPECT_NE(sky, 0xFFFFFFu);
    EXPECT_NE(sky, 0u);
    EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);

    // The hook passes every other message on, result and all.
    wchar_t text[16] = {};
    EXPECT_EQ(SendMessageW(background, WM_GETTEXT, 16, LPARAM(text)), 8);
    EXPECT_STREQ(text, L"Picture1");

    // The close request is not passed on: the box survives, back in the hidden form, and the
    // next tick unloads while the host's window stays.
    EXPECT_EQ(SendMessageW(background, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(background));
    EXPECT_EQ(GetParent(background), preview.formWindow());
    preview.form().tick();
    EXPECT_TRUE(IsWindow(host_));
    EXPECT_FALSE(IsWindow(picture)) << "the picture left in the host's window goes with the form";
    EXPECT_FALSE(IsWindow(background));
}

TEST_F(PreviewHost, AHostWindowDestroyedUnloadsTheForm) {
    {
        Win32ControlForm preview(process_);
        ASSERT_TRUE(preview.load());
        DestroyWindow(host_); // the boxes go with it, without a close request
        EXPECT_EQ(preview.background(), nullptr);
        EXPECT_EQ(preview.picture(), nullptr);
        preview.form().tick();
        EXPECT_FALSE(preview.form().loaded());
    }                                 // and putting the form away touches no window that is gone
    Win32ControlForm stale(process_); // the destroyed host's handle
    EXPECT_FALSE(stale.load());
}

} // namespace
} // namespace gf
