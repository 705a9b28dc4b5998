#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop (a self-pipe read by a socket
// notifier), so a terminated show ends through its normal unload. Default handling returns when
// this object goes away.
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace gf {

class QtSignalBridge {
  public:
    explicit QtSignalBridge(std::function<void(int signal)> onSignal);
    QtSignalBridge(const QtSignalBridge&) = delete;
    QtSignalBridge& operator=(const QtSignalBridge&) = delete;
    ~QtSignalBridge();
    bool ok() const { return notifier_ != nullptr; }

  private:
    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace gf
