#include "core/controls/utimerCTL.h"
#include "fakes/FakePlatformTimer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gf {
namespace {

constexpr std::int64_t kMin = 60000;

// A control on a fake clock that records every event with the clock's time.
struct TimerRig {
    TimerRig() {
        ctl.onTimer = [this] { log.push_back({timer.now(), "Timer"}); };
        ctl.onMinuteAlarm = [this](std::int16_t& m) {
            log.push_back({timer.now(), "Minute " + std::to_string(m)});
            if (zeroAt >= 0 && m == zeroAt)
                m = 0;
        };
        ctl.onHourAlarm = [this](std::int16_t h) {
            log.push_back({timer.now(), "Hour " + std::to_string(h)});
        };
        ctl.onInvalidProperty = [this](std::string_view msg) { messages.emplace_back(msg); };
    }
    struct Event {
        std::int64_t at;
        std::string what;
        bool operator==(const Event&) const = default;
    };
    std::vector<std::string> named(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const auto& e : log)
            if (e.what.starts_with(prefix))
                out.push_back(e.what);
        return out;
    }
    std::vector<std::int64_t> timesOf(std::string_view what) const {
        std::vector<std::int64_t> out;
        for (const auto& e : log)
            if (e.what == what)
                out.push_back(e.at);
        return out;
    }
    test::FakePlatformTimer timer;
    utimerCTL ctl{timer};
    std::vector<Event> log;
    std::vector<std::string> messages;
    int zeroAt = -1;
};

TEST(utimerCTL, ThreeMinutesRepeatingCountsDownAndStartsOver) {
    TimerRig r;
    r.ctl.setMinuteInterval(3);
    r.timer.advance(2 * 3 * kMin + 10);
    const std::vector<TimerRig::Event> expected = {
        {1, "Minute 3"},
        {1 + kMin, "Minute 2"},
        {1 + 2 * kMin, "Minute 1"},
        {1 + 3 * kMin, "Timer"},
        {2 + 3 * kMin, "Minute 3"},
        {2 + 4 * kMin, "Minute 2"},
        {2 + 5 * kMin, "Minute 1"},
        {2 + 6 * kMin, "Timer"},
        {3 + 6 * kMin, "Minute 3"},
    };
    EXPECT_EQ(r.log, expected);
}

TEST(utimerCTL, HourAlarmsOnlyAboveSixtyMinutesRoundedToEven) {
    {
        TimerRig r;
        r.ctl.setHourInterval(1);
        r.timer.advance(60 * kMin + 1);
        EXPECT_TRUE(r.named("Hour").empty());
        const auto minutes = r.named("Minute");
        ASSERT_EQ(minutes.size(), 60u);
        EXPECT_EQ(minutes.front(), "Minute 60");
        EXPECT_EQ(minutes.back(), "Minute 1");
        EXPECT_EQ(r.timesOf("Timer"), std::vector<std::int64_t>{1 + 60 * kMin});
    }
    {
        TimerRig r;
        r.ctl.setHourInterval(2);
        r.timer.advance(1);
        EXPECT_EQ(r.log.at(0).what, "Hour 2");
        EXPECT_EQ(r.log.at(1).what, "Minute 120");
        r.timer.advance(120 * kMin);
        const auto hours = r.named("Hour");
        // m runs from 120 down to 61: 120..91 round to 2 (90 is 1.5, to even 2), 89..61 to 1.
        ASSERT_EQ(hours.size(), 60u);
        EXPECT_EQ(hours[120 - 90], "Hour 2");
        EXPECT_EQ(hours[120 - 89], "Hour 1");
        EXPECT_EQ(hours.back(), "Hour 1");
        EXPECT_EQ(r.named("Timer").size(), 1u);
    }
}

TEST(utimerCTL, MillisecondPartComesFirstAndAloneIsAPlainTimer) {
    TimerRig r;
    r.ctl.setInterval(500);
    r.timer.advance(1600);
    // 1 ms start tick, 500 ms part, then Timer; each new period starts with a 1 ms tick.
    EXPECT_EQ(r.timesOf("Timer"), (std::vector<std::int64_t>{501, 1002, 1503}));

    r.ctl.setMinuteInterval(1);
    r.log.clear();
    const auto start = r.timer.now();
    r.timer.advance(kMin + 600);
    EXPECT_EQ(r.timesOf("Minute 1"), std::vector<std::int64_t>{start + 501});
    EXPECT_EQ(r.timesOf("Timer"), std::vector<std::int64_t>{start + 501 + kMin});
}

TEST(utimerCTL, OneShotStaysSilentUntilAPropertyIsSet) {
    TimerRig r;
    r.ctl.setTimerMode(1);
    r.ctl.setInterval(100);
    r.timer.advance(10 * kMin);
    EXPECT_EQ(r.named("Timer").size(), 1u);
    EXPECT_TRUE(r.ctl.Expired());
    EXPECT_FALSE(r.timer.enabled());

    // Switching to repeating while expired starts a new period.
    r.ctl.setTimerMode(0);
    r.timer.advance(1000);
    EXPECT_FALSE(r.ctl.Expired());
    EXPECT_GE(r.named("Timer").size(), 2u);
}

TEST(utimerCTL, NoPeriodMeansNoTicksAndEnabledStopsAndRestarts) {
    TimerRig r;
    r.timer.advance(10 * kMin);
    EXPECT_EQ(r.timer.ticks, 0);
    EXPECT_FALSE(r.timer.enabled());

    r.ctl.setInterval(100);
    r.ctl.setEnabled(false);
    r.timer.advance(1000);
    EXPECT_TRUE(r.log.empty());
    r.ctl.setEnabled(true);
    r.timer.advance(101);
    EXPECT_EQ(r.named("Timer").size(), 1u);

    // A Timer handler that switches the control off is obeyed.
    int fired = 0;
    r.ctl.onTimer = [&] {
        ++fired;
        r.ctl.setEnabled(false);
    };
    r.timer.advance(10000);
    EXPECT_FALSE(r.timer.enabled());
    EXPECT_EQ(fired, 1);
}

TEST(utimerCTL, PropertyChecksAtTheirEdgesAndInvalidValueMessage) {
    TimerRig r;
    // Milliseconds below a minute and minutes below an hour are taken; others are passed over.
    const std::pair<int, int> intervals[] = {
        {250, 250}, {-1, 250}, {0, 0}, {59999, 59999}, {60000, 59999}};
    for (const auto& [set, kept] : intervals) {
        r.ctl.setInterval(set);
        EXPECT_EQ(r.ctl.Interval(), kept) << set;
    }
    const std::pair<int, int> minutes[] = {{59, 59}, {60, 59}, {-1, 59}, {0, 0}};
    for (const auto& [set, kept] : minutes) {
        r.ctl.setMinuteInterval(std::int16_t(set));
        EXPECT_EQ(r.ctl.MinuteInterval(), kept) << set;
    }
    EXPECT_TRUE(r.messages.empty());

    // 546 hours are 32760 minutes: 7 more minutes fit, 8 do not.
    r.ctl.setHourInterval(546);
    r.ctl.setMinuteInterval(7);
    EXPECT_EQ(r.ctl.MinuteInterval(), 7);
    r.ctl.setMinuteInterval(8);
    EXPECT_EQ(r.ctl.MinuteInterval(), 7);
    r.ctl.setHourInterval(547);
    EXPECT_EQ(r.ctl.HourInterval(), 546);
    r.ctl.setHourInterval(-1);
    EXPECT_EQ(r.messages.size(), 3u);

    // An out-of-range mode is reported but stored, and repeats like mode 0.
    r.ctl.setTimerMode(2);
    EXPECT_EQ(r.ctl.TimerMode(), 2);
    EXPECT_EQ(r.messages.size(), 4u);
    EXPECT_EQ(r.messages.back(), kInvalidPropertyValue);
}

TEST(utimerCTL, MinuteAlarmHandlerCanBringTheTimerForward) {
    TimerRig r;
    r.zeroAt = 8;
    r.ctl.setMinuteInterval(10);
    r.timer.advance(3 * kMin + 1);
    // Alarms 10, 9, 8 (set to 0 there), then Timer at the next minute step.
    EXPECT_EQ(r.named("Minute").size(), 3u);
    EXPECT_EQ(r.timesOf("Timer"), std::vector<std::int64_t>{1 + 3 * kMin});
}

} // namespace
} // namespace gf
