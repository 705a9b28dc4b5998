#pragma once
// Processing of pending window events from inside a running handler.
#include <cstdint>

namespace gf {

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Handles the events that are pending now, without waiting.
    virtual void processPending() = 0;
    // Sleeps until an event arrives or the timeout passes, then handles what came.
    virtual void waitForEvents(std::int64_t timeoutMs) = 0;
    // Ends the event loop; the process ends once the running handlers have returned.
    virtual void quit() = 0;
    // Ends a waitForEvents now. Safe from any thread.
    virtual void wake() = 0;
};

} // namespace gf
