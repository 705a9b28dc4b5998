#pragma once
// A show timer over QTimer.
#include "platform/ShowTimer.h"

#include <QTimer>

namespace gf {

class QtShowTimer final : public ShowTimer {
  public:
    QtShowTimer();
    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setInterval(std::int32_t ms) override { timer_.setInterval(ms < 0 ? 0 : ms); }
    std::int32_t interval() const override { return timer_.interval(); }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
    std::function<void()> handler_;
};

} // namespace gf
