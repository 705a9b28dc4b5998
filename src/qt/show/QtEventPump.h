#pragma once
// Event processing from inside a handler; waits sleep in the event dispatcher.
#include "platform/EventPump.h"

#include <QTimer>

class QAbstractEventDispatcher;

namespace gf {

class QtEventPump final : public EventPump {
  public:
    QtEventPump();
    void processPending() override;
    void waitForEvents(std::int64_t timeoutMs) override;
    void quit() override;
    void wake() override;

  private:
    QTimer wake_;                          // its timeout ends a wait that no other event ends
    QAbstractEventDispatcher* dispatcher_; // of the thread that made the pump
};

} // namespace gf
