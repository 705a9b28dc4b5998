#pragma once
// A random source that yields given values first, then a seeded sequence.
#include "core/settings/RandomSource.h"

#include <deque>

namespace gf::test {

class ScriptedRandom final : public RandomSource {
  public:
    double next() override {
        ++draws;
        if (values.empty())
            return fallback.next();
        const double v = values.front();
        values.pop_front();
        return v;
    }
    std::deque<double> values;
    SeededRandom fallback{7};
    int draws = 0;
};

} // namespace gf::test
