#pragma once
// Keeps a test from hanging on a pipe that the code under test should never have opened: unless
// the test is done within five seconds, the watchdog opens the pipe for writing, so that a reader
// waiting on it goes on, and remembers that it had to.
#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace gf::test {

class PipeWatchdog {
  public:
    explicit PipeWatchdog(std::string pipe)
        : thread_([this, pipe = std::move(pipe)] {
              for (int i = 0; i < 50 && !done_; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              if (!done_) {
                  blocked_ = true;
                  std::ofstream{pipe};
              }
          }) {}
    PipeWatchdog(const PipeWatchdog&) = delete;
    PipeWatchdog& operator=(const PipeWatchdog&) = delete;
    ~PipeWatchdog() { finish(); }

    // Ends the watch; true when something waited on the pipe.
    bool finish() {
        done_ = true;
        if (thread_.joinable())
            thread_.join();
        return blocked_;
    }

  private:
    std::atomic<bool> done_{false}, blocked_{false};
    std::thread thread_;
};

} // namespace gf::test
