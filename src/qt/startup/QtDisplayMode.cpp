#include "qt/startup/QtDisplayMode.h"

#include "qt/preview/QtX11.h"
#include "qt/show/QtShow.h"

#include <QCoreApplication>

#include <cstdio>

namespace gf {

namespace {
// How often the host window is asked whether it still exists and what size it has.
constexpr int kPollMs = 200;
} // namespace

Result<std::unique_ptr<QtDisplayMode>> QtDisplayMode::Start(ProcessState& process,
                                                            const SettingsStore& store,
                                                            const DisplayModeOptions& options) {
    if (!QtX11::available())
        return Error{"glimmerframe: this mode needs an X11 display"};
    std::unique_ptr<QtDisplayMode> mode(new QtDisplayMode(process, store));
    using Target = DisplayModeOptions::Target;
    switch (options.target) {
    case Target::Window:
        mode->target_ = WId(options.windowId);
        break;
    case Target::Root:
        mode->target_ = WId(QtX11::rootWindow());
        break;
    case Target::OwnWindow: {
        // Run by hand, like any display program: a plain window to watch the show in.
        auto window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Glimmerframe"));
        window->setAttribute(Qt::WA_NativeWindow);
        window->resize(800, 600);
        QPalette p = window->palette();
        p.setColor(QPalette::Window, Qt::black);
        window->setPalette(p);
        window->show();
        mode->target_ = window->winId();
        mode->ownWindow_ = std::move(window);
        break;
    }
    }
    if (!QtX11::windowExists(std::uint32_t(mode->target_)))
        return Error{"glimmerframe: there is no window " + std::to_string(mode->target_)};
    if (Status s = mode->startShow(); !s)
        return s.error();
    connect(&mode->poll_, &QTimer::timeout, mode.get(), [m = mode.get()] { m->poll(); });
    mode->poll_.start(kPollMs);
    return mode;
}

QtDisplayMode::QtDisplayMode(ProcessState& process, const SettingsStore& store)
    : process_(process), store_(store) {}

QtDisplayMode::~QtDisplayMode() {
    poll_.stop();
    show_.reset();
}

Status QtDisplayMode::startShow() {
    const auto size = QtX11::windowSize(std::uint32_t(target_));
    if (!size)
        return Status::failure("glimmerframe: the window " + std::to_string(target_) +
                               " went away");
    size_ = QSize(size->first, size->second);
    auto show = QtShow::Start(process_, store_, ShowTarget{target_, size_});
    if (!show)
        return Status::failure("glimmerframe: " + show.message());
    show_ = std::move(*show);
    return {};
}

void QtDisplayMode::poll() {
    if (!show_ || show_->player().ended())
        return;
    if ((ownWindow_ && !ownWindow_->isVisible()) || !QtX11::windowExists(std::uint32_t(target_))) {
        show_->player().Terminate(); // the window is gone: end as on SIGTERM
        return;
    }
    const auto size = QtX11::windowSize(std::uint32_t(target_));
    if (!size || QSize(size->first, size->second) == size_)
        return;
    // The canvas has the window's size: a new size means a new show. Only between slides, when
    // no dissolve or wait of the old one is running.
    if (show_->player().state().busy)
        return;
    show_.reset();
    if (Status s = startShow(); !s) {
        std::fprintf(stderr, "%s\n", s.message().c_str());
        QCoreApplication::exit(1);
    }
}

} // namespace gf
