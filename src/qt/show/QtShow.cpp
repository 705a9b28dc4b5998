#include "qt/show/QtShow.h"

#include "qt/show/QtPictureDecoder.h"
#include "qt/support/QtPictureFormats.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace gf {

namespace {
// The other screens are covered by windows that are black like the show's own and hand their
// input to the show in the same way.
std::unique_ptr<QtShowWindow> CoverWindow(const QRect& area) {
    auto w = std::make_unique<QtShowWindow>(area);
    w->setWindowTitle(QStringLiteral("Glimmerframe")); // the show's caption is the main window's
    w->setCursor(Qt::BlankCursor);
    w->show();
    return w;
}
} // namespace

Result<std::unique_ptr<QtShow>> QtShow::Start(ProcessState& process, const SettingsStore& store,
                                              ShowTarget target) {
    std::unique_ptr<QtShow> show(new QtShow());
    auto& s = *show;
    const bool hosted = target.hostWindow != 0;

    auto assembly = ShowAssembly::Prepare(process);
    if (!assembly)
        return assembly.error();
    s.assembly_ = std::move(*assembly);

    QScreen* primary = QGuiApplication::primaryScreen();
    std::vector<ShowScreen> screens;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        screens.push_back({g.x(), g.y(), g.width(), g.height(), screen == primary});
    }
    const ScreenPlan plan = PlanScreens(screens, process.settings.ShowOnAllScreens != 0);
    if (!plan.show && !hosted)
        return Error{"Cannot start the show: there is no screen."};
    const auto rect = [](const ShowScreen& r) { return QRect(r.x, r.y, r.width, r.height); };
    // A screen's pixels to a device pixel: each screen's own.
    const auto ratioAt = [](const QRect& area) {
        const QScreen* screen = QGuiApplication::screenAt(area.center());
        return screen ? screen->devicePixelRatio() : 1.0;
    };
    if (!hosted) {
        for (const auto& cover : plan.covers)
            s.covers_.push_back(CoverWindow(rect(cover)));
    }
    const QRect geometry = hosted ? QRect(QPoint(0, 0), target.hostSize) : rect(*plan.show);
    s.window_ = std::make_unique<QtShowWindow>(geometry, target.hostWindow);
    const double dpr = primary ? primary->devicePixelRatio() : 1.0;
    const int tpp = process.startup.TwipsPerPixelX > 0 ? process.startup.TwipsPerPixelX : 15;
    QtShowWindow* window = s.window_.get();
    s.canvas_ = std::make_unique<QtShowCanvas>(geometry.size(), tpp, dpr,
                                               [window](const QRect& r) { window->repaint(r); });
    s.window_->setCanvas(s.canvas_.get());
    s.password_ = std::make_unique<QtPasswordCheck>(s.window_.get());

    ShowAssembly& assembled = *s.assembly_;
    assembled.assemble(
        store,
        ShowPlatform{*s.canvas_, std::make_shared<QtPictureDecoder>(process.files, tpp, dpr),
                     s.clock_, s.pump_, s.timer1_, s.timer2_, s.cursor_, s.media_, s.sound_,
                     *s.password_, s.notice_},
        QtPictureFormats(), PlayerOptions{hosted}, hosted ? 1 : 1 + int(plan.beside.size()));
    for (const auto& screen : hosted ? std::vector<ShowScreen>{} : plan.beside) {
        auto b = std::make_unique<Beside>();
        const QRect area = rect(screen);
        b->window = std::make_unique<QtShowWindow>(area);
        b->window->setWindowTitle(QStringLiteral("Glimmerframe"));
        b->window->setCursor(Qt::BlankCursor);
        const double ratio = ratioAt(area);
        QtShowWindow* w = b->window.get();
        b->canvas = std::make_unique<QtShowCanvas>(area.size(), tpp, ratio,
                                                   [w](const QRect& r) { w->repaint(r); });
        b->window->setCanvas(b->canvas.get());
        assembled.addScreen(ShowPlatform{
            *b->canvas, std::make_shared<QtPictureDecoder>(process.files, tpp, ratio), s.clock_,
            s.pump_, b->timer1, b->timer2, s.cursor_, s.media_, s.sound_, *s.password_, s.notice_});
        s.beside_.push_back(std::move(b));
    }
    auto handInput = [&assembled](QtShowWindow& w) {
        w.onInput = [&assembled] { assembled.input(); };
        w.onMouseMove = [&assembled](QPoint p) { assembled.pointerAt(p.x(), p.y()); };
        w.onCloseRequest = [&assembled] { assembled.closeRequested(); };
    };
    handInput(*s.window_);
    for (auto& cover : s.covers_)
        handInput(*cover);
    for (auto& b : s.beside_) {
        handInput(*b->window);
        b->window->show();
    }
    s.signals_ = std::make_unique<QtSignalBridge>([&assembled](int) { assembled.terminate(); });

    s.window_->show();
    if (!hosted) {
        s.window_->raise();
        s.window_->activateWindow();
        // Keys must reach the show whichever window had the focus; the grab needs a mapped window.
        QTimer::singleShot(100, window, [window] { window->grabKeyboard(); });
    }
    assembled.start();
    return show;
}

QtShow::~QtShow() {
    if (window_)
        window_->releaseKeyboard();
    signals_.reset();
    if (assembly_)
        assembly_->finish();
}

} // namespace gf
