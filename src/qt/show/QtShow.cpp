#include "qt/show/QtShow.h"

#include "core/show/SlideListLoader.h"
#include "core/support/PictureTypes.h"
#include "qt/show/QtPictureDecoder.h"
#include "qt/support/QtPictureFormats.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace gf {

namespace {
// The other screens are covered by windows that are black like the show's own and hand their
// input to the show in the same way.
std::unique_ptr<QtShowWindow> CoverWindow(QScreen* screen) {
    auto w = std::make_unique<QtShowWindow>(screen->geometry());
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

    auto items = PackageItems::ForShow(process);
    if (!items)
        return items.error();
    s.items_ = std::move(*items);

    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary && !hosted)
        return Error{"Cannot start the show: there is no screen."};
    // One show on the main screen; the others are black, as one show has one sound and one pace.
    if (!hosted) {
        for (QScreen* screen : QGuiApplication::screens())
            if (screen != primary)
                s.covers_.push_back(CoverWindow(screen));
    }
    const QRect geometry = hosted ? QRect(QPoint(0, 0), target.hostSize) : primary->geometry();
    s.window_ = std::make_unique<QtShowWindow>(geometry, target.hostWindow);
    const double dpr = primary ? primary->devicePixelRatio() : 1.0;
    const int tpp = process.startup.TwipsPerPixelX > 0 ? process.startup.TwipsPerPixelX : 15;
    QtShowWindow* window = s.window_.get();
    s.canvas_ = std::make_unique<QtShowCanvas>(geometry.size(), tpp, dpr,
                                               [window](const QRect& r) { window->repaint(r); });
    s.window_->setCanvas(s.canvas_.get());
    s.password_ = std::make_unique<QtPasswordCheck>(s.window_.get());

    s.platform_.reset(new ShowPlatform{
        *s.canvas_, std::make_shared<QtPictureDecoder>(process.files, tpp, dpr), s.clock_, s.pump_,
        s.timer1_, s.timer2_, s.cursor_, s.media_, s.sound_, *s.password_, s.notice_});
    auto loadFiles = [&files = process.files, patterns = PicturePatterns(QtPictureFormats())](
                         Settings& settings, SlideList& list) {
        LoadFiles(files, settings, list, patterns);
    };
    s.player_ = std::make_unique<PlayerWindow>(process, *s.platform_, store, loadFiles,
                                               s.items_.get(), PlayerOptions{hosted});
    PlayerWindow* player = s.player_.get();
    auto handInput = [player](QtShowWindow& w) {
        w.onInput = [player] { player->Input(); };
        w.onMouseMove = [player] { player->MouseMove(); };
        w.onCloseRequest = [player] { player->RequestClose(); };
    };
    handInput(*s.window_);
    for (auto& cover : s.covers_)
        handInput(*cover);
    s.signals_ = std::make_unique<QtSignalBridge>([player](int) { player->Terminate(); });

    s.window_->show();
    if (!hosted) {
        s.window_->raise();
        s.window_->activateWindow();
        // Keys must reach the show whichever window had the focus; the grab needs a mapped window.
        QTimer::singleShot(100, window, [window] { window->grabKeyboard(); });
    }
    s.player_->Form_Load();
    return show;
}

QtShow::~QtShow() {
    if (window_)
        window_->releaseKeyboard();
}

} // namespace gf
