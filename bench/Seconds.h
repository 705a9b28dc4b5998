#pragma once
// How long a piece of work takes, in seconds of wall time.
#include <chrono>
#include <functional>

namespace gf::bench {

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace gf::bench
