#include "win32/show/Win32Show.h"

#include "core/startup/Main.h"
#include "win32/show/Win32PictureDecoder.h"
#include "win32/show/Win32PictureFormats.h"
#include "win32/support/WindowDc.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

namespace gf {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<ShowScreen>*>(data)->push_back(
            {r.left, r.top, r.right - r.left, r.bottom - r.top,
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

ScreenPlan Monitors(bool everyScreen) {
    std::vector<ShowScreen> screens;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&screens));
    ScreenPlan plan = PlanScreens(screens, everyScreen);
    if (!plan.show)
        plan.show =
            ShowScreen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), true};
    return plan;
}

RECT Area(const ShowScreen& screen) {
    return RECT{screen.x, screen.y, screen.x + screen.width, screen.y + screen.height};
}

// Makes `slot` a show window's canvas: its monitor's size in device pixels at the monitor's
// own DPI (the program is per-monitor DPI aware, and twips are physical), each step composed
// into the window. Returns the twips per pixel.
double MakeCanvas(std::unique_ptr<Win32ShowCanvas>& slot, const Win32ShowWindow& window,
                  const RECT& area) {
    const HWND handle = window.handle();
    const UINT dpi = GetDpiForWindow(handle);
    const double tpp = 1440.0 / (dpi ? dpi : 96);
    slot = std::make_unique<Win32ShowCanvas>(area.right - area.left, area.bottom - area.top, tpp,
                                             [&slot, handle](const RECT& r) {
                                                 const WindowDc dc(handle);
                                                 if (dc.get())
                                                     slot->compose(dc.get(), r);
                                             });
    return tpp;
}

} // namespace

Result<std::unique_ptr<Win32Show>> Win32Show::Start(ProcessState& process,
                                                    const SettingsStore& store) {
    std::unique_ptr<Win32Show> show(new Win32Show());
    auto& s = *show;

    auto assembly = ShowAssembly::Prepare(process);
    if (!assembly)
        return assembly.error();
    s.assembly_ = std::move(*assembly);

    // The first program of a session that is still starting (a new Wine prefix's desktop, say)
    // may be refused its windows for a while: they are asked for again, for up to 30 s.
    RECT primary{};
    ScreenPlan plan;
    for (int attempt = 1;; ++attempt) {
        s.covers_.clear();
        s.beside_.clear();
        plan = Monitors(process.settings.ShowOnAllScreens != 0);
        primary = Area(*plan.show);
        for (const auto& cover : plan.covers)
            s.covers_.push_back(std::make_unique<Win32ShowWindow>(Area(cover), L"Glimmerframe"));
        for (const auto& screen : plan.beside) {
            s.beside_.push_back(std::make_unique<Beside>());
            s.beside_.back()->window =
                std::make_unique<Win32ShowWindow>(Area(screen), L"Glimmerframe");
        }
        s.window_ = std::make_unique<Win32ShowWindow>(primary, ToUtf16(kMainFormCaption));
        if (s.window_->handle())
            break;
        constexpr int kAttempts = 120;
        if (attempt == kAttempts)
            return Error{"Cannot start the show: Windows refused to make its window (" +
                         DescribeSystemError(s.window_->error()) + ")."};
        Sleep(250);
    }
    const HWND main = s.window_->handle();
    const double tpp = MakeCanvas(s.canvas_, *s.window_, primary);
    s.window_->setCanvas(s.canvas_.get());
    s.password_ = std::make_unique<Win32PasswordCheck>(main);

    ShowAssembly& assembled = *s.assembly_;
    assembled.assemble(store,
                       ShowPlatform{*s.canvas_,
                                    std::make_shared<Win32PictureDecoder>(process.files, tpp),
                                    s.clock_, s.pump_, s.timer1_, s.timer2_, s.cursor_, s.media_,
                                    s.sound_, *s.password_, s.notice_},
                       Win32PictureFormats(), PlayerOptions{}, 1 + int(s.beside_.size()));
    for (std::size_t i = 0; i < s.beside_.size(); ++i) {
        Beside& b = *s.beside_[i];
        const double besideTpp = MakeCanvas(b.canvas, *b.window, Area(plan.beside[i]));
        b.window->setCanvas(b.canvas.get());
        assembled.addScreen(ShowPlatform{
            *b.canvas, std::make_shared<Win32PictureDecoder>(process.files, besideTpp), s.clock_,
            s.pump_, b.timer1, b.timer2, s.cursor_, s.media_, s.sound_, *s.password_, s.notice_});
    }
    auto handInput = [&assembled](Win32ShowWindow& w) {
        w.onInput = [&assembled] { assembled.input(); };
        w.onMouseMove = [&assembled](POINT p) { assembled.pointerAt(p.x, p.y); };
        w.onTerminate = [&assembled] { assembled.terminate(); };
        // The process may be ended any moment after this: nothing of the show may stay behind.
        w.onSessionEnd = [&assembled] {
            if (assembled.items())
                assembled.items()->removeFiles();
        };
    };
    handInput(*s.window_);
    for (auto& cover : s.covers_)
        handInput(*cover);
    for (auto& b : s.beside_)
        handInput(*b->window);
    s.console_ = std::make_unique<Win32ConsoleBridge>(main);
    // Where the pointer rests before the windows appear: their own move messages are no motion.
    if (POINT p; GetCursorPos(&p))
        assembled.pointerAt(p.x, p.y);

    for (auto& cover : s.covers_)
        cover->show(false);
    for (auto& b : s.beside_)
        b->window->show(false);
    s.window_->show(true);
    assembled.start();
    return show;
}

Win32Show::~Win32Show() {
    console_.reset();
    if (assembly_)
        assembly_->finish();
}

} // namespace gf
