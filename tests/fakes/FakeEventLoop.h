#pragma once
// A clock and event pump in one: time only moves inside waits; actions can be injected at the
// k-th round of event processing or at a moment of the clock.
#include "platform/EventPump.h"
#include "platform/ShowClock.h"

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace gf::test {

class FakeEventLoop final : public ShowClock, public EventPump {
  public:
    std::int64_t monotonicMs() const override { return now; }
    double secondsSinceMidnight() const override { return timeOfDay; }
    // Whole days since 1970 as the day of the month, in a fixed shape: tests see what was asked.
    CivilTime localTime(std::int64_t unixNs) const override {
        return {1970, 1, int(unixNs / 86'400'000'000'000) + 1, 0, 0, 0};
    }
    std::string longDate(const CivilTime& d) const override {
        return "day " + std::to_string(d.day) + "." + std::to_string(d.month) + "." +
               std::to_string(d.year);
    }

    void processPending() override {
        ++rounds;
        if (auto it = byRound_.find(rounds); it != byRound_.end()) {
            auto action = std::move(it->second);
            byRound_.erase(it);
            action();
        }
        runDue();
    }
    void waitForEvents(std::int64_t timeoutMs) override {
        ++waits;
        auto until = now + (timeoutMs > 0 ? timeoutMs : 0);
        if (!byTime_.empty() && byTime_.begin()->first < until)
            until = byTime_.begin()->first;
        now = until > now ? until : now;
        runDue();
    }
    void quit() override { ++quits; }
    void wake() override { ++wakes; }

    // During the k-th round of processing from now (1 = the next one).
    void atRound(int k, std::function<void()> action) { byRound_[rounds + k] = std::move(action); }
    void atTime(std::int64_t ms, std::function<void()> action) {
        byTime_.emplace(ms, std::move(action));
    }

    std::int64_t now = 0;
    double timeOfDay = 36000.0; // 10:00
    int rounds = 0, waits = 0, quits = 0;
    std::atomic<int> wakes{0};

  private:
    void runDue() {
        while (!byTime_.empty() && byTime_.begin()->first <= now) {
            auto action = std::move(byTime_.begin()->second);
            byTime_.erase(byTime_.begin());
            action();
        }
    }
    std::map<int, std::function<void()>> byRound_;
    std::multimap<std::int64_t, std::function<void()>> byTime_;
};

} // namespace gf::test
