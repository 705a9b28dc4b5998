#include "win32/preview/Win32ControlForm.h"

#include "win32/support/GdiObject.h"
#include "win32/support/SelectedObject.h"
#include "win32/support/WindowDc.h"

#include <algorithm>
#include <cmath>

namespace gf {

namespace {

const WindowClass kFormClass{L"GlimmerframeControlForm", nullptr};
const WindowClass kBoxClass{L"GlimmerframePreviewBox", IDC_ARROW, WHITE_BRUSH};

HWND WindowOf(std::int32_t handle) {
    // Window handles carry 32 bits on 64-bit Windows too, sign-extended.
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}

// Boxes of another DPI awareness than their new parent's would be scaled by the system, or
// refused as its children: they take the host window's.
void AdoptDpiAwarenessOf(HWND host) {
    using GetWindowContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    if (!user || !host || !IsWindow(host))
        return;
    const auto get = reinterpret_cast<GetWindowContext>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetWindowDpiAwarenessContext")));
    const auto set = reinterpret_cast<SetThreadContext>(
        reinterpret_cast<void*>(GetProcAddress(user, "SetThreadDpiAwarenessContext")));
    if (get && set)
        if (const DPI_AWARENESS_CONTEXT context = get(host))
            set(context);
}

// Our own small picture: a dusk sky over hills, a second slide peeking in at the right.
GdiObject<HBITMAP> DrawPicture(int width, int height) {
    const WindowDc screen(nullptr);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!bitmap || !memory)
        return bitmap;
    const HDC dc = memory.get();
    const SelectedObject drawingOn(dc, bitmap.get());
    TRIVERTEX sky[2] = {{0, 0, 27 << 8, 42 << 8, 107 << 8, 0},
                        {width, height, 247 << 8, 163 << 8, 92 << 8, 0}};
    GRADIENT_RECT whole{0, 1};
    GradientFill(dc, sky, 2, &whole, 1, GRADIENT_FILL_RECT_V);

    {
        const SelectedObject noOutline(dc, GetStockObject(NULL_PEN));
        GdiObject<HBRUSH> sun(CreateSolidBrush(RGB(255, 233, 168)));
        const SelectedObject filling(dc, sun.get());
        Ellipse(dc, 53, 17, 72, 36);
    }
    {
        const SelectedObject noOutline(dc, GetStockObject(NULL_PEN));
        GdiObject<HBRUSH> hills(CreateSolidBrush(RGB(34, 49, 79)));
        const SelectedObject filling(dc, hills.get());
        const POINT curve[6] = {{20, 30}, {35, 44}, {55, 37}, {70, 32}, {82, 36}, {93, 34}};
        BeginPath(dc);
        MoveToEx(dc, 0, height, nullptr);
        LineTo(dc, 0, 38);
        PolyBezierTo(dc, curve, 6);
        LineTo(dc, width, height);
        CloseFigure(dc);
        EndPath(dc);
        FillPath(dc);
    }
    const RECT slide{80, 6, 90, 20};
    GdiObject<HBRUSH> pale(CreateSolidBrush(RGB(122, 115, 139)));
    FillRect(dc, &slide, pale.get());
    const RECT frame{0, 0, width, height};
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return bitmap;
}

} // namespace

Win32ControlForm::Win32ControlForm(const ProcessState& process)
    : process_(process), form_(process, *this, timer_) {
    AdoptDpiAwarenessOf(WindowOf(process.startup.PreviewWindow));
    form_window_ =
        createWindow(kFormClass, 0, L"Glimmerframe", WS_OVERLAPPEDWINDOW, RECT{0, 0, 320, 240});
    if (!form_window_)
        return;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    background_ =
        createWindow(kBoxClass, WS_EX_NOPARENTNOTIFY, L"Picture1", style, RECT{}, form_window_);
    picture_ = createWindow(kBoxClass, WS_EX_NOPARENTNOTIFY, L"Picture2", style,
                            RECT{0, 0, kPreviewPictureWidth, kPreviewPictureHeight}, form_window_);
    bitmap_ = DrawPicture(kPreviewPictureWidth, kPreviewPictureHeight);
}

Win32ControlForm::~Win32ControlForm() {
    unhookBackground();
    destroyBoxes();
    if (form_window_)
        DestroyWindow(form_window_);
}

LRESULT Win32ControlForm::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == picture_ && (message == WM_PAINT || message == WM_PRINTCLIENT)) {
        // WM_PRINTCLIENT: a host may draw the preview into a bitmap of its own.
        PAINTSTRUCT paint;
        const HDC dc = message == WM_PAINT ? BeginPaint(window, &paint) : HDC(wParam);
        if (const MemoryDc source(CreateCompatibleDC(dc)); source) {
            const SelectedObject picture(source.get(), bitmap_.get());
            BitBlt(dc, 0, 0, kPreviewPictureWidth, kPreviewPictureHeight, source.get(), 0, 0,
                   SRCCOPY);
        }
        if (message == WM_PAINT)
            EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // Destroyed with the host's window: nothing of it is ours to touch any more.
        if (window == background_) {
            background_ = nullptr;
            oldProcedure_ = nullptr;
        }
        if (window == picture_)
            picture_ = nullptr;
        if (window == form_window_)
            form_window_ = nullptr;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// CtlProc: the hooked white box's procedure.
LRESULT CALLBACK Win32ControlForm::HookProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    auto* self = Of<Win32ControlForm>(window);
    if (!self || !self->oldProcedure_)
        return 0;
    if (message != WM_CLOSE)
        return CallWindowProcW(self->oldProcedure_, window, message, wParam, lParam);
    // Not passed on: the box would be destroyed.
    self->form_.closeRequested();
    return 0;
}

bool Win32ControlForm::isWindow(std::int32_t handle) {
    return handle != 0 && IsWindow(WindowOf(handle));
}

PreviewRect Win32ControlForm::clientRect(std::int32_t handle) {
    RECT r{};
    if (handle == 0 || !GetClientRect(WindowOf(handle), &r))
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

void Win32ControlForm::placeBoxes(const PreviewGeometry& g) {
    const auto px = BoxPixels(g, process_.startup.TwipsPerPixelX, process_.startup.TwipsPerPixelY);
    if (background_)
        MoveWindow(background_, 0, 0, px.backgroundWidth, px.backgroundHeight, FALSE);
    if (picture_)
        MoveWindow(picture_, px.pictureLeft, px.pictureTop, kPreviewPictureWidth,
                   kPreviewPictureHeight, FALSE);
}

void Win32ControlForm::hostBoxes(std::int32_t handle) {
    // SetParent keeps each box's position in its parent's client area.
    const HWND host = WindowOf(handle);
    if (background_)
        SetParent(background_, host);
    if (picture_) {
        SetParent(picture_, host);
        SetWindowPos(picture_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32ControlForm::releaseBackground() {
    if (background_)
        SetParent(background_, form_window_);
}

void Win32ControlForm::hookBackground() {
    if (!background_ || oldProcedure_)
        return;
    oldProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(background_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProcedure)));
}

void Win32ControlForm::unhookBackground() {
    if (!oldProcedure_)
        return;
    if (background_)
        SetWindowLongPtrW(background_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProcedure_));
    oldProcedure_ = nullptr;
}

void Win32ControlForm::formUnloaded() {
    // The form's controls go with it, the one still in the host's window too.
    destroyBoxes();
    pump_.quit();
}

void Win32ControlForm::destroyBoxes() {
    for (HWND* box : {&picture_, &background_})
        if (const HWND window = *box) {
            *box = nullptr;
            DestroyWindow(window);
        }
}

} // namespace gf
