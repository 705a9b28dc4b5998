#pragma once
// PlatformTimer over a QTimer on the window thread.
#include "platform/PlatformTimer.h"

#include <QTimer>

namespace gf {

class QtPlatformTimer final : public PlatformTimer {
  public:
    QtPlatformTimer();
    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }
    void setTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  private:
    QTimer timer_;
    int interval_ = 0;
    std::function<void()> handler_;
};

} // namespace gf
