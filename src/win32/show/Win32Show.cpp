#include "win32/show/Win32Show.h"

#include "core/show/SlideListLoader.h"
#include "core/startup/Main.h"
#include "core/support/PictureTypes.h"
#include "win32/show/Win32PictureDecoder.h"
#include "win32/show/Win32PictureFormats.h"
#include "win32/support/SystemError.h"
#include "win32/support/Utf16.h"
#include "win32/support/WindowDc.h"

namespace gf {

namespace {

struct Monitor {
    RECT area;
    bool primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
            {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

std::vector<Monitor> Monitors() {
    std::vector<Monitor> out;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&out));
    return out;
}

} // namespace

Result<std::unique_ptr<Win32Show>> Win32Show::Start(ProcessState& process,
                                                    const SettingsStore& store) {
    std::unique_ptr<Win32Show> show(new Win32Show());
    auto& s = *show;

    auto items = PackageItems::ForShow(process);
    if (!items)
        return items.error();
    s.items_ = std::move(*items);

    // One show on the primary monitor; the others are black, as one show has one sound and one
    // pace. The first program of a session that is still starting (a new Wine prefix's desktop,
    // say) may be refused its windows for a while: they are asked for again, for up to 30 s.
    RECT primary{};
    for (int attempt = 1;; ++attempt) {
        s.covers_.clear();
        primary = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        for (const auto& monitor : Monitors()) {
            if (monitor.primary)
                primary = monitor.area;
            else
                s.covers_.push_back(
                    std::make_unique<Win32ShowWindow>(monitor.area, L"Glimmerframe"));
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
    // Twips are physical: the monitor's own DPI (the program is per-monitor DPI aware).
    const UINT dpi = GetDpiForWindow(main);
    const double tpp = 1440.0 / (dpi ? dpi : 96);
    s.canvas_ = std::make_unique<Win32ShowCanvas>(primary.right - primary.left,
                                                  primary.bottom - primary.top, tpp,
                                                  [&canvas = s.canvas_, main](const RECT& r) {
                                                      const WindowDc dc(main);
                                                      if (dc.get())
                                                          canvas->compose(dc.get(), r);
                                                  });
    s.window_->setCanvas(s.canvas_.get());
    s.password_ = std::make_unique<Win32PasswordCheck>(main);

    s.platform_.reset(new ShowPlatform{
        *s.canvas_, std::make_shared<Win32PictureDecoder>(process.files, tpp), s.clock_, s.pump_,
        s.timer1_, s.timer2_, s.cursor_, s.media_, s.sound_, *s.password_, s.notice_});
    auto loadFiles = [&files = process.files, patterns = PicturePatterns(Win32PictureFormats())](
                         Settings& settings, SlideList& list) {
        LoadFiles(files, settings, list, patterns);
    };
    s.player_ = std::make_unique<PlayerWindow>(process, *s.platform_, store, loadFiles,
                                               s.items_.get(), PlayerOptions{});
    PlayerWindow* player = s.player_.get();
    Win32Show* self = show.get();
    auto handInput = [player, self](Win32ShowWindow& w) {
        w.onInput = [player] { player->Input(); };
        w.onMouseMove = [self](POINT p) { self->pointerAt(p); };
        w.onTerminate = [player] { player->Terminate(); };
        // The process may be ended any moment after this: nothing of the show may stay behind.
        w.onSessionEnd = [self] {
            if (self->items_)
                self->items_->removeFiles();
        };
    };
    handInput(*s.window_);
    for (auto& cover : s.covers_)
        handInput(*cover);
    s.console_ = std::make_unique<Win32ConsoleBridge>(main);
    // Where the pointer rests before the windows appear: their own move messages are no motion.
    if (POINT p; GetCursorPos(&p))
        s.pointer_ = p;

    for (auto& cover : s.covers_)
        cover->show(false);
    s.window_->show(true);
    s.player_->Form_Load();
    return show;
}

void Win32Show::pointerAt(POINT p) {
    // Only real movement counts: windows appearing under a still pointer report it too.
    const bool first = !pointer_;
    if (!first && pointer_->x == p.x && pointer_->y == p.y)
        return;
    pointer_ = p;
    if (!first)
        player_->MouseMove();
}

Win32Show::~Win32Show() = default;

} // namespace gf
