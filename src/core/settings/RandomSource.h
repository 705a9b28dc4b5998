#pragma once
// Uniform random numbers in [0, 1) for every random choice of the show; seedable so tests and
// runs can be repeated.
#include <cstdint>
#include <random>

namespace gf {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed = 1) : engine_(seed) {}
    void seed(std::uint32_t s) { engine_.seed(s); }
    double next() override { return dist_(engine_); }

  private:
    std::mt19937 engine_;
    std::uniform_real_distribution<double> dist_{0.0, 1.0};
};

} // namespace gf
