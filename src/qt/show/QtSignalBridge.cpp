#include "qt/show/QtSignalBridge.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace gf {

namespace {
// A signal handler can reach nothing but static storage: the pipe's two ends.
int gPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] auto n = ::write(gPipe[1], &byte, 1);
    errno = saved;
}
} // namespace

QtSignalBridge::QtSignalBridge(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        unsigned char byte = 0;
        while (::read(gPipe[0], &byte, 1) == 1)
            if (onSignal_)
                onSignal_(byte);
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

QtSignalBridge::~QtSignalBridge() {
    if (!notifier_)
        return;
    for (int s : kSignals)
        ::signal(s, SIG_DFL);
    notifier_.reset();
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

} // namespace gf
